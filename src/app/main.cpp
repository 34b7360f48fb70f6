#include "app/application.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    florist::app::Application::setUpLocale(app);
    florist::app::Application florist(app);
    florist.start();
    return florist.exec();
}
