#include "app/windows.h"
#include "core/db/datamodule.h"
#include "core/menu/menutable.h"
#include "partners/partnerentrywindow.h"
#include "partners/partnerfinddialog.h"
#include "partners/partnerregistrywindow.h"
#include "support/dbfixture.h"
#include "support/uitest.h"
#include "ui/fields.h"
#include "ui/mainwindow.h"
#include "ui/search/conditionpanel.h"
#include "ui/search/searchwindow.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableView>
#include <QTemporaryDir>

namespace florist::partners {
namespace {

class PartnerWindowTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        savedLayout_ = qgetenv("FLORIST_LAYOUT_SETTINGS");
        qputenv("FLORIST_LAYOUT_SETTINGS", layout_.filePath("layout.ini").toUtf8());
        registerPartnerWindows();
        context_ = std::make_unique<ui::Context>(ui::Context{dm()});
    }
    void TearDown() override {
        PartnerEntryWindow::setRunner({});
        ui::FindDialog::setRunner({});
        context_.reset();
        qputenv("FLORIST_LAYOUT_SETTINGS", savedLayout_);
        DbTest::TearDown();
    }
    qlonglong add(const QString& name, const QString& type, double ys = 0) {
        PartnerValues v;
        v.type = type;
        v.name = name;
        v.receivable = QString::number(ys);
        return savePartner(dm(), v, 0, kModeMenu).id;
    }
    static QLineEdit* text(QWidget* w, const QString& name) {
        return test::findByName<QLineEdit>(w, name);
    }
    static QComboBox* type(QWidget* w) { return test::findByName<QComboBox>(w, "单位分类"); }
    static void save(QWidget* w) { test::findByName<QPushButton>(w, "保存")->click(); }

    QTemporaryDir layout_;
    QByteArray savedLayout_;
    std::unique_ptr<ui::Context> context_;
};

TEST_P(PartnerWindowTest, FromTheMenuSavesOneAfterAnother) {
    PartnerEntryWindow w(*context_);
    w.show();
    EXPECT_EQ(w.objectName(), "frmUWL_In");
    EXPECT_EQ(w.windowTitle(), "往来单位录入");
    test::PromptRecorder prompts;
    save(&w);
    EXPECT_EQ(prompts.last(), "单位分类 不能为空，请重新选择！");
    ui::chooseText(type(&w), "客户");
    save(&w);
    EXPECT_EQ(prompts.last(), "单位名称 不能为空，请重新录入！");
    EXPECT_EQ(w.focusWidget(), text(&w, "单位名称"));
    test::typeText(text(&w, "单位名称"), "城东花卉");
    test::typeText(text(&w, "应收金额"), "12.5a-");
    EXPECT_EQ(text(&w, "应收金额")->text(), "12.5"); // digits and "." only
    text(&w, "应付金额")->setText("1.2.3");
    save(&w);
    EXPECT_EQ(prompts.last(), "应付金额 不是有效的数字，请重新录入！");
    EXPECT_EQ(w.focusWidget(), text(&w, "应付金额"));
    EXPECT_EQ(dm().myRetSC("SELECT ID FROM UWL"), 0);

    text(&w, "应付金额")->clear();
    save(&w);
    EXPECT_EQ(prompts.last(), "恭喜！恭喜！ 往来单位信息 保存成功！");
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(text(&w, "单位名称")->text().isEmpty());
    EXPECT_TRUE(text(&w, "应收金额")->text().isEmpty());
    EXPECT_EQ(ui::chosenText(type(&w)), "客户");
    EXPECT_EQ(w.focusWidget(), text(&w, "单位名称"));
    EXPECT_EQ(db().scalar("SELECT theYS FROM UWL").toDouble(), 12.5);
}

TEST_P(PartnerWindowTest, DocumentModesPresetTheTypeAndHandBackOnlyForMoney) {
    test::PromptRecorder prompts;
    // Purchase: supplier, locked, the searched name; closes without a message, nothing back.
    PartnerEntryWindow::setRunner([&](PartnerEntryWindow* w) {
        EXPECT_EQ(ui::chosenText(type(w)), "供应商");
        EXPECT_FALSE(type(w)->isEnabled());
        EXPECT_EQ(text(w, "单位名称")->text(), "花农");
        save(w);
        EXPECT_EQ(w->result(), QDialog::Accepted);
    });
    EXPECT_FALSE(enterPartnerFor(nullptr, *context_, kModePurchase, "花农").has_value());
    EXPECT_EQ(dm().myRetSC("SELECT ID FROM UWL WHERE (theType = '供应商')"), 1);

    // Collection: the new partner's own ID, even when another station adds one right after.
    PartnerEntryWindow::setRunner([&](PartnerEntryWindow* w) {
        EXPECT_EQ(ui::chosenText(type(w)), "客户");
        EXPECT_FALSE(type(w)->isEnabled());
        QObject::connect(w, &PartnerEntryWindow::partnerCreated, [&] { add("别家", "客户"); });
        text(w, "应收金额")->setText("30");
        test::typeText(text(w, "联系人"), "李四");
        save(w);
    });
    const std::optional<PickedPartner> p =
        enterPartnerFor(nullptr, *context_, kModeCollection, "城东");
    ASSERT_TRUE(p.has_value());
    EXPECT_EQ(p->id, db().scalar("SELECT ID FROM UWL WHERE (theName = '城东')").toLongLong());
    EXPECT_EQ(p->fields.value("单位分类"), "客户");
    EXPECT_EQ(p->fields.value("联系人"), "李四");
    EXPECT_EQ(p->fields.value("应收金额"), "30");
    EXPECT_EQ(p->fields.value("应付金额"), "0");
    EXPECT_TRUE(prompts.texts().isEmpty());

    // Left without a save: nothing.
    PartnerEntryWindow::setRunner([](PartnerEntryWindow* w) { w->reject(); });
    EXPECT_FALSE(enterPartnerFor(nullptr, *context_, kModePayment, "x").has_value());
}

TEST_P(PartnerWindowTest, FindDecidesByTheNumberOfRows) {
    add("城东花卉", "客户");
    add("城西花卉", "同行");
    const qlonglong supplier = add("城南花农", "供应商", 5);
    int shown = 0;
    bool escape = false;
    ui::FindDialog::setRunner([&](ui::FindDialog* d) {
        ++shown;
        EXPECT_EQ(d->objectName(), "frmFindWL");
        EXPECT_EQ(d->windowTitle(), "往来单位查找");
        QTableView* grid = d->grid();
        QMap<QString, int> widths;
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            widths[grid->model()->headerData(c, Qt::Horizontal).toString()] =
                grid->isColumnHidden(c) ? 0 : grid->columnWidth(c);
        }
        EXPECT_EQ(widths.value("单位名称"), 160);
        EXPECT_EQ(widths.value("联系地址"), 160);
        EXPECT_EQ(widths.value("应付金额"), 80);
        EXPECT_EQ(widths.value("ID"), 0);
        if (escape) {
            d->reject();
            return;
        }
        grid->selectRow(1);
        d->pickCurrent();
    });
    const PartnerFindOutcome one = findPartner(nullptr, dm(), "FK", "南");
    ASSERT_EQ(one.kind, PartnerFindOutcome::Picked);
    EXPECT_EQ(one.partner.id, supplier);
    EXPECT_EQ(one.partner.fields.value("应收金额"), "5");
    EXPECT_EQ(shown, 0);

    const PartnerFindOutcome many = findPartner(nullptr, dm(), "JH", "cnhn");
    EXPECT_EQ(many.kind, PartnerFindOutcome::Picked); // only 城南花农 by its initials
    const PartnerFindOutcome two = findPartner(nullptr, dm(), "JH", "花");
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(two.kind, PartnerFindOutcome::Picked);
    EXPECT_EQ(two.partner.fields.value("单位名称"), "城西花卉"); // newest first: 城南, 城西
    escape = true;
    EXPECT_EQ(findPartner(nullptr, dm(), "SK", "城").kind, PartnerFindOutcome::Cancelled);
    EXPECT_EQ(findPartner(nullptr, dm(), "SK", "城南").kind, PartnerFindOutcome::NotFound);
}

TEST_P(PartnerWindowTest, ManagementSearchesTotalsEditsAndDeletes) {
    add("城东花卉", "客户", 10);
    const qlonglong id = add("城南花农", "供应商", 2.5);
    std::unique_ptr<QWidget> made(ui::WindowRegistry::find("frmUWL_M")(*context_, nullptr));
    auto* w = qobject_cast<ui::SearchWindow*>(made.get());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "往来单位管理");
    EXPECT_FALSE(w->excelButton()->isEnabled());
    w->search();
    EXPECT_EQ(w->model()->rowCount(), 2);
    QStringList totals;
    for (QLabel* l : w->totalsLabels()) {
        totals << l->text();
    }
    EXPECT_EQ(totals, QStringList({"往来单位数量：2", "应收金额：12.5", "应付金额：0"}));
    EXPECT_TRUE(w->excelButton()->isEnabled());

    // Edit the newest row (城南花农): the typed balance replaces the stored one.
    w->setModalRunner([&](QDialog* d) {
        EXPECT_EQ(d->objectName(), "frmUWL_In");
        EXPECT_TRUE(type(d)->isEnabled());
        EXPECT_EQ(text(d, "应收金额")->text(), "2.5");
        text(d, "应收金额")->setText("4");
        test::PromptRecorder quiet;
        save(d);
        EXPECT_TRUE(quiet.texts().isEmpty());
    });
    w->grid()->actions().first()->trigger();
    EXPECT_EQ(db().scalar("SELECT theYS FROM UWL WHERE (ID = ?)", {id}).toDouble(), 4.0);
    EXPECT_EQ(w->totalsLabels().value(1)->text(), "应收金额：14");

    test::PromptRecorder prompts;
    prompts.answer(true);
    for (QAction* a : w->grid()->actions()) {
        if (a->text() == "删除 &D") {
            a->trigger();
        }
    }
    EXPECT_EQ(w->model()->rowCount(), 1);
    EXPECT_EQ(db().scalar("SELECT theDel FROM UWL WHERE (ID = ?)", {id}).toString(), "是");

    // Nothing matches: the totals read 0.
    test::typeText(test::findByName<QLineEdit>(w, "单位名称"), "无此单位");
    w->search();
    EXPECT_EQ(w->totalsLabels().value(1)->text(), "应收金额：0");
}

TEST_P(PartnerWindowTest, MenuEntriesOpenTheMaterialAndPartnerWindowsWithTheirRights) {
    app::registerAllWindows();
    ui::MainWindow main(*context_);
    QStringList opened;
    main.setModalRunner([&](QDialog* d) { opened << d->objectName() + " " + d->windowTitle(); });
    const QStringList windows = {"frmUHC_In", "frmUHC_D", "frmUHC_M", "frmUHC_Q",
                                 "frmUWL_In", "frmUWL_D", "frmUWL_M", "frmUWL_Q"};
    QList<std::pair<int, int>> entries;
    QStringList codes;
    for (int m = 0; m < menuTable().size(); ++m) {
        const QList<MenuEntry>& list = menuTable().at(m).entries;
        for (int e = 0; e < list.size(); ++e) {
            if (windows.contains(list.at(e).window)) {
                entries << std::pair{m, e};
                codes << menuCode(m, e);
            }
        }
    }
    EXPECT_EQ(codes, QStringList({"0522", "0523", "0524", "0525", "0608", "0609", "0610", "0611"}));
    auto clickAll = [&] {
        for (const auto& [m, e] : entries) {
            main.entryAction(m, e)->trigger();
        }
    };
    clickAll(); // without the rights nothing opens
    EXPECT_TRUE(opened.isEmpty());
    EXPECT_TRUE(main.mdiArea()->subWindowList().isEmpty());
    main.applyLogin(codes);
    clickAll();
    EXPECT_EQ(opened, QStringList({"frmUHC_In 花材录入", "frmUHC_D 花材导入",
                                   "frmUWL_In 往来单位录入", "frmUWL_D 往来单位导入"}));
    QStringList children;
    for (QMdiSubWindow* sub : main.mdiArea()->subWindowList()) {
        children << sub->widget()->objectName() + " " + sub->widget()->windowTitle();
    }
    EXPECT_EQ(children, QStringList({"frmUHC_M 花材管理", "frmUHC_Q 花材查询",
                                     "frmUWL_M 往来单位管理", "frmUWL_Q 往来单位查询"}));
}

FLORIST_ON_EVERY_BACKEND(PartnerWindowTest);

} // namespace
} // namespace florist::partners
