#include "core/menu/menutable.h"
#include "support/dbfixture.h"

namespace florist {
namespace {

TEST(MenuTable, CodesAndCutNames) {
    const QList<MenuCodeRow> rows = menuCodeRows();
    ASSERT_EQ(rows.size(), 91);
    EXPECT_EQ(rows.first().code, "0000");
    EXPECT_EQ(rows.last().code, "0713");
    QHash<QString, QString> byCode;
    for (const auto& r : rows) {
        byCode.insert(r.code, r.name);
    }
    EXPECT_EQ(byCode.value("0007"), "退出 ");
    EXPECT_EQ(byCode.value("0100"), "订单录入");
    EXPECT_EQ(byCode.value("0107"), "花器回收提醒");
    EXPECT_EQ(byCode.value("0109"), "订单收款查询");
    EXPECT_EQ(byCode.value("0110"), "来年同日提醒"); // appended: no other code moves
    EXPECT_EQ(byCode.value("0528"), "花材单位设置");
    EXPECT_EQ(byCode.value("0713"), "默认项设置");
    EXPECT_EQ(byCode.value("0103"), "-");
    EXPECT_EQ(menuCodeName("帮助 &H"), "帮助 ");
    EXPECT_EQ(menuCodeName("a b"), "a b"); // blank at byte 2: kept whole
}

TEST(MenuTable, RightsOnlyAddAndIgnoreMalformedCodes) {
    MenuVisibility v = designedVisibility();
    EXPECT_FALSE(v.entryReachable(1, 7)); // its menu is hidden without rights
    applyRights(v, {"0107", "x1", "9999", "0199", "07"});
    EXPECT_TRUE(v.entryReachable(1, 7));
    EXPECT_FALSE(v.entryReachable(1, 0));
    EXPECT_TRUE(v.entryReachable(0, 3)); // 员工设置 is shown for everybody
    EXPECT_FALSE(v.entryReachable(0, 0));
    EXPECT_TRUE(v.entryReachable(8, 2));
}

class UpMenuTest : public test::DbTest {};

TEST_P(UpMenuTest, SeededMenuCodesEqualWhatUpMenuWrites) {
    auto read = [&] {
        QStringList out;
        ResultSet rs = db().select("SELECT MNum, MName FROM SMenu ORDER BY MNum");
        for (int i = 0; i < rs.size(); ++i) {
            out << rs.text(i, "MNum") + "|" + rs.text(i, "MName");
        }
        return out;
    };
    const QStringList seeded = read();
    UpMenu(db());
    EXPECT_EQ(read(), seeded);
    EXPECT_EQ(seeded.size(), 91);
    EXPECT_TRUE(seeded.contains("0007|退出 "));
}

FLORIST_ON_EVERY_BACKEND(UpMenuTest);

} // namespace
} // namespace florist
