#include "core/search/pagedmodel.h"
#include "core/search/searchresult.h"
#include "support/dbfixture.h"

#include <QAbstractItemModelTester>

namespace florist::search {
namespace {

class PagedModelTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        spec_.from = "UMember";
        spec_.columns = {{"卡号", "theNum"},
                         {"姓名", "theName"},
                         {"积分", "theJF", 60, ColumnKind::Number},
                         {"ID", "ID", 0, ColumnKind::Number, true}};
        spec_.countCaption = "会员数量：";
        spec_.totals = {{"积分：", "SUM(theJF)", "积分"}};
        // 23 members, names repeating so that a sort by name has ties across pages.
        db().exec("INSERT INTO UMember (theNum, theName, theJF, theDel) "
                  "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 23) "
                  "SELECT 'K' || CAST(i AS VARCHAR(10)), "
                  "CASE WHEN i % 3 = 0 THEN '王芳' WHEN i % 3 = 1 THEN '李华' ELSE '张伟' END, "
                  "i % 5 * 1.5, '否' FROM n");
        db().exec("UPDATE UMember SET theName = NULL WHERE (theNum = 'K7')");
        db().exec("UPDATE UMember SET theDel = '是' WHERE (theNum = 'K8')");
    }
    std::unique_ptr<PagedTableModel> model(int pageRows = 5) {
        auto m = std::make_unique<PagedTableModel>(db(), spec_.columns);
        m->setPageSize(pageRows);
        return m;
    }
    static void fetchAll(PagedTableModel& m) {
        while (m.canFetchMore()) {
            m.fetchMore();
        }
    }
    static QStringList column(const PagedTableModel& m, const QString& heading) {
        QStringList values;
        for (int r = 0; r < m.rowCount(); ++r) {
            values << displayText(m.value(r, heading));
        }
        return values;
    }
    QStringList serverOrder(const QString& orderBy) {
        const ResultSet r =
            db().select("SELECT ID FROM UMember WHERE (theDel = '否') ORDER BY " + orderBy);
        QStringList ids;
        for (int i = 0; i < r.size(); ++i) {
            ids << r.text(i, "ID");
        }
        return ids;
    }
    SearchDescriptor spec_;
};

TEST_P(PagedModelTest, ReadsPagesNewestFirstAndPassesTheModelTester) {
    auto m = model();
    QAbstractItemModelTester tester(m.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(m->rowCount(), 0);
    m->setQuery(whereHead(spec_), {});
    EXPECT_EQ(m->rowCount(), 5);
    EXPECT_TRUE(m->canFetchMore());
    // Another statement between pages: no cursor is held open, the next page still comes.
    const Totals totals = readTotals(db(), spec_, {});
    fetchAll(*m);
    EXPECT_EQ(m->rowCount(), 22);
    EXPECT_EQ(totals.rows, 22);
    EXPECT_EQ(column(*m, "ID"), serverOrder("ID DESC"));
    EXPECT_EQ(m->data(m->index(0, 2), Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), "姓名");
}

TEST_P(PagedModelTest, SortsOnTheServerWithTiesAcrossPages) {
    auto m = model(4);
    QAbstractItemModelTester tester(m.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    m->setQuery(whereHead(spec_), {});
    struct SortCase {
        int column;
        Qt::SortOrder order;
        QString orderBy;
    };
    const QList<SortCase> cases = {{1, Qt::AscendingOrder, "COALESCE(theName, '') ASC, ID ASC"},
                                   {1, Qt::DescendingOrder, "COALESCE(theName, '') DESC, ID DESC"},
                                   {2, Qt::AscendingOrder, "COALESCE(theJF, 0) ASC, ID ASC"},
                                   {2, Qt::DescendingOrder, "COALESCE(theJF, 0) DESC, ID DESC"},
                                   {-1, Qt::AscendingOrder, "ID DESC"}};
    for (const SortCase& c : cases) {
        m->sort(c.column, c.order);
        fetchAll(*m);
        EXPECT_EQ(column(*m, "ID"), serverOrder(c.orderBy)) << c.orderBy.toStdString();
    }
}

TEST_P(PagedModelTest, TotalsMatchTheListAndAnEmptySumIsZero) {
    Term where{"AND (theName LIKE ?) ", {"%李%"}};
    auto m = model(3);
    m->setQuery(whereHead(spec_), where);
    fetchAll(*m);
    double sum = 0;
    for (int r = 0; r < m->rowCount(); ++r) {
        sum += m->value(r, "积分").toDouble();
    }
    const Totals t = readTotals(db(), spec_, where);
    EXPECT_EQ(t.rows, m->rowCount());
    EXPECT_EQ(t.values, QStringList{displayText(sum)});
    const Totals none = readTotals(db(), spec_, {"AND (theNum = ?) ", {"none"}});
    EXPECT_EQ(totalsLines(spec_, none), QStringList({"会员数量：0", "积分：0"}));
}

TEST_P(PagedModelTest, ReadsEveryRowForTheExportInGridOrder) {
    auto m = model(5);
    m->setQuery(whereHead(spec_), {});
    m->sort(1, Qt::AscendingOrder);
    QStringList ids;
    forEachRow(
        db(), *m, [&](const QVariantList& row) { ids << row.at(3).toString(); }, 6);
    EXPECT_EQ(ids, serverOrder("COALESCE(theName, '') ASC, ID ASC"));
    EXPECT_EQ(m->rowCount(), 5); // the grid itself read only its first page
}

TEST_P(PagedModelTest, RefreshKeepsTheQueryAndClearEmpties) {
    auto m = model(50);
    m->setQuery(whereHead(spec_), {"AND (theNum = ?) ", {"K3"}});
    ASSERT_EQ(m->rowCount(), 1);
    db().exec("UPDATE UMember SET theDel = '是' WHERE (theNum = 'K3')");
    m->refresh();
    EXPECT_EQ(m->rowCount(), 0);
    m->clear();
    EXPECT_FALSE(m->hasQuery());
}

FLORIST_ON_EVERY_BACKEND(PagedModelTest);

} // namespace
} // namespace florist::search
