#include "support/uitest.h"
#include "ui/finddialog.h"
#include "ui/gridview.h"

#include <QHeaderView>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

namespace florist {
namespace {

using ui::FindDialog;

ui::FindSpec spec() {
    ui::FindSpec s;
    s.objectName = "frmFindX";
    s.caption = "查找";
    s.headings = {"名称", "QQ号", "金额", "ID"};
    s.widths = {{"名称", 77}, {"QQ号", 101}};
    s.hidden = {"ID"};
    return s;
}

ResultSet rows() {
    // The server folded the aliases to lower case, as PostgreSQL does.
    return ResultSet({"名称", "qq号", "金额", "id"},
                     {{"甲", "1", 12.50, 7}, {"乙", "2", 3.0, 8}, {"丙", "3", 0.0, 9}});
}

TEST(FindDialog, ShowsTheRowsWithItsHeadingsAndWidths) {
    FindDialog d(spec(), rows());
    d.show();
    EXPECT_EQ(d.objectName(), "frmFindX");
    EXPECT_EQ(d.windowTitle(), "查找");
    QTableView* grid = d.grid();
    EXPECT_EQ(grid->model()->headerData(1, Qt::Horizontal).toString(), "QQ号");
    EXPECT_EQ(grid->columnWidth(0), 77);
    EXPECT_EQ(grid->columnWidth(1), 101);
    EXPECT_TRUE(grid->isColumnHidden(3));
    EXPECT_FALSE(grid->isColumnHidden(2));
    EXPECT_EQ(grid->model()->data(grid->model()->index(0, 2)).toString(), "12.5");
    EXPECT_EQ(grid->currentIndex().row(), 0);
}

// The last column shown reaches the grid's right edge; a cut text is readable as its tooltip.
TEST(FindDialog, LastColumnStretchesAndCutTextIsTheTooltip) {
    ResultSet found({"名称", "QQ号", "金额", "ID"},
                    {{"甲", "1", 1.0, 7}, {QString(40, QChar(0x82B1)), "2", 1.0, 8}});
    FindDialog d(spec(), found);
    d.show();
    QTableView* grid = d.grid();
    const QHeaderView* header = grid->horizontalHeader();
    EXPECT_EQ(ui::lastShownColumn(header), 2);
    EXPECT_EQ(header->sectionViewportPosition(2) + header->sectionSize(2),
              grid->viewport()->width());
    EXPECT_FALSE(ui::cellTextCut(grid, grid->model()->index(0, 0)));
    EXPECT_TRUE(ui::cellTextCut(grid, grid->model()->index(1, 0)));
    EXPECT_FALSE(ui::cellTextCut(grid, grid->model()->index(1, 1)));
}

TEST(FindDialog, EnterAndDoubleClickPickEscClosesOtherKeysDoNothing) {
    {
        FindDialog d(spec(), rows());
        d.show();
        QSignalSpy picked(&d, &FindDialog::picked);
        QTest::keyClick(d.grid(), Qt::Key_Down);
        QTest::keyClick(d.grid(), Qt::Key_A);
        QTest::keyClick(d.grid(), Qt::Key_1);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(picked.size(), 0);
        QTest::keyClick(d.grid(), Qt::Key_Return);
        EXPECT_EQ(d.pickedRow(), 1);
        ASSERT_EQ(picked.size(), 1);
        EXPECT_EQ(picked.at(0).at(0).toInt(), 1);
        EXPECT_EQ(d.result(), QDialog::Accepted);
    }
    {
        FindDialog d(spec(), rows());
        d.show();
        QTest::keyClick(d.grid(), Qt::Key_Escape);
        EXPECT_EQ(d.pickedRow(), -1);
        EXPECT_EQ(d.result(), QDialog::Rejected);
        EXPECT_FALSE(d.isVisible());
    }
    {
        FindDialog d(spec(), rows());
        d.show();
        QTableView* grid = d.grid();
        const QRect cell = grid->visualRect(grid->model()->index(2, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        EXPECT_EQ(d.pickedRow(), 2);
    }
}

TEST(FindDialog, ChooseRunsThroughTheRunner) {
    FindDialog::setRunner([](FindDialog* d) {
        d->grid()->selectRow(2);
        d->pickCurrent();
    });
    FindDialog d(spec(), rows());
    EXPECT_EQ(d.choose(), 2);
    FindDialog::setRunner([](FindDialog* d) { d->reject(); });
    EXPECT_EQ(d.choose(), -1);
    FindDialog::setRunner({});
}

} // namespace
} // namespace florist
