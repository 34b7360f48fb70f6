#include "ui/helpwindow.h"

#include "ui/windowregistry.h"

#include <QFile>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRegularExpression>
#include <QSplitter>
#include <QTextBrowser>

namespace florist::ui {

namespace {

QString guideHtml() {
    QFile file(":/help/guide.html");
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent) {
    setObjectName("frmHelp");
    setWindowTitle("帮助");

    const QString html = guideHtml();
    contents_ = new QListWidget(this);
    contents_->setObjectName("lstContents");
    contents_->setAccessibleName("目录");
    // The sections are the guide's <h2 id="…"> headings, in their order.
    static const QRegularExpression section(R"re(<h2 id="([^"]+)">([^<]+)</h2>)re");
    for (auto it = section.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        auto* item = new QListWidgetItem(m.captured(2), contents_);
        item->setData(Qt::UserRole, m.captured(1));
    }
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("txtGuide");
    browser_->setOpenExternalLinks(false);
    browser_->setHtml(html);
    connect(contents_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
        if (item) {
            showSection(item->data(Qt::UserRole).toString());
        }
    });

    auto* split = new QSplitter(this);
    split->addWidget(contents_);
    split->addWidget(browser_);
    split->setStretchFactor(1, 1);
    split->setSizes({200, 800});
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(split);
}

void HelpWindow::showSection(const QString& anchor) {
    browser_->scrollToAnchor(anchor);
}

void registerHelpWindow() {
    WindowRegistry::add("frmHelp",
                        [](Context&, QWidget* parent) { return new HelpWindow(parent); });
}

} // namespace florist::ui
