#pragma once

#include "storedvalue/exchange.h"
#include "storedvalue/memberdocumentwindow.h"

class QComboBox;

namespace florist::storedvalue {

// frmExchange_In "兑换录入": a member found by card number or mobile ("dh"), a gift with its
// points price, the count, receptionist and remark; "保存" takes the points, writes the
// exchange, shows its receipt and clears itself for the next one.
class ExchangeWindow : public MemberDocumentWindow {
    Q_OBJECT
public:
    explicit ExchangeWindow(ui::Context& context, QWidget* parent = nullptr);

    bool save() override;
    ExchangeValues values() const;
    // A gift chosen in the list: its points price (myRetGift) and the focus to the count.
    void giftChosen();

    QComboBox* giftField() const { return gift_; }
    QLineEdit* priceField() const { return price_; }
    QLineEdit* countField() const { return count_; }
    QComboBox* receptionistField() const { return receptionist_; }
    QLineEdit* remarkField() const { return remark_; }

protected:
    void memberTaken() override;
    void focusField(const QString& name) override;

private:
    void showGiftPrice();
    void clearForNext();

    QComboBox* gift_;
    QLineEdit* price_;
    QLineEdit* count_;
    QComboBox* receptionist_;
    QLineEdit* remark_;
};

} // namespace florist::storedvalue
