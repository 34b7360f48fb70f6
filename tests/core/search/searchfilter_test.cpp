#include "core/db/dialect.h"
#include "core/search/searchdescriptor.h"

#include <gtest/gtest.h>

namespace florist::search {
namespace {

Condition cond(const QString& caption, Match match, QStringList fields, QVariant value = {}) {
    Condition c;
    c.caption = caption;
    c.match = match;
    c.fields = std::move(fields);
    c.value = std::move(value);
    return c;
}

// A small window: the terms must come in this order whatever the screen shows.
SearchDescriptor sample() {
    SearchDescriptor s;
    s.from = "UOrder";
    s.conditions = {cond("单号", Match::Contains, {"theNum"}),
                    cond("订单日期", Match::Between, {"myDate"}),
                    cond("姓名", Match::Contains, {"theName", "thePY"}),
                    cond("门店名称", Match::Equals, {"WName"}),
                    cond("会员", Match::Fixed, {"theType"}, "会员"),
                    cond("全部", Match::None, {})};
    s.conditions[1].kind = InputKind::DatePair;
    s.screenRows = {{3, 2}, {1, 0}};
    return s;
}

ConditionInput ticked(const QString& text) {
    ConditionInput in;
    in.ticked = true;
    in.text = text;
    return in;
}

struct FilterCase {
    const char* name;
    QList<ConditionInput> inputs;
    QString text;
    QVariantList params;
};

TEST(SearchFilter, TermsInFixedOrderWithBoundValues) {
    ConditionInput dates;
    dates.ticked = true;
    dates.from = QDate(2025, 1, 31);
    dates.to = QDate(2025, 3, 1);
    ConditionInput off = ticked("ignored");
    off.ticked = false;
    const QList<FilterCase> cases = {
        {"nothing ticked", {}, "", {}},
        {"unticked input adds nothing", {off, {}, off}, "", {}},
        {"empty ticked text matches all", {ticked("")}, "AND (theNum LIKE ? ESCAPE '!') ", {"%%"}},
        {"spec order, not screen order",
         {{}, dates, {}, ticked("总店"), {}, {}},
         "AND (myDate BETWEEN ? AND ?) AND (WName = ?) ",
         {"2025-01-31", "2025-03-01", "总店"}},
        {"name or initials",
         {{}, {}, ticked("lh")},
         "AND (theName LIKE ? ESCAPE '!' OR thePY LIKE ? ESCAPE '!') ",
         {"%lh%", "%lh%"}},
        {"quote and wildcards typed are literal",
         {ticked("O'B_1%")},
         "AND (theNum LIKE ? ESCAPE '!') ",
         {"%O'B!_1!%%"}},
        {"radio value and the all-radio",
         {{}, {}, {}, {}, ticked(""), ticked("")},
         "AND (theType = ?) ",
         {"会员"}},
    };
    auto sqlite = Dialect::create(Backend::Sqlite);
    for (const FilterCase& c : cases) {
        const Term t = buildFilter(sample(), c.inputs, *sqlite);
        EXPECT_EQ(t.text, c.text) << c.name;
        EXPECT_EQ(t.params, c.params) << c.name;
    }
}

TEST(SearchFilter, PostgresSearchesWithoutRegardToCase) {
    auto pg = Dialect::create(Backend::Postgres);
    const Term t = buildFilter(sample(), {ticked("a")}, *pg);
    EXPECT_EQ(t.text, "AND (theNum ILIKE ? ESCAPE '!') ");
}

TEST(SearchFilter, AlwaysAndCustomTerms) {
    SearchDescriptor s;
    Condition c = cond("天数", Match::Custom, {});
    c.always = true;
    c.term = [](const ConditionInput& in) { return Term{" AND (n <= ?) ", {in.number}}; };
    s.conditions = {c};
    ConditionInput in;
    in.number = 7; // the box is not ticked: the term applies anyway
    const Term t = buildFilter(s, {in}, *Dialect::create(Backend::Sqlite));
    EXPECT_EQ(t.text, " AND (n <= ?) ");
    EXPECT_EQ(t.params, QVariantList{7});
}

TEST(SearchFilter, ContainsPatternEscapesEveryWildcard) {
    const QList<QPair<QString, QString>> cases = {
        {"", "%%"},        {"abc", "%abc%"}, {"50%", "%50!%%"}, {"a_b", "%a!_b%"},
        {"[x]", "%![x]%"}, {"!", "%!!%"},    {"'", "%'%"}};
    for (const auto& [typed, pattern] : cases) {
        EXPECT_EQ(containsPattern(typed), pattern) << typed.toStdString();
    }
}

TEST(SearchFilter, SelectsTotalsAndExportFromOneColumnTable) {
    SearchDescriptor s;
    s.from = "UStore";
    s.columns = {{"单号", "theNum", 0, ColumnKind::Text, false, true},
                 {"合计金额", "M1 + M2", 60, ColumnKind::Number},
                 {"收款人", "theSKR", 0, ColumnKind::Text, false, false, false},
                 {"ID", "ID", 0, ColumnKind::Number, true}};
    s.totals = {{"合计：", "SUM(M1 + M2)", "合计金额"}};
    s.exportTitle = "储值表";
    EXPECT_EQ(selectList(s), "theNum AS 单号, M1 + M2 AS 合计金额, theSKR AS 收款人, ID");
    EXPECT_EQ(whereHead(s), "FROM UStore WHERE (theDel = '否') ");
    EXPECT_EQ(totalsSelect(s), "SELECT SUM(M1 + M2) AS 合计金额, COUNT(*) AS florist_rows FROM "
                               "UStore WHERE (theDel = '否') ");
    const ExportSpec e = exportSpec(s);
    EXPECT_EQ(e.titleWord, "储值表");
    EXPECT_EQ(e.headings, QStringList({"单号", "合计金额"}));
    EXPECT_EQ(e.textColumns, QStringList({"单号"}));
    ASSERT_EQ(e.totals.size(), 1);
    EXPECT_EQ(e.totals[0].first, "合计金额");
}

} // namespace
} // namespace florist::search
