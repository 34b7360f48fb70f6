#include "core/spreadsheet/sheetreader.h"

#include <QCoreApplication>

// The helper process that reads one spreadsheet file for the program, apart from it: a file
// that crashes or exhausts a reader ends only this process.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return florist::runSheetHelper(app.arguments().mid(1));
}
