#include "stock/stockdocument.h"

#include "core/db/datamodule.h"
#include "core/formoutcome.h"
#include "core/save/savefixture.h"
#include "stock/stockfixture.h"
#include "support/allornothing.h"

#include <atomic>
#include <thread>

namespace florist::stock {
namespace {

using test::StockRows;

class StockDocumentTest : public test::DbTest {
protected:
    StockDocument document(DocumentKind kind, qlonglong partner = 0) {
        StockDocument d;
        d.kind = kind;
        d.date = "2025-02-28";
        d.partnerId = partner;
        d.store = "总店";
        d.paymentMethod = "现金";
        d.person = "小王";
        d.preparer = "小李";
        d.remark = "备注'一";
        d.lines = QList<DocumentLine>(kLineCount);
        return d;
    }
    QStringList rows(const QString& sql, const QVariantList& params = {}) {
        QStringList out;
        const ResultSet r = db().select(sql, params);
        for (const QVariantList& row : r.rows()) {
            QStringList cells;
            for (const QVariant& v : row) {
                cells << displayText(v);
            }
            out << cells.join("|");
        }
        return out;
    }
};

// Three filled lines with an empty one between: three lots in line order at the purchase
// prices, the catalogue left at the later price of the twice-bought material, and the unpaid
// part on the supplier's payable, whatever was paid.
TEST_P(StockDocumentTest, PurchaseCreatesALotPerLineAndOwesTheUnpaidPart) {
    struct Case {
        const char* paid;
        double payable; // change of the supplier's payable
        double headerPaid;
    };
    // Total 3 × 2 + 1 × 2.5 + 2 × 4 = 16.5.
    const Case cases[] = {{"", 16.5, 0}, {"16.5", 0, 16.5}, {"10", 6.5, 10}, {"20", -3.5, 20}};
    int n = 0;
    for (const Case& c : cases) {
        const qlonglong rose = StockRows::material(db(), "H001", "玫瑰", 1, 9);
        const qlonglong lily = StockRows::material(db(), "H002", "百合", 1, 9);
        const qlonglong supplier = StockRows::partner(db(), "供应商", "花农", 0, 100);
        StockDocument d = document(DocumentKind::Purchase, supplier);
        d.lines[0] = StockRows::line(db(), rose, "3", "2");
        d.lines[2] = StockRows::line(db(), lily, "1", "2.5");
        d.lines[3] = StockRows::line(db(), rose, "2", "4");
        d.paid = c.paid;
        const DocumentSaveResult r = saveDocument(dm(), d);
        ASSERT_TRUE(r.done) << r.message.toStdString();
        EXPECT_EQ(r.message, "恭喜！恭喜！ 花材采购 保存成功！");
        EXPECT_EQ(r.number, QString("CG250301-000%1").arg(++n));
        EXPECT_EQ(rows("SELECT WName, CGNum, HCID, theCount, thePrice, myDate FROM UHCKC WHERE "
                       "(CGNum = ?) ORDER BY ID",
                       {r.number}),
                  QStringList({QString("总店|%1|%2|3|2|2025-02-28").arg(r.number).arg(rose),
                               QString("总店|%1|%2|1|2.5|2025-02-28").arg(r.number).arg(lily),
                               QString("总店|%1|%2|2|4|2025-02-28").arg(r.number).arg(rose)}));
        EXPECT_EQ(rows("SELECT HCID, theCount, thePrice FROM UCG_List WHERE (theNum = ?) ORDER BY "
                       "ID",
                       {r.number}),
                  QStringList({QString("%1|3|2").arg(rose), QString("%1|1|2.5").arg(lily),
                               QString("%1|2|4").arg(rose)}));
        EXPECT_EQ(StockRows::value(db(), "UHC", "theCG", rose), 4);
        EXPECT_EQ(StockRows::value(db(), "UHC", "theCG", lily), 2.5);
        EXPECT_EQ(StockRows::value(db(), "UHC", "theXS", rose), 9);
        EXPECT_DOUBLE_EQ(StockRows::value(db(), "UWL", "theYF", supplier), 100 + c.payable)
            << c.paid;
        EXPECT_EQ(rows("SELECT theDate, UName, theDel, myDate, WID, WName, theMoney, MType, "
                       "theFKR, theZDR, Remark, theDX, theCount, theFK, theYF FROM UCG WHERE "
                       "(theNum = ?)",
                       {r.number}),
                  QStringList(QString("2025-03-01|admin|否|2025-02-28|%1|总店|16.5|现金|小王|小李|"
                                      "备注'一|%2|6|%3|%4")
                                  .arg(supplier)
                                  .arg(dm().NumToChar(16.5), QString::number(c.headerPaid),
                                       QString::number(c.payable))));
    }
}

// An outgoing document may empty a lot but never take more than it holds; the sale also moves
// the customer's receivable and the catalogue's sale price.
TEST_P(StockDocumentTest, OutgoingDocumentsTakeFromTheirLots) {
    for (DocumentKind kind :
         {DocumentKind::Requisition, DocumentKind::Damage, DocumentKind::Sale}) {
        const DocumentConfig& c = documentConfig(kind);
        const qlonglong rose = StockRows::material(db(), "H001", "玫瑰", 2, 5);
        const qlonglong lot = StockRows::lot(db(), rose, 4, 2);
        const qlonglong customer = StockRows::partner(db(), "客户", "酒店", 10, 0);
        StockDocument d = document(kind, c.hasPartner ? customer : 0);
        d.lines[1] = StockRows::line(db(), rose, "5", c.hasPartner ? "6" : "2", lot);
        d.paid = "20";
        const QStringList before = test::databaseSnapshot(db());
        DocumentSaveResult r = saveDocument(dm(), d);
        EXPECT_FALSE(r.done);
        EXPECT_EQ(r.message, "H001 玫瑰 库存不足！");
        EXPECT_EQ(r.focus, DocumentFocus::Quantity);
        EXPECT_EQ(r.line, 1);
        EXPECT_EQ(test::databaseSnapshot(db()), before);

        d.lines[1].quantity = "4";
        r = saveDocument(dm(), d);
        ASSERT_TRUE(r.done) << r.message.toStdString();
        EXPECT_EQ(r.message, savedMessage(c.subject));
        EXPECT_TRUE(r.number.startsWith(c.prefix + "250301-"));
        EXPECT_EQ(StockRows::value(db(), "UHCKC", "theCount", lot), 0);
        EXPECT_EQ(rows("SELECT theNum, HCID, theCount, thePrice FROM " + c.lineTable +
                           " WHERE (theNum = ?)",
                       {r.number}),
                  QStringList(QString("%1|%2|4|%3").arg(r.number).arg(rose).arg(d.lines[1].price)));
        EXPECT_EQ(
            db().scalar("SELECT theMoney FROM " + c.header + " WHERE (theNum = ?)", {r.number})
                .toDouble(),
            c.hasPartner ? 24 : 8);
        if (c.hasPartner) {
            EXPECT_EQ(StockRows::value(db(), "UHC", "theXS", rose), 6);
            EXPECT_EQ(StockRows::value(db(), "UWL", "theYS", customer), 10 + 24 - 20);
        } else {
            EXPECT_EQ(StockRows::value(db(), "UHC", "theXS", rose), 5);
            EXPECT_EQ(StockRows::value(db(), "UWL", "theYS", customer), 10);
        }
        EXPECT_EQ(StockRows::value(db(), "UHC", "theCG", rose), 2);
    }
}

// The lot was picked with 5 in it; another station took 4 before this save: the save checks
// the lot as it is now, names the line and writes nothing.
TEST_P(StockDocumentTest, ALotEmptiedSincePickingRefusesTheSave) {
    const qlonglong rose = StockRows::material(db(), "H001", "玫瑰", 2, 5);
    const qlonglong lily = StockRows::material(db(), "H002", "百合", 2, 5);
    const qlonglong lilyLot = StockRows::lot(db(), lily, 9, 2);
    const qlonglong roseLot = StockRows::lot(db(), rose, 5, 2);
    StockDocument d = document(DocumentKind::Requisition);
    d.lines[0] = StockRows::line(db(), lily, "3", "2", lilyLot);
    d.lines[4] = StockRows::line(db(), rose, "2", "2", roseLot);
    db().exec("UPDATE UHCKC SET theCount = 1 WHERE (ID = ?)", {roseLot});
    const QStringList before = test::databaseSnapshot(db());
    const DocumentSaveResult r = saveDocument(dm(), d);
    EXPECT_FALSE(r.done);
    EXPECT_EQ(r.message, "H001 玫瑰 库存不足！");
    EXPECT_EQ(r.line, 4);
    EXPECT_EQ(r.focus, DocumentFocus::Quantity);
    EXPECT_EQ(test::databaseSnapshot(db()), before);
}

// The checks come in order, each stopping the save before anything is written.
TEST_P(StockDocumentTest, ChecksRefuseBeforeWriting) {
    const qlonglong rose = StockRows::material(db(), "H001", "玫瑰", 2, 5);
    const qlonglong lot = StockRows::lot(db(), rose, 10, 2);
    const qlonglong supplier = StockRows::partner(db(), "供应商", "花农");
    struct Case {
        DocumentKind kind;
        bool partner;
        bool line;
        const char* quantity;
        const char* price;
        const char* paid;
        QString remark;
        const char* message;
        DocumentFocus focus;
    };
    const QString longRemark(51, QChar(0x82b1));
    const Case cases[] = {
        {DocumentKind::Purchase, false, true, "1", "2", "", "", "供应商 不能为空，请重新选择！",
         DocumentFocus::Partner},
        {DocumentKind::Sale, false, true, "1", "2", "", "", "客户 不能为空，请重新选择！",
         DocumentFocus::Partner},
        {DocumentKind::Purchase, true, false, "1", "2", "", "", "花材信息 不能为空！请重新选择！",
         DocumentFocus::Grid},
        {DocumentKind::Damage, false, false, "1", "2", "", "", "花材信息 不能为空！请重新选择！",
         DocumentFocus::Grid},
        {DocumentKind::Purchase, true, true, "1.5", "2", "", "",
         "H001 玫瑰 数量 不是有效的数字，请重新录入！", DocumentFocus::Quantity},
        {DocumentKind::Requisition, false, true, "-1", "2", "", "",
         "H001 玫瑰 数量 不是有效的数字，请重新录入！", DocumentFocus::Quantity},
        {DocumentKind::Sale, true, true, "1", "2..5", "", "",
         "H001 玫瑰 单价 不是有效的数字，请重新录入！", DocumentFocus::Price},
        {DocumentKind::Purchase, true, true, "1", "2", "1.2.3", "",
         "付款金额 不是有效的数字，请重新录入！", DocumentFocus::Paid},
        {DocumentKind::Sale, true, true, "1", "2", "12345678901", "",
         "收款金额 超过 10 个字节，请重新录入！", DocumentFocus::Paid},
        {DocumentKind::Requisition, false, true, "1", "2", "", longRemark,
         "备注 超过 100 个字节，请重新录入！", DocumentFocus::Remark},
    };
    const QStringList before = test::databaseSnapshot(db());
    for (const Case& c : cases) {
        StockDocument d = document(c.kind, c.partner ? supplier : 0);
        if (c.line) {
            d.lines[2] = StockRows::line(db(), rose, c.quantity, c.price,
                                         documentConfig(c.kind).takesLots ? lot : 0);
        }
        d.paid = c.paid;
        d.remark = c.remark;
        const DocumentSaveResult r = saveDocument(dm(), d);
        EXPECT_FALSE(r.done);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.focus, c.focus) << c.message;
    }
    // A line remark pasted past its cell's limit (the line table would refuse a long one on a
    // server) is named with its line.
    StockDocument d = document(DocumentKind::Purchase, supplier);
    d.lines[4] = StockRows::line(db(), rose, "1", "2");
    d.lines[4].remark = QString(201, QChar(0x82b1));
    const DocumentSaveResult r = saveDocument(dm(), d);
    EXPECT_EQ(r.message, "H001 玫瑰 备注 超过 100 个字节，请重新录入！");
    EXPECT_EQ(r.focus, DocumentFocus::LineRemark);
    EXPECT_EQ(r.line, 4);
    EXPECT_EQ(test::databaseSnapshot(db()), before);
}

// A fault at any statement of any of the four saves leaves the database as it was.
TEST_P(StockDocumentTest, EverySaveIsWholeOrNothing) {
    const qlonglong rose = StockRows::material(db(), "H001", "玫瑰", 2, 5);
    const qlonglong lily = StockRows::material(db(), "H002", "百合", 2, 5);
    const qlonglong roseLot = StockRows::lot(db(), rose, 100, 2);
    const qlonglong lilyLot = StockRows::lot(db(), lily, 100, 2);
    const qlonglong partner = StockRows::partner(db(), "其他", "花市");
    for (DocumentKind kind : allDocumentKinds()) {
        const bool out = documentConfig(kind).takesLots;
        StockDocument d = document(kind, partner);
        d.lines[0] = StockRows::line(db(), rose, "2", "3", out ? roseLot : 0);
        d.lines[1] = StockRows::line(db(), lily, "1", "4", out ? lilyLot : 0);
        d.paid = "1";
        const int sent = test::expectAllOrNothing(db(), [&] {
            const DocumentSaveResult r = saveDocument(dm(), d);
            EXPECT_TRUE(r.done) << r.message.toStdString();
        });
        // Begin, number, per line two or three statements, balance, header, commit.
        EXPECT_GE(sent, 7);
    }
}

// Two stations take from one lot of 10 at once, one at a time each: every take is checked on
// the lot as it is then, so exactly ten pass, the lot ends at 0 and every number differs.
TEST_P(StockDocumentTest, TwoStationsCannotOverdrawALot) {
    test::TwoStations st(db());
    const qlonglong rose = StockRows::material(*st.a, "H001", "玫瑰", 2, 5);
    const qlonglong lot = StockRows::lot(*st.a, rose, 10, 2);
    const ConnectionSettings settings = test::TwoStations::settingsOf(*st.a);
    std::atomic<int> saved{0};
    std::atomic<int> refused{0};
    std::atomic<int> other{0};
    auto station = [&](DocumentKind kind) {
        auto own = std::make_unique<Database>(settings);
        own->open();
        DataModule dm(std::move(own));
        dm.login().currentUser = "admin";
        dm.login().businessDate = "2025-03-01";
        StockDocument d = document(kind);
        d.lines[0] = StockRows::line(dm.db(), rose, "1", "2", lot);
        d.lines[0].lotQuantity = 10; // as picked, before the other station took anything
        for (int i = 0; i < 8; ++i) {
            try {
                const DocumentSaveResult r = saveDocument(dm, d);
                (r.done ? saved : refused)++;
            } catch (const Failure&) {
                ++other;
            }
        }
    };
    std::thread one(station, DocumentKind::Requisition);
    std::thread two(station, DocumentKind::Requisition);
    one.join();
    two.join();
    EXPECT_EQ(saved, 10);
    EXPECT_EQ(refused, 6);
    EXPECT_EQ(other, 0);
    EXPECT_EQ(StockRows::value(*st.a, "UHCKC", "theCount", lot), 0);
    EXPECT_EQ(st.a->scalar("SELECT COUNT(DISTINCT theNum) FROM ULY").toInt(), 10);
    EXPECT_EQ(st.a->scalar("SELECT SUM(theCount) FROM ULY_List").toInt(), 10);
}

// The lot search: lots above 0 of the document's store, without the lots already on a line and
// without deleted materials, a typed "%" found as such.
TEST_P(StockDocumentTest, LotSearchFindsWhatALineMayTake) {
    const qlonglong rose = StockRows::material(db(), "H001", "玫瑰", 2, 5);
    const qlonglong pct = StockRows::material(db(), "H%2", "百合", 3, 6);
    const qlonglong gone = StockRows::material(db(), "H003", "玫瑰红", 2, 5);
    db().exec("UPDATE UHC SET theDel = '是' WHERE (ID = ?)", {gone});
    const qlonglong a = StockRows::lot(db(), rose, 3, 2);
    const qlonglong b = StockRows::lot(db(), rose, 4, 2.5);
    StockRows::lot(db(), rose, 0, 2);
    StockRows::lot(db(), rose, 5, 2, "分店");
    StockRows::lot(db(), gone, 5, 2);
    const qlonglong c = StockRows::lot(db(), pct, 1, 3);

    const ResultSet all = lotSearch(db(), DocumentKind::Requisition, "总店", {}, "");
    EXPECT_EQ(all.size(), 3);
    const ResultSet left = lotSearch(db(), DocumentKind::Sale, "总店", {a, c}, "");
    ASSERT_EQ(left.size(), 1);
    EXPECT_EQ(left.value(0, "ID").toLongLong(), b);
    EXPECT_EQ(left.value(0, "销售单价").toDouble(), 5);
    const DocumentLine sold = lineFromLot(DocumentKind::Sale, {{"ID", b},
                                                               {"HCID", rose},
                                                               {"花材编号", "H001"},
                                                               {"花材名称", "玫瑰"},
                                                               {"库存数量", 4},
                                                               {"销售单价", 5}});
    EXPECT_EQ(sold.price, "5");
    EXPECT_EQ(sold.quantity, "1");
    EXPECT_EQ(sold.lotQuantity, 4);
    const ResultSet byNumber = lotSearch(db(), DocumentKind::Damage, "总店", {}, "%");
    ASSERT_EQ(byNumber.size(), 1);
    EXPECT_EQ(byNumber.value(0, "采购单价").toDouble(), 3);
}

TEST(StockDocumentLines, AmountsAndTotals) {
    QList<DocumentLine> lines(4);
    lines[0].materialId = 1;
    lines[0].quantity = "3";
    lines[0].price = "0.1";
    lines[1].quantity = "100"; // no material: not counted
    lines[1].price = "1";
    lines[3].materialId = 2;
    lines[3].quantity = "";
    lines[3].price = "5";
    EXPECT_EQ(amountText(lineAmount(lines[0])), "0.3");
    EXPECT_EQ(amountText(lineAmount(lines[3])), "0");
    const DocumentTotals t = documentTotals(lines);
    EXPECT_EQ(t.quantity, 3);
    EXPECT_EQ(amountText(t.amount), "0.3");
    EXPECT_EQ(amountText(123456.5), "123456.5");
}

FLORIST_ON_EVERY_BACKEND(StockDocumentTest);

} // namespace
} // namespace florist::stock
