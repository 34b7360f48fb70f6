#include "core/search/pagedmodel.h"
#include "storedvalue/storedvaluefixture.h"
#include "storedvalue/storedvaluelists.h"

namespace florist::storedvalue {
namespace {

using search::ConditionInput;

// The columns of the export (counting "序号" as A) and where the sums go.
QString layout(const ExportSpec& e) {
    QStringList sums;
    for (const auto& [heading, field] : e.totals) {
        sums << columnLetters(int(e.headings.indexOf(heading)) + 2);
    }
    return "A-" + columnLetters(int(e.headings.size()) + 1) + " sums " + sums.join(",");
}

TEST(StoredValueLists, ExportLayouts) {
    const ExportSpec topUps = search::exportSpec(topUpManagementSpec("总店"));
    EXPECT_EQ(topUps.titleWord, "储值表");
    EXPECT_EQ(topUps.headings, QStringList({"门店名称", "单号", "储值日期", "卡号", "储值金额",
                                            "赠送金额", "合计金额", "收款方式", "收款人", "备注"}));
    EXPECT_TRUE(topUps.textColumns.contains("储值日期"));
    EXPECT_EQ(layout(topUps), "A-K sums F,G,H");
    EXPECT_EQ(layout(search::exportSpec(topUpQuerySpec("总店"))), "A-J sums E,F,G");

    const ExportSpec exchanges = search::exportSpec(exchangeManagementSpec("总店"));
    EXPECT_EQ(exchanges.titleWord, "兑换表");
    EXPECT_EQ(exchanges.headings, QStringList({"门店名称", "单号", "兑换日期", "卡号", "礼品名称",
                                               "所需积分", "数量", "兑换积分", "接待人", "备注"}));
    EXPECT_TRUE(exchanges.textColumns.contains("兑换日期"));
    EXPECT_EQ(layout(exchanges), "A-K sums H,I");
    EXPECT_EQ(layout(search::exportSpec(exchangeQuerySpec("总店"))), "A-J sums G,H");
}

class StoredValueListTest : public test::StoredValueTest {
protected:
    QStringList numbers(const search::SearchDescriptor& spec, const QList<ConditionInput>& in) {
        search::PagedTableModel m(db(), spec.columns);
        m.setQuery(search::whereHead(spec), search::buildFilter(spec, in, db().dialect()));
        while (m.canFetchMore()) {
            m.fetchMore();
        }
        QStringList list;
        for (int r = 0; r < m.rowCount(); ++r) {
            list << m.value(r, "单号").toString();
        }
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

// The seven conditions of both lists, newest first; a reversed date range finds nothing.
TEST_P(StoredValueListTest, ConditionsFilterTheLists) {
    const qlonglong a = addMember("VIP001", 0, 100);
    const qlonglong b = addMember("VIP002", 0, 100);
    saveTopUp(dm(), topUp(a, "VIP001", "100"));
    TopUpValues second = topUp(b, "VIP002", "50");
    second.date = "2025-02-10";
    second.method = "微信";
    second.remark = "o'neil";
    saveTopUp(dm(), second);
    saveExchange(dm(), exchange(a, "VIP001", "100", "10", "1"));
    ExchangeValues other = exchange(b, "VIP002", "100", "10", "1");
    other.gift = "贺卡";
    other.receptionist = "李四";
    saveExchange(dm(), other);

    const QDate d0(2025, 2, 1), d1(2025, 2, 28), d2(2025, 3, 1);
    const search::SearchDescriptor t = topUpManagementSpec("总店");
    const search::SearchDescriptor e = exchangeManagementSpec("总店");
    struct Case {
        const char* name;
        const search::SearchDescriptor& spec;
        QList<ConditionInput> inputs;
        QStringList numbers;
    };
    const QList<Case> cases = {
        {"all, newest first", t, {}, {"CZ250301-0002", "CZ250301-0001"}},
        {"number", t, {text("0001")}, {"CZ250301-0001"}},
        {"date range", t, {{}, dates(d0, d1)}, {"CZ250301-0002"}},
        {"reversed range", t, {{}, dates(d2, d0)}, {}},
        {"card", t, {{}, {}, text("002")}, {"CZ250301-0002"}},
        {"method", t, {{}, {}, {}, text("微信")}, {"CZ250301-0002"}},
        {"receiver", t, {{}, {}, {}, {}, text("张三")}, {"CZ250301-0002", "CZ250301-0001"}},
        {"remark with a quote", t, {{}, {}, {}, {}, {}, text("o'n")}, {"CZ250301-0002"}},
        {"store", t, {{}, {}, {}, {}, {}, {}, text("分店")}, {}},
        {"gift", e, {{}, {}, {}, text("贺卡")}, {"DH250301-0002"}},
        {"receptionist", e, {{}, {}, {}, {}, text("张三")}, {"DH250301-0001"}},
        {"exchange card", e, {{}, {}, text("VIP001")}, {"DH250301-0001"}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(numbers(c.spec, c.inputs), c.numbers) << c.name;
    }
    EXPECT_EQ(numbers(topUpQuerySpec("总店"), {{}, {}, text("001")}), QStringList("CZ250301-0001"));
    EXPECT_EQ(numbers(exchangeQuerySpec("总店"), {}).size(), 2);
}

FLORIST_ON_EVERY_BACKEND(StoredValueListTest);

} // namespace
} // namespace florist::storedvalue
