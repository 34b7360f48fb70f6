#pragma once

#include "core/menu/menutable.h"
#include "ui/windowregistry.h"

#include <QMainWindow>
#include <functional>

class QAction;
class QDialog;
class QLabel;
class QMdiArea;
class QMenu;

namespace florist::ui {

// frmMain: the frame after login. One menu table builds the menu bar, the toolbar and the
// rights; child windows open maximised inside, modal windows centred on it.
class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(Context& context, QWidget* parent = nullptr);

    // Makes the granted entries visible (rights only add) and fills the status bar.
    void applyLogin(const QStringList& rights);
    // Opens the window of entry (menu, entry) when that entry is reachable now.
    void openEntry(int menu, int entry);
    // Opens a window by its name, whatever the rights (the toolbar and the menu check them).
    void openWindow(const MenuEntry& entry);

    // "退出 &X" and the button "退出": the exit question, then the end of the program on Yes.
    void requestExit();

    QAction* entryAction(int menu, int entry) const;
    QMenu* topMenu(int menu) const { return menus_.value(menu); }
    QMdiArea* mdiArea() const { return mdi_; }
    QList<QAction*> toolbarActions() const { return toolActions_; }
    QLabel* statusPanel(int index) const { return panels_.value(index); }

    // How modal windows are run; tests replace it so no dialog waits for a person.
    using ModalRunner = std::function<void(QDialog*)>;
    void setModalRunner(ModalRunner runner) { modalRunner_ = std::move(runner); }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenu();
    void buildToolbar();
    void buildStatusBar();
    bool entryReachable(int menu, int entry) const;

    Context& context_;
    QMdiArea* mdi_ = nullptr;
    QList<QMenu*> menus_;
    QList<QList<QAction*>> actions_;
    QList<QAction*> toolActions_;
    QList<QLabel*> panels_;
    ModalRunner modalRunner_;
    bool exitRequested_ = false;
};

} // namespace florist::ui
