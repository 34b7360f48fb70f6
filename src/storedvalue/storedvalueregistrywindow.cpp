#include "storedvalue/storedvalueregistrywindow.h"

#include "core/db/datamodule.h"
#include "reports/printmodule.h"
#include "reports/receiptpreview.h"
#include "storedvalue/exchange.h"
#include "storedvalue/exchangewindow.h"
#include "storedvalue/storedvaluelists.h"
#include "storedvalue/topup.h"
#include "storedvalue/topupwindow.h"
#include "ui/prompt.h"
#include "ui/search/searchwindow.h"

namespace florist::storedvalue {

using ui::Context;
using ui::RowAction;
using ui::SearchWindow;
using ui::SearchWindowSpec;

namespace {

// "打印 &P": the receipt again for the row's number.
RowAction printAction(ReceiptKind kind) {
    return {"打印 &P", [kind](SearchWindow& window, int row) {
                if (PrintModule* print = window.context().print) {
                    ui::printReceipt(&window, *print, kind, displayText(window.value(row, "单号")));
                }
            }};
}

// "删除 &D": asked first; the reversal and the delete run in one transaction, then the list
// is read again with the kept filter (also when another station had deleted the row).
RowAction deleteAction(void (*remove)(DataModule&, qlonglong)) {
    return {"删除 &D",
            [remove](SearchWindow& window, int row) {
                if (!ui::Prompt::confirmDelete(&window)) {
                    return;
                }
                const qlonglong id = window.value(row, "ID").toLongLong();
                ui::guarded(&window, [&] { remove(window.context().dm, id); });
                ui::guarded(&window, [&] { window.refresh(); });
            },
            true};
}

QString currentStore(const Context& context) {
    return context.dm.login().currentStore;
}

} // namespace

void registerStoredValueWindows() {
    ui::WindowRegistry::add("frmStore_In", [](Context& context, QWidget* parent) {
        return new TopUpWindow(context, parent);
    });
    ui::WindowRegistry::add("frmExchange_In", [](Context& context, QWidget* parent) {
        return new ExchangeWindow(context, parent);
    });
    ui::registerSearchWindow("frmStore_M", [](Context& c) {
        return SearchWindowSpec{topUpManagementSpec(currentStore(c)),
                                {printAction(ReceiptKind::TopUp), deleteAction(deleteTopUp)}};
    });
    ui::registerSearchWindow("frmStore_Q", [](Context& c) {
        return SearchWindowSpec{topUpQuerySpec(currentStore(c)), {}};
    });
    ui::registerSearchWindow("frmExchange_M", [](Context& c) {
        return SearchWindowSpec{exchangeManagementSpec(currentStore(c)),
                                {printAction(ReceiptKind::Exchange), deleteAction(deleteExchange)}};
    });
    ui::registerSearchWindow("frmExchange_Q", [](Context& c) {
        return SearchWindowSpec{exchangeQuerySpec(currentStore(c)), {}};
    });
}

} // namespace florist::storedvalue
