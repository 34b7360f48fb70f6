#pragma once

#include "core/save/decrement.h"
#include "core/save/saverunner.h"
#include "support/dbfixture.h"

#include <QTemporaryDir>

namespace florist::test {

// Small documents of the real tables, saved the way the windows save them.
struct Documents {
    static qlonglong addMember(Database& db, const QString& card, double money, double points) {
        return db.insert("INSERT INTO UMember (theDate, UName, theDel, theNum, theName, theJF, "
                         "theMoney, WName) VALUES ('2025-03-01', 'admin', '否', ?, '会员', ?, ?, "
                         "'总店')",
                         {card, points, money});
    }
    static double value(Database& db, const QString& column, qlonglong memberId) {
        return db.scalar("SELECT " + column + " FROM UMember WHERE (ID = ?)", {memberId})
            .toDouble();
    }

    // A top-up: the balance credit, the number, the insert.
    static QString topUp(Save& s, qlonglong memberId, const QString& card, double m1, double m2) {
        s.db().exec("UPDATE UMember SET theMoney = theMoney + ? WHERE (ID = ?) ",
                    {m1 + m2, memberId});
        const QString number = s.number("UStore", "CZ");
        s.db().exec("INSERT INTO UStore (theDate, UName, theDel, theNum, myDate, MNum, M1, M2, "
                    "MType, theDX, theSKR, Remark, WName ) VALUES (?, 'admin', '否', ?, ?, ?, "
                    "?, ?, '现金', '', '', '', '总店' ) ",
                    {s.businessDate(), number, s.businessDate(), card, m1, m2});
        return number;
    }

    // A member order paid from the card: points and consumption, the charge, the number, the
    // collection row and the order row.
    static QString cardOrder(Save& s, qlonglong memberId, const QString& card, double total) {
        s.db().exec("UPDATE UMember SET theJF = theJF + ?, XFDate = ?, theCount = theCount + 1 "
                    "WHERE (ID = ?)",
                    {total, s.businessDate(), memberId});
        chargeBalance(s.db(), memberId, total, card);
        const QString number = s.number("UOrder", "DD");
        s.db().exec("INSERT INTO UO_SK (theNum, theDate, UName, theMoney, MType, theType, WName, "
                    "theDel, theSKR ) VALUES (?, ?, 'admin', ?, '储值卡', '订单录入', '总店', "
                    "'否', '') ",
                    {number, s.businessDate(), total});
        s.db().exec("INSERT INTO UOrder (theDate, UName, theDel, theNum, myDate, theType, MNum, "
                    "WName, M6, M7, MType) VALUES (?, 'admin', '否', ?, ?, '会员', ?, '总店', ?, "
                    "?, '储值卡')",
                    {s.businessDate(), number, s.businessDate(), card, total, total});
        return number;
    }
};

// Two stations on one database: on SQLite two connections to one file, on PostgreSQL the
// fixture's database and a second connection to it.
struct TwoStations {
    QTemporaryDir dir;
    std::unique_ptr<Database> own;
    Database* a = nullptr;
    std::unique_ptr<Database> b;

    static ConnectionSettings settingsOf(Database& db) {
        ConnectionSettings s;
        s.backend = db.backend();
        const QSqlDatabase c = db.connection();
        if (s.backend == Backend::Sqlite) {
            s.path = c.databaseName();
        } else {
            s.host = c.hostName();
            s.port = c.port();
            s.database = c.databaseName();
            s.user = c.userName();
        }
        return s;
    }

    explicit TwoStations(Database& fixture) {
        if (fixture.backend() == Backend::Sqlite) {
            ConnectionSettings s;
            s.path = dir.filePath("shared.db");
            own = std::make_unique<Database>(s);
            own->createSchema(true);
            a = own.get();
        } else {
            a = &fixture;
        }
        b = std::make_unique<Database>(settingsOf(*a));
        b->open();
    }
};

} // namespace florist::test
