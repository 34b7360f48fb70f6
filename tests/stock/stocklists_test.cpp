#include "stock/stocklists.h"

#include "core/db/datamodule.h"
#include "core/search/searchresult.h"
#include "stock/stockfixture.h"
#include "support/dbfixture.h"

namespace florist::stock {
namespace {

using test::StockRows;

class StockListsTest : public test::DbTest {
protected:
    // The rows and the totals lines of a descriptor with some conditions ticked.
    struct Found {
        ResultSet rows;
        QStringList totals;
    };
    Found run(const search::SearchDescriptor& s, const QList<search::ConditionInput>& in) {
        search::Term filter = s.fixed;
        filter += search::buildFilter(s, in, db().dialect());
        Found f;
        f.rows = db().select("SELECT " + search::selectList(s) + " " + search::whereHead(s) +
                                 filter.text + "ORDER BY ID DESC ",
                             filter.params);
        f.totals = search::totalsLines(s, search::readTotals(db(), s, filter));
        return f;
    }
};

// Only lots above 0 of live materials are listed, newest first, with their count and sum; the
// date range holds both ends; with no lot the sum is empty, not 0.
TEST_P(StockListsTest, StockQueryListsWhatIsLeft) {
    const qlonglong rose = StockRows::material(db(), "H001", "玫瑰");
    const qlonglong gone = StockRows::material(db(), "H002", "百合");
    db().exec("UPDATE UHC SET theDel = '是' WHERE (ID = ?)", {gone});
    StockRows::lot(db(), rose, 3, 2, "总店", "2025-01-31");
    StockRows::lot(db(), rose, 0, 2, "总店", "2025-02-10");
    StockRows::lot(db(), gone, 7, 2, "总店", "2025-02-10");
    StockRows::lot(db(), rose, 4.5, 2.5, "分店", "2025-03-01");
    const search::SearchDescriptor s = stockQuerySpec();
    QList<search::ConditionInput> in(s.conditions.size());

    Found all = run(s, in);
    ASSERT_EQ(all.rows.size(), 2);
    EXPECT_EQ(all.rows.text(0, "门店名称"), "分店");
    EXPECT_EQ(all.rows.text(0, "库存数量"), "4.5");
    EXPECT_EQ(all.rows.text(1, "采购日期"), "2025-01-31");
    EXPECT_EQ(all.totals, QStringList({"库存记录：2", "库存数量：7.5"}));

    in[7].ticked = true; // 采购日期
    in[7].from = QDate(2025, 1, 31);
    in[7].to = QDate(2025, 2, 28);
    EXPECT_EQ(run(s, in).totals, QStringList({"库存记录：1", "库存数量：3"}));
    in[5].ticked = true; // 门店名称
    in[5].text = "分店";
    EXPECT_EQ(run(s, in).totals, QStringList({"库存记录：0", "库存数量："}));
}

// Every read-only document list reads its rows and totals on every backend.
TEST_P(StockListsTest, DocumentListsReadTheirDocuments) {
    const qlonglong rose = StockRows::material(db(), "H001", "玫瑰");
    const qlonglong partner = StockRows::partner(db(), "其他", "花市");
    const qlonglong lot = StockRows::lot(db(), rose, 100, 2);
    for (DocumentKind kind : allDocumentKinds()) {
        StockDocument d;
        d.kind = kind;
        d.date = "2025-03-01";
        d.partnerId = partner;
        d.store = "总店";
        d.lines = QList<DocumentLine>(2);
        d.lines[1] =
            StockRows::line(db(), rose, "3", "2.5", kind == DocumentKind::Purchase ? 0 : lot);
        ASSERT_TRUE(saveDocument(dm(), d).done);
        for (DocumentList list :
             {DocumentList::Management, DocumentList::Query, DocumentList::Lines}) {
            const search::SearchDescriptor s = documentListSpec(kind, list);
            QList<search::ConditionInput> in(s.conditions.size());
            in[2].ticked = true;
            in[2].from = QDate(2025, 3, 1);
            in[2].to = QDate(2025, 3, 1);
            const Found f = run(s, in);
            ASSERT_EQ(f.rows.size(), 1) << s.objectName.toStdString();
            EXPECT_EQ(f.rows.text(0, "门店名称"), "总店");
            if (documentConfig(kind).hasPartner) {
                EXPECT_EQ(f.rows.text(0, list == DocumentList::Lines || kind == DocumentKind::Sale
                                             ? s.columns.at(3).heading
                                             : "供应商"),
                          "花市");
            }
            EXPECT_EQ(f.totals.value(1), list == DocumentList::Lines ? "数量：3" : "合计数量：3")
                << s.objectName.toStdString();
            EXPECT_EQ(f.totals.value(2),
                      list == DocumentList::Lines ? "金额：7.5" : "合计金额：7.5");
        }
    }
}

FLORIST_ON_EVERY_BACKEND(StockListsTest);

} // namespace
} // namespace florist::stock
