#include "support/uitest.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Windows keep dragged column widths in the user's settings; tests keep theirs apart.
    QTemporaryDir layout;
    qputenv("FLORIST_LAYOUT_SETTINGS", layout.filePath("layout.ini").toUtf8());
    florist::test::installUiTestDefaults();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
