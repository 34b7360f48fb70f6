#include "members/memberlookup.h"

#include "members/memberentry.h"
#include "support/dbfixture.h"

namespace florist {
namespace {

using namespace members;

TEST(MemberLookupSelect, KeepsTheTermsInOrder) {
    const auto dialect = Dialect::create(Backend::Sqlite);
    const QString without = memberLookupSelect(*dialect, false, true);
    EXPECT_TRUE(without.startsWith("SELECT theType AS 会员分类, theNum AS 卡号, theName AS 姓名"));
    EXPECT_TRUE(without.contains("theMoney AS 账户余额, ID FROM UMember WHERE (theDel = '否') AND "
                                 "((theNum LIKE ? ESCAPE '!') OR (thePhone LIKE ? ESCAPE '!') OR "
                                 "(thePY LIKE ? ESCAPE '!') OR (theMob LIKE ? ESCAPE '!') ) "))
        << without.toStdString();
    EXPECT_FALSE(without.contains("theName LIKE"));
    EXPECT_TRUE(memberLookupSelect(*dialect, false)
                    .contains("AND ((theNum LIKE ?) OR (thePhone LIKE ?) OR (thePY LIKE ?) OR "
                              "(theMob LIKE ?) ) "));
    const QString with = memberLookupSelect(*dialect, true, true);
    EXPECT_TRUE(with.contains("(thePY LIKE ? ESCAPE '!') OR (theName LIKE ? ESCAPE '!') OR "
                              "(theMob LIKE ? ESCAPE '!') ) "));
    EXPECT_EQ(memberLookupParams("13", false).size(), 4);
    EXPECT_EQ(memberLookupParams("13", true).size(), 5);
    EXPECT_EQ(containsPattern("a%b_c!d'"), "%a!%b!_c!!d'%");
    EXPECT_EQ(containsPattern("o'n!"), "%o'n!%");
    EXPECT_EQ(containsPattern("[13]"), "%![13]%");
    EXPECT_TRUE(lookupSearchesName(kCallerOrder));
    EXPECT_FALSE(lookupSearchesName(kCallerTopUp));
    EXPECT_FALSE(lookupSearchesName(kCallerExchange));
}

class MemberLookupTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (!db_) {
            return;
        }
        add("A1381", "李华", "", "", "");
        add("B2", "王五", "0571-1380", "", "");
        add("C3", "张三", "", "15913800000", "");
        add("D4", "陈小明", "", "", "o'neil 50%");
        add("E5", "周一三八", "", "", ""); // initials ZYSB, no 138 anywhere
        const qlonglong gone = add("F6", "赵六138", "", "", "");
        dm().myESQL("UPDATE UMember SET theDel = '是' WHERE (ID = ?)", {gone});
    }
    qlonglong add(const QString& card, const QString& name, const QString& phone,
                  const QString& mobile, const QString& remark) {
        MemberValues v;
        v.category = "普通会员";
        v.cardNumber = card;
        v.name = name;
        v.phone = phone;
        v.mobile = mobile;
        v.remark = remark;
        v.cardDate = "2025-01-01";
        MemberBalances b;
        b.points = 7.5;
        b.money = 100;
        b.lastPurchase = "2025-02-01";
        return insertMember(dm(), v, b);
    }
    QStringList cards(const QString& code, const QString& text) {
        const ResultSet rs = lookupMembers(dm(), code, text);
        QStringList list;
        for (int i = 0; i < rs.size(); ++i) {
            list << rs.text(i, "卡号");
        }
        list.sort();
        return list;
    }
};

TEST_P(MemberLookupTest, FindsTextInsideTheSearchedColumns) {
    struct Case {
        QString code;
        QString text;
        QStringList found;
    };
    const QList<Case> cases = {
        {kCallerTopUp, "", {"A1381", "B2", "C3", "D4", "E5"}}, // empty lists every live member
        {kCallerTopUp, "138", {"A1381", "B2", "C3"}},          // card, phone, mobile
        {kCallerTopUp, "lh", {"A1381"}},                       // initials, typed in lower case
        {kCallerExchange, "XM", {"D4"}},
        {kCallerTopUp, "王五", {}},     // the name is not searched by top-up and exchange
        {kCallerOrder, "王五", {"B2"}}, // order entry searches it
        {kCallerOrder, "三", {"C3", "E5"}},
        {kCallerOrder, "F6", {}}, // a deleted member is never found
    };
    for (const Case& c : cases) {
        EXPECT_EQ(cards(c.code, c.text), c.found)
            << c.code.toStdString() << " " << c.text.toStdString();
    }
}

TEST_P(MemberLookupTest, TypedQuoteAndWildcardsAreLookedForAsTheyStand) {
    dm().myESQL("UPDATE UMember SET thePhone = ? WHERE (theNum = 'D4')", {"o'neil 50%"});
    EXPECT_EQ(cards(kCallerTopUp, "o'n"), QStringList({"D4"}));
    EXPECT_EQ(cards(kCallerTopUp, "50%"), QStringList({"D4"}));
    EXPECT_EQ(cards(kCallerTopUp, "%"), QStringList({"D4"}));
    EXPECT_EQ(cards(kCallerTopUp, "_"), QStringList());
    EXPECT_EQ(cards(kCallerTopUp, "n!"), QStringList());
}

TEST_P(MemberLookupTest, PickHandsTheCallerItsFields) {
    const ResultSet rs = lookupMembers(dm(), kCallerOrder, "A1381");
    ASSERT_EQ(rs.size(), 1);
    const PickedMember order = pickMember(kCallerOrder, rs, 0);
    EXPECT_EQ(order.id,
              db().scalar("SELECT ID FROM UMember WHERE (theNum = 'A1381')").toLongLong());
    EXPECT_EQ(order.fields.size(), 15);
    EXPECT_EQ(order.fields.value("姓名"), "李华");
    EXPECT_EQ(order.fields.value("积分"), "7.5");
    EXPECT_EQ(order.fields.value("账户余额"), "100");
    EXPECT_EQ(order.fields.value("消费日期"), "2025-02-01");
    EXPECT_TRUE(order.fields.contains("QQ号"));
    for (const QString& code : {kCallerTopUp, kCallerExchange}) {
        const PickedMember m = pickMember(code, rs, 0);
        EXPECT_EQ(m.fields.size(), 12);
        EXPECT_FALSE(m.fields.contains("QQ号"));
        EXPECT_EQ(m.fields.value("卡号"), "A1381");
        EXPECT_EQ(m.callerCode, code);
    }
}

TEST_P(MemberLookupTest, IndexedLookupFindsThePlainStatementsRows) {
    add("Q'7%_x", "欧阳'明", "0571-ABC_12", "138%0", "");
    add("abc138", "Zhang San", "", "", "");
    const qlonglong edited = add("ED1", "旧名字", "", "", "");
    const qlonglong removed = add("RM138", "马上走", "", "", "");
    // The index follows edits and rows removed for good.
    updateMember(dm(), edited, [] {
        MemberValues v;
        v.category = "普通会员";
        v.cardNumber = "ED2";
        v.name = "新名字";
        v.mobile = "13912345678";
        v.cardDate = "2025-01-01";
        return v;
    }());
    dm().myESQL("DELETE FROM UMember WHERE (ID = ?)", {removed});

    const bool indexed = backend() == Backend::Sqlite;
    EXPECT_EQ(memberLookupFilter(db().dialect(), true, "138").text.contains("UMember_trgm"),
              indexed);
    EXPECT_FALSE(memberLookupFilter(db().dialect(), true, "13").text.contains("UMember_trgm"));
    for (const QString& text :
         {"",           "1",    "13",     "138",    "1381",   "A1381",   "a1381", "ABC",
          "abc",        "C_1",  "_12",    "8%0",    "%",      "'7%",     "Q'7",   "欧阳'",
          "阳'明",      "名字", "新名字", "旧名字", "马上走", "zhang s", "ZHANG", "\"x\"",
          "o'neil 50%", "3912", "ED2",    "ED1",    "RM1"}) {
        for (const QString& code : {kCallerOrder, kCallerTopUp}) {
            const bool withName = lookupSearchesName(code);
            const ResultSet plain =
                db().select(memberLookupSelect(db().dialect(), withName, needsLikeEscape(text)),
                            memberLookupParams(text, withName));
            QStringList expected;
            for (int i = 0; i < plain.size(); ++i) {
                expected << plain.text(i, "卡号");
            }
            expected.sort();
            EXPECT_EQ(cards(code, text), expected)
                << code.toStdString() << " " << text.toStdString();
        }
    }
    EXPECT_EQ(cards(kCallerOrder, "新名字"), QStringList{"ED2"});
    EXPECT_EQ(cards(kCallerOrder, "旧名字"), QStringList());
    EXPECT_EQ(cards(kCallerOrder, "马上走"), QStringList());
    EXPECT_EQ(lookupMembers(dm(), kCallerOrder, "", 2).size(), 2);
}

FLORIST_ON_EVERY_BACKEND(MemberLookupTest);

} // namespace
} // namespace florist
