#pragma once

#include "core/db/database.h"
#include "stock/stockdocument.h"

namespace florist::test {

// Materials, partners and lots of a small shop, written straight into the tables.
struct StockRows {
    static qlonglong material(Database& db, const QString& number, const QString& name,
                              double purchase = 0, double sale = 0) {
        return db.insert("INSERT INTO UHC (theType, theNum, theName, theUnit, theCG, theXS, "
                         "Remark, thePY, theDel) VALUES ('鲜花', ?, ?, '枝', ?, ?, '', 'PY', '否')",
                         {number, name, purchase, sale});
    }
    static qlonglong partner(Database& db, const QString& type, const QString& name,
                             double receivable = 0, double payable = 0) {
        return db.insert("INSERT INTO UWL (theType, theName, theYS, theYF, thePY, theDel, WName) "
                         "VALUES (?, ?, ?, ?, 'PY', '否', '总店')",
                         {type, name, receivable, payable});
    }
    static qlonglong lot(Database& db, qlonglong material, double count, double price,
                         const QString& store = "总店", const QString& date = "2025-03-01") {
        return db.insert("INSERT INTO UHCKC (WName, CGNum, HCID, theCount, thePrice, myDate) "
                         "VALUES (?, 'CG250301-0001', ?, ?, ?, ?)",
                         {store, material, count, price, date});
    }
    static double value(Database& db, const QString& table, const QString& column, qlonglong id) {
        return db.scalar("SELECT " + column + " FROM " + table + " WHERE (ID = ?)", {id})
            .toDouble();
    }
    // A line as the window fills it from a search row, with its quantity and price typed.
    static stock::DocumentLine line(Database& db, qlonglong material, const QString& quantity,
                                    const QString& price, qlonglong lotId = 0) {
        stock::DocumentLine l;
        l.materialId = material;
        l.materialNumber =
            db.scalar("SELECT theNum FROM UHC WHERE (ID = ?)", {material}).toString();
        l.materialName = db.scalar("SELECT theName FROM UHC WHERE (ID = ?)", {material}).toString();
        l.quantity = quantity;
        l.price = price;
        if (lotId != 0) {
            l.lotId = lotId;
            l.lotQuantity = value(db, "UHCKC", "theCount", lotId);
        }
        return l;
    }
};

} // namespace florist::test
