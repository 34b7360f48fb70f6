#include "savefixture.h"
#include "support/allornothing.h"

#include <atomic>
#include <thread>

namespace florist {
namespace {

using test::Documents;

class GuardedDecrementTest : public test::DbTest {};

TEST_P(GuardedDecrementTest, ValueMayReachZeroButNotGoBelowIt) {
    struct Case {
        const char* what;
        double held;
        double taken;
        bool passes;
    };
    const Case cases[] = {
        {"exactly the value", 150, 150, true},
        {"less", 150, 20.5, true},
        {"one more", 149, 150, false},
        {"a cent more", 100, 100.01, false},
        {"a value summed with binary noise", 0.1 + 0.2, 0.3, true},
        {"nothing from nothing", 0, 0, true},
    };
    for (const Case& c : cases) {
        const qlonglong id = Documents::addMember(db(), "VIP001", c.held, c.held);
        db().exec("INSERT INTO UHCKC (WName, CGNum, HCID, theCount, thePrice, myDate) VALUES "
                  "('总店', 'CG250301-0001', 1, ?, 2, '2025-03-01')",
                  {c.held});
        const qlonglong lot = db().scalar("SELECT MAX(ID) FROM UHCKC").toLongLong();
        struct Step {
            std::function<void()> run;
            QString column;
            QString message;
        };
        const Step steps[] = {
            {[&] { chargeBalance(db(), id, c.taken, "VIP001"); }, "theMoney",
             "VIP001 账户余额 不足，请重新选择收款方式！"},
            {[&] { debitPoints(db(), id, c.taken, "VIP001"); }, "theJF",
             "VIP001 积分不足 不能兑换，请重新选择！"},
            {[&] { withdrawLot(db(), lot, c.taken, "H001", "玫瑰"); }, "", "H001 玫瑰 库存不足！"},
        };
        for (const Step& step : steps) {
            const auto read = [&] {
                return step.column.isEmpty()
                           ? db().scalar("SELECT theCount FROM UHCKC WHERE (ID = ?)", {lot})
                                 .toDouble()
                           : Documents::value(db(), step.column, id);
            };
            const double before = read();
            try {
                step.run();
                EXPECT_TRUE(c.passes) << c.what << " " << step.message.toStdString();
                EXPECT_NEAR(read(), before - c.taken, 1e-9) << c.what;
            } catch (const Shortfall& s) {
                EXPECT_FALSE(c.passes) << c.what << " " << step.message.toStdString();
                EXPECT_EQ(s.text(), step.message);
                EXPECT_EQ(read(), before) << c.what;
            }
        }
    }
}

TEST_P(GuardedDecrementTest, AnOrderBeyondTheBalanceWritesNothing) {
    const qlonglong id = Documents::addMember(db(), "VIP001", 99.5, 7);
    const QStringList before = test::databaseSnapshot(db());
    try {
        runSave(dm(), [&](Save& s) { Documents::cardOrder(s, id, "VIP001", 100); });
        ADD_FAILURE() << "the charge must be refused";
    } catch (const Shortfall& s) {
        EXPECT_EQ(s.kind(), Shortfall::Kind::Balance);
        EXPECT_EQ(s.rowId(), id);
        EXPECT_EQ(s.text(), "VIP001 账户余额 不足，请重新选择收款方式！");
    }
    // The points and consumption update that ran before the charge is gone too.
    EXPECT_EQ(test::databaseSnapshot(db()), before);
    runSave(dm(), [&](Save& s) { Documents::cardOrder(s, id, "VIP001", 99.5); });
    EXPECT_DOUBLE_EQ(Documents::value(db(), "theMoney", id), 0);
    EXPECT_DOUBLE_EQ(Documents::value(db(), "theJF", id), 7 + 99.5);
}

// Two stations charge one card at the same moment, again and again: every charge is checked
// against the balance as it is at that moment, so the balance ends at exactly zero.
TEST_P(GuardedDecrementTest, ConcurrentChargesNeverTakeTheBalanceBelowZero) {
    test::TwoStations st(db());
    const qlonglong id = Documents::addMember(*st.a, "VIP001", 100, 0);
    const ConnectionSettings settings = test::TwoStations::settingsOf(*st.a);
    std::atomic<int> charged{0};
    std::atomic<int> refused{0};
    std::atomic<int> other{0};
    auto station = [&] {
        Database db(settings);
        for (int i = 0; i < 12; ++i) {
            try {
                runSave(db, "2025-03-01",
                        [&](Save& s) { Documents::cardOrder(s, id, "VIP001", 10); });
                ++charged;
            } catch (const Shortfall&) {
                ++refused;
            } catch (const Failure&) {
                ++other;
            }
        }
    };
    std::thread one(station);
    std::thread two(station);
    one.join();
    two.join();
    EXPECT_EQ(charged, 10);
    EXPECT_EQ(refused, 14);
    EXPECT_EQ(other, 0);
    EXPECT_DOUBLE_EQ(Documents::value(*st.a, "theMoney", id), 0);
    EXPECT_EQ(st.a->scalar("SELECT COUNT(DISTINCT theNum) FROM UOrder").toInt(), 10);
}

FLORIST_ON_EVERY_BACKEND(GuardedDecrementTest);

} // namespace
} // namespace florist
