#include "core/db/datamodule.h"
#include "core/db/dialect.h"
#include "core/search/pagedmodel.h"
#include "core/search/searchresult.h"
#include "orders/anniversary.h"
#include "orders/orderlists.h"
#include "orders/orderreminders.h"
#include "support/allornothing.h"
#include "support/dbfixture.h"
#include "support/ledger.h"

namespace florist::orders {
namespace {

using search::ConditionInput;
using search::SearchDescriptor;

TEST(OrderLists, DescriptorsShareOneSearchAndDifferInTheirFixedTerm) {
    const SearchDescriptor m = orderManagementSpec("总店");
    ASSERT_EQ(m.columns.size(), 44);
    EXPECT_EQ(m.columns.first().heading, "门店名称");
    EXPECT_EQ(m.columns.at(42).heading, "录入人");
    EXPECT_TRUE(m.columns.last().hidden);
    // 26 conditions and "全部", which adds nothing.
    ASSERT_EQ(m.conditions.size(), 27);
    int placed = 0;
    for (const auto& row : m.screenRows) {
        placed += int(row.size());
    }
    EXPECT_EQ(placed, 23); // the three type radios and "全部" stand beside the buttons
    const ExportSpec e = search::exportSpec(m);
    EXPECT_EQ(e.titleWord, "订单表");
    ASSERT_EQ(e.headings.size(), 40); // B … AO after "序号"
    EXPECT_FALSE(e.headings.contains("收款方式"));
    EXPECT_FALSE(e.headings.contains("递送人"));
    EXPECT_EQ(e.totals.size(), 7);
    EXPECT_TRUE(e.textColumns.contains("收花电话"));

    struct Case {
        SearchDescriptor spec;
        QString fixed;
    };
    const QList<Case> cases = {{orderQuerySpec("总店"), ""},
                               {notDeliveredSpec("总店"), "AND (DState = ?) "},
                               {notPickedUpSpec("总店"), "AND (DState = ?) "},
                               {receivablesSpec("总店"), "AND (M8 > 0) "},
                               {vaseReturnSpec("总店"), "AND (theHS = ?) "}};
    for (const Case& c : cases) {
        EXPECT_EQ(c.spec.fixed.text, c.fixed) << c.spec.objectName.toStdString();
        EXPECT_EQ(c.spec.columns.size(), 44);
        EXPECT_EQ(search::exportSpec(c.spec).headings, e.headings);
        EXPECT_EQ(c.spec.hideBoxesSearch, c.spec.objectName != "frmOrder_HQ");
    }
    // Read newest first, a date range on SQLite walks the table instead of its date index (a
    // range of many orders would be read whole and sorted); the totals keep the index.
    QList<ConditionInput> month(m.conditions.size());
    month[kOrderDate].ticked = true;
    month[kOrderDate].from = QDate(2025, 2, 1);
    month[kOrderDate].to = QDate(2025, 3, 1);
    const auto sqlite = Dialect::create(Backend::Sqlite);
    const auto pg = Dialect::create(Backend::Postgres);
    EXPECT_EQ(search::buildFilter(m, month, *sqlite, search::FilterUse::List).text,
              "AND (+myDate BETWEEN ? AND ?) ");
    EXPECT_EQ(search::buildFilter(m, month, *sqlite).text, "AND (myDate BETWEEN ? AND ?) ");
    EXPECT_EQ(search::buildFilter(m, month, *pg, search::FilterUse::List).text,
              "AND (myDate BETWEEN ? AND ?) ");

    const ExportSpec k = search::exportSpec(collectionsSpec("总店"));
    EXPECT_EQ(k.titleWord, "订单收款表");
    EXPECT_EQ(k.headings, QStringList({"门店名称", "营业日期", "单号", "收款金额", "收款方式",
                                       "录入人", "类型"}));
}

class OrderListTest : public test::DbTest {
protected:
    // A live order; its "订单录入" collection takes M7 by the order's payment method.
    qlonglong order(const QString& num, const QString& type, const QString& card,
                    const QString& date, double total, double received, const QString& method,
                    const QString& store = "总店", double points = 0) {
        const QString id = dm().insert(
            "INSERT INTO UOrder (theDate, UName, theDel, theNum, myDate, theType, MNum, WName, "
            "SH1, SH01, M1, M3, M6, M7, M8, MType, DState, theJF, theHS) VALUES (?, 'admin', '否', "
            "?, ?, ?, ?, ?, ?, '张三', ?, ?, ?, ?, ?, ?, '未送', ?, '是')",
            {date, num, date, type, card, store, "李" + num, total, total, total, received,
             total - received, method, points});
        dm().myESQL("INSERT INTO UO_SK (theNum, theDate, UName, theMoney, MType, theType, WName, "
                    "theDel, theSKR) VALUES (?, ?, 'admin', ?, ?, '订单录入', ?, '否', '')",
                    {num, date, received, method, store});
        return id.toLongLong();
    }
    void member(const QString& card, double points, int count, double money,
                const QString& del = "否") {
        dm().myESQL("INSERT INTO UMember (theNum, theName, theJF, theCount, theMoney, theDel) "
                    "VALUES (?, '会员', ?, ?, ?, ?)",
                    {card, points, count, money, del});
    }
    QString memberValues(const QString& card, const QString& del = "否") {
        const ResultSet r = db().select(
            "SELECT theJF, theCount, theMoney FROM UMember WHERE (theNum = ?) AND (theDel = ?) "
            "ORDER BY ID",
            {card, del});
        return displayText(r.value(0, 0)) + "/" + displayText(r.value(0, 1)) + "/" +
               displayText(r.value(0, 2));
    }
    // The newest member holding the card.
    qlonglong newestMember(const QString& card) {
        return db().scalar("SELECT MAX(ID) FROM UMember WHERE (theNum = ?)", {card}).toLongLong();
    }
    // The numbers a descriptor lists, every page read (pages of two rows).
    QStringList numbers(const SearchDescriptor& spec, const QList<ConditionInput>& inputs = {}) {
        search::Term where = spec.fixed;
        where += search::buildFilter(spec, inputs, db().dialect());
        search::Term listWhere = spec.fixed;
        listWhere += search::buildFilter(spec, inputs, db().dialect(), search::FilterUse::List);
        search::PagedTableModel m(db(), spec.columns);
        m.setPageSize(2);
        if (!spec.sortHeading.isEmpty()) {
            m.sort(m.columnOf(spec.sortHeading), Qt::AscendingOrder);
        }
        m.setQuery(search::whereHead(spec), where, listWhere);
        while (m.canFetchMore()) {
            m.fetchMore();
        }
        QStringList list;
        for (int r = 0; r < m.rowCount(); ++r) {
            list << m.value(r, "单号").toString();
        }
        return list;
    }
    search::Totals totals(const SearchDescriptor& spec, const QList<ConditionInput>& inputs = {}) {
        search::Term where = spec.fixed;
        where += search::buildFilter(spec, inputs, db().dialect());
        return search::readTotals(db(), spec, where);
    }
    static QList<ConditionInput> at(int index, const ConditionInput& in) {
        QList<ConditionInput> list(orderManagementSpec("").conditions.size());
        list[index] = in;
        return list;
    }
    static ConditionInput text(const QString& t) {
        ConditionInput in;
        in.ticked = true;
        in.text = t;
        return in;
    }
    static ConditionInput dates(const QDate& from, const QDate& to) {
        ConditionInput in;
        in.ticked = true;
        in.from = from;
        in.to = to;
        return in;
    }
};

TEST_P(OrderListTest, ManagementSearches) {
    order("DD1", "会员", "V1", "2025-02-01", 100, 100, "现金", "总店");
    order("DD2", "散客", "", "2025-02-15", 50, 20, "现金", "东城店");
    order("DD3", "单位", "", "2025-03-01", 30, 30, "刷卡");
    order("DD4", "散客", "", "2025-03-02", 10, 10, "现金");
    dm().myESQL("UPDATE UOrder SET SH1 = ? WHERE (theNum = 'DD4')", {"O'Neil"});
    dm().myESQL("UPDATE UOrder SET theDel = '是' WHERE (theNum = 'DD3')");
    const SearchDescriptor m = orderManagementSpec("总店");
    struct Case {
        const char* name;
        QList<ConditionInput> inputs;
        QStringList numbers;
    };
    ConditionInput member;
    member.ticked = true;
    const QList<Case> cases = {
        {"nothing ticked: every live order of every store", {}, {"DD4", "DD2", "DD1"}},
        {"order dates inclusive at both ends",
         at(kOrderDate, dates(QDate(2025, 2, 1), QDate(2025, 2, 15))),
         {"DD2", "DD1"}},
        {"a typed quote finds itself", at(kRecipient, text("O'N")), {"DD4"}},
        {"store", at(kStore, text("东城店")), {"DD2"}},
        {"radio 会员", at(kMemberRadio, member), {"DD1"}},
        {"radio 全部 adds nothing", at(kAllRadio, member), {"DD4", "DD2", "DD1"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(numbers(m, c.inputs), c.numbers) << c.name;
    }
    const search::Totals t = totals(m);
    EXPECT_EQ(t.rows, 3);
    EXPECT_EQ(search::totalsLines(m, t),
              QStringList({"订单数量：3", "商品：160", "折后：160", "递送费：0", "代金券：0",
                           "总计：160", "收款：130", "应收：30"}));
    // Terms follow the table, not the screen; a reminder's fixed term comes first.
    QList<ConditionInput> in = at(kRecipient, text("李"));
    in[kStore] = text("总店");
    in[kNumber] = text("DD");
    search::Term where = receivablesSpec("总店").fixed;
    where += search::buildFilter(m, in, db().dialect());
    const QString like = db().dialect().likeOperator();
    EXPECT_EQ(where.text, "AND (M8 > 0) AND (theNum " + like + " ? ESCAPE '!') AND (SH1 " + like +
                              " ? ESCAPE '!') AND (WName = ?) ");
    EXPECT_EQ(numbers(receivablesSpec("总店")), QStringList({"DD2"}));
}

TEST_P(OrderListTest, DeletingAMemberOrderGivesBackPointsVisitAndCardPayments) {
    member("V1", 10, 3, 5, "是"); // deleted, once held the same card
    member("V1", 50, 4, 20);
    const qlonglong first = newestMember("V1");
    // Before DD1 took 8 points and 60 + 15 from the card, the member had 42 and 95.
    const test::Openings openings = {{first, {95, 42}}};
    const qlonglong id = order("DD1", "会员", "V1", "2025-02-01", 80, 60, "储值卡", "总店", 8);
    // A later collection by card and one in cash: the card gets back 60 + 15 only.
    dm().myESQL("INSERT INTO UO_SK (theNum, theDate, theMoney, MType, theType, theDel) VALUES "
                "('DD1', '2025-02-03', 15, '储值卡', '应收回笼', '否'), "
                "('DD1', '2025-02-04', 5, '现金', '应收回笼', '否')");
    const qlonglong walkIn = order("DD2", "散客", "V1", "2025-02-02", 40, 40, "储值卡");
    const SearchDescriptor m = orderManagementSpec("总店");
    const SearchDescriptor k = collectionsSpec("总店");
    ASSERT_EQ(totals(k).rows, 4);
    ASSERT_TRUE(test::ledgerBalances(db(), openings));
    // A second live member given the same number later: DD1 (from before orders recorded their
    // member) is the earliest one's alone.
    member("V1", 7, 1, 7);
    const qlonglong twin = newestMember("V1");

    const int statements = test::expectAllOrNothing(db(), [&] { deleteOrder(dm(), id); });
    EXPECT_GE(statements, 3);
    EXPECT_EQ(memberValues("V1"), "42/3/95");
    EXPECT_EQ(memberValues("V1", "是"), "10/3/5");
    EXPECT_EQ(numbers(m), QStringList{"DD2"});
    EXPECT_EQ(totals(m).values.value(4), "40");
    EXPECT_EQ(totals(k).rows, 1);
    EXPECT_EQ(totals(k).values, QStringList{"40"});
    // Deleted once: a second delete (another station's stale list) gives nothing back again.
    EXPECT_THROW(deleteOrder(dm(), id), Failure);
    EXPECT_EQ(memberValues("V1"), "42/3/95");
    // A walk-in order changes no member.
    deleteOrder(dm(), walkIn);
    EXPECT_EQ(memberValues("V1"), "42/3/95");
    EXPECT_TRUE(numbers(m).isEmpty());
    EXPECT_TRUE(test::ledgerBalances(db(), {{first, {95, 42}}, {twin, {7, 7}}}));
}

TEST_P(OrderListTest, CollectionsMoveTheReceivableAndAreListedWithTheirOwnDate) {
    member("V1", 0, 1, 30);
    const qlonglong id = order("DD1", "会员", "V1", "2025-01-10", 100, 20, "现金");
    const qlonglong walkIn = order("DD2", "散客", "", "2025-01-11", 50, 0, "现金");
    const SearchDescriptor ys = receivablesSpec("总店");
    auto orderAmounts = [&](qlonglong orderId) {
        const ResultSet r =
            db().select("SELECT M7, M8, MType FROM UOrder WHERE (ID = ?)", {orderId});
        return displayText(r.value(0, 0)) + "/" + displayText(r.value(0, 1)) + "/" +
               r.text(0, "MType");
    };

    // A part payment leaves the order listed with the rest.
    collectPayment(dm(), {id, "30", "刷卡", "小王"});
    EXPECT_EQ(orderAmounts(id), "50/50/刷卡");
    EXPECT_EQ(numbers(ys), QStringList({"DD2", "DD1"}));

    // Nothing written for an amount that is not a number, or empty.
    CollectionField at = CollectionField::None;
    for (const QString& typed : {QString("1.2.3"), QString("")}) {
        try {
            collectPayment(dm(), {id, typed, "现金", ""}, &at);
            ADD_FAILURE() << "accepted " << typed.toStdString();
        } catch (const Failure& f) {
            EXPECT_EQ(f.text(), typed.isEmpty() ? "收款金额 不能为空，请重新录入！"
                                                : "收款金额 不是有效的数字，请重新录入！");
            EXPECT_EQ(at, CollectionField::Amount);
        }
    }
    // A card payment: refused on a walk-in order, short on a small balance, else charged.
    try {
        collectPayment(dm(), {walkIn, "10", "储值卡", ""}, &at);
        ADD_FAILURE();
    } catch (const Failure& f) {
        EXPECT_EQ(f.text(), "散客 不能选择储值卡，请重新选择收款方式！");
        EXPECT_EQ(at, CollectionField::Method);
    }
    try {
        collectPayment(dm(), {id, "31", "储值卡", ""}, &at);
        ADD_FAILURE();
    } catch (const Failure& f) {
        EXPECT_EQ(f.text(), "V1 账户余额 不足，请重新选择收款方式！");
    }
    EXPECT_EQ(memberValues("V1"), "0/1/30");
    EXPECT_EQ(orderAmounts(id), "50/50/刷卡");
    test::expectAllOrNothing(db(), [&] { collectPayment(dm(), {id, "30", "储值卡", ""}); });
    EXPECT_EQ(memberValues("V1"), "0/1/0");
    EXPECT_EQ(orderAmounts(id), "80/20/储值卡");

    // The rest exactly: the receivable is 0, received the total, and the order leaves.
    collectPayment(dm(), {id, "20", "现金", ""});
    EXPECT_EQ(orderAmounts(id), "100/0/现金");
    // An overpayment takes the receivable below zero.
    collectPayment(dm(), {walkIn, "60", "现金", ""});
    EXPECT_EQ(orderAmounts(walkIn), "60/-10/现金");
    EXPECT_TRUE(numbers(ys).isEmpty());
    EXPECT_EQ(totals(orderManagementSpec("总店")).values.value(6), "-10");

    // Every collection listed with "应收回笼" and the business date it was taken on.
    const SearchDescriptor k = collectionsSpec("总店");
    QList<ConditionInput> in(k.conditions.size());
    in[2] = text("DD1");
    const ResultSet rows = db().select(
        "SELECT theDate, theType, theMoney FROM UO_SK WHERE (theNum = 'DD1') ORDER BY ID");
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows.text(1, "theDate"), "2025-03-01");
    EXPECT_EQ(rows.text(1, "theType"), "应收回笼");
    EXPECT_EQ(totals(k, in).rows, 4);
    EXPECT_EQ(totals(k, in).values, QStringList{"100"});
    QList<ConditionInput> byDate(k.conditions.size());
    byDate[1] = dates(QDate(2025, 3, 1), QDate(2025, 3, 1));
    EXPECT_EQ(totals(k, byDate).rows, 4); // the three of DD1 and the one of DD2
    EXPECT_TRUE(test::ledgerBalances(db(), {{newestMember("V1"), {30, 0}}}));
}

TEST_P(OrderListTest, StateAndVaseMoveIndependently) {
    const qlonglong id = order("DD1", "散客", "", "2025-02-01", 10, 10, "现金");
    order("DD2", "散客", "", "2025-02-02", 10, 10, "现金");
    dm().myESQL("UPDATE UOrder SET DState = '未取' WHERE (theNum = 'DD2')");
    EXPECT_THROW(markDelivered(dm(), id, QDate(2025, 3, 1), "", "10点"), Failure);
    markDelivered(dm(), id, QDate(2025, 3, 1), "上午", "10点");
    const ResultSet r =
        db().select("SELECT SH3, SH4, SH5, DState, theHS FROM UOrder WHERE (ID = ?)", {id});
    EXPECT_EQ(r.rows().first(), QVariantList({"2025-03-01", "上午", "10点", "已送", "是"}));
    EXPECT_TRUE(numbers(notDeliveredSpec("总店")).isEmpty());
    EXPECT_EQ(numbers(notPickedUpSpec("总店")), QStringList{"DD2"});
    EXPECT_EQ(numbers(vaseReturnSpec("总店")), QStringList({"DD2", "DD1"}));
    markVaseReturned(dm(), id);
    EXPECT_EQ(numbers(vaseReturnSpec("总店")), QStringList{"DD2"});
    EXPECT_EQ(db().scalar("SELECT DState FROM UOrder WHERE (ID = ?)", {id}).toString(), "已送");
    const qlonglong two = db().scalar("SELECT ID FROM UOrder WHERE (theNum = 'DD2')").toLongLong();
    markPickedUp(dm(), two);
    EXPECT_TRUE(numbers(notPickedUpSpec("总店")).isEmpty());
    EXPECT_EQ(numbers(vaseReturnSpec("总店")), QStringList{"DD2"});
}

TEST_P(OrderListTest, AnniversaryListCrossesNewYearAndKeepsFebruary29) {
    struct Row {
        const char* num;
        const char* date;
        const char* marked;
    };
    const Row rows[] = {{"A1", "2024-12-30", "是"}, {"A2", "2025-01-02", "是"},
                        {"A3", "2025-12-30", "是"}, // this year's own order
                        {"A4", "2024-12-27", "是"}, {"A5", "2024-01-05", "是"},
                        {"A6", "2023-12-28", "否"}, {"A7", "2020-12-28", "是"},
                        {"A8", "2024-02-29", "是"}, {"A9", "2023-02-28", "是"},
                        {"B1", "2023-03-01", "是"}};
    for (const Row& r : rows) {
        order(r.num, "散客", "", r.date, 10, 10, "现金");
        dm().myESQL("UPDATE UOrder SET theLN = ? WHERE (theNum = ?)", {r.marked, r.num});
    }
    dm().myESQL("UPDATE UOrder SET theDel = '是' WHERE (theNum = 'A7')");
    order("A0", "散客", "", "2022-12-31", 10, 10, "现金");
    dm().myESQL("UPDATE UOrder SET theLN = '是' WHERE (theNum = 'A0')");

    auto listed = [&](const QDate& business, int days) {
        const SearchDescriptor s = anniversarySpec(business);
        QList<ConditionInput> in(1);
        in[0].ticked = true;
        in[0].number = days;
        return numbers(s, in);
    };
    // 12-28 + 7 days runs to 01-04: the coming days in order, next year's after this year's.
    EXPECT_EQ(listed(QDate(2025, 12, 28), 7), QStringList({"A1", "A0", "A2"}));
    // 02-29 comes round on 02-28 in a year without it, and on its own day in a leap year.
    EXPECT_EQ(listed(QDate(2025, 2, 28), 0), QStringList({"A9", "A8"}));
    EXPECT_EQ(listed(QDate(2028, 2, 28), 0), QStringList{"A9"});
    EXPECT_EQ(listed(QDate(2028, 2, 28), 2), QStringList({"A9", "A8", "B1"}));
}

FLORIST_ON_EVERY_BACKEND(OrderListTest);

} // namespace
} // namespace florist::orders
