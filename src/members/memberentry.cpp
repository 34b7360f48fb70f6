#include "members/memberentry.h"

#include "core/db/datamodule.h"
#include "core/db/dialect.h"
#include "core/text/gbk.h"
#include "core/text/pinyin.h"

#include <QDate>
#include <QRegularExpression>

namespace florist::members {

namespace {

const QString kInsert =
    "INSERT INTO UMember (theDate, UName, theDel, theType, theNum, theName, myDate, theSex, "
    "theBir, theDept, thePhone, theLove, theAddress, Remark, thePY, theJF, XFDate, theCount, "
    "theMoney, theQQ, theWX, theMob, WName) VALUES (?, ?, '否', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
    "?, ?, ?, ?, ?, ?, ?, ?, ? ) ";

const QString kUpdate =
    "UPDATE UMember SET theType = ?, theNum = ?, theName = ?, myDate = ?, theSex = ?, "
    "theBir = ?, theDept = ?, thePhone = ?, theLove = ?, theAddress = ?, Remark = ?, thePY = ?, "
    "theQQ = ?, theWX = ?, theMob = ?  WHERE (ID = ?)";

// Card numbers that differ only in letter case or trailing spaces are one card.
const QString kDuplicate =
    "SELECT ID FROM UMember WHERE (theDel = '否') AND (" + sameKey("theNum") + ") ";

MemberCheck refuse(MemberField field, const QString& message) {
    return {field, message};
}

// The byte limits of the entry fields, as their captions name them.
struct Limit {
    MemberField field;
    QString caption;
    int bytes;
    QString MemberValues::*value;
};

const QList<Limit>& limits() {
    static const QList<Limit> list = {
        {MemberField::CardNumber, "卡号", 10, &MemberValues::cardNumber},
        {MemberField::Name, "姓名", 20, &MemberValues::name},
        {MemberField::Birthday, "生日", 5, &MemberValues::birthday},
        {MemberField::Mobile, "手机号码", 30, &MemberValues::mobile},
        {MemberField::Phone, "电话号码", 30, &MemberValues::phone},
        {MemberField::QQ, "QQ号", 20, &MemberValues::qq},
        {MemberField::WeChat, "微信号", 30, &MemberValues::weChat},
        {MemberField::Preferences, "个人喜好", 20, &MemberValues::preferences},
        {MemberField::WorkUnit, "单位名称", 50, &MemberValues::workUnit},
        {MemberField::Address, "联系地址", 50, &MemberValues::address},
        {MemberField::Remark, "备注", 100, &MemberValues::remark},
    };
    return list;
}

QString pinyinOf(const QString& name) {
    return GetPY(name, kPinyinMarkUnread, 255);
}

} // namespace

std::optional<QString> normaliseBirthday(const QString& typed) {
    const QString text = typed.trimmed();
    if (text.isEmpty()) {
        return QString();
    }
    // Read as a date of the year 2000, which makes 02-29 a day like any other.
    static const QRegularExpression monthDay("^(\\d{1,2})-(\\d{1,2})$");
    const QRegularExpressionMatch m = monthDay.match(text);
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const QDate date(2000, m.captured(1).toInt(), m.captured(2).toInt());
    if (!date.isValid()) {
        return std::nullopt;
    }
    return date.toString("MM-dd");
}

QString invalidBirthdayText(const QString& typed) {
    return QString("生日 “%1” 不是有效的月-日（例如 02-28），请重新录入！").arg(typed);
}

MemberCheck checkMember(const MemberValues& v) {
    if (v.category.isEmpty()) {
        return refuse(MemberField::Category, "会员分类 不能为空，请重新选择！");
    }
    if (v.cardNumber.isEmpty()) {
        return refuse(MemberField::CardNumber, "卡号 不能为空，请重新录入！");
    }
    if (v.name.isEmpty()) {
        return refuse(MemberField::Name, "姓名 不能为空，请重新录入！");
    }
    for (const Limit& limit : limits()) {
        if (gbkLength(v.*limit.value) > limit.bytes) {
            return refuse(
                limit.field,
                QString("%1 超过 %2 个字节，请重新录入！").arg(limit.caption).arg(limit.bytes));
        }
    }
    if (!normaliseBirthday(v.birthday)) {
        return refuse(MemberField::Birthday, invalidBirthdayText(v.birthday));
    }
    return {};
}

bool cardNumberTaken(DataModule& dm, const QString& cardNumber) {
    return dm.myRetSC(kDuplicate, {cardNumber}) > 0;
}

qlonglong insertMember(DataModule& dm, const MemberValues& v, const MemberBalances& b) {
    const std::optional<QString> birthday = normaliseBirthday(v.birthday);
    if (!birthday) {
        throw Failure(invalidBirthdayText(v.birthday));
    }
    const LoginValues& login = dm.login();
    return dm
        .insert(kInsert, {login.businessDate,
                          login.currentUser,
                          v.category,
                          v.cardNumber,
                          v.name,
                          v.cardDate,
                          v.sex,
                          *birthday,
                          v.workUnit,
                          v.phone,
                          v.preferences,
                          v.address,
                          v.remark,
                          pinyinOf(v.name),
                          b.points,
                          b.lastPurchase,
                          b.count,
                          b.money,
                          v.qq,
                          v.weChat,
                          v.mobile,
                          login.currentStore})
        .toLongLong();
}

void updateMember(DataModule& dm, qlonglong id, const MemberValues& v) {
    const std::optional<QString> birthday = normaliseBirthday(v.birthday);
    if (!birthday) {
        throw Failure(invalidBirthdayText(v.birthday));
    }
    dm.myESQL(kUpdate,
              {v.category, v.cardNumber, v.name, v.cardDate, v.sex, *birthday, v.workUnit, v.phone,
               v.preferences, v.address, v.remark, pinyinOf(v.name), v.qq, v.weChat, v.mobile, id});
}

MemberSaveResult saveMember(DataModule& dm, const MemberValues& values, qlonglong editId) {
    MemberSaveResult result;
    result.check = checkMember(values);
    if (!result.check.ok()) {
        return result;
    }
    if (editId > 0) {
        updateMember(dm, editId, values);
        result.id = editId;
        return result;
    }
    // The test and the insert in one transaction, so a failing insert leaves nothing behind.
    dm.db().transaction([&] {
        if (cardNumberTaken(dm, values.cardNumber)) {
            result.check = refuse(MemberField::CardNumber, "卡号 重复，请重新录入！");
            return;
        }
        MemberBalances balances;
        balances.lastPurchase = values.cardDate;
        result.id = insertMember(dm, values, balances);
    });
    return result;
}

QString memberSavedText() {
    return "恭喜！恭喜！ 会员信息 保存成功！";
}

QVariantMap newMemberFields(const MemberValues& v, const QString& businessDate) {
    return {
        {"会员分类", v.category},
        {"卡号", v.cardNumber},
        {"姓名", v.name},
        {"持卡日期", v.cardDate},
        {"性别", v.sex},
        {"生日", normaliseBirthday(v.birthday).value_or(v.birthday)},
        {"手机号码", v.mobile},
        {"电话号码", v.phone},
        {"QQ号", v.qq},
        {"微信号", v.weChat},
        {"个人喜好", v.preferences},
        {"单位名称", v.workUnit},
        {"联系地址", v.address},
        {"备注", v.remark},
        {"积分", "0"},
        {"消费日期", businessDate},
        {"消费次数", "0"},
        {"账户余额", "0"},
    };
}

MemberValues valuesFromRow(const QVariantMap& row) {
    // Headings are matched without regard to case: PostgreSQL folds "QQ号" to "qq号".
    QVariantMap folded;
    for (auto it = row.begin(); it != row.end(); ++it) {
        folded.insert(it.key().toLower(), it.value());
    }
    auto text = [&](const char* heading) {
        return folded.value(QString::fromUtf8(heading).toLower()).toString();
    };
    MemberValues v;
    v.category = text("会员分类");
    v.cardNumber = text("卡号");
    v.name = text("姓名");
    v.sex = text("性别");
    v.birthday = text("生日");
    v.mobile = text("手机号码");
    v.phone = text("电话号码");
    v.qq = text("QQ号");
    v.weChat = text("微信号");
    v.preferences = text("个人喜好");
    v.workUnit = text("单位名称");
    v.address = text("联系地址");
    v.remark = text("备注");
    v.cardDate = text("持卡日期");
    return v;
}

} // namespace florist::members
