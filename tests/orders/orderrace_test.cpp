#include "core/db/datamodule.h"
#include "core/save/savefixture.h"
#include "orders/orderreminders.h"
#include "support/ledger.h"

#include <QThread>
#include <thread>

namespace florist {
namespace {

// A deletion and a collection of one order on two stations at once.
class OrderRaceTest : public test::DbTest {
protected:
    static std::unique_ptr<DataModule> station(const ConnectionSettings& s) {
        auto db = std::make_unique<Database>(s);
        db->open();
        auto dm = std::make_unique<DataModule>(std::move(db));
        dm->login().currentUser = "admin";
        dm->login().currentStore = "总店";
        dm->login().businessDate = "2025-03-01";
        return dm;
    }
};

TEST_P(OrderRaceTest, ACollectionWaitingForADeletionIsRefusedAndChargesNothing) {
    test::TwoStations st(db());
    const ConnectionSettings s = test::TwoStations::settingsOf(*st.a);
    Database& check = *st.a;
    const qlonglong member = test::Documents::addMember(check, "VIP001", 100, 0);
    // A member order of 50, nothing paid yet.
    check.exec("INSERT INTO UO_SK (theNum, theDate, UName, theMoney, MType, theType, WName, "
               "theDel, theSKR ) VALUES ('DD250301-0001', '2025-03-01', 'admin', 0, '现金', "
               "'订单录入', '总店', '否', '') ");
    const qlonglong order = check.insert(
        "INSERT INTO UOrder (theDate, UName, theDel, theNum, myDate, theType, MNum, WName, M6, "
        "M7, M8, MType, theJF) VALUES ('2025-03-01', 'admin', '否', 'DD250301-0001', "
        "'2025-03-01', '会员', 'VIP001', '总店', 50, 0, 50, '现金', 0)");
    check.exec("UPDATE UMember SET theCount = 1 WHERE (ID = ?)", {member});

    auto deleting = station(s);
    QString collectionFailure;
    std::thread collecting;
    // The deletion holds its transaction open while the other station collects the whole
    // receivable from the card; the collection has to wait for it and then find the order gone.
    deleting->db().transaction([&] {
        orders::deleteOrder(*deleting, order);
        collecting = std::thread([&] {
            auto dm = station(s);
            try {
                orders::collectPayment(*dm, {order, "50", "储值卡", "admin"});
            } catch (const Failure& f) {
                collectionFailure = f.text();
            }
        });
        QThread::msleep(300);
    });
    collecting.join();

    EXPECT_EQ(collectionFailure, "该订单 已删除，请重新查询！");
    EXPECT_EQ(check
                  .scalar("SELECT COUNT(*) FROM UO_SK WHERE (theNum = 'DD250301-0001') AND "
                          "(theDel = '否')")
                  .toInt(),
              0);
    EXPECT_DOUBLE_EQ(test::Documents::value(check, "theMoney", member), 100);
    EXPECT_TRUE(test::ledgerBalances(check, {{member, test::Opening{100, 0}}}));
}

FLORIST_ON_EVERY_BACKEND(OrderRaceTest);

} // namespace
} // namespace florist
