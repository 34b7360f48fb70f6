#include "core/save/savefixture.h"
#include "core/search/searchdescriptor.h"
#include "storedvalue/storedvaluefixture.h"
#include "storedvalue/storedvaluelists.h"
#include "support/allornothing.h"

namespace florist::storedvalue {
namespace {

class ExchangeTest : public test::StoredValueTest {};

// The points shown at the lookup decide first: exactly enough passes and leaves 0, one short
// is refused with the card number and writes nothing; the count is checked before.
TEST_P(ExchangeTest, PointsAndCountAreCheckedBeforeAnythingIsWritten) {
    const qlonglong id = addMember("VIP001", 0, 150);
    struct Case {
        qlonglong member;
        QString gift, shown, price, count;
        QString message, focus;
    };
    const Case cases[] = {
        {0, "玫瑰", "150", "50", "3", "会员信息 不能为空，请重新选择！", kSearchField},
        {id, "", "150", "50", "3", "礼品名称 不能为空，请重新选择！", kGiftListField},
        {id, "玫瑰", "150", "50", "", "数量 不能为空，请重新录入！", kCountField},
        {id, "玫瑰", "150", "50", "0", "数量 不能为零，请重新录入！", kCountField},
        {id, "玫瑰", "150", "50", "1.5", "数量 不是有效的数字，请重新录入！", kCountField},
        {id, "玫瑰", "149", "50", "3", "VIP001 积分不足 不能兑换，请重新选择！", kSearchField},
        {id, "玫瑰", "", "50", "1", "VIP001 积分不足 不能兑换，请重新选择！", kSearchField},
    };
    const QStringList before = test::databaseSnapshot(db());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        ExchangeValues v = exchange(c.member, "VIP001", c.shown, c.price, c.count);
        v.gift = c.gift;
        const FormOutcome check = checkExchange(v);
        EXPECT_FALSE(check.done);
        EXPECT_EQ(check.message, c.message);
        EXPECT_EQ(check.focus, c.focus);
        EXPECT_THROW(saveExchange(dm(), v), Failure);
    }
    EXPECT_EQ(test::databaseSnapshot(db()), before);

    EXPECT_TRUE(checkExchange(exchange(id, "VIP001", "0.3", "0.1", "3")).done);
    const QString number = saveExchange(dm(), exchange(id, "VIP001", "150", "50", "3"));
    EXPECT_EQ(number, "DH250301-0001");
    EXPECT_DOUBLE_EQ(points(id), 0);
    const ResultSet row = db().select(
        "SELECT GName, thePrice, theCount, MID, MNum, theJDR FROM UExchange WHERE (theNum = ?)",
        {number});
    ASSERT_EQ(row.size(), 1);
    EXPECT_EQ(row.text(0, "GName") + row.text(0, "MNum") + row.text(0, "theJDR"), "玫瑰VIP001张三");
    EXPECT_DOUBLE_EQ(row.value(0, "thePrice").toDouble(), 50);
    EXPECT_DOUBLE_EQ(row.value(0, "theCount").toDouble(), 3);
    EXPECT_EQ(row.value(0, "MID").toLongLong(), id);
    // A gift whose price reads as nothing costs nothing.
    EXPECT_EQ(saveExchange(dm(), exchange(id, "VIP001", "0", "", "2")), "DH250301-0002");
    EXPECT_DOUBLE_EQ(points(id), 0);
    EXPECT_TRUE(test::ledgerBalances(db(), {{id, {0, 150}}}));
}

// Points spent at another station since the lookup: the window still shows enough, the debit
// on the fresh value refuses, and nothing is written.
TEST_P(ExchangeTest, PointsSpentElsewhereSinceTheLookupAreRefused) {
    const qlonglong id = addMember("VIP001", 0, 150);
    db().exec("UPDATE UMember SET theJF = 100 WHERE (ID = ?)", {id});
    const QStringList before = test::databaseSnapshot(db());
    try {
        saveExchange(dm(), exchange(id, "VIP001", "150", "50", "3"));
        ADD_FAILURE() << "points went below zero";
    } catch (const Shortfall& s) {
        EXPECT_EQ(s.text(), "VIP001 积分不足 不能兑换，请重新选择！");
        EXPECT_EQ(s.kind(), Shortfall::Kind::Points);
    }
    EXPECT_EQ(test::databaseSnapshot(db()), before);
}

// Deleting an exchange gives its points back, at the price stored with it, to the member who
// made it: not to a deleted member that once had the card number, nor to a new holder of it.
TEST_P(ExchangeTest, DeletionGivesThePointsBackToThatMemberOnly) {
    const qlonglong old = addMember("VIP001", 0, 200);
    const QString oldNumber = saveExchange(dm(), exchange(old, "VIP001", "200", "50", "3"));
    deleteMember(old);
    const qlonglong now = addMember("VIP001", 0, 40);
    const QString newNumber = saveExchange(dm(), exchange(now, "VIP001", "40", "20", "2"));
    db().exec("UPDATE SGift SET thePrice = 999");
    // An exchange from before the member column: the live holder of the card.
    db().exec("INSERT INTO UExchange (theDate, theDel, theNum, MNum, thePrice, theCount) VALUES "
              "('2025-02-01', '否', 'DH250201-0001', 'VIP001', 5, 1)");
    db().exec("UPDATE UMember SET theJF = theJF - 5 WHERE (ID = ?)", {now});
    const test::Openings openings = {{old, {0, 200}}, {now, {0, 40}}};
    EXPECT_TRUE(test::ledgerBalances(db(), openings));

    deleteExchange(dm(), documentId("UExchange", oldNumber));
    EXPECT_DOUBLE_EQ(points(old), 200);
    EXPECT_DOUBLE_EQ(points(now), -5);
    deleteExchange(dm(), documentId("UExchange", "DH250201-0001"));
    EXPECT_DOUBLE_EQ(points(old), 200);
    EXPECT_DOUBLE_EQ(points(now), 0);
    deleteExchange(dm(), documentId("UExchange", newNumber));
    EXPECT_DOUBLE_EQ(points(now), 40);
    EXPECT_TRUE(test::ledgerBalances(db(), openings));

    const ResultSet sums = db().select(search::totalsSelect(exchangeManagementSpec("总店")));
    EXPECT_EQ(sums.value(0, "florist_rows").toInt(), 0);
    EXPECT_TRUE(sums.value(0, "兑换积分").isNull());
}

TEST_P(ExchangeTest, AFaultAtAnyStatementLeavesNothing) {
    const qlonglong id = addMember("VIP001", 0, 100);
    QString number;
    test::expectAllOrNothing(
        db(), [&] { number = saveExchange(dm(), exchange(id, "VIP001", "100", "12.5", "2")); });
    EXPECT_DOUBLE_EQ(points(id), 75);
    const qlonglong doc = documentId("UExchange", number);
    test::expectAllOrNothing(db(), [&] { deleteExchange(dm(), doc); });
    EXPECT_DOUBLE_EQ(points(id), 100);
    EXPECT_TRUE(test::ledgerBalances(db(), {{id, {0, 100}}}));
}

TEST_P(ExchangeTest, NumbersAreUniqueAcrossTwoStations) {
    test::TwoStations st(db());
    const ConnectionSettings settings = test::TwoStations::settingsOf(*st.a);
    const qlonglong id = st.a->insert("INSERT INTO UMember (theDel, theNum, theName, theJF, "
                                      "theMoney) VALUES ('否', 'VIP001', '会员', 10, 0)");
    auto a = station(settings);
    auto b = station(settings);
    EXPECT_EQ(saveExchange(*a, exchange(id, "VIP001", "10", "1", "1")), "DH250301-0001");
    EXPECT_EQ(saveExchange(*b, exchange(id, "VIP001", "10", "1", "1")), "DH250301-0002");
    EXPECT_EQ(saveExchange(*a, exchange(id, "VIP001", "10", "1", "1")), "DH250301-0003");
    EXPECT_TRUE(test::ledgerBalances(*st.a, {{id, {0, 10}}}));
}

FLORIST_ON_EVERY_BACKEND(ExchangeTest);

} // namespace
} // namespace florist::storedvalue
