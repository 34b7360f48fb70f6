#include "orders/orderlistwindow.h"

#include "core/db/datamodule.h"
#include "orders/anniversary.h"
#include "orders/deliverysheet.h"
#include "orders/enclosurecard.h"
#include "orders/orderentrywindow.h"
#include "orders/orderlists.h"
#include "orders/orderprefill.h"
#include "orders/orderreminderdialog.h"
#include "orders/orderreminders.h"
#include "reports/printmodule.h"
#include "ui/prompt.h"
#include "ui/search/searchwindow.h"

#include <QDialog>

namespace florist::orders {

using ui::Context;
using ui::RowAction;
using ui::SearchWindow;
using ui::SearchWindowSpec;

namespace {

qlonglong idOf(SearchWindow& w, int row) {
    return w.value(row, "ID").toLongLong();
}

QString textOf(SearchWindow& w, int row, const QString& heading) {
    return displayText(w.value(row, heading));
}

void printRow(SearchWindow& w, int row) {
    if (PrintModule* print = w.context().print) {
        print->PrintDD_Pos(textOf(w, row, "单号"));
    }
}

void printCardRow(SearchWindow& w, int row) {
    if (PrintModule* print = w.context().print) {
        ui::guarded(
            &w, [&] { print->show(enclosureCard(w.context().dm.db(), textOf(w, row, "单号"))); });
    }
}

// The listed orders, read again with the kept filter.
void printDeliverySheet(SearchWindow& w) {
    PrintModule* print = w.context().print;
    if (!print || !w.searched() || w.currentRow() < 0) {
        return;
    }
    ui::guarded(&w, [&] {
        print->show(
            deliverySheet(w.context().dm.db(), w.filter(), w.context().dm.login().shopName));
    });
}

void deliverySheetRow(SearchWindow& w, int) {
    printDeliverySheet(w);
}

// Runs a row's dialog; a save refreshes the list with the kept filter.
void runRowDialog(SearchWindow& w, ui::RowDialog* dialog) {
    std::unique_ptr<ui::RowDialog> owner(dialog);
    w.runModal(dialog);
    if (dialog->result() == QDialog::Accepted) {
        w.refresh();
    }
}

void deliveredRow(SearchWindow& w, int row) {
    runRowDialog(w,
                 makeDeliveredDialog(w.context(), idOf(w, row), textOf(w, row, "单号"),
                                     textOf(w, row, "送达时段"), textOf(w, row, "送达时间"), &w));
}

void collectedRow(SearchWindow& w, int row) {
    runRowDialog(w, makeCollectionDialog(w.context(), idOf(w, row), textOf(w, row, "单号"),
                                         textOf(w, row, "应收金额"), &w));
}

void pickedUpRow(SearchWindow& w, int row) {
    if (!ui::Prompt::question(&w, "已取", "确认该订单已取吗？该订单已取将不可恢复！")) {
        return;
    }
    markPickedUp(w.context().dm, idOf(w, row));
    w.refresh();
}

void vaseReturnedRow(SearchWindow& w, int row) {
    if (!ui::Prompt::question(&w, "已回收",
                              "确认该订单花器已回收吗？该订单花器已回收将不可恢复！")) {
        return;
    }
    markVaseReturned(w.context().dm, idOf(w, row));
    w.refresh();
}

NewOrderOpener& newOrderOpener() {
    static NewOrderOpener opener;
    return opener;
}

void newOrderRow(SearchWindow& w, int row) {
    QVariantMap columns;
    for (const search::Column& c : w.spec().columns) {
        if (c.params.isEmpty()) {
            columns.insert(c.field, w.value(row, c.heading));
        }
    }
    if (const NewOrderOpener& open = newOrderOpener()) {
        open(w.context(), &w, columns);
        return;
    }
    // Order entry with last year's sender and recipient filled in.
    OrderEntryWindow entry(w.context(), &w);
    entry.prefill(prefillFromOrderRow(columns));
    w.runModal(&entry);
}

QString storeOf(const Context& c) {
    return c.dm.login().currentStore;
}

QDate businessDate(const Context& c) {
    const QDate d = QDate::fromString(c.dm.login().businessDate, "yyyy-MM-dd");
    return d.isValid() ? d : QDate::currentDate();
}

using SpecOf = search::SearchDescriptor (*)(const QString&);

void registerList(SpecOf spec, QList<RowAction> actions, QList<ui::ListButton> buttons = {}) {
    const search::SearchDescriptor probe = spec(QString());
    ui::registerSearchWindow(probe.objectName, [spec, actions, buttons](Context& c) {
        return SearchWindowSpec{spec(storeOf(c)), actions, buttons};
    });
}

} // namespace

void setNewOrderOpener(NewOrderOpener opener) {
    newOrderOpener() = std::move(opener);
}

void registerOrderListWindows() {
    registerList(orderManagementSpec,
                 {RowAction{"打印 &P", printRow}, RowAction{"打印贺卡 &K", printCardRow},
                  ui::deleteRowAction(deleteOrder)});
    registerList(orderQuerySpec, {});
    registerList(notDeliveredSpec,
                 {RowAction{"已送 &Y", deliveredRow},
                  RowAction{"打印送货单 &S", deliverySheetRow, true},
                  RowAction{"打印贺卡 &K", printCardRow}},
                 {ui::ListButton{"打印送货单", printDeliverySheet}});
    registerList(notPickedUpSpec, {RowAction{"已取 &Y", pickedUpRow}});
    registerList(receivablesSpec, {RowAction{"已收 &Y", collectedRow}});
    registerList(vaseReturnSpec, {RowAction{"已回收 &Y", vaseReturnedRow}});
    registerList(collectionsSpec, {});
    ui::registerSearchWindow("frmOrder_LN", [](Context& c) {
        return SearchWindowSpec{anniversarySpec(businessDate(c)),
                                {RowAction{"录入新订单 &N", newOrderRow}}};
    });
}

} // namespace florist::orders
