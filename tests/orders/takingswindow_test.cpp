#include "core/db/datamodule.h"
#include "core/menu/menutable.h"
#include "orders/enclosurecard.h"
#include "orders/orderlistwindow.h"
#include "orders/orderregistrywindow.h"
#include "orders/takingswindow.h"
#include "reports/pagepainter.h"
#include "reports/printmodule.h"
#include "support/dbfixture.h"
#include "support/uitest.h"
#include "ui/helpwindow.h"
#include "ui/mainwindow.h"
#include "ui/search/searchwindow.h"

#include <QAction>
#include <QChartView>
#include <QDateEdit>
#include <QLabel>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBrowser>

namespace florist::orders {
namespace {

// The shop's day beyond the lists: the daily takings, the help, the delivery sheet and the card
// from the order lists, each shown through the print module's presenter.
class ShopDayWindowTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        savedLayout_ = qgetenv("FLORIST_LAYOUT_SETTINGS");
        qputenv("FLORIST_LAYOUT_SETTINGS", layout_.filePath("layout.ini").toUtf8());
        registerOrderWindows();
        registerOrderListWindows();
        ui::registerHelpWindow();
        print_ = std::make_unique<PrintModule>(dm());
        print_->setPresenter([this](const Receipt& r) { shown_ << r; });
        context_ = std::make_unique<ui::Context>(ui::Context{dm(), print_.get()});
        db().exec("INSERT INTO UOrder (theDate, theDel, theNum, WName, SH01, SH3, SH4, SH7, M6, "
                  "M8, theJK, DState, Remark) VALUES ('2025-03-01', '否', 'DD250301-0001', "
                  "'总店', '张三', '2025-03-01', '上午', '东城', 100, 20, '是', '未送', ?)",
                  {QString("生日快乐，天天开心").repeated(12)});
        db().exec("INSERT INTO UO_SK (theNum, theDate, theMoney, MType, theType, WName, theDel) "
                  "VALUES ('DD250301-0001', '2025-03-01', 80, '现金', '订单录入', '总店', '否')");
    }
    void TearDown() override {
        context_.reset();
        print_.reset();
        qputenv("FLORIST_LAYOUT_SETTINGS", savedLayout_);
        DbTest::TearDown();
    }
    template <class T> T* child(QWidget* root, const QString& text) {
        for (T* c : root->findChildren<T*>()) {
            if (c->text() == text) {
                return c;
            }
        }
        return nullptr;
    }

    QTemporaryDir layout_;
    QByteArray savedLayout_;
    std::unique_ptr<PrintModule> print_;
    std::unique_ptr<ui::Context> context_;
    QList<Receipt> shown_;
};

TEST_P(ShopDayWindowTest, MenuOpensTakingsAndHelp) {
    ui::MainWindow main(*context_);
    main.applyLogin({"0111"});
    main.openWindow(menuTable().at(1).entries.last());
    main.openWindow(menuTable().last().entries.first()); // 帮助 &H, shown without rights
    const QList<QMdiSubWindow*> subs = main.mdiArea()->subWindowList();
    ASSERT_EQ(subs.size(), 2);
    EXPECT_EQ(subs.at(0)->widget()->objectName(), "frmTakings");
    EXPECT_EQ(subs.at(0)->windowTitle(), "营业日报");
    auto* help = qobject_cast<ui::HelpWindow*>(subs.at(1)->widget());
    ASSERT_TRUE(help);
    EXPECT_EQ(help->objectName(), "frmHelp");
    // The guide from the resources, its sections listed beside it.
    EXPECT_TRUE(help->browser()->toPlainText().contains("首次登录与密码"));
    ASSERT_GE(help->contents()->count(), 9);
    EXPECT_EQ(help->contents()->item(0)->text(), "首次登录与密码");
    help->contents()->setCurrentRow(help->contents()->count() - 1);
    // The toolbar's 帮助 opens the same guide.
    for (QAction* a : main.toolbarActions()) {
        if (a->text() == "帮助") {
            a->trigger();
        }
    }
    ASSERT_EQ(main.mdiArea()->subWindowList().size(), 3);
    EXPECT_EQ(main.mdiArea()->subWindowList().at(2)->widget()->objectName(), "frmHelp");
}

TEST_P(ShopDayWindowTest, TakingsSearchShowsFiguresChartAndPrintsOnA4) {
    TakingsWindow w(*context_);
    w.fromField()->setDate(QDate(2025, 3, 1));
    w.toField()->setDate(QDate(2025, 3, 1));
    child<QPushButton>(&w, "查询")->click();
    ASSERT_EQ(w.linesGrid()->rowCount(), 2); // 现金, then 合计
    EXPECT_EQ(w.linesGrid()->item(0, 1)->text(), "现金");
    EXPECT_EQ(w.linesGrid()->item(1, 0)->text(), "合计");
    EXPECT_EQ(w.linesGrid()->item(1, 10)->text(), "80");
    EXPECT_EQ(w.daysGrid()->item(0, 1)->text(), "1");
    EXPECT_TRUE(w.summary()->text().contains("订单应收：20"));
    EXPECT_EQ(w.chart()->chart()->series().size(), 1);

    child<QPushButton>(&w, "打印 &P")->click();
    ASSERT_EQ(shown_.size(), 1);
    EXPECT_EQ(shown_.first().page.paperMm, QSizeF(210, 297));
    EXPECT_EQ(shown_.first().page.name, "营业日报");
}

TEST_P(ShopDayWindowTest, DeliverySheetAndCardFromTheNotDeliveredList) {
    std::unique_ptr<QWidget> owner(ui::WindowRegistry::find("frmOrder_WS")(*context_, nullptr));
    auto* w = qobject_cast<ui::SearchWindow*>(owner.get());
    ASSERT_TRUE(w);
    QPushButton* sheet = child<QPushButton>(w, "打印送货单");
    ASSERT_TRUE(sheet);
    EXPECT_FALSE(sheet->isEnabled()); // nothing listed before the first search
    child<QPushButton>(w, "查询")->click();
    sheet->click();
    QStringList captions;
    for (QAction* a : w->grid()->actions()) {
        captions << a->text();
        if (a->text() == "打印贺卡 &K") {
            a->trigger();
        }
    }
    EXPECT_TRUE(captions.contains("打印送货单 &S"));
    ASSERT_EQ(shown_.size(), 2);
    EXPECT_EQ(shown_.at(0).page.name, "送货单");
    EXPECT_EQ(shown_.at(1).page.name, "贺卡");
    EXPECT_EQ(shown_.at(1).page.paperMm, QSizeF(90, 54));
    ASSERT_TRUE(bool(shown_.at(1).refit));
    // Another size chosen in page set-up lays the card out again and is remembered.
    const Receipt wider = shown_.at(1).refit(QSizeF(100, 70));
    EXPECT_EQ(wider.page.paperMm, QSizeF(100, 70));
    EXPECT_EQ(cardPaper(), QSizeF(100, 70));
}

FLORIST_ON_EVERY_BACKEND(ShopDayWindowTest);

// Ink outside the rectangle (in pixels) of a rendered page.
bool inkOutside(const QImage& image, const QRect& box) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (!box.contains(x, y) && qGray(image.pixel(x, y)) < 200) {
                return true;
            }
        }
    }
    return false;
}

TEST(EnclosureCard, MessageShrinksToFitWholeAndTheSenderStandsBelow) {
    constexpr int dpi = 150;
    const double px = dpi / 25.4;
    struct Case {
        QString message;
        QString sender;
        bool shrinks;
    };
    const QList<Case> cases = {
        {"生日快乐", "张三", false},
        {QString("愿你的每一天都像这束花一样灿烂美好，").repeated(8), "张三", true},
        {QString("LongWordWithoutAnyBreak").repeated(6), "", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.left(10).toStdString());
        const reports::Page page = enclosureCardPage(c.message, c.sender, QSizeF(90, 54));
        ASSERT_EQ(page.items.size(), c.sender.isEmpty() ? 1 : 2);
        const reports::PlacedText& text = page.items.first();
        QImage probe(10, 10, QImage::Format_RGB32);
        probe.setDotsPerMeterX(qRound(dpi / 0.0254));
        probe.setDotsPerMeterY(qRound(dpi / 0.0254));
        const double fitted = reports::fittedFontPx(text, &probe);
        EXPECT_EQ(fitted < text.fontPx, c.shrinks);

        // Nothing drawn outside the message's box and the sender's line: never cut off, never
        // running past the card.
        reports::Page messageOnly = page;
        messageOnly.items = {text};
        const QImage image = reports::renderPage(messageOnly, dpi);
        const QRectF r = text.rectMm;
        const QRect box(qFloor(r.left() * px) - 1, qFloor(r.top() * px) - 1,
                        qCeil(r.width() * px) + 2, qCeil(r.height() * px) + 2);
        EXPECT_FALSE(inkOutside(image, box));
        EXPECT_TRUE(inkOutside(image, QRect())); // the message is drawn at all
        if (!c.sender.isEmpty()) {
            EXPECT_EQ(page.items.at(1).text, c.sender);
            EXPECT_GE(page.items.at(1).rectMm.top(), r.bottom());
        }
    }
}

} // namespace
} // namespace florist::orders
