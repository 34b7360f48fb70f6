#include "app/application.h"

#include "app/windows.h"

#include "core/db/datamodule.h"
#include "core/db/embeddedbackup.h"
#include "core/session/login.h"
#include "core/session/startup.h"
#include "reports/printmodule.h"
#include "reports/receiptpreview.h"
#include "ui/connectiondialog.h"
#include "ui/icons.h"
#include "ui/loginwindow.h"
#include "ui/mainwindow.h"
#include "ui/prompt.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QScreen>
#include <QTranslator>

namespace florist::app {

using namespace ui;

Application::Application(QApplication& app) : app_(app) {}

Application::~Application() {
    login_.reset();
    main_.reset();
    context_.reset();
    print_.reset();
    dm_.reset();
}

void Application::setUpLocale(QApplication& app) {
    QApplication::setApplicationName("qinghe-florist");
    // No display name: the platform would append it to every window's caption.
    QApplication::setWindowIcon(applicationIcon());
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto* translator = new QTranslator(&app);
    if (translator->load(QLocale(QLocale::Chinese, QLocale::China), "qtbase", "_",
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(translator);
    }
    QFont font = QApplication::font();
    font.setFamilies({"Noto Sans CJK SC", "Noto Sans CJK", "WenQuanYi Micro Hei", "Sans Serif"});
    font.setPointSize(9);
    QApplication::setFont(font);
}

void Application::start() {
    auto db = std::make_unique<Database>(configuredConnection());
    // A failure is shown once, naming the server; a server's settings can then be corrected.
    // Otherwise the windows still come up, the login window with an empty user list.
    bool open = guarded(nullptr, [&] { openConfigured(*db); });
    if (!open && db->backend() != Backend::Sqlite) {
        open = ConnectionDialog::run(*db, settingsFilePath(), nullptr);
    }
    dm_ = std::make_unique<DataModule>(std::move(db));
    if (open) {
        guarded(nullptr, [&] { dm_->readStartValues(); });
        // The day's copy of the embedded database; a failure is shown and the run goes on.
        guarded(nullptr, [&] {
            EmbeddedBackup::run(dm_->db(), dm_->login().defaultBusinessDate.toString("yyyy-MM-dd"));
        });
    }
    print_ = std::make_unique<PrintModule>(*dm_);
    context_ = std::make_unique<Context>(Context{*dm_, print_.get()});
    registerAllWindows();
    main_ = std::make_unique<MainWindow>(*context_);
    installReceiptPreview(*print_, main_.get());
    login_ = std::make_unique<LoginWindow>(*context_);
    QObject::connect(login_.get(), &LoginWindow::loggedIn, main_.get(),
                     [this](const QStringList& rights) {
                         main_->applyLogin(rights);
                         // The whole screen also where no window manager maximises (a
                         // counter started straight into the program), and the keyboard with
                         // it, so the menu letters work at once.
                         if (QScreen* screen = QApplication::primaryScreen()) {
                             main_->setGeometry(screen->availableGeometry());
                         }
                         main_->showMaximized();
                         main_->activateWindow();
                         guarded(main_.get(), [&] { readStoreDefaults(*dm_); });
                     });
    QObject::connect(login_.get(), &QDialog::rejected, &app_, &QApplication::quit);
    if (QScreen* screen = QApplication::primaryScreen()) {
        login_->move(screen->availableGeometry().center() - login_->rect().center());
    }
    login_->show();
}

int Application::exec() {
    return app_.exec();
}

} // namespace florist::app
