#pragma once

#include "core/save/decrement.h"
#include "core/save/saverunner.h"
#include "storedvalue/exchange.h"
#include "storedvalue/topup.h"
#include "support/dbfixture.h"
#include "support/ledger.h"

namespace florist::test {

// Members, gifts and documents for the top-up and exchange tests.
class StoredValueTest : public DbTest {
protected:
    qlonglong addMember(const QString& card, double money = 0, double points = 0) {
        return dm().db().insert(
            "INSERT INTO UMember (theDate, UName, theDel, theType, theNum, theName, thePY, theJF, "
            "theMoney, theCount, myDate, XFDate, WName) VALUES ('2025-03-01', 'admin', '否', "
            "'普通会员', ?, '会员', 'HY', ?, ?, 0, '2025-01-01', '2025-01-01', '总店')",
            {card, points, money});
    }
    void deleteMember(qlonglong id) {
        dm().myESQL("UPDATE UMember SET theDel = '是' WHERE (ID = ?)", {id});
    }
    double money(qlonglong id) { return column("theMoney", id); }
    double points(qlonglong id) { return column("theJF", id); }
    double column(const QString& name, qlonglong id) {
        return db().scalar("SELECT " + name + " FROM UMember WHERE (ID = ?)", {id}).toDouble();
    }
    qlonglong documentId(const QString& table, const QString& number) {
        return db()
            .scalar("SELECT ID FROM " + table + " WHERE (theNum = ?)", {number})
            .toLongLong();
    }

    storedvalue::TopUpValues topUp(qlonglong member, const QString& card, const QString& stored,
                                   const QString& gift = "0") {
        storedvalue::TopUpValues v;
        v.memberId = member;
        v.cardNumber = card;
        v.date = "2025-03-01";
        v.stored = stored;
        v.gift = gift;
        v.method = "现金";
        v.receiver = "张三";
        v.remark = "备注";
        return v;
    }
    storedvalue::ExchangeValues exchange(qlonglong member, const QString& card,
                                         const QString& shownPoints, const QString& price,
                                         const QString& count) {
        storedvalue::ExchangeValues v;
        v.memberId = member;
        v.cardNumber = card;
        v.shownPoints = shownPoints;
        v.date = "2025-03-01";
        v.gift = "玫瑰";
        v.price = price;
        v.count = count;
        v.receptionist = "张三";
        return v;
    }

    // A member order paid from the card, as order entry saves it: points and consumption, the
    // charge, the number, the "储值卡" collection row and the order row with its points.
    static QString cardOrder(Save& s, qlonglong member, const QString& card, double total) {
        s.db().exec("UPDATE UMember SET theJF = theJF + ?, XFDate = ?, theCount = theCount + 1 "
                    "WHERE (ID = ?)",
                    {total, s.businessDate(), member});
        chargeBalance(s.db(), member, total, card);
        const QString number = s.number("UOrder", "DD");
        s.db().exec("INSERT INTO UO_SK (theNum, theDate, UName, theMoney, MType, theType, WName, "
                    "theDel, theSKR ) VALUES (?, ?, 'admin', ?, '储值卡', '订单录入', '总店', "
                    "'否', '') ",
                    {number, s.businessDate(), total});
        s.db().exec("INSERT INTO UOrder (theDate, UName, theDel, theNum, myDate, theType, MNum, "
                    "WName, M6, M7, MType, theJF) VALUES (?, 'admin', '否', ?, ?, '会员', ?, "
                    "'总店', ?, ?, '储值卡', ?)",
                    {s.businessDate(), number, s.businessDate(), card, total, total, total});
        return number;
    }

    // A data module of another station on the same database, logged in like the fixture's.
    static std::unique_ptr<DataModule> station(const ConnectionSettings& settings) {
        auto module = std::make_unique<DataModule>(std::make_unique<Database>(settings));
        module->db().open();
        LoginValues& v = module->login();
        v.currentUser = "admin";
        v.currentStore = "总店";
        v.businessDate = "2025-03-01";
        return module;
    }
};

} // namespace florist::test
