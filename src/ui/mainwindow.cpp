#include "ui/mainwindow.h"

#include "core/db/datamodule.h"
#include "ui/ending.h"
#include "ui/icons.h"
#include "ui/prompt.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace florist::ui {

namespace {

struct ToolButton {
    const char* caption;
    int menu; // -1: does nothing
    int entry;
};

const ToolButton kToolButtons[] = {
    {"订单录入", 1, 0}, {"未送订单", 1, 4}, {"应收订单", 1, 5}, {"未取订单", 1, 6},
    {"花器回收", 1, 7}, {"会员录入", 2, 2}, {"生日提醒", 2, 7}, {"储值录入", 3, 0},
    {"兑换录入", 4, 0}, {"帮助", 8, 0},     {"退出", 0, 7},
};

// The client area: the picture behind the child windows follows the frame's size, and the shop
// name of the database logged into (the login window may have switched to another one).
class BackdropArea : public QMdiArea {
public:
    BackdropArea(const LoginValues& login, QWidget* parent) : QMdiArea(parent), login_(login) {}

    void paintBackdrop() { setBackground(QBrush(backdrop(viewport()->size(), login_.shopName))); }

protected:
    void resizeEvent(QResizeEvent* event) override {
        paintBackdrop();
        QMdiArea::resizeEvent(event);
    }

private:
    const LoginValues& login_;
};

} // namespace

MainWindow::MainWindow(Context& context, QWidget* parent) : QMainWindow(parent), context_(context) {
    setObjectName("frmMain");
    setWindowTitle("青禾花店管理系统");
    setWindowIcon(applicationIcon());
    mdi_ = new BackdropArea(context_.dm.login(), this);
    setCentralWidget(mdi_);
    modalRunner_ = [](QDialog* dialog) { dialog->exec(); };
    buildMenu();
    buildToolbar();
    buildStatusBar();
}

void MainWindow::buildMenu() {
    const auto& table = menuTable();
    for (int m = 0; m < table.size(); ++m) {
        const TopMenu& top = table.at(m);
        QMenu* menu = menuBar()->addMenu(top.caption);
        menu->menuAction()->setVisible(top.shown);
        menus_ << menu;
        QList<QAction*> actions;
        for (int e = 0; e < top.entries.size(); ++e) {
            const MenuEntry& entry = top.entries.at(e);
            QAction* action =
                entry.isSeparator() ? menu->addSeparator() : menu->addAction(entry.caption);
            action->setVisible(entry.shown);
            connect(action, &QAction::triggered, this, [this, m, e] { openEntry(m, e); });
            actions << action;
        }
        actions_ << actions;
    }
}

void MainWindow::buildToolbar() {
    QToolBar* bar = addToolBar("工具栏");
    bar->setObjectName("ToolBar1");
    bar->setMovable(false);
    bar->setIconSize(QSize(32, 32));
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    int index = 0;
    for (const ToolButton& b : kToolButtons) {
        QAction* action = bar->addAction(toolbarIcon(b.caption, index++), b.caption);
        const int menu = b.menu;
        const int entry = b.entry;
        connect(action, &QAction::triggered, this, [this, menu, entry] {
            if (menu >= 0) {
                openEntry(menu, entry);
            }
        });
        if (auto* button = qobject_cast<QToolButton*>(bar->widgetForAction(action))) {
            button->setFixedSize(60, 60);
            button->setAutoRaise(true);
        }
        toolActions_ << action;
    }
}

void MainWindow::buildStatusBar() {
    struct Panel {
        QString text;
        int width;
        Qt::Alignment align;
    };
    const Panel panels[] = {{"青禾花店管理系统", 150, Qt::AlignLeft},
                            {"当前登录用户：", 120, Qt::AlignRight},
                            {"", 200, Qt::AlignLeft},
                            {"当前系统日期：", 120, Qt::AlignRight},
                            {"", 120, Qt::AlignLeft}};
    for (const Panel& p : panels) {
        auto* label = new QLabel(p.text, this);
        label->setFixedWidth(p.width);
        label->setAlignment(p.align | Qt::AlignVCenter);
        statusBar()->addWidget(label);
        panels_ << label;
    }
}

void MainWindow::applyLogin(const QStringList& rights) {
    MenuVisibility v = designedVisibility();
    applyRights(v, rights);
    for (int m = 0; m < menus_.size(); ++m) {
        if (v.menus.value(m)) {
            menus_[m]->menuAction()->setVisible(true);
        }
        for (int e = 0; e < actions_[m].size(); ++e) {
            if (v.entries[m].value(e)) {
                actions_[m][e]->setVisible(true);
            }
        }
    }
    const LoginValues& login = context_.dm.login();
    panels_[2]->setText(login.currentStore + " " + login.currentUser);
    panels_[4]->setText(login.businessDate);
    static_cast<BackdropArea*>(mdi_)->paintBackdrop();
}

QAction* MainWindow::entryAction(int menu, int entry) const {
    return actions_.value(menu).value(entry);
}

// A hidden menu cannot be opened, so only the entry's own state matters here: the toolbar opens
// an entry that is shown for everybody even while its menu is hidden.
bool MainWindow::entryReachable(int menu, int entry) const {
    QAction* action = entryAction(menu, entry);
    return action && action->isVisible();
}

void MainWindow::openEntry(int menu, int entry) {
    if (!entryReachable(menu, entry)) {
        return;
    }
    openWindow(menuTable().at(menu).entries.at(entry));
}

void MainWindow::openWindow(const MenuEntry& entry) {
    if (entry.window == "exit") {
        requestExit();
        return;
    }
    WindowFactory factory = WindowRegistry::find(entry.window);
    if (!factory) {
        return;
    }
    guarded(this, [&] {
        if (entry.kind == WindowKind::Modal) {
            QWidget* w = factory(context_, this);
            auto* dialog = qobject_cast<QDialog*>(w);
            if (!dialog) {
                delete w;
                return;
            }
            dialog->setAttribute(Qt::WA_DeleteOnClose, false);
            modalRunner_(dialog);
            delete dialog;
        } else if (entry.kind == WindowKind::Child) {
            QWidget* w = factory(context_, nullptr);
            w->setAttribute(Qt::WA_DeleteOnClose);
            QMdiSubWindow* sub = mdi_->addSubWindow(w);
            sub->setAttribute(Qt::WA_DeleteOnClose);
            sub->setWindowTitle(w->windowTitle());
            sub->showMaximized();
        }
    });
}

void MainWindow::requestExit() {
    exitRequested_ = true;
    close();
    exitRequested_ = false;
}

// Only a person closing the frame (its close box, "退出 &X" or the button "退出") is asked; a
// close on the program's own way out goes through without a question.
void MainWindow::closeEvent(QCloseEvent* event) {
    const bool person = event->spontaneous() || exitRequested_;
    if (applicationEnding() || !person) {
        event->accept();
        return;
    }
    if (!Prompt::question(this, "确认退出", "确认要退出 青禾花店管理系统 吗？  ^_^  ")) {
        event->ignore();
        return;
    }
    event->accept();
    mdi_->closeAllSubWindows();
    endApplication();
}

} // namespace florist::ui
