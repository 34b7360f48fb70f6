#include "members/memberlookup.h"

#include "core/db/datamodule.h"

namespace florist::members {

namespace {

const QStringList kTwelve = {"会员分类", "卡号",     "姓名", "持卡日期", "性别",     "生日",
                             "手机号码", "电话号码", "积分", "消费日期", "消费次数", "账户余额"};

} // namespace

bool lookupSearchesName(const QString& callerCode) {
    return callerCode == kCallerOrder;
}

bool needsLikeEscape(const QString& text) {
    // "[" opens a character class on SQL Server.
    return text.contains('%') || text.contains('_') || text.contains('[');
}

QString containsPattern(const QString& text) {
    if (!needsLikeEscape(text)) {
        return '%' + text + '%';
    }
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar c : text) {
        if (c == '!' || c == '%' || c == '_' || c == '[') {
            escaped += '!';
        }
        escaped += c;
    }
    return '%' + escaped + '%';
}

QString memberLookupSelect(const Dialect& dialect, bool withName, bool escaped) {
    const QString like = dialect.likeOperator();
    const QString escape = escaped ? QString(" ESCAPE '!'") : QString();
    auto term = [&](const QString& column) {
        return QString("(%1 %2 ?%3) ").arg(column, like, escape);
    };
    QString sql =
        "SELECT theType AS 会员分类, theNum AS 卡号, theName AS 姓名, theSex AS 性别, "
        "theBir AS 生日, theMob AS 手机号码, thePhone AS 电话号码, theQQ AS QQ号, "
        "theWX AS 微信号, theLove AS 个人喜好, theDept AS 单位名称, theAddress AS 联系地址, "
        "Remark AS 备注, myDate AS 持卡日期, theJF AS 积分, XFDate AS 消费日期, "
        "theCount AS 消费次数, theMoney AS 账户余额, ID FROM UMember WHERE (theDel = '否') AND (";
    sql += term("theNum") + "OR " + term("thePhone") + "OR " + term("thePY") + "OR ";
    if (withName) {
        sql += term("theName") + "OR ";
    }
    sql += term("theMob") + ") ";
    return sql;
}

QVariantList memberLookupParams(const QString& text, bool withName) {
    const QString pattern = containsPattern(text);
    QVariantList params(withName ? 5 : 4, pattern);
    return params;
}

ResultSet lookupMembers(DataModule& dm, const QString& callerCode, const QString& text) {
    const bool withName = lookupSearchesName(callerCode);
    return dm.db().select(memberLookupSelect(dm.db().dialect(), withName, needsLikeEscape(text)),
                          memberLookupParams(text, withName));
}

QStringList handedOverHeadings(const QString& callerCode) {
    if (callerCode == kCallerOrder) {
        return kTwelve + QStringList{"QQ号", "微信号", "个人喜好"};
    }
    return kTwelve;
}

PickedMember pickMember(const QString& callerCode, const ResultSet& rows, int row) {
    PickedMember member;
    member.callerCode = callerCode;
    member.id = rows.value(row, "ID").toLongLong();
    for (const QString& heading : handedOverHeadings(callerCode)) {
        member.fields.insert(heading, rows.text(row, heading));
    }
    return member;
}

QString memberNotFoundText() {
    return "会员 不存在，请重新录入！";
}

} // namespace florist::members
