#include "core/db/datamodule.h"
#include "support/dbfixture.h"

namespace florist {
namespace {

class DataModuleTest : public test::DbTest {
protected:
    void SetUp() override {
        test::DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        dm_ = std::make_unique<DataModule>(std::move(db_));
        dm_->login().businessDate = "2025-03-01";
        dm_->login().currentUser = "admin";
        dm_->login().currentStore = "总店";
    }
    void TearDown() override {
        dm_.reset();
        test::DbTest::TearDown();
    }
    void addOrders(int n, const QString& date, const QString& del = "否") {
        // One statement for any number of rows keeps the large cases quick on every server.
        dm_->myESQL("INSERT INTO UOrder (theDate, UName, theDel, theNum, WName) "
                    "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < ?) "
                    "SELECT ?, 'admin', ?, 'X' || CAST(i AS VARCHAR(10)), '总店' FROM n",
                    {n, date, del});
    }
    std::unique_ptr<DataModule> dm_;
};

TEST_P(DataModuleTest, DocumentNumbersCountEveryRowOfTheBusinessDate) {
    EXPECT_EQ(dm_->NewDJNum("UOrder", "DD"), "DD250301-0001");
    addOrders(7, "2025-03-01");
    addOrders(3, "2025-03-02");
    EXPECT_EQ(dm_->NewDJNum("UOrder", "DD"), "DD250301-0008");
    // Deleted rows and other stores' rows still count.
    addOrders(1, "2025-03-01", "是");
    dm_->myESQL("UPDATE UOrder SET WName = '分店' WHERE (theNum = 'X0')");
    EXPECT_EQ(dm_->NewDJNum("UOrder", "DD"), "DD250301-0009");
    EXPECT_EQ(dm_->NewDJNum("UStore", "CZ"), "CZ250301-0001");
}

TEST_P(DataModuleTest, SequenceGrowsPastFourDigits) {
    addOrders(9999, "2025-03-01");
    EXPECT_EQ(dm_->NewDJNum("UOrder", "DD"), "DD250301-10000");
}

TEST(DocumentSequence, PadsToFourDigits) {
    EXPECT_EQ(documentSequence(1), "0001");
    EXPECT_EQ(documentSequence(999), "0999");
    EXPECT_EQ(documentSequence(10000), "10000");
}

TEST_P(DataModuleTest, ValueByNameIsZeroUnlessExactlyOneRowMatches) {
    EXPECT_EQ(dm_->myRetAZK("没有的联盟"), "0");
    dm_->myESQL("INSERT INTO SAlliance (theName, theZK) VALUES ('银行', 88.5)");
    EXPECT_EQ(dm_->myRetAZK("银行"), "88.5");
    dm_->myESQL("INSERT INTO SAlliance (theName, theZK) VALUES ('银行', 90)");
    EXPECT_EQ(dm_->myRetAZK("银行"), "0");
    dm_->myESQL("INSERT INTO SGift (theName, thePrice) VALUES ('花瓶', 300)");
    EXPECT_EQ(dm_->myRetGift("花瓶"), "300");
    EXPECT_EQ(dm_->myRetGift("花 瓶"), "0");
}

TEST_P(DataModuleTest, InsertReturnsTheIdentityOfItsOwnRow) {
    const QString first = dm_->insert("INSERT INTO SSD (theName, Remark) VALUES (?, '')", {"早"});
    // A row with a higher identity inserted "elsewhere" does not change what the insert reported.
    dm_->myESQL("INSERT INTO SSD (theName, Remark) VALUES ('晚', '')");
    EXPECT_EQ(dm_->myRetID(), first);
    ResultSet rs = dm_->db().select("SELECT theName FROM SSD WHERE (ID = ?)", {first.toInt()});
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, "theName"), "早");
}

TEST_P(DataModuleTest, LoadersShareOneModelPerTable) {
    QStringListModel* a = dm_->loaders().DBComSex();
    const int before = a->rowCount();
    dm_->myESQL("INSERT INTO SSex (theName, Remark) VALUES ('未知', '')");
    QStringListModel* b = dm_->loaders().DBComSex();
    EXPECT_EQ(a, b);
    EXPECT_EQ(a->rowCount(), before + 1);
    EXPECT_TRUE(a->stringList().contains("未知"));
    EXPECT_NE(dm_->loaders().DBComSK(), a);
}

TEST_P(DataModuleTest, WorkerLoaderShowsTheLastStoreEverywhere) {
    dm_->myESQL("INSERT INTO SWorker (WName, theName, Remark) VALUES ('总店', '小王', '')");
    dm_->myESQL("INSERT INTO SWorker (WName, theName, Remark) VALUES ('分店', '小李', '')");
    QStringListModel* first = dm_->loaders().DBComWorker("总店");
    EXPECT_EQ(first->stringList(), QStringList{"小王"});
    QStringListModel* second = dm_->loaders().DBComWorker("分店");
    EXPECT_EQ(first, second);
    EXPECT_EQ(first->stringList(), QStringList{"小李"});
}

TEST_P(DataModuleTest, FailingStatementInsideATransactionLeavesNothingBehind) {
    const int before = dm_->myRetSC("SELECT ID FROM SSex");
    EXPECT_THROW(dm_->db().transaction([&] {
        dm_->myESQL("INSERT INTO SSex (theName, Remark) VALUES ('甲', '')");
        dm_->myESQL("INSERT INTO NoSuchTable (theName) VALUES ('乙')");
    }),
                 DbError);
    EXPECT_EQ(dm_->myRetSC("SELECT ID FROM SSex"), before);
    // The connection is usable again afterwards.
    dm_->myESQL("INSERT INTO SSex (theName, Remark) VALUES ('丙', '')");
    EXPECT_EQ(dm_->myRetSC("SELECT ID FROM SSex"), before + 1);
}

TEST_P(DataModuleTest, ProviderErrorCarriesTheServerText) {
    try {
        dm_->myESQL("SELECT theName FROM NoSuchTable");
        FAIL() << "no error";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().contains("nosuchtable", Qt::CaseInsensitive))
            << e.text().toStdString();
    }
}

TEST_P(DataModuleTest, StartValuesReadServerDateAndShopName) {
    dm_->readStartValues();
    EXPECT_TRUE(dm_->login().defaultBusinessDate.isValid());
    EXPECT_LE(qAbs(dm_->login().defaultBusinessDate.daysTo(QDateTime::currentDateTime())), 1);
    EXPECT_EQ(dm_->login().shopName, "青禾花店");
}

FLORIST_ON_EVERY_BACKEND(DataModuleTest);

} // namespace
} // namespace florist
