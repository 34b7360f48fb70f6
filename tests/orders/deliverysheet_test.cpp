#include "orders/deliverysheet.h"
#include "support/dbfixture.h"

namespace florist::orders {
namespace {

class DeliverySheetTest : public test::DbTest {
protected:
    void add(const QString& num, const QString& date, const QString& slot, const QString& area,
             double owed, const QString& settleOnDelivery, const QString& state = "未送",
             const QString& del = "否") {
        db().exec("INSERT INTO UOrder (theDel, theNum, SH1, SH3, SH4, SH5, SH6, SH7, SH8, theHX, "
                  "M8, theJK, theHS, Remark, DState) VALUES (?, ?, '李四', ?, ?, '10点', "
                  "'13900000000', ?, '花园路1号', '红玫瑰', ?, ?, '是', '生日快乐', ?)",
                  {del, num, date, slot, area, owed, settleOnDelivery, state});
    }
    // The page texts of the sheet, in page order.
    QStringList texts(const Receipt& r) {
        QStringList out;
        for (const reports::Page& p : r.pages()) {
            for (const reports::PlacedText& item : p.items) {
                out << item.text;
            }
        }
        return out;
    }
};

TEST_P(DeliverySheetTest, GroupsByDateAndSlotThenAreaAndShowsWhatToCollectWhenDue) {
    add("DD-4", "2025-03-02", "上午", "东城", 30, "是");
    add("DD-1", "2025-03-01", "下午", "西城", 50, "是");
    add("DD-2", "2025-03-01", "上午", "西城", 0, "是");  // settled: nothing to collect
    add("DD-3", "2025-03-01", "上午", "东城", 80, "否"); // owed, but not collected on delivery
    add("DD-5", "2025-03-01", "上午", "东城", 10, "是", "已送");       // not in the list's filter
    add("DD-6", "2025-03-01", "上午", "东城", 10, "是", "未送", "是"); // deleted

    const Receipt r = deliverySheet(db(), search::Term{"AND (DState = '未送') ", {}}, "青禾花店");
    const QStringList t = texts(r);
    EXPECT_EQ(t.first(), "青禾花店送货单");
    EXPECT_TRUE(t.contains("共 4 单"));
    EXPECT_FALSE(t.contains("DD-5"));
    EXPECT_FALSE(t.contains("DD-6"));

    // Headings and orders in the order a driver works through them.
    QStringList order;
    for (const QString& s : t) {
        if (s.startsWith("送达日期") || s.startsWith("区域：") || s.startsWith("DD-")) {
            order << s;
        }
    }
    EXPECT_EQ(order, QStringList({"送达日期：2025-03-01    送达时段：上午", "区域：东城", "DD-3",
                                  "区域：西城", "DD-2", "送达日期：2025-03-01    送达时段：下午",
                                  "区域：西城", "DD-1", "送达日期：2025-03-02    送达时段：上午",
                                  "区域：东城", "DD-4"}));

    // The cells of one order's line follow its number: slot and time, recipient, phone, area,
    // product, the amount to collect, the vase.
    auto line = [&](const QString& num) { return t.mid(t.indexOf(num), 8); };
    EXPECT_EQ(line("DD-1"), QStringList({"DD-1", "下午 10点", "李四", "13900000000", "西城",
                                         "红玫瑰", "50", "是"}));
    EXPECT_EQ(line("DD-2").at(6), "");
    EXPECT_EQ(line("DD-3").at(6), "");
    EXPECT_EQ(line("DD-4").at(6), "30");
    EXPECT_EQ(t.at(t.indexOf("DD-1") + 8), "地址：花园路1号    备注：生日快乐");
    EXPECT_TRUE(t.contains("第 1 页 共 1 页"));
}

TEST_P(DeliverySheetTest, ALongListRunsOverPagesEachNumbered) {
    for (int i = 1; i <= 40; ++i) {
        add(QString("DD-%1").arg(i, 2, 10, QChar('0')), "2025-03-01", "上午", "东城", 0, "否");
    }
    const Receipt r = deliverySheet(db(), search::Term{}, "青禾花店");
    ASSERT_GE(r.following.size(), 1);
    const int pages = int(r.following.size()) + 1;
    for (int n = 0; n < pages; ++n) {
        const reports::Page& p = r.pages().at(n);
        EXPECT_EQ(p.paperMm, QSizeF(210, 297));
        EXPECT_EQ(p.items.first().text, "青禾花店送货单"); // the heading on every page
        EXPECT_EQ(p.items.last().text, QString("第 %1 页 共 %2 页").arg(n + 1).arg(pages));
        for (const reports::PlacedText& item : p.items) {
            EXPECT_LE(item.rectMm.bottom(), 297 - 12 + 0.01) << item.text.toStdString();
        }
    }
}

FLORIST_ON_EVERY_BACKEND(DeliverySheetTest);

} // namespace
} // namespace florist::orders
