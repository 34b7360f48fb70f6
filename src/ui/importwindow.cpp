#include "ui/importwindow.h"

#include "core/db/datamodule.h"
#include "core/spreadsheet/sheetreader.h"
#include "ui/filechooser.h"
#include "ui/prompt.h"

#include <QAbstractTableModel>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace florist::ui {

// The rows of the open sheet, shown without copying them into items. It holds its own share
// of the sheet, so it stays valid while the window's widgets are torn down.
class SheetModel : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setSheet(const Sheet& sheet) {
        beginResetModel();
        sheet_ = sheet;
        endResetModel();
    }
    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(sheet_.rows.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : int(sheet_.headings.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        if (role != Qt::DisplayRole || !index.isValid()) {
            return {};
        }
        return sheet_.rows.cell(index.row(), index.column());
    }
    QVariant headerData(int section, Qt::Orientation o, int role) const override {
        if (role != Qt::DisplayRole) {
            return {};
        }
        if (o == Qt::Horizontal) {
            return sheet_.headings.value(section);
        }
        // The sheet's own row numbers: headings are row 1, or row 2 under a title row.
        return section + 2 + sheet_.titleRows;
    }

private:
    Sheet sheet_;
};

namespace {

// The hint with a word joiner between the characters of every heading it names, so that a
// wrapped line breaks between headings, never inside one ("单位名称").
QString unbrokenHeadings(const QString& hint, const QStringList& headings) {
    QString out;
    for (qsizetype i = 0; i < hint.size();) {
        qsizetype longest = 0;
        for (const QString& h : headings) {
            if (h.size() > longest && QStringView(hint).mid(i).startsWith(h)) {
                longest = h.size();
            }
        }
        if (longest == 0) {
            out += hint.at(i++);
            continue;
        }
        for (qsizetype k = 0; k < longest; ++k, ++i) {
            if (k > 0) {
                out += ImportWindow::kWordJoiner;
            }
            out += hint.at(i);
        }
    }
    return out;
}

QPushButton* button(const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setAccessibleName(text);
    return b;
}

} // namespace

ImportWindow::ImportWindow(ImportSpec spec, DataModule& dm, QWidget* parent)
    : QDialog(parent), spec_(std::move(spec)), dm_(dm) {
    setObjectName(spec_.objectName);
    setWindowTitle(spec_.caption);
    resize(860, 560);

    auto* openGroup = new QGroupBox("打开EXCEL文件", this);
    openGroup->setObjectName("grpOpen");
    auto* hint = new QLabel(unbrokenHeadings(spec_.hint, spec_.headings), openGroup);
    hint->setObjectName("lblHint");
    hint->setAccessibleName(spec_.hint); // read without the word joiners
    hint->setWordWrap(true);
    open_ = button("打开", openGroup);
    auto* openRow = new QHBoxLayout;
    openRow->addWidget(open_);
    openRow->addStretch();
    auto* openBox = new QVBoxLayout(openGroup);
    openBox->addWidget(hint);
    openBox->addLayout(openRow);

    dataGroup_ = new QGroupBox("EXCEL数据", this);
    dataGroup_->setObjectName("grpData");
    model_ = new SheetModel(this);
    grid_ = new QTableView(dataGroup_);
    grid_->setObjectName("gridData");
    grid_->setModel(model_);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    auto* dataBox = new QVBoxLayout(dataGroup_);
    dataBox->addWidget(grid_);

    progress_ = new QProgressBar(this);
    progress_->setObjectName("progress");
    progress_->setVisible(false);
    import_ = button("导入", this);
    import_->setEnabled(false);
    exit_ = button("退出", this);
    cancel_ = button("取消", this);
    cancel_->setVisible(false);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(progress_, 1);
    buttons->addWidget(cancel_);
    buttons->addStretch();
    buttons->addWidget(import_);
    buttons->addWidget(exit_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(openGroup);
    layout->addWidget(dataGroup_, 1);
    layout->addLayout(buttons);

    connect(open_, &QPushButton::clicked, this, &ImportWindow::openFile);
    connect(import_, &QPushButton::clicked, this, &ImportWindow::runImport);
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cancel_, &QPushButton::clicked, this, [this] { cancelled_ = true; });
}

ImportWindow::~ImportWindow() = default;

QString ImportWindow::fileFilter() {
    return "Excel文件(*.xls *.xlsx *.csv);;Excel文件(*.xls);;Excel文件(*.xlsx);;CSV文件(*.csv);;"
           "所有文件(*)";
}

QString ImportWindow::dataCaption(int rows) {
    return "EXCEL数据  共有 " + QString::number(rows) + " 条数据";
}

void ImportWindow::clearSheet() {
    sheet_ = Sheet();
    model_->setSheet(sheet_);
    dataGroup_->setTitle("EXCEL数据");
    import_->setEnabled(false);
}

void ImportWindow::setReading(bool reading) {
    reading_ = reading;
    open_->setEnabled(!reading);
    exit_->setEnabled(!reading);
    cancel_->setVisible(reading);
    cancel_->setEnabled(reading);
    progress_->setVisible(reading);
    if (reading) {
        cancelled_ = false;
        progress_->setRange(0, 0); // busy until the reader tells how far it is
        progress_->setValue(0);
    }
}

void ImportWindow::reject() {
    if (reading_) {
        cancelled_ = true;
        return;
    }
    QDialog::reject();
}

void ImportWindow::openFile() {
    const QString file = FileChooser::openFile(this, "打开EXCEL文件", fileFilter());
    if (file.isEmpty()) {
        return;
    }
    clearSheet();
    setReading(true);
    std::optional<Sheet> read;
    // The window stays responsive while the helper process reads: the wait shows its progress
    // and hears "取消".
    const bool ok = guarded(this, [&] {
        read = readSheet(file, SheetLimits(), [this](int permille) {
            if (permille >= 0) {
                progress_->setRange(0, 1000);
                progress_->setValue(permille);
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
            return !cancelled_;
        });
    });
    setReading(false);
    if (!ok || !read) {
        return;
    }
    sheet_ = std::move(*read);
    // A list exported by this program opens as it was written: title row, then the headings.
    takeHeadingsBelowTitle(sheet_, spec_.headings);
    // A sheet without a column the import reads is refused before anything is shown.
    const QString missing = missingHeading(sheet_, spec_.headings);
    if (!missing.isEmpty()) {
        sheet_ = Sheet();
        Prompt::message(this, sheetLacksHeadingText(missing), PromptIcon::Warning);
        return;
    }
    model_->setSheet(sheet_);
    for (int c = 0; c < spec_.columnWidths.size() && c < model_->columnCount(); ++c) {
        grid_->setColumnWidth(c, spec_.columnWidths.at(c));
    }
    const int rows = int(sheet_.rows.size());
    dataGroup_->setTitle(dataCaption(rows));
    import_->setEnabled(rows > 0);
}

void ImportWindow::runImport() {
    if (sheet_.rows.isEmpty() || !spec_.rule) {
        return;
    }
    open_->setEnabled(false);
    import_->setEnabled(false);
    exit_->setEnabled(false);
    progress_->setRange(0, int(sheet_.rows.size()));
    progress_->setValue(0);
    progress_->setVisible(true);
    ImportResult result;
    const bool ran = guarded(this, [&] {
        result = florist::runImport(sheet_, dm_, spec_.headings, spec_.rule,
                                    [this](int done) { progress_->setValue(done); });
    });
    progress_->setVisible(false);
    open_->setEnabled(true);
    import_->setEnabled(true);
    exit_->setEnabled(true);
    if (!ran) {
        return;
    }
    if (!result.ok()) {
        Prompt::message(this, importStoppedText(result), PromptIcon::Warning);
        return;
    }
    if (spec_.doneMessage) {
        Prompt::message(this, spec_.doneMessage(result.inserted));
    }
    accept();
}

} // namespace florist::ui
