#include "orders/takings.h"
#include "orders/takingsreport.h"
#include "support/dbfixture.h"

namespace florist::orders {
namespace {

class TakingsTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        const QString d1 = "2025-03-01";
        const QString d2 = "2025-03-02";
        // Order collections: a card payment brings no money in; a deleted row never counts.
        collection(d1, "总店", 100, "现金", "否");
        collection(d1, "总店", 50, "储值卡", "否");
        collection(d1, "东城店", 30, "微信", "否");
        collection(d2, "总店", 20, "现金", "是");
        collection(d2, "总店", 40, "现金", "否");
        collection("2025-03-03", "总店", 7, "现金", "否"); // after the range
        // Top-ups: the stored amount is money in, the gift is not.
        db().exec("INSERT INTO UStore (theDate, theDel, theNum, WName, M1, M2, MType) VALUES "
                  "(?, '否', 'CZ1', '总店', 200, 50, '现金'), "
                  "(?, '是', 'CZ2', '东城店', 100, 0, '微信')",
                  {d1, d2});
        db().exec("INSERT INTO USK (theDate, theDel, theNum, WName, theMoney, MType) VALUES "
                  "(?, '否', 'SK1', '总店', 60, '转账')",
                  {d2});
        db().exec("INSERT INTO UXS (theDate, theDel, theNum, WName, theMoney, theFK, MType) "
                  "VALUES (?, '否', 'XS1', '总店', 90, 70, '现金')",
                  {d2});
        db().exec("INSERT INTO UFK (theDate, theDel, theNum, WName, theMoney, MType) VALUES "
                  "(?, '否', 'FK1', '东城店', 25, '现金')",
                  {d1});
        db().exec("INSERT INTO UCG (theDate, theDel, theNum, WName, theMoney, theFK, MType) "
                  "VALUES (?, '否', 'CG1', '总店', 80, 55, '现金'), "
                  "(?, '是', 'CG2', '总店', 999, 999, '现金')",
                  {d2, d2});
        order(d1, "总店", 150, 0, "否");
        order(d1, "东城店", 30, 0, "否");
        order(d2, "总店", 100, 60, "否");
        order(d2, "总店", 500, 0, "是");
        db().exec("INSERT INTO UMember (theNum, theDel, theMoney) VALUES ('V1', '否', 120), "
                  "('V2', '否', 30.5), ('V3', '是', 999)");
    }
    void collection(const QString& date, const QString& store, double money, const QString& method,
                    const QString& del) {
        db().exec("INSERT INTO UO_SK (theNum, theDate, theMoney, MType, theType, WName, theDel) "
                  "VALUES ('DD', ?, ?, ?, '订单录入', ?, ?)",
                  {date, money, method, store, del});
    }
    void order(const QString& date, const QString& store, double total, double owed,
               const QString& del) {
        db().exec("INSERT INTO UOrder (theDate, theDel, theNum, WName, M6, M8) "
                  "VALUES (?, ?, ?, ?, ?, ?)",
                  {date, del, "DD" + QString::number(++orders_), store, total, owed});
    }
    int orders_ = 0;
};

QStringList lines(const Takings& t) {
    QStringList out;
    for (const TakingsLine& l : t.lines) {
        out << takingsCells(l).join("|");
    }
    return out;
}

QStringList days(const Takings& t) {
    QStringList out;
    for (const TakingsDay& d : t.days) {
        out << takingsDayCells(d).join("|");
    }
    return out;
}

// 营业日期|收款方式|订单收款|储值收款|往来收款|销售收款|收入合计|往来付款|采购付款|支出合计|净收入
TEST_P(TakingsTest, MoneyPerDateAndMethodOverTwoStoresAndTwoDays) {
    struct Case {
        QString store;
        QStringList lines;
        QStringList days; // 营业日期|订单数量|订单总计|订单应收|收入合计|支出合计|净收入
        QString total;
        int orderCount;
    };
    const QList<Case> cases = {
        {"",
         {"2025-03-01|微信|30|0|0|0|30|0|0|0|30", "2025-03-01|现金|100|200|0|0|300|25|0|25|275",
          "2025-03-02|现金|40|0|0|70|110|0|55|55|55", "2025-03-02|转账|0|0|60|0|60|0|0|0|60"},
         {"2025-03-01|2|180|0|330|25|305", "2025-03-02|1|100|60|170|55|115"},
         "||170|200|60|70|500|25|55|80|420",
         3},
        {"总店",
         {"2025-03-01|现金|100|200|0|0|300|0|0|0|300", "2025-03-02|现金|40|0|0|70|110|0|55|55|55",
          "2025-03-02|转账|0|0|60|0|60|0|0|0|60"},
         {"2025-03-01|1|150|0|300|0|300", "2025-03-02|1|100|60|170|55|115"},
         "||140|200|60|70|470|0|55|55|415",
         2},
        {"东城店",
         {"2025-03-01|微信|30|0|0|0|30|0|0|0|30", "2025-03-01|现金|0|0|0|0|0|25|0|25|-25"},
         {"2025-03-01|1|30|0|30|25|5"},
         "||30|0|0|0|30|25|0|25|5",
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.store.toStdString());
        const Takings t = readTakings(db(), {"2025-03-01", "2025-03-02", c.store});
        // Methods sort by the server's collation; compare them as a set within each date.
        QStringList got = lines(t);
        QStringList want = c.lines;
        got.sort();
        want.sort();
        EXPECT_EQ(got, want);
        EXPECT_EQ(days(t), c.days);
        QStringList total = takingsCells(t.total);
        total[0].clear();
        total[1].clear();
        EXPECT_EQ(total.join("|"), c.total);
        EXPECT_EQ(t.orderCount, c.orderCount);
        // What members hold on their cards, of every store, deleted members left out.
        EXPECT_DOUBLE_EQ(t.storedValueOwed, 150.5);
    }
}

TEST_P(TakingsTest, PrintoutAndExportCarryTheFigures) {
    const TakingsQuery q{"2025-03-01", "2025-03-02", ""};
    const Takings t = readTakings(db(), q);
    const Receipt r = takingsPrintout(t, q, "青禾花店");
    QStringList texts;
    for (const reports::Page& p : r.pages()) {
        for (const reports::PlacedText& item : p.items) {
            texts << item.text;
        }
    }
    EXPECT_TRUE(texts.contains("青禾花店营业日报"));
    EXPECT_TRUE(texts.contains("2025-03-01 至 2025-03-02    门店：全部门店"));
    EXPECT_TRUE(texts.contains("2025-03-02    订单 1 单，总计 100，应收 60"));
    EXPECT_TRUE(texts.contains("合计"));
    EXPECT_TRUE(texts.contains("420"));
    EXPECT_TRUE(
        texts.contains("订单数量：3    订单总计：280    订单应收：60    会员储值余额：150.5"));
    EXPECT_TRUE(texts.contains("第 1 页 共 1 页"));

    const ExportTable table = takingsExportTable(t);
    EXPECT_EQ(table.rows.size(), 4);
    EXPECT_EQ(table.totalsLine.last(), "420");
    EXPECT_EQ(takingsExportSpec().headings, takingsHeadings());
}

FLORIST_ON_EVERY_BACKEND(TakingsTest);

} // namespace
} // namespace florist::orders
