#include "core/db/datamodule.h"
#include "stock/materialentrywindow.h"
#include "stock/materialfinddialog.h"
#include "stock/materialregistrywindow.h"
#include "support/dbfixture.h"
#include "support/uitest.h"
#include "ui/fields.h"
#include "ui/search/searchwindow.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

namespace florist::stock {
namespace {

class MaterialWindowTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        savedLayout_ = qgetenv("FLORIST_LAYOUT_SETTINGS");
        qputenv("FLORIST_LAYOUT_SETTINGS", layout_.filePath("layout.ini").toUtf8());
        registerMaterialWindows();
        dm().myESQL("INSERT INTO SHCType (theName, Remark) VALUES ('鲜花', '')");
        dm().myESQL("INSERT INTO SHCUnit (theName, Remark) VALUES ('支', '')");
        dm().loaders().reload("SHCType");
        dm().loaders().reload("SHCUnit");
        context_ = std::make_unique<ui::Context>(ui::Context{dm()});
    }
    void TearDown() override {
        ui::FindDialog::setRunner({});
        context_.reset();
        qputenv("FLORIST_LAYOUT_SETTINGS", savedLayout_);
        DbTest::TearDown();
    }
    qlonglong add(const QString& number, const QString& name) {
        MaterialValues v{"鲜花", number, name, "支", "2", "5", ""};
        return saveMaterial(dm(), v, 0).id;
    }
    static QLineEdit* text(QWidget* w, const QString& name) {
        return test::findByName<QLineEdit>(w, name);
    }
    static QComboBox* combo(QWidget* w, const QString& name) {
        return test::findByName<QComboBox>(w, name);
    }
    static void save(QWidget* w) { test::findByName<QPushButton>(w, "保存")->click(); }

    QTemporaryDir layout_;
    QByteArray savedLayout_;
    std::unique_ptr<ui::Context> context_;
};

TEST_P(MaterialWindowTest, EntrySavesOneAfterAnotherKeepingTypeAndUnit) {
    MaterialEntryWindow w(*context_);
    w.show();
    EXPECT_EQ(w.objectName(), "frmUHC_In");
    EXPECT_EQ(w.windowTitle(), "花材录入");
    test::PromptRecorder prompts;
    ui::chooseText(combo(&w, "花材分类"), "鲜花");
    test::typeText(text(&w, "花材编号"), "R01");
    test::typeText(text(&w, "花材名称"), "玫瑰");
    save(&w);
    EXPECT_EQ(prompts.last(), "花材单位 不能为空，请重新选择！");
    EXPECT_EQ(w.focusWidget(), combo(&w, "花材单位"));
    ui::chooseText(combo(&w, "花材单位"), "支");
    text(&w, "采购单价")->setText("1.2.");
    save(&w);
    EXPECT_EQ(prompts.last(), "采购单价 不是有效的数字，请重新录入！");
    EXPECT_EQ(dm().myRetSC("SELECT ID FROM UHC"), 0);
    text(&w, "采购单价")->clear();
    test::typeText(text(&w, "销售单价"), "3.5");
    save(&w);
    EXPECT_EQ(prompts.last(), "恭喜！恭喜！ 花材信息 保存成功！");
    EXPECT_TRUE(text(&w, "花材编号")->text().isEmpty());
    EXPECT_TRUE(text(&w, "销售单价")->text().isEmpty());
    EXPECT_EQ(ui::chosenText(combo(&w, "花材分类")), "鲜花");
    EXPECT_EQ(ui::chosenText(combo(&w, "花材单位")), "支");
    EXPECT_EQ(w.focusWidget(), text(&w, "花材编号"));
    EXPECT_EQ(db().scalar("SELECT theXS FROM UHC").toDouble(), 3.5);

    test::typeText(text(&w, "花材编号"), "R01");
    test::typeText(text(&w, "花材名称"), "红玫瑰");
    save(&w);
    EXPECT_EQ(prompts.last(), "花材编号 重复，请重新录入！");
    EXPECT_EQ(w.focusWidget(), text(&w, "花材编号"));
}

TEST_P(MaterialWindowTest, FindTakesOneAtOnceAndOffersSeveralWithoutTheSalePrice) {
    add("R01", "玫瑰");
    const qlonglong lily = add("L01", "百合");
    add("L02", "香水百合");
    bool escape = false;
    int shown = 0;
    ui::FindDialog::setRunner([&](ui::FindDialog* d) {
        ++shown;
        EXPECT_EQ(d->objectName(), "frmFindHC");
        EXPECT_EQ(d->windowTitle(), "查找花材");
        QTableView* grid = d->grid();
        QMap<QString, int> widths;
        for (int c = 0; c < grid->model()->columnCount(); ++c) {
            widths[grid->model()->headerData(c, Qt::Horizontal).toString()] =
                grid->isColumnHidden(c) ? 0 : grid->columnWidth(c);
        }
        EXPECT_EQ(widths.value("采购单价"), 80);
        EXPECT_EQ(widths.value("销售单价"), 0);
        EXPECT_EQ(widths.value("备注"), 200);
        EXPECT_EQ(widths.value("ID"), 0);
        if (escape) {
            d->reject();
            return;
        }
        grid->selectRow(1);
        d->pickCurrent();
    });
    const MaterialFindOutcome one = findMaterial(nullptr, dm(), "JH", "mg");
    ASSERT_EQ(one.kind, MaterialFindOutcome::Picked);
    EXPECT_EQ(one.material.number, "R01");
    EXPECT_EQ(one.material.unit, "支");
    EXPECT_EQ(one.material.purchasePrice, 2.0);
    EXPECT_EQ(shown, 0);

    const MaterialFindOutcome picked = findMaterial(nullptr, dm(), "JH", "百合");
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(picked.kind, MaterialFindOutcome::Picked);
    EXPECT_TRUE(picked.material.id == lily || picked.material.name == "香水百合");
    escape = true;
    EXPECT_EQ(findMaterial(nullptr, dm(), "JH", "L0").kind, MaterialFindOutcome::Cancelled);
    EXPECT_EQ(findMaterial(nullptr, dm(), "JH", "无").kind, MaterialFindOutcome::NotFound);

    deleteMaterial(dm(), lily);
    EXPECT_EQ(findMaterial(nullptr, dm(), "JH", "L0").material.number, "L02");
}

TEST_P(MaterialWindowTest, ManagementEditsAndDeletesFromTheGrid) {
    add("R01", "玫瑰");
    const qlonglong id = add("R02", "月季");
    std::unique_ptr<QWidget> made(ui::WindowRegistry::find("frmUHC_M")(*context_, nullptr));
    auto* w = qobject_cast<ui::SearchWindow*>(made.get());
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "花材管理");
    w->search();
    EXPECT_EQ(w->totalsLabels().value(0)->text(), "花材数量：2");
    EXPECT_EQ(w->grid()->columnWidth(w->model()->columnOf("采购单价")), 80);

    w->setModalRunner([&](QDialog* d) {
        EXPECT_EQ(d->objectName(), "frmUHC_In");
        EXPECT_EQ(text(d, "花材编号")->text(), "R02");
        EXPECT_EQ(text(d, "销售单价")->text(), "5");
        EXPECT_EQ(ui::chosenText(combo(d, "花材单位")), "支");
        text(d, "花材编号")->setText("R01"); // no duplicate test when editing
        text(d, "花材名称")->setText("红月季");
        test::PromptRecorder prompts;
        save(d);
        EXPECT_EQ(prompts.texts(), QStringList({"恭喜！恭喜！ 花材信息 保存成功！"}));
    });
    w->grid()->actions().first()->trigger();
    const ResultSet row = db().select("SELECT theNum, thePY FROM UHC WHERE (ID = ?)", {id});
    EXPECT_EQ(row.text(0, "theNum"), "R01");
    EXPECT_EQ(row.text(0, "thePY"), "HYJ");
    EXPECT_EQ(w->model()->value(0, "花材名称").toString(), "红月季");

    test::PromptRecorder prompts;
    prompts.answer(true);
    w->grid()->actions().last()->trigger();
    EXPECT_EQ(w->model()->rowCount(), 1);
    EXPECT_EQ(w->totalsLabels().value(0)->text(), "花材数量：1");
}

FLORIST_ON_EVERY_BACKEND(MaterialWindowTest);

} // namespace
} // namespace florist::stock
