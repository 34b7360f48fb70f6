#include "reports/printmodule.h"

#include "core/errors.h"
#include "reports/receiptlayouts.h"

namespace florist {

namespace {

struct KindInfo {
    int titleRow;
    const char* source;
    const char* query;
    reports::PageLayout (*layout)();
};

KindInfo info(ReceiptKind kind) {
    switch (kind) {
    case ReceiptKind::Order:
    case ReceiptKind::Document: // not read by a number; built by its own page builder
        break;
    case ReceiptKind::TopUp:
        return {2, "frxDB_CZ", "SELECT * FROM UStore WHERE (theNum = ?)",
                reports::topUpReceiptLayout};
    case ReceiptKind::Exchange:
        return {3, "frxDB_DH", "SELECT * FROM UExchange WHERE (theNum = ?)",
                reports::exchangeReceiptLayout};
    }
    return {1, "frxDB_DD", "SELECT * FROM UOrder WHERE (theNum = ?)", reports::orderReceiptLayout};
}

} // namespace

PrintModule::PrintModule(DataModule& data, QObject* parent) : QObject(parent), data_(data) {
    setObjectName("frmDMP");
}

void PrintModule::PrintDept() {
    dept_ = data_.db().select("SELECT * FROM SDept ");
}

void PrintModule::PrintDJ(int titleRow) {
    dj_ = data_.db().select("SELECT * FROM SDJ WHERE (ID = ?) ", {titleRow});
}

Receipt PrintModule::build(ReceiptKind kind, const QString& number) {
    const KindInfo k = info(kind);
    PrintDept();
    PrintDJ(k.titleRow);
    ResultSet& rows = kind == ReceiptKind::Order ? dd_ : kind == ReceiptKind::TopUp ? cz_ : dh_;
    rows = data_.db().select(k.query, {number});

    reports::RowSources sources;
    sources.set("frxDB_Dept", dept_);
    sources.set("frxDB_DJ", dj_);
    sources.set(k.source, rows);

    Receipt r;
    r.kind = kind;
    r.number = number;
    r.page = reports::buildPage(k.layout(), sources);
    r.found = !rows.isEmpty();
    r.title = r.page.name + " " + number + (r.found ? QString() : QString("（未找到该单据）"));
    return r;
}

void PrintModule::print(ReceiptKind kind, const QString& number) {
    show(build(kind, number));
}

void PrintModule::show(const Receipt& receipt) {
    if (!presenter_) {
        throw Failure("打印预览不可用");
    }
    presenter_(receipt);
}

} // namespace florist
