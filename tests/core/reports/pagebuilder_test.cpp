#include "core/errors.h"
#include "reports/pagebuilder.h"

#include <gtest/gtest.h>

namespace florist::reports {
namespace {

ResultSet oneRow(const QStringList& columns, const QVariantList& values) {
    return ResultSet(columns, {values});
}

PageLayout layoutOf(std::initializer_list<TextBox> boxes) {
    PageLayout l;
    l.name = "测试";
    l.paperMm = QSizeF(76, 50);
    l.marginsMm = QMarginsF(2, 5, 3, 3);
    l.boxes = boxes;
    return l;
}

TextBox textBox(const QString& content, bool twoDecimals = false) {
    TextBox b;
    b.rectMm = QRectF(10, 20, 30, 5);
    b.content = content;
    b.twoDecimals = twoDecimals;
    return b;
}

TEST(FieldText, FormatsValuesAsBoxesPrintThem) {
    struct Case {
        QVariant value;
        bool two;
        QString expected;
    };
    const Case cases[] = {
        {12.5, true, "12.50"},
        {12.5, false, "12.5"},
        {0.1 + 0.2, false, "0.3"},
        {95.0, false, "95"},
        {0.0, true, "0.00"},
        {-3.456, true, "-3.46"},
        {qlonglong(7), true, "7.00"},
        {QString("12.5"), true, "12.50"},
        {QString(" 8 "), true, "8.00"},
        {QString("现金"), true, "现金"},
        {QString(""), true, ""},
        {QVariant(), true, ""},
        {QVariant(QMetaType(QMetaType::Double)), true, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(fieldText(c.value, c.two), c.expected)
            << c.value.toString().toStdString() << " two=" << c.two;
    }
}

TEST(PageBuilder, ReplacesReferencesWithTheFirstRowAndKeepsLiterals) {
    RowSources sources;
    // PostgreSQL hands the columns back folded to lower case.
    sources.set("frxDB_A", ResultSet({"thename", "m1"}, {{"玫瑰", 12.5}, {"百合", 99.0}}));
    sources.set("FRXDB_B", oneRow({"Remark"}, {"[not a \"reference\"]"}));
    const PageLayout layout = layoutOf({
        textBox(R"(品名：[frxDB_A."theName"] / [frxDB_A."M1"]元)"),
        textBox(R"(单价：[frxdb_a."M1"][frxDB_B."Remark"] [x.y] [frxDB_A.theName])", true),
    });
    const Page page = buildPage(layout, sources);
    ASSERT_EQ(page.items.size(), 2);
    EXPECT_EQ(page.items[0].text, "品名：玫瑰 / 12.5元");
    EXPECT_EQ(page.items[1].text, "单价：12.50[not a \"reference\"] [x.y] [frxDB_A.theName]");
    // Box positions are measured inside the margins; the page places them on the paper.
    EXPECT_EQ(page.items[0].rectMm, QRectF(12, 25, 30, 5));
    EXPECT_EQ(page.paperMm, QSizeF(76, 50));
}

TEST(PageBuilder, RowSourceWithoutRowsPrintsEmptyFields) {
    RowSources sources;
    sources.set("frxDB_A", ResultSet({"theName"}, {}));
    const Page page = buildPage(layoutOf({textBox(R"(品名：[frxDB_A."theName"]。)")}), sources);
    EXPECT_EQ(page.items[0].text, "品名：。");
}

TEST(PageBuilder, UnknownRowSourceOrColumnIsAFailure) {
    RowSources sources;
    sources.set("frxDB_A", oneRow({"theName"}, {"玫瑰"}));
    EXPECT_THROW(buildPage(layoutOf({textBox(R"([frxDB_A."theNmae"])")}), sources), Failure);
    EXPECT_THROW(buildPage(layoutOf({textBox(R"([frxDB_X."theName"])")}), sources), Failure);
}

TEST(PageBuilder, FindsTextCaseInsensitivelyInPageOrder) {
    Page page;
    page.items << PlacedText{{}, "单号：DD01-dd02"} << PlacedText{{}, "门店"}
               << PlacedText{{}, "dd"};
    const QList<TextMatch> expected{{0, 3, 2}, {0, 8, 2}, {2, 0, 2}};
    EXPECT_EQ(findText(page, "Dd"), expected);
    EXPECT_TRUE(findText(page, "").isEmpty());
    EXPECT_TRUE(findText(page, "花").isEmpty());
}

} // namespace
} // namespace florist::reports
