#pragma once

#include "stock/documentgridwidget.h"
#include "stock/stockdocument.h"
#include "ui/windowregistry.h"

#include <QDialog>
#include <QMap>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace florist::stock {

// One entry window for the four stock documents (frmUJH_In, frmULY_In, frmUBS_In, frmUXS_In):
// purchase and sale have a partner, its "验证信息" and a money group below the lines;
// requisition and damage one group above the lines. The window stays open after a save, reset
// for the next document.
class StockDocumentWindow : public QDialog {
    Q_OBJECT
public:
    StockDocumentWindow(ui::Context& context, DocumentKind kind, QWidget* parent = nullptr);
    ~StockDocumentWindow() override;

    const DocumentConfig& config() const { return config_; }
    DocumentGridWidget* grid() const { return grid_; }
    qlonglong partnerId() const { return partnerId_; }

    // Enter in the partner field: the partner search with its text.
    void searchPartner();
    // Enter or a double click on a line without a material.
    void searchLine(int line, const QString& text);
    // "保存"; false when a check or the database refused.
    bool save();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildPartnerGroup();
    QWidget* buildCheckGroup();
    QWidget* buildMoneyGroup();
    QWidget* buildDocumentGroup();
    QComboBox* staffBox(const QString& caption, QWidget* parent);
    void storeChosen();
    void totalsChanged();
    void paidChanged();
    void takePartner(qlonglong id, const QVariantMap& fields);
    void resetForNext();
    StockDocument document() const;

    ui::Context& context_;
    const DocumentConfig& config_;
    qlonglong partnerId_ = 0;
    QDateEdit* date_ = nullptr;
    QLineEdit* partner_ = nullptr;
    QMap<QString, QLineEdit*> check_; // "验证信息" by heading
    DocumentGridWidget* grid_ = nullptr;
    QLineEdit* totalQuantity_ = nullptr;
    QLineEdit* totalAmount_ = nullptr;
    QLineEdit* paid_ = nullptr;
    QLineEdit* owing_ = nullptr;
    QComboBox* method_ = nullptr;
    QComboBox* store_ = nullptr;
    QComboBox* person_ = nullptr;
    QComboBox* preparer_ = nullptr;
    QLineEdit* remark_ = nullptr;
    QPushButton* save_ = nullptr;
    QString shownStore_;
};

// Registers the four document windows, the stock query and the read-only document lists.
void registerStockDocumentWindows();

} // namespace florist::stock
