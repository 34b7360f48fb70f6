#pragma once

#include <QWidget>

class QListWidget;
class QTextBrowser;

namespace florist::ui {

// "帮助" (frmHelp): the short guide to the daily work, kept as HTML in the program's resources,
// with its table of contents (the guide's sections) beside it.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);

    QTextBrowser* browser() const { return browser_; }
    QListWidget* contents() const { return contents_; }
    // Scrolls the guide to the section of that anchor ("order").
    void showSection(const QString& anchor);

private:
    QTextBrowser* browser_ = nullptr;
    QListWidget* contents_ = nullptr;
};

// Registers frmHelp for the help menu.
void registerHelpWindow();

} // namespace florist::ui
