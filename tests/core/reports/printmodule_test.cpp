#include "reports/printmodule.h"
#include "support/dbfixture.h"

namespace florist {
namespace {

using reports::HAlign;
using reports::Page;
using reports::VAlign;

enum class Style { Heading, Body, FootLeft, FootCentre };

// A box as the receipt must show it: position inside the margins and text. The margins put the
// 65 mm column in the middle of the 76 mm paper (5.5 mm left) and 5 mm from the top.
struct Box {
    double left;
    double top;
    double width;
    Style style;
    QString text;
};

std::string describe(const Page& page) {
    std::string out;
    for (const auto& item : page.items) {
        const QRectF& r = item.rectMm;
        out += QString("  %1,%2 %3x%4 %5px \"%6\"\n")
                   .arg(r.left())
                   .arg(r.top())
                   .arg(r.width())
                   .arg(r.height())
                   .arg(item.fontPx)
                   .arg(item.text)
                   .toStdString();
    }
    return out;
}

void expectBoxes(const Page& page, double paperHeight, const std::vector<Box>& boxes) {
    EXPECT_EQ(page.paperMm, QSizeF(76, paperHeight));
    EXPECT_EQ(page.marginsMm, QMarginsF(5.5, 5, 3, 3));
    ASSERT_EQ(page.items.size(), qsizetype(boxes.size())) << describe(page);
    QList<bool> used(page.items.size(), false);
    for (const Box& b : boxes) {
        const QRectF rect(b.left + 5.5, b.top + 5, b.width, 5);
        const bool heading = b.style == Style::Heading;
        const HAlign h = heading || b.style == Style::FootCentre ? HAlign::Center : HAlign::Left;
        const VAlign v = b.style == Style::FootCentre ? VAlign::Top : VAlign::Center;
        bool found = false;
        for (int i = 0; i < page.items.size() && !found; ++i) {
            const auto& item = page.items.at(i);
            if (!used[i] && item.text == b.text && item.rectMm == rect) {
                used[i] = found = true;
                EXPECT_EQ(item.fontPx, heading ? 16 : 12) << b.text.toStdString();
                EXPECT_EQ(item.hAlign, h) << b.text.toStdString();
                EXPECT_EQ(item.vAlign, v) << b.text.toStdString();
            }
        }
        EXPECT_TRUE(found) << "no box \"" << b.text.toStdString() << "\" at " << b.left << ","
                           << b.top << " " << b.width << " wide in\n"
                           << describe(page);
    }
}

std::vector<Box> withFooter(std::vector<Box> boxes, const QString& heading, double footerTop,
                            const QStringList& shop = {"0571-1234567", "花港路1号", "谢谢惠顾",
                                                       "鲜花传情"}) {
    boxes.push_back({0, 0, 65, Style::Heading, heading});
    boxes.push_back({0, footerTop, 65, Style::FootLeft, "电话：" + shop[0]});
    boxes.push_back({0, footerTop + 5, 65, Style::FootLeft, "地址：" + shop[1]});
    boxes.push_back({0, footerTop + 10, 65, Style::FootCentre, shop[2]});
    boxes.push_back({0, footerTop + 15, 65, Style::FootCentre, shop[3]});
    return boxes;
}

class PrintModuleTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        dmp_ = std::make_unique<PrintModule>(dm());
        dmp_->setPresenter([this](const Receipt& r) { shown_ << r; });
        db().exec("UPDATE SDept SET theName = ?, thePhone = ?, theAddress = ?, Remark = ?, "
                  "theGG = ?",
                  {"测试花店", "0571-1234567", "花港路1号", "谢谢惠顾", "鲜花传情"});
    }
    void TearDown() override {
        dmp_.reset();
        DbTest::TearDown();
    }

    void insertOrder(const QString& number, const QString& type, const QString& partner,
                     const QString& card) {
        db().exec("INSERT INTO UOrder (theNum, myDate, theType, AName, MNum, WName, theHX, M1, "
                  "M2, M3, M4, M5, M6, M7, M8, MType, theDX, theJDR, theHYS) "
                  "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)",
                  {number, "2024-05-01", type, partner, card, "总店", "玫瑰花束", 12.5, 95.5, 11.9,
                   10.0, 0.0, 21.9, 20.0, 1.9, "现金", "贰拾壹元玖角", "张三", "李四"});
    }
    const Receipt& lastShown() { return shown_.last(); }

    std::unique_ptr<PrintModule> dmp_;
    QList<Receipt> shown_;
};

TEST_P(PrintModuleTest, OrderReceiptPlacesEveryBox) {
    insertOrder("DD240501-0001", "单位", "春风花艺", "");
    dmp_->PrintDD_Pos("DD240501-0001");
    ASSERT_EQ(shown_.size(), 1);
    EXPECT_EQ(lastShown().title, "订单小票 DD240501-0001");
    EXPECT_TRUE(lastShown().found);
    using enum Style;
    // Two-decimal boxes write 12.5 as 12.50; the discount keeps its stored form.
    expectBoxes(lastShown().page, 85,
                withFooter({{0, 10, 30, Body, "日期：2024-05-01"},
                            {30, 10, 35, Body, "单号：DD240501-0001"},
                            {0, 15, 30, Body, "单位：春风花艺"},
                            {30, 15, 35, Body, "门店：总店"},
                            {0, 20, 30, Body, "品名：玫瑰花束"},
                            {30, 20, 35, Body, "单价：12.50"},
                            {0, 25, 30, Body, "折扣：95.5"},
                            {30, 25, 35, Body, "折后：11.90"},
                            {0, 30, 30, Body, "速递费：10.00"},
                            {30, 30, 35, Body, "代金券：0.00"},
                            {0, 35, 30, Body, "合计：21.90"},
                            {30, 35, 35, Body, "收款：20.00"},
                            {0, 40, 30, Body, "应收：1.90"},
                            {30, 40, 35, Body, "收款方式：现金"},
                            {0, 45, 65, Body, "大写：贰拾壹元玖角"},
                            {0, 50, 30, Body, "接待人：张三"},
                            {30, 50, 35, Body, "花艺师：李四"}},
                           "测试花店订单小票", 55));
}

TEST_P(PrintModuleTest, OrderCustomerLineJoinsTypePartnerAndCard) {
    struct Case {
        const char* type;
        const char* partner;
        const char* card;
        const char* line;
    };
    const Case cases[] = {
        {"会员", "", "M001", "会员：M001"},
        {"散客", "", "", "散客："},
        {"单位", "春风花艺", "M002", "单位：春风花艺M002"},
    };
    int n = 0;
    for (const Case& c : cases) {
        const QString number = QString("DD240501-%1").arg(++n, 4, 10, QChar('0'));
        insertOrder(number, c.type, c.partner, c.card);
        dmp_->PrintDD_Pos(number);
        const Page& page = lastShown().page;
        const auto it = std::find_if(page.items.begin(), page.items.end(), [](const auto& i) {
            return i.rectMm.topLeft() == QPointF(5.5, 20);
        });
        ASSERT_NE(it, page.items.end());
        EXPECT_EQ(it->text, QString(c.line));
    }
}

TEST_P(PrintModuleTest, TopUpReceiptPlacesEveryBox) {
    db().exec(
        "INSERT INTO UStore (theNum, myDate, MNum, WName, M1, M2, theDX, theSKR, MType) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {"CZ240501-0001", "2024-05-01", "M001", "总店", 12.5, 0.0, "壹拾贰元伍角", "王五", "微信"});
    dmp_->PrintCZ_Pos("CZ240501-0001");
    ASSERT_EQ(shown_.size(), 1);
    EXPECT_EQ(lastShown().title, "储值小票 CZ240501-0001");
    using enum Style;
    expectBoxes(lastShown().page, 65,
                withFooter({{0, 10, 30, Body, "日期：2024-05-01"},
                            {30, 10, 35, Body, "单号：CZ240501-0001"},
                            {0, 15, 30, Body, "卡号：M001"},
                            {30, 15, 35, Body, "门店：总店"},
                            {0, 20, 30, Body, "储值：12.50"},
                            {30, 20, 35, Body, "赠送：0.00"},
                            {0, 25, 65, Body, "大写：壹拾贰元伍角"},
                            {0, 30, 30, Body, "接待人：王五"},
                            {30, 30, 35, Body, "收款方式：微信"}},
                           "测试花店储值小票", 35));
}

TEST_P(PrintModuleTest, ExchangeReceiptPlacesEveryBox) {
    db().exec("INSERT INTO UExchange (theNum, myDate, MNum, WName, GName, thePrice, theCount, "
              "theJDR) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
              {"DH240501-0001", "2024-05-01", "M001", "总店", "小熊", 12.5, 2.0, "赵六"});
    dmp_->PrintDH_Pos("DH240501-0001");
    ASSERT_EQ(shown_.size(), 1);
    EXPECT_EQ(lastShown().title, "兑换小票 DH240501-0001");
    using enum Style;
    expectBoxes(lastShown().page, 60,
                withFooter({{0, 10, 30, Body, "日期：2024-05-01"},
                            {30, 10, 35, Body, "单号：DH240501-0001"},
                            {0, 15, 30, Body, "卡号：M001"},
                            {30, 15, 35, Body, "门店：总店"},
                            {0, 20, 30, Body, "礼品：小熊"},
                            {30, 20, 35, Body, "所需积分：12.50"},
                            {0, 25, 30, Body, "兑换数量：2.00"},
                            {30, 25, 35, Body, "接待人：赵六"}},
                           "测试花店兑换小票", 30));
}

TEST_P(PrintModuleTest, MissingTitleRowLeavesTheShopNameAlone) {
    const std::pair<ReceiptKind, int> kinds[] = {
        {ReceiptKind::Order, 1}, {ReceiptKind::TopUp, 2}, {ReceiptKind::Exchange, 3}};
    for (auto [kind, row] : kinds) {
        db().exec("DELETE FROM SDJ WHERE (ID = ?)", {row});
        const Page page = dmp_->build(kind, "X").page;
        ASSERT_FALSE(page.items.isEmpty());
        EXPECT_EQ(page.items.first().text, "测试花店") << row;
        EXPECT_EQ(page.items.first().rectMm, QRectF(5.5, 5, 65, 5)) << row;
    }
}

TEST_P(PrintModuleTest, UnknownNumberShowsTheFrameWithEmptyFields) {
    insertOrder("DD240501-0001", "会员", "", "M001");
    dmp_->PrintDD_Pos("DD240501-0001");
    // The page is built anew: nothing of the order printed before stays on it.
    dmp_->PrintDD_Pos("DD000000-9999");
    ASSERT_EQ(shown_.size(), 2);
    EXPECT_FALSE(lastShown().found);
    EXPECT_EQ(lastShown().title, "订单小票 DD000000-9999（未找到该单据）");
    using enum Style;
    expectBoxes(lastShown().page, 85,
                withFooter({{0, 10, 30, Body, "日期："},
                            {30, 10, 35, Body, "单号："},
                            {0, 15, 30, Body, "："},
                            {30, 15, 35, Body, "门店："},
                            {0, 20, 30, Body, "品名："},
                            {30, 20, 35, Body, "单价："},
                            {0, 25, 30, Body, "折扣："},
                            {30, 25, 35, Body, "折后："},
                            {0, 30, 30, Body, "速递费："},
                            {30, 30, 35, Body, "代金券："},
                            {0, 35, 30, Body, "合计："},
                            {30, 35, 35, Body, "收款："},
                            {0, 40, 30, Body, "应收："},
                            {30, 40, 35, Body, "收款方式："},
                            {0, 45, 65, Body, "大写："},
                            {0, 50, 30, Body, "接待人："},
                            {30, 50, 35, Body, "花艺师："}},
                           "测试花店订单小票", 55));
}

TEST_P(PrintModuleTest, ProviderErrorRaisesAndPresentsNothing) {
    const std::pair<ReceiptKind, const char*> kinds[] = {{ReceiptKind::Order, "UOrder"},
                                                         {ReceiptKind::TopUp, "UStore"},
                                                         {ReceiptKind::Exchange, "UExchange"}};
    for (auto [kind, table] : kinds) {
        db().exec(QString("DROP TABLE ") + table);
        try {
            dmp_->print(kind, "X");
            ADD_FAILURE() << "no error for " << table;
        } catch (const DbError& e) {
            EXPECT_TRUE(e.text().contains(table, Qt::CaseInsensitive)) << e.text().toStdString();
        }
    }
    db().exec("DROP TABLE SDept");
    EXPECT_THROW(dmp_->PrintDept(), DbError);
    EXPECT_TRUE(shown_.isEmpty());
}

TEST_P(PrintModuleTest, RowSourcesHoldWhatTheLastOperationLoaded) {
    dmp_->PrintDJ(2);
    ASSERT_EQ(dmp_->frxDB_DJ().size(), 1);
    EXPECT_EQ(dmp_->frxDB_DJ().text(0, "theName"), "储值小票");
    dmp_->PrintDept();
    EXPECT_EQ(dmp_->frxDB_Dept().text(0, "theName"), "测试花店");
    EXPECT_EQ(dmp_->objectName(), "frmDMP");
}

FLORIST_ON_EVERY_BACKEND(PrintModuleTest);

} // namespace
} // namespace florist
