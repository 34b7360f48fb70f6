#include "partners/partnerpayment.h"

#include "core/db/datamodule.h"
#include "core/save/savefixture.h"
#include "core/search/searchresult.h"
#include "stock/stockfixture.h"
#include "support/allornothing.h"

#include <thread>

namespace florist::partners {
namespace {

using test::StockRows;

class PartnerPaymentTest : public test::DbTest {
protected:
    PaymentValues values(qlonglong partner, const QString& amount) {
        PaymentValues v;
        v.date = "2025-02-27";
        v.partnerId = partner;
        v.amount = amount;
        v.method = "现金";
        v.person = "小王";
        v.preparer = "小李";
        v.remark = "月结";
        return v;
    }
};

// A collection lowers the receivable, a payment the payable, below zero too; deleting either
// gives its amount back to the partner it names, also when that partner was deleted since, and
// a second delete of the same row gives nothing.
TEST_P(PartnerPaymentTest, SaveMovesTheBalanceAndDeleteGivesItBack) {
    struct Case {
        Direction direction;
        const char* column;
        const char* prefix;
    };
    for (const Case& c :
         {Case{Direction::Collection, "theYS", "SK"}, Case{Direction::Payment, "theYF", "FK"}}) {
        const PaymentConfig& cfg = paymentConfig(c.direction);
        const qlonglong partner = StockRows::partner(db(), "其他", "花市", 80, 80);
        const qlonglong other = StockRows::partner(db(), "其他", "花市二", 80, 80);
        const PaymentSaveResult r = savePayment(dm(), c.direction, values(partner, "100"));
        ASSERT_TRUE(r.done) << r.message.toStdString();
        EXPECT_EQ(r.message, "恭喜！恭喜！ " + cfg.subject + " 保存成功！");
        EXPECT_EQ(r.number, QString(c.prefix) + "250301-0001");
        EXPECT_EQ(StockRows::value(db(), "UWL", c.column, partner), -20);
        const ResultSet row =
            db().select("SELECT theDate, UName, theDel, myDate, WID, WName, theMoney, MType, " +
                            cfg.personColumn + ", theZDR, Remark, theDX, ID FROM " + cfg.table +
                            " WHERE (theNum = ?)",
                        {r.number});
        ASSERT_EQ(row.size(), 1);
        QStringList cells;
        for (int i = 0; i < 12; ++i) {
            cells << displayText(row.value(0, i));
        }
        EXPECT_EQ(cells, QStringList({"2025-03-01", "admin", "否", "2025-02-27",
                                      QString::number(partner), "总店", "100", "现金", "小王",
                                      "小李", "月结", dm().NumToChar(100)}));
        const qlonglong id = row.value(0, "ID").toLongLong();
        db().exec("UPDATE UWL SET theDel = '是' WHERE (ID = ?)", {partner});
        EXPECT_TRUE(deletePayment(dm(), c.direction, id));
        EXPECT_EQ(StockRows::value(db(), "UWL", c.column, partner), 80);
        EXPECT_EQ(StockRows::value(db(), "UWL", c.column, other), 80);
        EXPECT_EQ(db().scalar("SELECT theDel FROM " + cfg.table + " WHERE (ID = ?)", {id}), "是");
        EXPECT_FALSE(deletePayment(dm(), c.direction, id));
        EXPECT_EQ(StockRows::value(db(), "UWL", c.column, partner), 80);
    }
}

TEST_P(PartnerPaymentTest, ChecksComeInOrderAndWriteNothing) {
    const qlonglong partner = StockRows::partner(db(), "客户", "酒店", 80, 0);
    struct Case {
        Direction direction;
        qlonglong partner;
        QString amount;
        QString remark;
        QString message;
        PaymentFocus focus;
    };
    const Case cases[] = {
        {Direction::Collection, 0, "5", "", "客户 不能为空，请重新选择！", PaymentFocus::Partner},
        {Direction::Payment, 0, "", "", "供应商 不能为空，请重新选择！", PaymentFocus::Partner},
        {Direction::Collection, partner, "", "", "收款金额 不能为空，请重新录入！",
         PaymentFocus::Amount},
        {Direction::Payment, partner, "0", "", "付款金额 不能为零，请重新录入！",
         PaymentFocus::Amount},
        {Direction::Collection, partner, "1..2", "", "收款金额 不是有效的数字，请重新录入！",
         PaymentFocus::Amount},
        {Direction::Payment, partner, "-5", "", "付款金额 不是有效的数字，请重新录入！",
         PaymentFocus::Amount},
        {Direction::Collection, partner, "12345678901", "", "收款金额 超过 10 个字节，请重新录入！",
         PaymentFocus::Amount},
        {Direction::Collection, partner, "5", QString(51, QChar(0x82b1)),
         "备注 超过 100 个字节，请重新录入！", PaymentFocus::Remark},
    };
    const QStringList before = test::databaseSnapshot(db());
    for (const Case& c : cases) {
        PaymentValues v = values(c.partner, c.amount);
        v.remark = c.remark;
        const PaymentSaveResult r = savePayment(dm(), c.direction, v);
        EXPECT_FALSE(r.done);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.focus, c.focus) << c.message.toStdString();
    }
    EXPECT_EQ(test::databaseSnapshot(db()), before);
    // "0.0" is not the text "0": it passes and is saved as a zero amount.
    EXPECT_TRUE(savePayment(dm(), Direction::Collection, values(partner, "0.0")).done);
    EXPECT_EQ(StockRows::value(db(), "UWL", "theYS", partner), 80);
}

TEST_P(PartnerPaymentTest, SaveAndDeleteAreWholeOrNothing) {
    const qlonglong partner = StockRows::partner(db(), "客户", "酒店", 80, 80);
    for (Direction d : {Direction::Collection, Direction::Payment}) {
        test::expectAllOrNothing(
            db(), [&] { EXPECT_TRUE(savePayment(dm(), d, values(partner, "12.5")).done); });
        const qlonglong id =
            db().scalar("SELECT MAX(ID) FROM " + paymentConfig(d).table).toLongLong();
        test::expectAllOrNothing(db(), [&] { EXPECT_TRUE(deletePayment(dm(), d, id)); });
    }
    EXPECT_EQ(StockRows::value(db(), "UWL", "theYS", partner), 80);
    EXPECT_EQ(StockRows::value(db(), "UWL", "theYF", partner), 80);
}

// Two stations saving collections at once never share a number.
TEST_P(PartnerPaymentTest, NumbersStayUniqueAcrossStations) {
    test::TwoStations st(db());
    const qlonglong partner = StockRows::partner(*st.a, "客户", "酒店");
    const ConnectionSettings settings = test::TwoStations::settingsOf(*st.a);
    auto station = [&] {
        auto own = std::make_unique<Database>(settings);
        own->open();
        DataModule dm(std::move(own));
        dm.login().currentUser = "admin";
        dm.login().currentStore = "总店";
        dm.login().businessDate = "2025-03-01";
        for (int i = 0; i < 6; ++i) {
            EXPECT_TRUE(savePayment(dm, Direction::Collection, values(partner, "1")).done);
        }
    };
    std::thread one(station);
    std::thread two(station);
    one.join();
    two.join();
    EXPECT_EQ(st.a->scalar("SELECT COUNT(DISTINCT theNum) FROM USK").toInt(), 12);
    EXPECT_EQ(StockRows::value(*st.a, "UWL", "theYS", partner), -12);
}

// The lists read the view with the kept filter: deleted documents leave the rows and the total.
TEST_P(PartnerPaymentTest, ListsShowLiveDocumentsWithTheirTotal) {
    const qlonglong partner = StockRows::partner(db(), "客户", "酒店");
    for (const char* amount : {"10", "2.5", "7"}) {
        ASSERT_TRUE(savePayment(dm(), Direction::Collection, values(partner, amount)).done);
    }
    deletePayment(dm(), Direction::Collection, db().scalar("SELECT MAX(ID) FROM USK").toLongLong());
    const search::SearchDescriptor s = paymentListSpec(Direction::Collection, true, "总店");
    QList<search::ConditionInput> in(s.conditions.size());
    in[2].ticked = true;
    in[2].from = QDate(2025, 2, 27);
    in[2].to = QDate(2025, 2, 27);
    const search::Term filter = search::buildFilter(s, in, db().dialect());
    const ResultSet rows = db().select("SELECT " + search::selectList(s) + " " +
                                           search::whereHead(s) + filter.text + "ORDER BY ID DESC ",
                                       filter.params);
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows.text(0, "客户名称"), "酒店");
    EXPECT_EQ(rows.text(0, "收款金额"), "2.5");
    const search::Totals t = search::readTotals(db(), s, filter);
    EXPECT_EQ(search::totalsLines(s, t), QStringList({"收款数量：2", "收款金额：12.5"}));
    in[2].from = QDate(2025, 2, 28);
    in[2].to = QDate(2025, 3, 1);
    EXPECT_EQ(search::totalsLines(
                  s, search::readTotals(db(), s, search::buildFilter(s, in, db().dialect()))),
              QStringList({"收款数量：0", "收款金额：0"}));
}

FLORIST_ON_EVERY_BACKEND(PartnerPaymentTest);

} // namespace
} // namespace florist::partners
