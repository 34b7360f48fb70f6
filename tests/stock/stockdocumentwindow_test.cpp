#include "stock/stockdocumentwindow.h"

#include "app/windows.h"
#include "core/db/datamodule.h"
#include "core/menu/menutable.h"
#include "stock/stockfixture.h"
#include "support/dbfixture.h"
#include "support/uitest.h"
#include "ui/finddialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTableView>
#include <QTest>

namespace florist::stock {
namespace {

using test::StockRows;
using Col = DocumentGridWidget::Column;

class StockDocumentWindowTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        context_ = std::make_unique<ui::Context>(ui::Context{dm()});
        registerStockDocumentWindows();
        rose_ = StockRows::material(db(), "H001", "玫瑰", 2, 5);
        lily_ = StockRows::material(db(), "H002", "百合", 3, 8);
    }
    void TearDown() override {
        ui::FindDialog::setRunner({});
        window_.reset();
        context_.reset();
        DbTest::TearDown();
    }
    StockDocumentWindow* open(DocumentKind kind) {
        QWidget* w = ui::WindowRegistry::find(documentConfig(kind).window)(*context_, nullptr);
        window_.reset(qobject_cast<StockDocumentWindow*>(w));
        return window_.get();
    }
    QLineEdit* field(const QString& name) {
        return test::findByName<QLineEdit>(window_.get(), name);
    }
    // "验证信息" and the money group both hold "应付金额" / "应收金额".
    QLineEdit* money(const QString& name) {
        return test::findByName<QLineEdit>(test::findByName<QGroupBox>(window_.get(), "grpMoney"),
                                           name);
    }
    void enter(QWidget* w) { QTest::keyClick(w, Qt::Key_Return); }

    std::unique_ptr<ui::Context> context_;
    std::unique_ptr<StockDocumentWindow> window_;
    qlonglong rose_ = 0;
    qlonglong lily_ = 0;
};

TEST_P(StockDocumentWindowTest, EachDocumentOpensWithItsNamesAndGroups) {
    struct Case {
        DocumentKind kind;
        const char* caption;
        QStringList groups;
    };
    const Case cases[] = {
        {DocumentKind::Purchase,
         "花材采购录入",
         {"供应商信息", "验证信息", "花材信息", "付款信息"}},
        {DocumentKind::Requisition, "花材领用录入", {"领用信息", "花材信息"}},
        {DocumentKind::Damage, "报损录入", {"报损信息", "花材信息"}},
        {DocumentKind::Sale, "花材销售录入", {"客户信息", "验证信息", "花材信息", "收款信息"}},
    };
    for (const Case& c : cases) {
        StockDocumentWindow* w = open(c.kind);
        EXPECT_EQ(w->windowTitle(), c.caption);
        QStringList groups;
        for (QGroupBox* g : w->findChildren<QGroupBox*>()) {
            groups << g->title();
        }
        groups.sort();
        QStringList expected = c.groups;
        expected.sort();
        EXPECT_EQ(groups, expected);
        EXPECT_EQ(w->grid()->rowCount(), 99);
        EXPECT_EQ(w->grid()->cellText(98, Col::No), "@99");
        EXPECT_LE(w->sizeHint().height(), 740);
    }
}

// A purchase from the keyboard: the supplier by Enter, a material by Enter on its line, the
// cursor moving on, the totals following every key, the amount paid typed last.
TEST_P(StockDocumentWindowTest, PurchaseFromTheKeyboard) {
    const qlonglong supplier = StockRows::partner(db(), "供应商", "青山花农", 0, 10);
    StockRows::partner(db(), "客户", "青山酒店");
    test::PromptRecorder prompts;
    StockDocumentWindow* w = open(DocumentKind::Purchase);
    w->show();
    ASSERT_TRUE(w->save() == false);
    EXPECT_EQ(prompts.last(), "供应商 不能为空，请重新选择！");
    test::typeText(field("供应商"), "青山");
    enter(field("供应商"));
    EXPECT_EQ(w->partnerId(), supplier);
    EXPECT_EQ(field("单位名称")->text(), "青山花农");
    EXPECT_EQ(field("应付金额")->text(), "10");

    DocumentGridWidget* g = w->grid();
    g->setCellText(0, Col::Number, "H001");
    g->setCurrentCell(0, Col::Number);
    enter(g);
    EXPECT_EQ(g->cellText(0, Col::Name), "玫瑰");
    EXPECT_EQ(g->cellText(0, Col::Quantity), "1");
    EXPECT_EQ(g->cellText(0, Col::Price), "2");
    EXPECT_EQ(g->currentColumn(), Col::Quantity);
    g->setCellText(0, Col::Quantity, "12");
    EXPECT_EQ(g->cellText(0, Col::Amount), "24");
    enter(g);
    EXPECT_EQ(g->currentColumn(), Col::Price);
    g->setCellText(0, Col::Price, "2.5");
    enter(g);
    EXPECT_EQ(g->currentRow(), 1);
    EXPECT_EQ(g->currentColumn(), Col::Number);
    g->setCellText(0, Col::Quantity, "1.5"); // a digits-only cell refuses the point
    EXPECT_EQ(g->cellText(0, Col::Quantity), "12");
    EXPECT_EQ(field("合计数量")->text(), "12");
    EXPECT_EQ(field("合计金额")->text(), "30");
    EXPECT_EQ(field("付款金额")->text(), "30");
    EXPECT_EQ(money("应付金额")->text(), "0");
    field("付款金额")->setText("20");
    EXPECT_EQ(money("应付金额")->text(), "10");

    ASSERT_TRUE(w->save()) << prompts.last().toStdString();
    EXPECT_EQ(prompts.last(), "恭喜！恭喜！ 花材采购 保存成功！");
    EXPECT_EQ(StockRows::value(db(), "UWL", "theYF", supplier), 20);
    EXPECT_EQ(StockRows::value(db(), "UHC", "theCG", rose_), 2.5);
    EXPECT_EQ(db().scalar("SELECT theCount FROM UHCKC WHERE (HCID = ?)", {rose_}).toDouble(), 12);
    EXPECT_EQ(w->partnerId(), 0);
    EXPECT_EQ(field("单位名称")->text(), "");
    EXPECT_EQ(field("供应商")->text(), "");
    EXPECT_EQ(g->cellText(0, Col::Number), "");
    EXPECT_EQ(field("付款金额")->text(), "");
}

// An outgoing line takes a lot through frmFindHCKC when several match; a lot on one line is not
// offered to another; taking the number away empties the line; another store drops the lines.
TEST_P(StockDocumentWindowTest, OutgoingLinesPickLots) {
    const qlonglong lotA = StockRows::lot(db(), rose_, 3, 2);
    const qlonglong lotB = StockRows::lot(db(), rose_, 5, 2.5);
    db().exec("INSERT INTO SWare (theName) VALUES ('分店')");
    test::PromptRecorder prompts;
    StockDocumentWindow* w = open(DocumentKind::Requisition);
    DocumentGridWidget* g = w->grid();
    int shown = 0;
    ui::FindDialog::setRunner([&](ui::FindDialog* d) {
        ++shown;
        EXPECT_EQ(d->objectName(), "frmFindHCKC");
        EXPECT_EQ(d->windowTitle(), "查找花材");
        EXPECT_EQ(d->rows().size(), 2);
        EXPECT_TRUE(d->grid()->isColumnHidden(10));
        d->grid()->selectRow(1);
        d->pickCurrent();
    });
    g->setCellText(0, Col::Number, "玫");
    g->setCurrentCell(0, Col::Number);
    enter(g);
    EXPECT_EQ(shown, 1);
    const DocumentLine first = g->lines().at(0);
    EXPECT_TRUE(first.lotId == lotA || first.lotId == lotB);
    // The other lot is the only one left for line 2: taken without the dialog.
    g->setCellText(1, Col::Number, "H001");
    g->setCurrentCell(1, Col::Number);
    enter(g);
    EXPECT_EQ(shown, 1);
    EXPECT_NE(g->lines().at(1).lotId, first.lotId);
    EXPECT_TRUE(g->lines().at(1).filled());
    // Requisition: from the quantity straight to the next line.
    g->setCurrentCell(1, Col::Quantity);
    enter(g);
    EXPECT_EQ(g->currentRow(), 2);
    EXPECT_EQ(g->currentColumn(), Col::Number);

    g->setCellText(1, Col::Number, "");
    EXPECT_FALSE(g->lines().at(1).filled());
    EXPECT_EQ(g->cellText(1, Col::Name), "");
    g->setCellText(0, Col::Number, "H001X"); // a filled number takes no new keys
    EXPECT_EQ(g->cellText(0, Col::Number), "H001");

    g->setCellText(0, Col::Quantity, "9");
    EXPECT_FALSE(w->save());
    EXPECT_EQ(prompts.last(), "H001 玫瑰 库存不足！");
    EXPECT_EQ(g->currentRow(), 0);
    EXPECT_EQ(g->currentColumn(), Col::Quantity);
    g->setCellText(0, Col::Quantity, "2");
    ASSERT_TRUE(w->save());
    EXPECT_EQ(prompts.last(), "恭喜！恭喜！ 花材领用 保存成功！");
    EXPECT_EQ(StockRows::value(db(), "UHCKC", "theCount", first.lotId), first.lotQuantity - 2);

    g->setCellText(0, Col::Number, "H001");
    g->setCurrentCell(0, Col::Number);
    enter(g);
    ASSERT_TRUE(g->lines().at(0).filled());
    auto* store = test::findByName<QComboBox>(w, "门店名称");
    store->setCurrentText("分店");
    emit store->activated(store->currentIndex());
    EXPECT_FALSE(g->lines().at(0).filled());
}

// Keys typed into the cells' editors reach the line: the search text, Enter, the quantity.
TEST_P(StockDocumentWindowTest, TypingIntoTheCells) {
    StockRows::lot(db(), rose_, 6, 2);
    StockDocumentWindow* w = open(DocumentKind::Damage);
    w->show();
    QApplication::setActiveWindow(w);
    DocumentGridWidget* g = w->grid();
    g->setFocus();
    g->setCurrentCell(0, Col::Number);
    QTest::keyClicks(g, "H");
    QWidget* editor = QApplication::focusWidget();
    ASSERT_NE(editor, g);
    QTest::keyClicks(editor, "001");
    EXPECT_EQ(g->cellText(0, Col::Number), "H001");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(g->item(0, Col::Name)->text(), "玫瑰");
    EXPECT_EQ(g->currentColumn(), Col::Quantity);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_5);
    editor = QApplication::focusWidget();
    QTest::keyClick(editor, Qt::Key_Period); // digits only
    EXPECT_EQ(g->item(0, Col::Amount)->text(), "10");
    QTest::keyClick(editor, Qt::Key_Return);
    EXPECT_EQ(g->item(0, Col::Quantity)->text(), "5");
    EXPECT_EQ(g->currentRow(), 1);
    EXPECT_EQ(g->currentColumn(), Col::Number);
}

// Every window of the stock and partner menus opens from its entry.
TEST_P(StockDocumentWindowTest, EveryMenuEntryOpensItsWindow) {
    app::registerAllWindows();
    for (const TopMenu& menu : menuTable()) {
        for (const MenuEntry& e : menu.entries) {
            if (e.kind != WindowKind::None) {
                continue;
            }
            EXPECT_TRUE(e.isSeparator() || e.window == "exit" || e.caption.contains("帮助"))
                << e.caption.toStdString() << " opens nothing";
        }
    }
    for (const QString& name : {"frmUJH_M", "frmUJH_Q", "frmUJH_MX", "frmULY_MX", "frmUBS_Q",
                                "frmUXS_M", "frmUHCKC", "frmUSK_In", "frmUFK_M", "frmUFK_Q"}) {
        const ui::WindowFactory make = ui::WindowRegistry::find(name);
        ASSERT_TRUE(make) << name.toStdString();
        std::unique_ptr<QWidget> w(make(*context_, nullptr));
        EXPECT_EQ(w->objectName(), name);
    }
}

FLORIST_ON_EVERY_BACKEND(StockDocumentWindowTest);

} // namespace
} // namespace florist::stock
