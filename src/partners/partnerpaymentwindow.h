#pragma once

#include "partners/partnerpayment.h"
#include "ui/windowregistry.h"

#include <QDialog>
#include <QMap>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace florist::partners {

// The entry of a collection (frmUSK_In) or a payment (frmUFK_In): the partner found by its
// name or initials, "验证信息", the amount, method and staff. It stays open after a save, reset
// for the next document.
class PaymentEntryWindow : public QDialog {
    Q_OBJECT
public:
    PaymentEntryWindow(ui::Context& context, Direction direction, QWidget* parent = nullptr);
    ~PaymentEntryWindow() override;

    const PaymentConfig& config() const { return config_; }
    qlonglong partnerId() const { return partnerId_; }
    // Enter or a double click in the partner field.
    void searchPartner();
    // "保存"; false when a check or the database refused.
    bool save();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void takePartner(qlonglong id, const QVariantMap& fields);
    void resetForNext();

    ui::Context& context_;
    const PaymentConfig& config_;
    qlonglong partnerId_ = 0;
    QDateEdit* date_;
    QLineEdit* partner_;
    QMap<QString, QLineEdit*> check_;
    QLineEdit* amount_;
    QComboBox* method_;
    QComboBox* person_;
    QComboBox* preparer_;
    QLineEdit* remark_;
};

// Registers the entry, management and query windows of collections and payments.
void registerPaymentWindows();

} // namespace florist::partners
