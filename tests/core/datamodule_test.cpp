#include "core/db/datamodule.h"
#include "support/dbfixture.h"

namespace florist {
namespace {

class DataModuleTest : public test::DbTest {
protected:
    void addOrders(int n, const QString& date, const QString& del = "否") {
        // One statement for any number of rows keeps the large cases quick on every server;
        // the numbers stay distinct, as the unique index on theNum asks.
        dm().myESQL("INSERT INTO UOrder (theDate, UName, theDel, theNum, WName) "
                    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                    "SELECT ?, 'admin', ?, 'X' || CAST(? AS VARCHAR(20)) || CAST(i AS "
                    "VARCHAR(10)), '总店' FROM n",
                    {n, date, del, QString("%1-%2-").arg(date, del)});
    }
};

TEST_P(DataModuleTest, DocumentNumbersCountEveryRowOfTheBusinessDate) {
    EXPECT_EQ(dm().NewDJNum("UOrder", "DD"), "DD250301-0001");
    addOrders(7, "2025-03-01");
    addOrders(3, "2025-03-02");
    EXPECT_EQ(dm().NewDJNum("UOrder", "DD"), "DD250301-0008");
    // Deleted rows and other stores' rows still count.
    addOrders(1, "2025-03-01", "是");
    dm().myESQL("UPDATE UOrder SET WName = '分店' WHERE (theNum = 'X0')");
    EXPECT_EQ(dm().NewDJNum("UOrder", "DD"), "DD250301-0009");
    EXPECT_EQ(dm().NewDJNum("UStore", "CZ"), "CZ250301-0001");
}

TEST_P(DataModuleTest, SequenceGrowsPastFourDigits) {
    addOrders(9999, "2025-03-01");
    EXPECT_EQ(dm().NewDJNum("UOrder", "DD"), "DD250301-10000");
}

TEST(DocumentSequence, PadsToFourDigits) {
    EXPECT_EQ(documentSequence(1), "0001");
    EXPECT_EQ(documentSequence(999), "0999");
    EXPECT_EQ(documentSequence(10000), "10000");
}

TEST_P(DataModuleTest, ValueByNameIsZeroUnlessExactlyOneRowMatches) {
    EXPECT_EQ(dm().myRetAZK("没有的联盟"), "0");
    dm().myESQL("INSERT INTO SAlliance (theName, theZK) VALUES ('银行', 88.5)");
    EXPECT_EQ(dm().myRetAZK("银行"), "88.5");
    dm().myESQL("INSERT INTO SAlliance (theName, theZK) VALUES ('银行', 90)");
    EXPECT_EQ(dm().myRetAZK("银行"), "0");
    dm().myESQL("INSERT INTO SGift (theName, thePrice) VALUES ('花瓶', 300)");
    EXPECT_EQ(dm().myRetGift("花瓶"), "300");
    EXPECT_EQ(dm().myRetGift("花 瓶"), "0");
}

TEST_P(DataModuleTest, InsertReturnsTheIdentityOfItsOwnRow) {
    const QString first = dm().insert("INSERT INTO SSD (theName, Remark) VALUES (?, '')", {"早"});
    // A row with a higher identity inserted "elsewhere" does not change what the insert reported.
    dm().myESQL("INSERT INTO SSD (theName, Remark) VALUES ('晚', '')");
    EXPECT_EQ(dm().myRetID(), first);
    ResultSet rs = dm().db().select("SELECT theName FROM SSD WHERE (ID = ?)", {first.toInt()});
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, "theName"), "早");
}

TEST_P(DataModuleTest, LoadersShareOneModelPerTable) {
    QStringListModel* a = dm().loaders().DBComSex();
    const int before = a->rowCount();
    dm().myESQL("INSERT INTO SSex (theName, Remark) VALUES ('未知', '')");
    QStringListModel* b = dm().loaders().DBComSex();
    EXPECT_EQ(a, b);
    EXPECT_EQ(a->rowCount(), before + 1);
    EXPECT_TRUE(a->stringList().contains("未知"));
    EXPECT_NE(dm().loaders().DBComSK(), a);
}

TEST_P(DataModuleTest, WorkerLoaderShowsTheLastStoreEverywhere) {
    dm().myESQL("INSERT INTO SWorker (WName, theName, Remark) VALUES ('总店', '小王', '')");
    dm().myESQL("INSERT INTO SWorker (WName, theName, Remark) VALUES ('分店', '小李', '')");
    QStringListModel* first = dm().loaders().DBComWorker("总店");
    EXPECT_EQ(first->stringList(), QStringList{"小王"});
    QStringListModel* second = dm().loaders().DBComWorker("分店");
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->stringList(), QStringList{"小李"});
}

TEST_P(DataModuleTest, FailingStatementInsideATransactionLeavesNothingBehind) {
    const int before = dm().myRetSC("SELECT ID FROM SSex");
    EXPECT_THROW(dm().db().transaction([&] {
        dm().myESQL("INSERT INTO SSex (theName, Remark) VALUES ('甲', '')");
        dm().myESQL("INSERT INTO NoSuchTable (theName) VALUES ('乙')");
    }),
                 DbError);
    EXPECT_EQ(dm().myRetSC("SELECT ID FROM SSex"), before);
    // The connection is usable again afterwards.
    dm().myESQL("INSERT INTO SSex (theName, Remark) VALUES ('丙', '')");
    EXPECT_EQ(dm().myRetSC("SELECT ID FROM SSex"), before + 1);
}

TEST_P(DataModuleTest, ProviderErrorCarriesTheServerText) {
    try {
        dm().myESQL("SELECT theName FROM NoSuchTable");
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains("nosuchtable", Qt::CaseInsensitive))
            << e.text().toStdString();
    }
}

TEST_P(DataModuleTest, StartValuesReadServerDateAndShopName) {
    dm().readStartValues();
    EXPECT_TRUE(dm().login().defaultBusinessDate.isValid());
    EXPECT_LE(qAbs(dm().login().defaultBusinessDate.daysTo(QDateTime::currentDateTime())), 1);
    EXPECT_EQ(dm().login().shopName, "青禾花店");
}

FLORIST_ON_EVERY_BACKEND(DataModuleTest);

} // namespace
} // namespace florist
