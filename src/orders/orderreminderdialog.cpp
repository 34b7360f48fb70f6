#include "orders/orderreminderdialog.h"

#include "core/db/datamodule.h"
#include "orders/orderreminders.h"
#include "ui/windowregistry.h"

namespace florist::orders {

namespace {

QDate businessDate(const DataModule& dm) {
    const QDate d = QDate::fromString(dm.login().businessDate, "yyyy-MM-dd");
    return d.isValid() ? d : QDate::currentDate();
}

} // namespace

ui::RowDialog* makeDeliveredDialog(ui::Context& context, qlonglong orderId, const QString& number,
                                   const QString& slot, const QString& time, QWidget* parent) {
    DataModule& dm = context.dm;
    auto* d = new ui::RowDialog("frmOrder_WS1", number + " 已送", parent);
    QDateEdit* date = d->addDate("送达日期：", businessDate(dm));
    QComboBox* slotBox = d->addList("送达时段：", dm.loaders().DBComSD());
    ui::chooseText(slotBox, slot);
    QLineEdit* timeField = d->addText("送达时间：", 10);
    timeField->setText(time);
    d->setSave([&dm, orderId, date, slotBox, timeField] {
        if (ui::chosenText(slotBox).isEmpty()) {
            slotBox->setFocus();
        }
        markDelivered(dm, orderId, date->date(), ui::chosenText(slotBox), timeField->text());
    });
    return d;
}

ui::RowDialog* makeCollectionDialog(ui::Context& context, qlonglong orderId, const QString& number,
                                    const QString& receivable, QWidget* parent) {
    DataModule& dm = context.dm;
    auto* d = new ui::RowDialog("frmOrder_YS1", number + " 已收", parent);
    QLineEdit* amount = d->addText("收款金额：", 10);
    amount->setText(receivable);
    QComboBox* method = d->addList("收款方式：", dm.loaders().DBComSK());
    ui::chooseText(method, dm.login().defaults.paymentMethod);
    QComboBox* collector =
        d->addList("收  款  人：", dm.loaders().DBComWorker(dm.login().currentStore));
    collector->setCurrentIndex(-1);
    d->setSave([&dm, orderId, amount, method, collector] {
        CollectionField at = CollectionField::None;
        try {
            collectPayment(
                dm, {orderId, amount->text(), ui::chosenText(method), ui::chosenText(collector)},
                &at);
        } catch (...) {
            if (at == CollectionField::Amount) {
                amount->setFocus();
                amount->selectAll();
            } else if (at == CollectionField::Method) {
                method->setFocus();
            }
            throw;
        }
    });
    return d;
}

} // namespace florist::orders
