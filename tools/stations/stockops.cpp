// The stock and partner operations of a station: purchases, requisitions, damage and sales on
// the lots every station shares, collections from and payments to the partners, and the
// deletion of those (stock documents are never deleted), each through the rules the windows use.
#include "core/db/datamodule.h"
#include "partners/partnerpayment.h"
#include "stations/station.h"
#include "stock/stockdocument.h"

#include <QVariantMap>

namespace florist::stations {

namespace {

QString text(double value) {
    return QString::number(value, 'g', 15);
}

// A row of the lot search by its headings, as the find dialog hands it over (PostgreSQL names
// the unquoted ID and HCID in lower case).
QVariantMap rowMap(const ResultSet& rows, int row) {
    QVariantMap m;
    for (int c = 0; c < rows.columns().size(); ++c) {
        QString name = rows.columns().at(c);
        for (const char* key : {"ID", "HCID"}) {
            if (name.compare(key, Qt::CaseInsensitive) == 0) {
                name = key;
            }
        }
        m.insert(name, rows.value(row, c));
    }
    return m;
}

} // namespace

qlonglong Station::partnerNotOf(const QString& excludedType) {
    const ResultSet rows = dm_.db().select(
        "SELECT ID FROM UWL WHERE (theDel = '否') AND (theType <> ?) ORDER BY ID", {excludedType});
    QList<qlonglong> ids;
    for (int i = 0; i < rows.size(); ++i) {
        ids << rows.value(i, "ID").toLongLong();
    }
    return anyOf(ids);
}

QString Station::saveStock(stock::StockDocument& doc) {
    doc.date = dm_.login().businessDate;
    doc.store = dm_.login().currentStore;
    doc.paymentMethod = "现金";
    doc.person = "admin";
    doc.preparer = "admin";
    const stock::DocumentTotals totals = stock::documentTotals(doc.lines);
    if (doc.kind == stock::DocumentKind::Purchase || doc.kind == stock::DocumentKind::Sale) {
        // Part paid or collected now, the rest owing; now and then more than the total.
        doc.paid = text(below(4) == 0 ? totals.amount : amount(0, totals.amount * 1.1));
    }
    const stock::DocumentSaveResult r = stock::saveDocument(dm_, doc);
    if (!r.done) {
        throw Failure(r.message);
    }
    return stock::documentConfig(doc.kind).subject;
}

QString Station::purchase() {
    stock::StockDocument doc;
    doc.kind = stock::DocumentKind::Purchase;
    doc.partnerId = partnerNotOf("客户");
    // The materials as the find dialog lists them.
    const ResultSet materials = dm_.db().select(
        "SELECT ID, theNum, theName, theUnit, theCG FROM UHC WHERE (theDel = '否') ORDER BY ID");
    const int lines = 1 + below(3);
    for (int i = 0; i < lines && !materials.isEmpty(); ++i) {
        const int m = below(materials.size());
        stock::DocumentLine l = stock::lineFromMaterial(
            materials.value(m, "ID").toLongLong(), materials.text(m, "theNum"),
            materials.text(m, "theName"), materials.text(m, "theUnit"),
            materials.value(m, "theCG").toDouble());
        l.quantity = QString::number(1 + below(20));
        doc.lines << l;
    }
    return saveStock(doc);
}

QString Station::takeStock(stock::DocumentKind kind) {
    stock::StockDocument doc;
    doc.kind = kind;
    if (kind == stock::DocumentKind::Sale) {
        doc.partnerId = partnerNotOf("供应商");
    }
    const int lines = 1 + below(2);
    QList<qlonglong> picked;
    for (int i = 0; i < lines; ++i) {
        const ResultSet lots =
            stock::lotSearch(dm_.db(), kind, dm_.login().currentStore, picked, QString());
        if (lots.isEmpty()) {
            break;
        }
        stock::DocumentLine l = stock::lineFromLot(kind, rowMap(lots, below(lots.size())));
        // Mostly what the lot holds or less; now and then more, which the rules refuse.
        l.quantity = QString::number(1 + below(int(l.lotQuantity) + (below(6) == 0 ? 3 : 0)));
        picked << l.lotId;
        doc.lines << l;
    }
    if (doc.lines.isEmpty()) {
        return purchase();
    }
    return saveStock(doc);
}

QString Station::requisition() {
    return takeStock(stock::DocumentKind::Requisition);
}

QString Station::damage() {
    return takeStock(stock::DocumentKind::Damage);
}

QString Station::sale() {
    return takeStock(stock::DocumentKind::Sale);
}

QString Station::partnerMoney(bool collection) {
    const partners::Direction d =
        collection ? partners::Direction::Collection : partners::Direction::Payment;
    partners::PaymentValues v;
    v.date = dm_.login().businessDate;
    v.partnerId = partnerNotOf(collection ? "供应商" : "客户");
    v.amount = text(amount(1, 400));
    v.method = "现金";
    v.person = "admin";
    v.preparer = "admin";
    const partners::PaymentSaveResult r = partners::savePayment(dm_, d, v);
    if (!r.done) {
        throw Failure(r.message);
    }
    return partners::paymentConfig(d).subject;
}

QString Station::deletePartnerMoney(bool collection) {
    const partners::Direction d =
        collection ? partners::Direction::Collection : partners::Direction::Payment;
    const qlonglong id = anyOf(recentLive(partners::paymentConfig(d).table));
    if (id == 0) {
        return partnerMoney(collection);
    }
    if (!partners::deletePayment(dm_, d, id)) {
        throw Failure(partners::alreadyDeletedText());
    }
    return "删除" + partners::paymentConfig(d).subject;
}

} // namespace florist::stations
