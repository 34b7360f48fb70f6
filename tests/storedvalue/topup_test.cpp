#include "core/save/savefixture.h"
#include "core/search/searchdescriptor.h"
#include "storedvalue/storedvaluefixture.h"
#include "storedvalue/storedvaluelists.h"
#include "support/allornothing.h"

#include <QThread>
#include <thread>

namespace florist::storedvalue {
namespace {

class TopUpTest : public test::StoredValueTest {
protected:
    // The count and the three sums of the list over every live top-up.
    QList<double> totals() {
        const ResultSet rs = db().select(search::totalsSelect(topUpManagementSpec("总店")));
        QList<double> t;
        for (const QString& c : {"florist_rows", "储值金额", "赠送金额", "合计金额"}) {
            t << rs.value(0, c).toDouble();
        }
        return t;
    }
};

// Each top-up raises the balance by stored plus gift, keeps M1 and M2 as numbers and the
// capital numerals of the stored amount alone; its deletion takes the same sum back off.
TEST_P(TopUpTest, SavesCreditsAndDeletes) {
    struct Case {
        QString stored, gift;
        double m1, m2;
        QString capitals;
    };
    const Case cases[] = {
        {"100", "20", 100, 20, "壹佰元整"},
        {"100", "", 100, 0, "壹佰元整"}, // an empty gift is stored as 0
        {"0.0", "0", 0, 0, ""},          // only the text "0" is refused
        {"1005.3", "0.25", 1005.3, 0.25, "壹仟零伍元叁角"},
    };
    const qlonglong id = addMember("VIP001");
    double balance = 0;
    QStringList numbers;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored.toStdString());
        const QString number = saveTopUp(dm(), topUp(id, "VIP001", c.stored, c.gift));
        numbers << number;
        balance += c.m1 + c.m2;
        EXPECT_NEAR(money(id), balance, 1e-9);
        const ResultSet row = db().select(
            "SELECT M1, M2, theDX, MNum, MID, theDate, WName, UName, MType, theSKR, Remark "
            "FROM UStore WHERE (theNum = ?)",
            {number});
        ASSERT_EQ(row.size(), 1);
        EXPECT_DOUBLE_EQ(row.value(0, "M1").toDouble(), c.m1);
        EXPECT_DOUBLE_EQ(row.value(0, "M2").toDouble(), c.m2);
        EXPECT_EQ(row.text(0, "theDX"), c.capitals);
        EXPECT_EQ(row.value(0, "MID").toLongLong(), id);
        EXPECT_EQ(row.text(0, "MNum"), "VIP001");
        EXPECT_EQ(row.text(0, "WName") + row.text(0, "UName") + row.text(0, "theDate"),
                  "总店admin2025-03-01");
    }
    EXPECT_EQ(numbers,
              QStringList({"CZ250301-0001", "CZ250301-0002", "CZ250301-0003", "CZ250301-0004"}));
    const QList<double> sums = totals();
    EXPECT_EQ(sums.value(0), 4); // the count line
    EXPECT_NEAR(sums.value(1), 1205.3, 1e-9);
    EXPECT_NEAR(sums.value(2), 20.25, 1e-9);
    EXPECT_NEAR(sums.value(3), 1225.55, 1e-9);
    EXPECT_TRUE(test::ledgerBalances(db(), test::zeroOpenings({id})));

    deleteTopUp(dm(), documentId("UStore", numbers[0]));
    EXPECT_NEAR(money(id), balance - 120, 1e-9);
    EXPECT_NEAR(totals().value(3), 1105.55, 1e-9);
    // A deleted top-up still counts for the next number.
    EXPECT_EQ(saveTopUp(dm(), topUp(id, "VIP001", "1")), "CZ250301-0005");
    EXPECT_TRUE(test::ledgerBalances(db(), test::zeroOpenings({id})));
}

// A refused save names the field and writes nothing, in the order the checks run.
TEST_P(TopUpTest, RefusedInputWritesNothing) {
    const qlonglong id = addMember("VIP001");
    struct Case {
        qlonglong member;
        QString stored, gift, remark;
        QString message, focus;
    };
    const Case cases[] = {
        {0, "100", "0", "", "会员信息 不能为空，请重新选择！", kSearchField},
        {id, "", "0", "", "储值金额 不能为空，请重新录入！", kStoredField},
        {id, "0", "0", "", "储值金额 不能为零，请重新录入！", kStoredField},
        {id, "1.2.3", "0", "", "储值金额 不是有效的数字，请重新录入！", kStoredField},
        {id, ".", "0", "", "储值金额 不是有效的数字，请重新录入！", kStoredField},
        {id, "100", "2..0", "", "赠送金额 不是有效的数字，请重新录入！", kGiftField},
        {id, "100", "-5", "", "赠送金额 不是有效的数字，请重新录入！", kGiftField},
        {id, "12345678901", "0", "", "储值金额 超过 10 个字节，请重新录入！", kStoredField},
        {id, "100", "0", QString(51, QChar(0x82B1)), "备注 超过 100 个字节，请重新录入！",
         kRemarkField},
    };
    const QStringList before = test::databaseSnapshot(db());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        TopUpValues v = topUp(c.member, "VIP001", c.stored, c.gift);
        v.remark = c.remark;
        const FormOutcome check = checkTopUp(v);
        EXPECT_FALSE(check.done);
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(check.focus, c.focus);
        try {
            saveTopUp(dm(), v);
            ADD_FAILURE() << "saved";
        } catch (const Failure& f) {
            EXPECT_EQ(f.text(), c.message);
        }
    }
    EXPECT_EQ(test::databaseSnapshot(db()), before);
}

// The money of a top-up spent and then the top-up deleted: the member owes the shop, and the
// ledger still balances. A member deleted since the lookup receives nothing.
TEST_P(TopUpTest, DeletingASpentTopUpGoesBelowZero) {
    const qlonglong id = addMember("VIP001");
    const QString number = saveTopUp(dm(), topUp(id, "VIP001", "100", "20"));
    runSave(dm(), [&](Save& s) { cardOrder(s, id, "VIP001", 110); });
    EXPECT_NEAR(money(id), 10, 1e-9);
    deleteTopUp(dm(), documentId("UStore", number));
    EXPECT_NEAR(money(id), -110, 1e-9);
    EXPECT_TRUE(test::ledgerBalances(db(), test::zeroOpenings({id})));

    deleteMember(id);
    const QStringList before = test::databaseSnapshot(db());
    try {
        saveTopUp(dm(), topUp(id, "VIP001", "50"));
        ADD_FAILURE() << "a deleted member was credited";
    } catch (const Failure& f) {
        EXPECT_EQ(f.text(), "会员 不存在，请重新录入！");
    }
    EXPECT_EQ(test::databaseSnapshot(db()), before);
}

// A deleted member's card number given to a new member: each top-up is reversed on the member
// it credited. A top-up from before the member column falls back to the live member with the
// card number, never the deleted one.
TEST_P(TopUpTest, ReversalChangesOnlyTheMemberCredited) {
    const qlonglong old = addMember("VIP001");
    const QString oldNumber = saveTopUp(dm(), topUp(old, "VIP001", "100"));
    deleteMember(old);
    const qlonglong now = addMember("VIP001");
    const QString newNumber = saveTopUp(dm(), topUp(now, "VIP001", "30"));
    db().exec("INSERT INTO UStore (theDate, theDel, theNum, MNum, M1, M2) VALUES ('2025-02-01', "
              "'否', 'CZ250201-0001', 'VIP001', 5, 1)");
    db().exec("UPDATE UMember SET theMoney = theMoney + 6 WHERE (ID = ?)", {now});

    deleteTopUp(dm(), documentId("UStore", oldNumber));
    EXPECT_DOUBLE_EQ(money(old), 0);
    EXPECT_DOUBLE_EQ(money(now), 36);
    deleteTopUp(dm(), documentId("UStore", "CZ250201-0001"));
    EXPECT_DOUBLE_EQ(money(old), 0);
    EXPECT_DOUBLE_EQ(money(now), 30);
    deleteTopUp(dm(), documentId("UStore", newNumber));
    EXPECT_DOUBLE_EQ(money(now), 0);
    EXPECT_TRUE(test::ledgerBalances(db(), test::zeroOpenings({old, now})));

    // Deleted twice (two stations, one after the other): the second changes nothing.
    const QStringList before = test::databaseSnapshot(db());
    try {
        deleteTopUp(dm(), documentId("UStore", newNumber));
        ADD_FAILURE() << "deleted twice";
    } catch (const Failure& f) {
        EXPECT_EQ(f.text(), "单号 CZ250301-0002 已删除，请重新查询！");
    }
    EXPECT_EQ(test::databaseSnapshot(db()), before);
}

TEST_P(TopUpTest, AFaultAtAnyStatementLeavesNothing) {
    const qlonglong id = addMember("VIP001", 10);
    QString number;
    test::expectAllOrNothing(db(),
                             [&] { number = saveTopUp(dm(), topUp(id, "VIP001", "100", "20")); });
    EXPECT_DOUBLE_EQ(money(id), 130);
    const qlonglong doc = documentId("UStore", number);
    test::expectAllOrNothing(db(), [&] { deleteTopUp(dm(), doc); });
    EXPECT_DOUBLE_EQ(money(id), 10);
    EXPECT_TRUE(test::ledgerBalances(db(), {{id, {10, 0}}}));
}

// A card order saved at one station while another tops the same card up: both take effect,
// and the two stations' top-ups get numbers of their own.
TEST_P(TopUpTest, TwoStationsOnOneMemberBothTakeEffect) {
    test::TwoStations st(db());
    const ConnectionSettings settings = test::TwoStations::settingsOf(*st.a);
    const qlonglong id = st.a->insert(
        "INSERT INTO UMember (theDel, theNum, theName, theJF, theMoney) VALUES ('否', 'VIP001', "
        "'会员', 0, 50)");
    QString numberA;
    QString errorA;
    std::thread stationA;
    runSave(*st.b, "2025-03-01", [&](Save& s) {
        cardOrder(s, id, "VIP001", 30);
        stationA = std::thread([&] {
            auto a = station(settings);
            try {
                numberA = saveTopUp(*a, topUp(id, "VIP001", "100", "20"));
            } catch (const Failure& f) {
                errorA = f.text();
            }
        });
        QThread::msleep(300);
    });
    stationA.join();
    EXPECT_EQ(errorA.toStdString(), "");
    EXPECT_EQ(numberA, "CZ250301-0001");
    const double balance =
        st.a->scalar("SELECT theMoney FROM UMember WHERE (ID = ?)", {id}).toDouble();
    EXPECT_DOUBLE_EQ(balance, 140);
    EXPECT_TRUE(test::ledgerBalances(*st.a, {{id, {50, 0}}}));

    auto b = station(settings);
    EXPECT_EQ(saveTopUp(*b, topUp(id, "VIP001", "1")), "CZ250301-0002");
    auto a = station(settings);
    EXPECT_EQ(saveTopUp(*a, topUp(id, "VIP001", "1")), "CZ250301-0003");
}

FLORIST_ON_EVERY_BACKEND(TopUpTest);

} // namespace
} // namespace florist::storedvalue
