#pragma once

#include "orders/orderentry.h"
#include "orders/orderprefill.h"
#include "ui/fields.h"
#include "ui/windowregistry.h"

#include <QDialog>
#include <QHash>
#include <functional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace florist::members {
struct PickedMember;
struct NewMember;
} // namespace florist::members

namespace florist::orders {

// frmOrder_In "订单录入": the counter's order entry. It stays open after each save, shows the
// receipt and resets itself for the next order.
class OrderEntryWindow : public QDialog {
    Q_OBJECT
public:
    explicit OrderEntryWindow(ui::Context& context, QWidget* parent = nullptr);
    ~OrderEntryWindow() override;

    // Fills the window from an earlier order (see OrderPrefill).
    void prefill(const OrderPrefill& prefill);

    // myFind: the member lookup of the card number field (Enter or a double click).
    void myFind();
    // "历史订单": the member's orders; a pick copies the listed fields.
    void showHistory();
    // "保存"; false when a check or the database refused.
    bool save();
    // myNew: empty for the next order.
    void myNew();

    // How the member entry of an unknown card is run (tests answer it; default exec()).
    using ModalRunner = std::function<void(QDialog*)>;
    void setModalRunner(ModalRunner runner) { modalRunner_ = std::move(runner); }

    // The member shown in the panel (0: a walk-in customer).
    qlonglong memberId() const { return memberId_; }
    const QString& pointsRate() const { return pointsRate_; }
    QLineEdit* field(const QString& name) const { return texts_.value(name); }
    QComboBox* list(const QString& name) const { return lists_.value(name); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QGroupBox* buildOrderGroup();
    QGroupBox* buildMemberGroup();
    QGroupBox* buildRecipientGroup();
    QGroupBox* buildSenderGroup();
    QGroupBox* buildPaymentGroup();
    QLineEdit* addText(const QString& caption, int bytes, QWidget* parent,
                       ui::KeyFilter filter = ui::KeyFilter::Any);
    QComboBox* addList(const QString& caption, QStringListModel* model, QWidget* parent);
    void wireArithmetic();
    void setDefaults();

    void takeMember(qlonglong id, const QVariantMap& fields, bool historyEnabled);
    void myZK();
    void allianceChosen();
    void areaChanged(const QString& text);
    PriceFields priceFields() const;
    void showPriceFields(const PriceFields& fields);
    void recompute(PriceRule rule, const QString& changed = {});
    OrderValues values() const;
    void focusByName(const QString& name);

    ui::Context& context_;
    ModalRunner modalRunner_;
    qlonglong memberId_ = 0;
    QString pointsRate_ = "1";
    bool updating_ = false;

    QHash<QString, QLineEdit*> texts_;
    QHash<QString, QComboBox*> lists_;
    QHash<QString, QLineEdit*> panel_;
    QHash<QString, QCheckBox*> checks_;
    QDateEdit* orderDate_ = nullptr;
    QDateEdit* deliveryDate_ = nullptr;
    QComboBox* area_ = nullptr;
    QCheckBox* cardPay_ = nullptr;
    QPushButton* history_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* exit_ = nullptr;
};

// Opens frmOrder_In modally over parent, filled from an earlier order; returns when it closes.
void openOrderEntry(ui::Context& context, QWidget* parent, const OrderPrefill& prefill);

} // namespace florist::orders
