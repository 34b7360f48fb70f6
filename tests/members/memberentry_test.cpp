#include "members/memberentry.h"

#include "support/dbfixture.h"

namespace florist {
namespace {

using namespace members;

TEST(MemberBirthday, NormalisesMonthAndDay) {
    struct Case {
        const char* typed;
        const char* stored; // nullptr: refused
    };
    const Case cases[] = {
        {"5-3", "05-03"},   {"05-03", "05-03"}, {"02-29", "02-29"},      {"2-29", "02-29"},
        {"12-31", "12-31"}, {"", ""},           {"13-01", nullptr},      {"0503", nullptr},
        {"02-30", nullptr}, {"00-10", nullptr}, {"1990-05-03", nullptr}, {"5-", nullptr},
        {"-3", nullptr},    {"5-3-", nullptr},
    };
    for (const Case& c : cases) {
        const std::optional<QString> got = normaliseBirthday(QString::fromUtf8(c.typed));
        if (c.stored) {
            ASSERT_TRUE(got.has_value()) << c.typed;
            EXPECT_EQ(*got, QString::fromUtf8(c.stored)) << c.typed;
        } else {
            EXPECT_FALSE(got.has_value()) << c.typed;
        }
    }
}

MemberValues complete() {
    MemberValues v;
    v.category = "普通会员";
    v.cardNumber = "A001";
    v.name = "李华";
    v.sex = "女";
    v.cardDate = "2025-02-20";
    return v;
}

TEST(MemberCheck, RefusesInOrderWithTheField) {
    struct Case {
        std::function<void(MemberValues&)> change;
        MemberField field;
        QString message;
    };
    const QList<Case> cases = {
        {[](MemberValues& v) {
             v.category.clear();
             v.cardNumber.clear();
         },
         MemberField::Category, "会员分类 不能为空，请重新选择！"},
        {[](MemberValues& v) {
             v.cardNumber.clear();
             v.name.clear();
         },
         MemberField::CardNumber, "卡号 不能为空，请重新录入！"},
        {[](MemberValues& v) {
             v.name.clear();
             v.birthday = "13-01";
         },
         MemberField::Name, "姓名 不能为空，请重新录入！"},
        {[](MemberValues& v) { v.birthday = "13-01"; }, MemberField::Birthday,
         invalidBirthdayText("13-01")},
        {[](MemberValues& v) { v.cardNumber = "卡号一二三四五"; }, MemberField::CardNumber,
         "卡号 超过 10 个字节，请重新录入！"},
        {[](MemberValues& v) { v.remark = QString(101, 'x'); }, MemberField::Remark,
         "备注 超过 100 个字节，请重新录入！"},
    };
    for (const Case& c : cases) {
        MemberValues v = complete();
        c.change(v);
        const MemberCheck check = checkMember(v);
        EXPECT_EQ(check.field, c.field) << c.message.toStdString();
        EXPECT_EQ(check.message, c.message);
    }
    EXPECT_TRUE(checkMember(complete()).ok());
    EXPECT_TRUE(invalidBirthdayText("0503").contains("0503"));
}

class MemberSaveTest : public test::DbTest {
protected:
    ResultSet member(qlonglong id) {
        return db().select("SELECT * FROM UMember WHERE (ID = ?)", {id});
    }
};

TEST_P(MemberSaveTest, NewMemberStartsAtZeroWithTheCardDate) {
    MemberValues v = complete();
    v.birthday = "5-3";
    v.remark = "它's \"引号\"";
    v.mobile = "13812345678";
    const MemberSaveResult saved = saveMember(dm(), v, 0);
    ASSERT_TRUE(saved.check.ok());
    const ResultSet rs = member(saved.id);
    ASSERT_EQ(rs.size(), 1);
    EXPECT_EQ(rs.text(0, "theBir"), "05-03");
    EXPECT_EQ(rs.text(0, "thePY"), "LH");
    EXPECT_EQ(rs.text(0, "theJF"), "0");
    EXPECT_EQ(rs.text(0, "theCount"), "0");
    EXPECT_EQ(rs.text(0, "theMoney"), "0");
    EXPECT_EQ(rs.text(0, "XFDate"), "2025-02-20");
    EXPECT_EQ(rs.text(0, "myDate"), "2025-02-20");
    EXPECT_EQ(rs.text(0, "theDate"), "2025-03-01");
    EXPECT_EQ(rs.text(0, "UName"), "admin");
    EXPECT_EQ(rs.text(0, "WName"), "总店");
    EXPECT_EQ(rs.text(0, "theDel"), "否");
    EXPECT_EQ(rs.text(0, "Remark"), "它's \"引号\"");
    EXPECT_EQ(rs.text(0, "theMob"), "13812345678");
    // The identity is the new row's own, not merely the highest.
    EXPECT_EQ(saved.id, db().scalar("SELECT MAX(ID) FROM UMember").toLongLong());
}

TEST_P(MemberSaveTest, CardNumberTakenOnlyByLiveMembers) {
    const MemberSaveResult first = saveMember(dm(), complete(), 0);
    ASSERT_TRUE(first.check.ok());
    MemberSaveResult second = saveMember(dm(), complete(), 0);
    EXPECT_EQ(second.check.field, MemberField::CardNumber);
    EXPECT_EQ(second.check.message, "卡号 重复，请重新录入！");
    EXPECT_EQ(dm().myRetSC("SELECT ID FROM UMember"), 1);

    dm().myESQL("UPDATE UMember SET theDel = '是' WHERE (ID = ?)", {first.id});
    second = saveMember(dm(), complete(), 0);
    EXPECT_TRUE(second.check.ok());
    EXPECT_NE(second.id, first.id);
}

TEST_P(MemberSaveTest, EditKeepsBalancesAndMayDuplicate) {
    const qlonglong a = saveMember(dm(), complete(), 0).id;
    MemberValues other = complete();
    other.cardNumber = "B002";
    other.name = "王五";
    const qlonglong b = saveMember(dm(), other, 0).id;
    dm().myESQL("UPDATE UMember SET theJF = 12.5, theCount = 3, theMoney = 80, XFDate = "
                "'2025-02-28', theDate = '2025-01-01' WHERE (ID = ?)",
                {b});

    other.cardNumber = "A001"; // held by member a, who is live
    other.name = "王小五";
    other.birthday = "2-29";
    const MemberSaveResult edited = saveMember(dm(), other, b);
    ASSERT_TRUE(edited.check.ok());
    EXPECT_EQ(edited.id, b);
    const ResultSet rs = member(b);
    EXPECT_EQ(rs.text(0, "theNum"), "A001");
    EXPECT_EQ(rs.text(0, "theName"), "王小五");
    EXPECT_EQ(rs.text(0, "thePY"), "WXW");
    EXPECT_EQ(rs.text(0, "theBir"), "02-29");
    EXPECT_EQ(rs.text(0, "theJF"), "12.5");
    EXPECT_EQ(rs.text(0, "theCount"), "3");
    EXPECT_EQ(rs.text(0, "theMoney"), "80");
    EXPECT_EQ(rs.text(0, "XFDate"), "2025-02-28");
    EXPECT_EQ(rs.text(0, "theDate"), "2025-01-01");
    EXPECT_EQ(member(a).text(0, "theName"), "李华");
}

TEST_P(MemberSaveTest, RefusedSaveWritesNothing) {
    MemberValues v = complete();
    v.birthday = "13-01";
    EXPECT_EQ(saveMember(dm(), v, 0).check.field, MemberField::Birthday);
    v.birthday.clear();
    v.name.clear();
    EXPECT_EQ(saveMember(dm(), v, 0).check.field, MemberField::Name);
    EXPECT_EQ(dm().myRetSC("SELECT ID FROM UMember"), 0);
}

TEST(MemberHandOver, NewMemberFieldsForTheOrder) {
    MemberValues v = complete();
    v.birthday = "5-3";
    v.mobile = "139";
    const QVariantMap f = newMemberFields(v, "2025-03-01");
    EXPECT_EQ(f.value("卡号"), "A001");
    EXPECT_EQ(f.value("生日"), "05-03");
    EXPECT_EQ(f.value("手机号码"), "139");
    EXPECT_EQ(f.value("积分"), "0");
    EXPECT_EQ(f.value("消费次数"), "0");
    EXPECT_EQ(f.value("账户余额"), "0");
    EXPECT_EQ(f.value("消费日期"), "2025-03-01");
    EXPECT_EQ(f.value("持卡日期"), "2025-02-20");
}

FLORIST_ON_EVERY_BACKEND(MemberSaveTest);

} // namespace
} // namespace florist
