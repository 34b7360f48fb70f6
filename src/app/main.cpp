#include "ui/application.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    florist::ui::Application::setUpLocale(app);
    florist::ui::Application florist(app);
    florist.start();
    return florist.exec();
}
