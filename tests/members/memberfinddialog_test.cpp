#include "members/memberfinddialog.h"

#include "core/db/datamodule.h"
#include "members/memberentry.h"
#include "support/dbfixture.h"
#include "support/uitest.h"

#include <QHeaderView>
#include <QTableView>

namespace florist {
namespace {

using namespace members;

class MemberFindTest : public test::DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        if (IsSkipped() || HasFailure()) {
            return;
        }
        for (const auto& [card, name] :
             {std::pair{"1381", "李华"}, {"1382", "王五"}, {"200", "张三"}}) {
            MemberValues v;
            v.category = "普通会员";
            v.cardNumber = card;
            v.name = name;
            v.cardDate = "2025-01-01";
            insertMember(dm(), v, {});
        }
    }
    void TearDown() override {
        ui::FindDialog::setRunner({});
        DbTest::TearDown();
    }
};

TEST_P(MemberFindTest, DecidesByTheNumberOfRows) {
    int shown = 0;
    ui::FindDialog::setRunner([&](ui::FindDialog* d) {
        ++shown;
        EXPECT_EQ(d->objectName(), "frmFindM");
        EXPECT_EQ(d->windowTitle(), "会员查找");
        EXPECT_EQ(d->rows().size(), 2);
        QTableView* grid = d->grid();
        auto width = [&](const QString& heading) {
            for (int c = 0; c < grid->model()->columnCount(); ++c) {
                if (grid->model()->headerData(c, Qt::Horizontal).toString() == heading) {
                    return grid->isColumnHidden(c) ? 0 : grid->columnWidth(c);
                }
            }
            return -1;
        };
        EXPECT_EQ(width("会员分类"), 60);
        EXPECT_EQ(width("姓名"), 80);
        EXPECT_EQ(width("QQ号"), 100);
        EXPECT_EQ(width("联系地址"), 120);
        EXPECT_EQ(width("账户余额"), 60);
        EXPECT_EQ(width("ID"), 0);
        d->grid()->selectRow(1);
        d->pickCurrent();
    });
    test::PromptRecorder prompts;

    MemberFindOutcome one = findMember(nullptr, dm(), kCallerTopUp, "200");
    EXPECT_EQ(one.kind, MemberFindOutcome::Picked);
    EXPECT_EQ(one.member.fields.value("姓名"), "张三");
    EXPECT_EQ(shown, 0);

    MemberFindOutcome many = findMember(nullptr, dm(), kCallerExchange, "138");
    EXPECT_EQ(shown, 1);
    ASSERT_EQ(many.kind, MemberFindOutcome::Picked);
    EXPECT_EQ(many.member.callerCode, "dh");
    EXPECT_TRUE(
        QStringList({"1381", "1382"}).contains(many.member.fields.value("卡号").toString()));
    EXPECT_EQ(many.member.id, db().scalar("SELECT ID FROM UMember WHERE (theNum = ?)",
                                          {many.member.fields.value("卡号")})
                                  .toLongLong());
    EXPECT_TRUE(prompts.texts().isEmpty());

    MemberFindOutcome none = findMember(nullptr, dm(), kCallerTopUp, "王五");
    EXPECT_EQ(none.kind, MemberFindOutcome::NotFound);
    EXPECT_EQ(prompts.texts(), QStringList({"会员 不存在，请重新录入！"}));

    // Order entry searches the name and opens its member entry instead of the message.
    EXPECT_EQ(findMember(nullptr, dm(), kCallerOrder, "王五").kind, MemberFindOutcome::Picked);
    EXPECT_EQ(findMember(nullptr, dm(), kCallerOrder, "nobody").kind, MemberFindOutcome::NotFound);
    EXPECT_EQ(prompts.texts().size(), 1);

    ui::FindDialog::setRunner([](ui::FindDialog* d) { d->reject(); });
    EXPECT_EQ(findMember(nullptr, dm(), kCallerOrder, "138").kind, MemberFindOutcome::Cancelled);
}

TEST_P(MemberFindTest, ManyRowsAreReadAPageAtATime) {
    setFindWholeReadLimit(1);
    int listed = -1;
    ui::FindDialog::setRunner([&](ui::FindDialog* d) {
        EXPECT_TRUE(d->rows().isEmpty()) << "not read whole";
        listed = d->grid()->model()->rowCount();
        QHeaderView* header = d->grid()->horizontalHeader();
        EXPECT_TRUE(d->grid()->isColumnHidden(header->count() - 1)) << "ID hidden";
        EXPECT_EQ(d->grid()->model()->headerData(2, Qt::Horizontal).toString(), "姓名");
        d->grid()->selectRow(2); // newest first: the first member entered
        d->pickCurrent();
    });
    const MemberFindOutcome all = findMember(nullptr, dm(), kCallerOrder, "");
    setFindWholeReadLimit(200);
    EXPECT_EQ(listed, 3);
    ASSERT_EQ(all.kind, MemberFindOutcome::Picked);
    EXPECT_EQ(all.member.fields.value("卡号"), "1381");
    EXPECT_EQ(all.member.fields.value("姓名"), "李华");
    EXPECT_EQ(all.member.fields.value("账户余额"), "0");
    EXPECT_EQ(all.member.fields.size(), 15);
    EXPECT_EQ(all.member.id,
              db().scalar("SELECT ID FROM UMember WHERE (theNum = '1381')").toLongLong());
}

FLORIST_ON_EVERY_BACKEND(MemberFindTest);

} // namespace
} // namespace florist
