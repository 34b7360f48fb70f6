#include "members/memberimportwindow.h"

#include "members/memberimport.h"

#include "core/db/datamodule.h"
#include "support/dbfixture.h"
#include "support/fakefilechooser.h"
#include "support/uitest.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>

namespace florist {
namespace {

class MemberImportWindowTest : public test::DbTest {
protected:
    QString csv(const QString& text) {
        QFile f(dir_.filePath("members.csv"));
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
        return f.fileName();
    }
    QTemporaryDir dir_;
};

TEST_P(MemberImportWindowTest, ImportsTheSheetAndCloses) {
    ui::ImportWindow window(members::memberImportSpec(), dm());
    window.show();
    EXPECT_EQ(window.objectName(), "frmMember_D");
    test::FakeFileChooser files;
    files.answers << csv("账户余额,消费次数,积分,消费日期,持卡日期,备注,联系地址,单位名称,个人喜好,"
                         "微信号,QQ号,电话号码,手机号码,生日,性别,姓名,卡号,会员分类\n"
                         "50.5,2,10,2025-01-05,2024-01-01,,,,,,,,13800000000,5-3,女,李华,V1,"
                         "普通会员\n"
                         "0,0,0,2024-01-01,2024-01-01,,,,,,,,,,男,王五,V1,普通会员\n");
    test::findByName<QPushButton>(&window, "打开")->click();
    EXPECT_EQ(test::findByName<QGroupBox>(&window, "grpData")->title(), "EXCEL数据  共有 2 条数据");
    QTableView* grid = test::findByName<QTableView>(&window, "gridData");
    EXPECT_EQ(grid->columnWidth(0), 80);
    EXPECT_EQ(grid->columnWidth(17), 80);

    test::PromptRecorder prompts;
    test::findByName<QPushButton>(&window, "导入")->click();
    EXPECT_EQ(prompts.texts(), QStringList({"成功导入会员数据 1 条！"}));
    EXPECT_FALSE(window.isVisible());
    const ResultSet rs = db().select("SELECT theName, theBir, theMoney, theCount FROM UMember");
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, "theName"), "李华");
    EXPECT_EQ(rs.text(0, "theBir"), "05-03");
    EXPECT_EQ(rs.text(0, "theMoney"), "50.5");
    EXPECT_EQ(rs.text(0, "theCount"), "2");
}

TEST_P(MemberImportWindowTest, NonNumericPointsStopAtTheRow) {
    ui::ImportWindow window(members::memberImportSpec(), dm());
    window.show();
    test::FakeFileChooser files;
    QString text = members::memberImportHeadings().join(",") + "\n";
    text += "普通会员,W1,甲,女,,,,,,,,,,2024-01-01,5,2024-01-01,1,0\n";
    text += "普通会员,W2,乙,女,,,,,,,,,,2024-01-01,五,2024-01-01,1,0\n";
    files.answers << csv(text);
    test::findByName<QPushButton>(&window, "打开")->click();
    test::PromptRecorder prompts;
    test::findByName<QPushButton>(&window, "导入")->click();
    ASSERT_EQ(prompts.requests().size(), 1);
    EXPECT_TRUE(prompts.last().contains("第 3 行")) << prompts.last().toStdString();
    EXPECT_TRUE(prompts.last().contains("“积分”列的值“五”不是数字"));
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(dm().myRetSC("SELECT ID FROM UMember"), 1);
}

FLORIST_ON_EVERY_BACKEND(MemberImportWindowTest);

} // namespace
} // namespace florist
