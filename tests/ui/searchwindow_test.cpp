#include "core/db/datamodule.h"
#include "support/dbfixture.h"
#include "support/uitest.h"
#include "ui/search/conditionpanel.h"
#include "ui/search/searchwindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableView>

namespace florist {
namespace {

using search::ColumnKind;
using search::Condition;
using search::InputKind;
using search::Match;

// A window of the kind every list is: radio buttons that search on a click, a store drop-down
// that reloads another list, a hide box, number and text columns.
class SearchWindowTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        db().exec("INSERT INTO UMember (theNum, theName, theSex, theMob, theJF, WName, theDel) "
                  "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40) "
                  "SELECT CAST(i AS VARCHAR(10)), '会员', CASE WHEN i % 2 = 0 THEN '男' ELSE "
                  "'女' END, '139', (i * 7) % 11, '总店', '否' FROM n");
        context_ = std::make_unique<ui::Context>(ui::Context{dm()});
    }
    void TearDown() override {
        window_.reset();
        context_.reset();
        DbTest::TearDown();
    }
    ui::SearchWindow* open(const search::Term& fixed = {}) {
        ui::SearchWindowSpec w;
        search::SearchDescriptor& s = w.search;
        s.fixed = fixed;
        s.objectName = "frmTest_M";
        s.caption = "测试";
        s.from = "UMember";
        auto radio = [](const QString& caption, Match m) {
            Condition c;
            c.caption = caption;
            c.kind = InputKind::Radio;
            c.match = m;
            c.fields = {"theSex"};
            c.value = caption;
            c.searchesOnClick = true;
            return c;
        };
        Condition store;
        store.caption = "门店名称";
        store.kind = InputKind::List;
        store.match = Match::Equals;
        store.fields = {"WName"};
        store.loader = [](Loaders& l) { return l.DBComWare(); };
        store.chosen = [this](Loaders&, const QString& v) { chosen_ << v; };
        s.conditions = {radio("全部", Match::None), radio("男", Match::Fixed),
                        radio("女", Match::Fixed), store};
        s.columns = {{"卡号", "theNum"},
                     {"手机号码", "theMob", 100},
                     {"积分", "theJF", 60, ColumnKind::Number},
                     {"ID", "ID", 0, ColumnKind::Number, true}};
        s.countCaption = "数量：";
        s.totals = {{"积分：", "SUM(theJF)", "积分"}};
        s.hideBoxes = {{"隐藏手机号码", {"手机号码"}}};
        window_ = std::make_unique<ui::SearchWindow>(*context_, std::move(w));
        return window_.get();
    }
    template <class T> T* child(const QString& text) {
        for (T* c : window_->findChildren<T*>()) {
            if (c->text() == text) {
                return c;
            }
        }
        return nullptr;
    }

    std::unique_ptr<ui::Context> context_;
    std::unique_ptr<ui::SearchWindow> window_;
    QStringList chosen_;
};

TEST_P(SearchWindowTest, RadioAndHideBoxSearchAtOnce) {
    ui::SearchWindow* w = open();
    child<QRadioButton>("男")->click();
    ASSERT_TRUE(w->searched());
    EXPECT_EQ(w->totals().rows, 20);
    child<QRadioButton>("全部")->click();
    EXPECT_EQ(w->totals().rows, 40);
    const int mob = w->model()->columnOf("手机号码");
    EXPECT_FALSE(w->grid()->isColumnHidden(mob));
    child<QCheckBox>("隐藏手机号码")->click();
    EXPECT_TRUE(w->grid()->isColumnHidden(mob));
    EXPECT_TRUE(search::exportSpec(w->spec()).headings.contains("手机号码"));
}

TEST_P(SearchWindowTest, FixedConditionComesFirstAndStaysForRefreshes) {
    ui::SearchWindow* w = open({"AND (theJF > ?) ", {5}});
    child<QRadioButton>("女")->click();
    EXPECT_EQ(w->filter().text, "AND (theJF > ?) AND (theSex = ?) ");
    const qlonglong rows = w->totals().rows;
    EXPECT_EQ(rows, db().scalar("SELECT COUNT(*) FROM UMember WHERE (theJF > 5) AND "
                                "(theSex = '女')")
                        .toLongLong());
    db().exec("UPDATE UMember SET theJF = 0 WHERE (theNum = '1')");
    w->refresh();
    EXPECT_EQ(w->totals().rows, rows - 1);
}

TEST_P(SearchWindowTest, ChoosingAStoreTicksItAndRunsItsHook) {
    ui::SearchWindow* w = open();
    auto* box = test::findByName<QComboBox>(w, "门店名称");
    ASSERT_TRUE(box);
    EXPECT_FALSE(w->panel()->box(3)->isChecked());
    box->setCurrentIndex(box->findText("总店"));
    EXPECT_TRUE(w->panel()->box(3)->isChecked());
    EXPECT_EQ(chosen_, QStringList{"总店"});
}

TEST_P(SearchWindowTest, HeadingSortsOnTheServerAndScrollingFetchesMore) {
    ui::SearchWindow* w = open();
    w->model()->setPageSize(5);
    w->resize(900, 500);
    w->show();
    w->search();
    ASSERT_EQ(w->model()->rowCount(), 5);
    EXPECT_EQ(w->model()->value(0, "卡号").toString(), "40");
    QScrollBar* bar = w->grid()->verticalScrollBar();
    for (int i = 0; i < 20 && w->model()->canFetchMore(); ++i) {
        QApplication::processEvents();
        bar->setValue(bar->maximum());
    }
    EXPECT_GT(w->model()->rowCount(), 5);
    const int points = w->model()->columnOf("积分");
    emit w->grid()->horizontalHeader()->sectionClicked(points);
    EXPECT_EQ(w->model()->sortOrder(), Qt::AscendingOrder);
    EXPECT_EQ(w->model()->value(0, "积分").toDouble(), 0.0);
    emit w->grid()->horizontalHeader()->sectionClicked(points);
    EXPECT_EQ(w->model()->value(0, "积分").toDouble(), 10.0);
}

FLORIST_ON_EVERY_BACKEND(SearchWindowTest);

} // namespace
} // namespace florist
