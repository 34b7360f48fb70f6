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
        return SearchWindowSpec{
            topUpManagementSpec(currentStore(c)),
            {printAction(ReceiptKind::TopUp), ui::deleteRowAction(deleteTopUp)}};
    });
    ui::registerSearchWindow("frmStore_Q", [](Context& c) {
        return SearchWindowSpec{topUpQuerySpec(currentStore(c)), {}};
    });
    ui::registerSearchWindow("frmExchange_M", [](Context& c) {
        return SearchWindowSpec{
            exchangeManagementSpec(currentStore(c)),
            {printAction(ReceiptKind::Exchange), ui::deleteRowAction(deleteExchange)}};
    });
    ui::registerSearchWindow("frmExchange_Q", [](Context& c) {
        return SearchWindowSpec{exchangeQuerySpec(currentStore(c)), {}};
    });
}

} // namespace florist::storedvalue
