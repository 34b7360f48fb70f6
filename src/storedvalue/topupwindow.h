#pragma once

#include "storedvalue/memberdocumentwindow.h"
#include "storedvalue/topup.h"

class QComboBox;

namespace florist::storedvalue {

// frmStore_In "储值录入": a member found by card number or mobile ("cz"), the stored and gift
// amounts, payment method, receiver and remark; "保存" credits the member, writes the top-up,
// shows its receipt and clears itself for the next one.
class TopUpWindow : public MemberDocumentWindow {
    Q_OBJECT
public:
    explicit TopUpWindow(ui::Context& context, QWidget* parent = nullptr);

    bool save() override;
    TopUpValues values() const;

    QLineEdit* storedField() const { return stored_; }
    QLineEdit* giftField() const { return gift_; }
    QComboBox* methodField() const { return method_; }
    QComboBox* receiverField() const { return receiver_; }
    QLineEdit* remarkField() const { return remark_; }

protected:
    void memberTaken() override;
    void focusField(const QString& name) override;

private:
    void clearForNext();

    QLineEdit* stored_;
    QLineEdit* gift_;
    QComboBox* method_;
    QComboBox* receiver_;
    QLineEdit* remark_;
};

} // namespace florist::storedvalue
