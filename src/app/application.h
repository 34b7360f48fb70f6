#pragma once

#include <memory>

class QApplication;

namespace florist {
class DataModule;
class PrintModule;
} // namespace florist

namespace florist::ui {
class LoginWindow;
class MainWindow;
struct Context;
} // namespace florist::ui

namespace florist::app {

using ui::Context;
using ui::LoginWindow;
using ui::MainWindow;

// The start sequence and the composition of the program: title, translations and fonts, the
// data module, the print module with its receipt preview, every subsystem's windows, the main
// window (hidden), the login window. The run ends when the login window closes or the exit question
// says Yes.
class Application {
public:
    explicit Application(QApplication& app);
    ~Application();

    // Creates the data module and the windows; the login window is shown.
    void start();
    int exec();

    DataModule* dataModule() const { return dm_.get(); }
    PrintModule* printModule() const { return print_.get(); }
    MainWindow* mainWindow() const { return main_.get(); }
    LoginWindow* loginWindow() const { return login_.get(); }

    // Qt's own Chinese texts for standard buttons (是/否) and a font that has the characters.
    static void setUpLocale(QApplication& app);

private:
    QApplication& app_;
    std::unique_ptr<DataModule> dm_;
    std::unique_ptr<PrintModule> print_;
    std::unique_ptr<Context> context_;
    std::unique_ptr<MainWindow> main_;
    std::unique_ptr<LoginWindow> login_;
};

} // namespace florist::app
