#include "orders/orderentry.h"
#include "orders/orderreminders.h"

#include "core/db/datamodule.h"
#include "core/errors.h"
#include "core/text/pinyin.h"
#include "support/allornothing.h"
#include "support/dbfixture.h"
#include "support/ledger.h"

namespace florist {
namespace {

using namespace orders;

// ---- Price arithmetic -------------------------------------------------------------------

struct PriceCase {
    const char* name;
    PriceRule rule;
    PriceFields before;
    PriceFields after;   // expected when accepted
    const char* refusal; // expected message when refused ("" accepted)
};

TEST(OrderPriceArithmetic, RecomputesAsTheCounterExpects) {
    // price, discount, discounted, fee, voucher, total, received, receivable
    const PriceCase cases[] = {
        {"discount exact",
         PriceRule::PriceOrDiscount,
         {"33.3", "88", "", "0", "0", "", "", ""},
         {"33.3", "88", "29.304", "0", "0", "29.304", "29.304", "0"},
         ""},
        {"price change keeps the total exact",
         PriceRule::PriceOrDiscount,
         {"33.3", "88", "", "5", "0", "", "", ""},
         {"33.3", "88", "29.304", "5", "0", "34.304", "34.304", "0"},
         ""},
        {"fee change rounds",
         PriceRule::Charges,
         {"33.3", "88", "29.304", "5", "0", "34.304", "34.304", "0"},
         {"33.3", "88", "29.304", "5", "0", "34.3", "34.3", "0"},
         ""},
        {"voucher deducted",
         PriceRule::Charges,
         {"100", "100", "100", "10", "20.5", "", "", ""},
         {"100", "100", "100", "10", "20.5", "89.5", "89.5", "0"},
         ""},
        {"empty discount is 100",
         PriceRule::PriceOrDiscount,
         {"12.5", "", "", "", "", "", "", ""},
         {"12.5", "", "12.5", "", "", "12.5", "12.5", "0"},
         ""},
        {"discount 0 is 100",
         PriceRule::PriceOrDiscount,
         {"12.5", "0", "", "0", "0", "", "", ""},
         {"12.5", "0", "12.5", "0", "0", "12.5", "12.5", "0"},
         ""},
        {"partial payment",
         PriceRule::Received,
         {"33.3", "88", "29.304", "0", "0", "29.304", "10", "0"},
         {"33.3", "88", "29.304", "0", "0", "29.304", "10", "19.304"},
         ""},
        {"discount above 100",
         PriceRule::PriceOrDiscount,
         {"10", "120", "9", "0", "0", "9", "9", "0"},
         {},
         "折扣 不能大于100，请重新录入！"},
        {"received above total",
         PriceRule::Received,
         {"10", "100", "10", "0", "0", "10", "10.01", "0"},
         {},
         "收款金额 不能大于合计，请重新录入！"},
    };
    for (const PriceCase& c : cases) {
        SCOPED_TRACE(c.name);
        PriceFields f = c.before;
        const FormOutcome outcome = recompute(f, c.rule);
        if (QString(c.refusal).isEmpty()) {
            ASSERT_TRUE(outcome.done) << outcome.message.toStdString();
            EXPECT_EQ(f.discounted, c.after.discounted);
            EXPECT_EQ(f.total, c.after.total);
            EXPECT_EQ(f.received, c.after.received);
            EXPECT_EQ(f.receivable, c.after.receivable);
        } else {
            EXPECT_FALSE(outcome.done);
            EXPECT_EQ(outcome.message, QString(c.refusal));
            EXPECT_EQ(f.total, c.before.total) << "nothing changes";
            EXPECT_EQ(f.receivable, c.before.receivable);
        }
    }
}

TEST(OrderPriceArithmetic, TextThatIsNoNumberChangesNothing) {
    PriceFields f{"1.2.", "100", "7", "0", "0", "7", "7", "0"};
    try {
        recompute(f, PriceRule::PriceOrDiscount);
        FAIL() << "no failure";
    } catch (const Failure& failure) {
        EXPECT_EQ(failure.text(), "商品单价 不是有效的数字，请重新录入！");
    }
    EXPECT_EQ(f.discounted, "7");
    EXPECT_TRUE(isUnfinishedNumber("."));
    EXPECT_FALSE(isUnfinishedNumber("0."));
}

TEST(OrderPoints, TotalDividedByTheRate) {
    EXPECT_DOUBLE_EQ(orderPoints(99, "10"), 9.9);
    EXPECT_DOUBLE_EQ(orderPoints(99, "1"), 99);
    EXPECT_DOUBLE_EQ(orderPoints(99, "0"), 0);
    EXPECT_DOUBLE_EQ(orderPoints(99, ""), 0);
}

// ---- The save -----------------------------------------------------------------------------

class OrderSaveTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (!db_) {
            return;
        }
        dm().myESQL(
            "INSERT INTO SMType (theName, Remark, theZK, theJF) VALUES ('金卡', '', 88, 10)");
        dm().myESQL(
            "INSERT INTO SMType (theName, Remark, theZK, theJF) VALUES ('零卡', '', 100, 0)");
        dm().myESQL("INSERT INTO SAlliance (theName, Remark, theZK) VALUES ('银行', '', 80)");
        dm().myESQL("INSERT INTO SArea (theName, thePrice, Remark, thePY) VALUES ('西湖区', 15, "
                    "'', 'XHQ')");
        dm().myESQL("INSERT INTO SArea (theName, thePrice, Remark, thePY) VALUES ('西湖区北', 20, "
                    "'', 'XHQB')");
        dm().myESQL("INSERT INTO SArea (theName, thePrice, Remark, thePY) VALUES ('滨江区', 10, "
                    "'', 'BJQ')");
        member_ = addMember("VIP001", "金卡", 100);
    }
    qlonglong addMember(const QString& card, const QString& category, double money) {
        return db().insert(
            "INSERT INTO UMember (theDate, UName, theDel, theType, theNum, theName, myDate, "
            "theSex, theBir, theDept, thePhone, theLove, theAddress, Remark, thePY, theJF, XFDate, "
            "theCount, theMoney, theQQ, theWX, theMob, WName) VALUES ('2025-01-01', 'admin', '否', "
            "?, ?, '李华', '2025-01-01', '女', '', '', '', '', '', '', 'LH', 5, '2025-01-01', 2, "
            "?, "
            "'', '', '13800000000', '总店')",
            {category, card, money});
    }
    // A member order of 99 paid in cash, everything else at its default.
    OrderValues memberOrder(double total = 99) {
        OrderValues v;
        v.orderDate = "2025-03-01";
        v.memberId = member_;
        v.memberCard = "VIP001";
        v.pointsRate = "10";
        const QString t = QString::number(total);
        v.prices = {t, "100", t, "0", "0", t, t, "0"};
        v.paymentMethod = "现金";
        v.product = "花束";
        v.receptionist = "admin";
        return v;
    }
    OrderValues walkIn() {
        OrderValues v = memberOrder();
        v.memberId = 0;
        v.memberCard.clear();
        return v;
    }
    ResultSet orderRow(const QString& number) {
        return db().select("SELECT * FROM UOrder WHERE (theNum = ?)", {number});
    }
    ResultSet memberRow() { return db().select("SELECT * FROM UMember WHERE (ID = ?)", {member_}); }
    int count(const QString& table) { return db().count("SELECT ID FROM " + table); }
    // The fixture member opens with 100 on the card and 5 points.
    test::Openings openings() const { return {{member_, {100, 5}}}; }

    qlonglong member_ = 0;
};

TEST_P(OrderSaveTest, RefusalsWriteNothing) {
    struct Refusal {
        const char* name;
        std::function<void(OrderValues&)> change;
        const char* message;
        const char* focus;
    };
    const Refusal refusals[] = {
        {"empty price", [](OrderValues& v) { v.prices.price = ""; },
         "商品单价 不能为空，请重新录入！", "商品单价"},
        {"zero price", [](OrderValues& v) { v.prices.price = "0"; },
         "商品单价 不能为零，请重新录入！", "商品单价"},
        {"price no number", [](OrderValues& v) { v.prices.price = "1.2."; },
         "商品单价 不是有效的数字，请重新录入！", "商品单价"},
        {"discount above 100", [](OrderValues& v) { v.prices.discount = "120"; },
         "折扣 不能大于100，请重新录入！", "折扣"},
        {"received above total", [](OrderValues& v) { v.prices.received = "100"; },
         "收款金额 不能大于合计，请重新录入！", "收款金额"},
        {"walk-in by card",
         [](OrderValues& v) {
             v.memberId = 0;
             v.cardPayment = true;
         },
         "散客 不能选择储值卡，请重新选择收款方式！", "收款方式"},
        {"walk-in 储值卡 chosen",
         [](OrderValues& v) {
             v.memberId = 0;
             v.paymentMethod = "储值卡";
         },
         "散客 不能选择储值卡，请重新选择收款方式！", "收款方式"},
        {"partner by card",
         [](OrderValues& v) {
             v.alliance = "银行";
             v.cardPayment = true;
         },
         "单位 不能选择储值卡，请重新选择收款方式！", "收款方式"},
        {"card pays part",
         [](OrderValues& v) {
             v.cardPayment = true;
             v.prices.received = "50";
             v.prices.receivable = "49";
         },
         "储值卡 收款金额 不能小于合计，请重新录入！", "收款金额"},
        {"balance short",
         [](OrderValues& v) {
             v.cardPayment = true;
             v.prices = {"100.01", "100", "100.01", "0", "0", "100.01", "100.01", "0"};
         },
         "VIP001 账户余额 不足，请重新选择收款方式！", "收款方式"},
        {"recipient too long", [](OrderValues& v) { v.recipient = QString(11, QChar(0x674E)); },
         "收花人 超过 20 个字节，请重新录入！", "收花人"},
        {"discount with a point", [](OrderValues& v) { v.prices.discount = "8.5"; },
         "折扣 不是有效的数字，请重新录入！", "折扣"},
        {"voucher with a sign", [](OrderValues& v) { v.prices.voucher = "-5"; },
         "代金券 不是有效的数字，请重新录入！", "代金券"},
    };
    const QStringList before = test::databaseSnapshot(db());
    for (const Refusal& r : refusals) {
        SCOPED_TRACE(r.name);
        OrderValues v = memberOrder();
        r.change(v);
        const OrderSaveResult result = saveOrder(dm(), v);
        EXPECT_FALSE(result.outcome.done);
        EXPECT_EQ(result.outcome.message, QString(r.message));
        EXPECT_EQ(result.outcome.focus, QString(r.focus));
        EXPECT_EQ(test::databaseSnapshot(db()), before);
    }
}

TEST_P(OrderSaveTest, ThreeKindsOfCustomer) {
    // Member: points 99 ÷ 10, one more visit, consumption date the business date.
    OrderSaveResult r = saveOrder(dm(), memberOrder());
    ASSERT_TRUE(r.outcome.done) << r.outcome.message.toStdString();
    EXPECT_EQ(r.number, "DD250301-0001");
    ResultSet o = orderRow(r.number);
    EXPECT_EQ(o.text(0, "theType"), "会员");
    EXPECT_EQ(o.text(0, "MNum"), "VIP001");
    EXPECT_DOUBLE_EQ(o.value(0, "theJF").toDouble(), 9.9);
    ResultSet m = memberRow();
    EXPECT_DOUBLE_EQ(m.value(0, "theJF").toDouble(), 14.9);
    EXPECT_EQ(m.value(0, "theCount").toInt(), 3);
    EXPECT_EQ(m.text(0, "XFDate"), "2025-03-01");
    EXPECT_DOUBLE_EQ(m.value(0, "theMoney").toDouble(), 100);

    // "本单不积分": the visit counts, no points.
    OrderValues noPoints = memberOrder();
    noPoints.noPoints = true;
    r = saveOrder(dm(), noPoints);
    ASSERT_TRUE(r.outcome.done);
    EXPECT_DOUBLE_EQ(orderRow(r.number).value(0, "theJF").toDouble(), 0);
    m = memberRow();
    EXPECT_DOUBLE_EQ(m.value(0, "theJF").toDouble(), 14.9);
    EXPECT_EQ(m.value(0, "theCount").toInt(), 4);

    // Partner order of a member: "单位" with the card number, no points, the member untouched.
    OrderValues partner = memberOrder();
    partner.alliance = "银行";
    r = saveOrder(dm(), partner);
    ASSERT_TRUE(r.outcome.done);
    o = orderRow(r.number);
    EXPECT_EQ(o.text(0, "theType"), "单位");
    EXPECT_EQ(o.text(0, "MNum"), "VIP001");
    EXPECT_EQ(o.text(0, "AName"), "银行");
    EXPECT_DOUBLE_EQ(o.value(0, "theJF").toDouble(), 0);
    EXPECT_EQ(memberRow().value(0, "theCount").toInt(), 4);

    // Walk-in: no card, no points; its collection row is written even for 0 received.
    OrderValues walk = walkIn();
    walk.prices.received = "0";
    walk.prices.receivable = "99";
    r = saveOrder(dm(), walk);
    ASSERT_TRUE(r.outcome.done);
    o = orderRow(r.number);
    EXPECT_EQ(o.text(0, "theType"), "散客");
    EXPECT_EQ(o.text(0, "MNum"), "");
    EXPECT_DOUBLE_EQ(o.value(0, "M8").toDouble(), 99);
    const ResultSet sk = db().select("SELECT * FROM UO_SK WHERE (theNum = ?)", {r.number});
    ASSERT_EQ(sk.size(), 1);
    EXPECT_DOUBLE_EQ(sk.value(0, "theMoney").toDouble(), 0);
    EXPECT_EQ(sk.text(0, "theType"), "订单录入");
    EXPECT_EQ(count("UO_SK"), 4);
    EXPECT_TRUE(test::ledgerBalances(db(), openings()));
}

TEST_P(OrderSaveTest, CardPaymentChargesTheWholeTotal) {
    // A balance exactly equal to the total is enough; the collection row names the card.
    OrderValues v = memberOrder(100);
    v.cardPayment = true;
    v.paymentMethod = "现金";
    const OrderSaveResult r = saveOrder(dm(), v);
    ASSERT_TRUE(r.outcome.done) << r.outcome.message.toStdString();
    EXPECT_DOUBLE_EQ(memberRow().value(0, "theMoney").toDouble(), 0);
    EXPECT_EQ(orderRow(r.number).text(0, "MType"), "储值卡");
    const ResultSet sk =
        db().select("SELECT theMoney, MType FROM UO_SK WHERE (theNum = ?)", {r.number});
    EXPECT_DOUBLE_EQ(sk.value(0, "theMoney").toDouble(), 100);
    EXPECT_EQ(sk.text(0, "MType"), "储值卡");

    // Another station took the balance since the lookup: refused on the fresh value.
    db().exec("UPDATE UMember SET theMoney = 30 WHERE (ID = ?)", {member_});
    OrderValues again = memberOrder(31);
    again.paymentMethod = "储值卡";
    const OrderSaveResult refused = saveOrder(dm(), again);
    EXPECT_EQ(refused.outcome.message, "VIP001 账户余额 不足，请重新选择收款方式！");
    EXPECT_DOUBLE_EQ(memberRow().value(0, "theJF").toDouble(), 15) << "points rolled back";
    EXPECT_EQ(count("UOrder"), 1);
    EXPECT_TRUE(test::ledgerBalances(db(), {{member_, {130, 5}}})) << "30 put on the card";
}

TEST_P(OrderSaveTest, CardChargeMatchesItsCollectionRowAndItsDeletion) {
    // Every way the card can be chosen, with a fee, a voucher and an inexact discount: the
    // balance is charged what the "储值卡" collection row names, and the deletion gives back
    // exactly that. A second member given the same card number is charged and given back only
    // for its own order.
    const qlonglong twin = addMember("VIP001", "金卡", 40);
    struct Way {
        const char* name;
        bool ticked;
        const char* method;
        PriceFields prices;
    };
    const Way ways[] = {
        {"ticked", true, "现金", {"33.3", "88", "29.304", "5", "2", "32.304", "32.304", "0"}},
        {"chosen", false, "储值卡", {"10", "100", "10", "8.5", "0", "18.5", "18.5", "0"}},
        {"both", true, "储值卡", {"0.1", "100", "0.1", "0.2", "0", "0.3", "0.3", "0"}},
    };
    QList<qlonglong> orders;
    for (const Way& w : ways) {
        SCOPED_TRACE(w.name);
        OrderValues v = memberOrder();
        v.cardPayment = w.ticked;
        v.paymentMethod = w.method;
        v.prices = w.prices;
        const double before = memberRow().value(0, "theMoney").toDouble();
        const OrderSaveResult r = saveOrder(dm(), v);
        ASSERT_TRUE(r.outcome.done) << r.outcome.message.toStdString();
        const ResultSet sk =
            db().select("SELECT theMoney, MType FROM UO_SK WHERE (theNum = ?)", {r.number});
        ASSERT_EQ(sk.size(), 1);
        EXPECT_EQ(sk.text(0, "MType"), "储值卡");
        EXPECT_NEAR(before - memberRow().value(0, "theMoney").toDouble(),
                    sk.value(0, "theMoney").toDouble(), 1e-9);
        orders << orderRow(r.number).value(0, "ID").toLongLong();
        EXPECT_TRUE(test::ledgerBalances(db(), {{member_, {100, 5}}, {twin, {40, 5}}}));
    }
    // The later member chosen in the find dialog: charged, and given back, on its own.
    OrderValues v = memberOrder(40);
    v.memberId = twin;
    v.cardPayment = true;
    const OrderSaveResult r = saveOrder(dm(), v);
    ASSERT_TRUE(r.outcome.done) << r.outcome.message.toStdString();
    EXPECT_DOUBLE_EQ(db().scalar("SELECT theMoney FROM UMember WHERE (ID = ?)", {twin}).toDouble(),
                     0);
    orders << orderRow(r.number).value(0, "ID").toLongLong();
    for (qlonglong id : orders) {
        deleteOrder(dm(), id);
        EXPECT_TRUE(test::ledgerBalances(db(), {{member_, {100, 5}}, {twin, {40, 5}}}));
    }
    EXPECT_DOUBLE_EQ(memberRow().value(0, "theMoney").toDouble(), 100);
    EXPECT_EQ(memberRow().value(0, "theCount").toInt(), 2);
    EXPECT_DOUBLE_EQ(db().scalar("SELECT theMoney FROM UMember WHERE (ID = ?)", {twin}).toDouble(),
                     40);
}

TEST_P(OrderSaveTest, ZeroPointsRateEarnsNothing) {
    const qlonglong zero = addMember("Z1", "零卡", 0);
    OrderValues v = memberOrder();
    v.memberId = zero;
    v.memberCard = "Z1";
    v.pointsRate = "0";
    const OrderSaveResult r = saveOrder(dm(), v);
    ASSERT_TRUE(r.outcome.done) << r.outcome.message.toStdString();
    EXPECT_DOUBLE_EQ(orderRow(r.number).value(0, "theJF").toDouble(), 0);
}

TEST_P(OrderSaveTest, GroupsStoredOnlyWithTheirNames) {
    OrderValues v = walkIn();
    v.recipientPhone = "1390000";
    v.address = "文三路 1 号";
    v.area = "新区";
    v.senderPhone = "1380000";
    v.purpose = "生日";
    OrderSaveResult r = saveOrder(dm(), v);
    ASSERT_TRUE(r.outcome.done);
    ResultSet o = orderRow(r.number);
    for (const char* column : {"SH1", "SH2", "SH3", "SH4", "SH5", "SH6", "SH7", "SH8", "SH01",
                               "SH02", "SH03", "SH04", "SH05"}) {
        EXPECT_EQ(o.text(0, column), "") << column;
    }
    EXPECT_EQ(db().count("SELECT ID FROM SArea WHERE (theName = '新区')"), 0);

    v.recipient = "王芳";
    v.recipientSex = "女";
    v.deliveryDate = "2025-03-02";
    v.sender = "李华";
    v.prices.fee = "12";
    v.prices = {"99", "100", "99", "12", "0", "111", "111", "0"};
    v.nextYear = true;
    v.vase = true;
    for (int i = 0; i < 2; ++i) {
        r = saveOrder(dm(), v);
        ASSERT_TRUE(r.outcome.done);
    }
    o = orderRow(r.number);
    EXPECT_EQ(o.text(0, "SH1"), "王芳");
    EXPECT_EQ(o.text(0, "SH3"), "2025-03-02");
    EXPECT_EQ(o.text(0, "SH7"), "新区");
    EXPECT_EQ(o.text(0, "SH8"), "文三路 1 号");
    EXPECT_EQ(o.text(0, "SH04"), "生日");
    EXPECT_EQ(o.text(0, "theLN"), "是");
    EXPECT_EQ(o.text(0, "theHS"), "是");
    EXPECT_EQ(o.text(0, "theFP"), "否");
    const ResultSet area =
        db().select("SELECT thePrice, thePY FROM SArea WHERE (theName = '新区')");
    ASSERT_EQ(area.size(), 1) << "added once";
    EXPECT_DOUBLE_EQ(area.value(0, "thePrice").toDouble(), 12);
    EXPECT_EQ(area.text(0, "thePY"), GetPY("新区"));
}

TEST_P(OrderSaveTest, NumbersCountDeletedAndOtherStoresOrders) {
    const OrderSaveResult first = saveOrder(dm(), walkIn());
    EXPECT_EQ(first.number, "DD250301-0001");
    db().exec("UPDATE UOrder SET theDel = '是', WName = '分店' WHERE (theNum = ?)", {first.number});
    db().exec("INSERT INTO UOrder (theDate, UName, theDel, theNum, WName) VALUES "
              "('2025-03-01', 'x', '否', 'DD250301-0002', '分店')");
    db().exec("INSERT INTO UOrder (theDate, UName, theDel, theNum, WName) VALUES "
              "('2025-02-28', 'x', '否', 'DD250228-0001', '总店')");
    EXPECT_EQ(saveOrder(dm(), walkIn()).number, "DD250301-0003");
}

TEST_P(OrderSaveTest, OneTransaction) {
    OrderValues v = memberOrder(50);
    v.cardPayment = true;
    v.recipient = "王芳";
    v.area = "新区";
    const int statements = test::expectAllOrNothing(db(), [&] {
        const OrderSaveResult r = saveOrder(dm(), v);
        ASSERT_TRUE(r.outcome.done);
    });
    EXPECT_GE(statements, 6);
}

TEST_P(OrderSaveTest, RatesAreasAndHistory) {
    CategoryRates rates = myZK(dm(), "金卡");
    EXPECT_EQ(rates.discount, "88");
    EXPECT_EQ(rates.pointsRate, "10");
    rates = myZK(dm(), "已删类别");
    EXPECT_EQ(rates.discount, "100");
    EXPECT_EQ(rates.pointsRate, "1");
    EXPECT_EQ(dm().myRetAZK("银行"), "80");
    EXPECT_EQ(dm().myRetAZK("没有"), "0");

    struct AreaCase {
        const char* text;
        bool found;
        const char* name;
        const char* fee;
    };
    for (const AreaCase& c :
         {AreaCase{"滨江", true, "滨江区", "10"}, AreaCase{"bjq", true, "滨江区", "10"},
          AreaCase{"XHQB", true, "西湖区北", "20"},
          AreaCase{"西湖", false, "", ""}, // two areas: the fee stays
          AreaCase{"外地", false, "", ""}, AreaCase{"%", false, "", ""}}) {
        SCOPED_TRACE(c.text);
        const AreaMatch m = areaForText(dm(), c.text);
        EXPECT_EQ(m.found, c.found);
        EXPECT_EQ(m.name, QString(c.name));
        EXPECT_EQ(m.fee, QString(c.fee));
    }

    const QString a = saveOrder(dm(), memberOrder()).number;
    const QString b = saveOrder(dm(), memberOrder()).number;
    const QString c = saveOrder(dm(), walkIn()).number;
    db().exec("UPDATE UOrder SET theDel = '是' WHERE (theNum = ?)", {a});
    const ResultSet history = orderHistory(dm(), "VIP001");
    ASSERT_EQ(history.size(), 1);
    EXPECT_EQ(history.text(0, "单号"), b);
    EXPECT_EQ(history.columns().size(), 31);
    Q_UNUSED(c);
}

FLORIST_ON_EVERY_BACKEND(OrderSaveTest);

} // namespace
} // namespace florist
