#pragma once

#include "core/spreadsheet/importrun.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QTableView;

namespace florist {
class DataModule;
}

namespace florist::ui {

class SheetModel;

// What one import window reads and writes; the owning subject fills it.
struct ImportSpec {
    QString objectName; // "frmMember_D"
    QString caption;    // "会员导入"
    QString hint;       // the instruction above "打开": sheet Sheet1 and the headings in order
    // Every heading the rule reads. A sheet that lacks one is refused when it is opened, with a
    // message naming the first missing heading: the grid stays empty and "导入" disabled.
    QStringList headings;
    QList<int> columnWidths;                       // pixels, for the first columns of the grid
    ImportRule rule;                               // one sheet row; true when it inserted the row
    std::function<QString(int count)> doneMessage; // "成功导入会员数据 <count> 条！"
};

// The shared import window: "打开" reads Sheet1 of a chosen file into the grid (in the reader's
// helper process, with a progress bar and "取消" while it reads), "导入" runs the rule over its
// rows with a progress bar, shows the count message and closes. A row that fails
// stops the import with a message naming it; the rows before it stay and the window stays open.
class ImportWindow : public QDialog {
    Q_OBJECT
public:
    ImportWindow(ImportSpec spec, DataModule& dm, QWidget* parent = nullptr);
    ~ImportWindow() override;

    // The file dialog's filter: the spreadsheet kinds the reader knows.
    static QString fileFilter();
    // "EXCEL数据  共有 <n> 条数据"
    static QString dataCaption(int rows);
    // Put between the characters of each heading in the shown hint (U+2060).
    static constexpr QChar kWordJoiner = QChar(0x2060);

    void openFile();
    void runImport();
    // While a file is being read: the reading stops instead of the window closing.
    void reject() override;

private:
    void clearSheet();
    void setReading(bool reading);

    ImportSpec spec_;
    DataModule& dm_;
    Sheet sheet_;
    SheetModel* model_;
    QGroupBox* dataGroup_;
    QTableView* grid_;
    QPushButton* open_;
    QPushButton* import_;
    QPushButton* exit_;
    QPushButton* cancel_;
    QProgressBar* progress_;
    bool reading_ = false;
    bool cancelled_ = false;
};

} // namespace florist::ui
