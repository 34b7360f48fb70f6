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

namespace {

const std::pair<const char*, const char*> kSelected[] = {
    {"theType", "会员分类"},  {"theNum", "卡号"},       {"theName", "姓名"},
    {"theSex", "性别"},       {"theBir", "生日"},       {"theMob", "手机号码"},
    {"thePhone", "电话号码"}, {"theQQ", "QQ号"},        {"theWX", "微信号"},
    {"theLove", "个人喜好"},  {"theDept", "单位名称"},  {"theAddress", "联系地址"},
    {"Remark", "备注"},       {"myDate", "持卡日期"},   {"theJF", "积分"},
    {"XFDate", "消费日期"},   {"theCount", "消费次数"}, {"theMoney", "账户余额"},
};

// "((theNum LIKE ?) OR … ) " with the prefilter (if any) before it.
QString lookupTerms(const Dialect& dialect, bool withName, bool escaped, const QString& prefilter) {
    const QString like = dialect.likeOperator();
    const QString escape = escaped ? QString(" ESCAPE '!'") : QString();
    auto term = [&](const QString& column) {
        return QString("(%1 %2 ?%3) ").arg(column, like, escape);
    };
    QString sql = "AND " + prefilter + "(";
    sql += term("theNum") + "OR " + term("thePhone") + "OR " + term("thePY") + "OR ";
    if (withName) {
        sql += term("theName") + "OR ";
    }
    sql += term("theMob") + ") ";
    return sql;
}

} // namespace

QString memberLookupSelect(const Dialect& dialect, bool withName, bool escaped) {
    QString sql = "SELECT ";
    for (const auto& [field, heading] : kSelected) {
        sql += QString::fromUtf8(field) + " AS " + QString::fromUtf8(heading) + ", ";
    }
    sql += "ID FROM UMember WHERE (theDel = '否') ";
    return sql + lookupTerms(dialect, withName, escaped, QString());
}

search::Term memberLookupFilter(const Dialect& dialect, bool withName, const QString& text) {
    const Dialect::Prefilter prefilter = dialect.substringPrefilter("UMember", text);
    search::Term t;
    t.text = lookupTerms(dialect, withName, needsLikeEscape(text), prefilter.text);
    t.params = prefilter.params + memberLookupParams(text, withName);
    return t;
}

QList<search::Column> memberLookupColumns() {
    QList<search::Column> columns;
    for (const auto& [field, heading] : kSelected) {
        search::Column c;
        c.heading = QString::fromUtf8(heading);
        c.field = QString::fromUtf8(field);
        const QString f = c.field;
        if (f == "theJF" || f == "theCount" || f == "theMoney") {
            c.kind = search::ColumnKind::Number;
        }
        columns << c;
    }
    search::Column id;
    id.heading = "ID";
    id.field = "ID";
    id.hidden = true;
    id.kind = search::ColumnKind::Number;
    columns << id;
    return columns;
}

QVariantList memberLookupParams(const QString& text, bool withName) {
    const QString pattern = containsPattern(text);
    QVariantList params(withName ? 5 : 4, pattern);
    return params;
}

ResultSet lookupMembers(DataModule& dm, const QString& callerCode, const QString& text) {
    return lookupMembers(dm, callerCode, text, 0);
}

ResultSet lookupMembers(DataModule& dm, const QString& callerCode, const QString& text, int limit) {
    const Dialect& dialect = dm.db().dialect();
    const search::Term filter = memberLookupFilter(dialect, lookupSearchesName(callerCode), text);
    QString sql = limit > 0 ? "SELECT TOP " + QString::number(limit) + " " : QString("SELECT ");
    for (const auto& [field, heading] : kSelected) {
        sql += QString::fromUtf8(field) + " AS " + QString::fromUtf8(heading) + ", ";
    }
    sql += "ID FROM UMember WHERE (theDel = '否') " + filter.text;
    return dm.db().select(sql, filter.params);
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

PickedMember pickMember(const QString& callerCode, const QVariantMap& row) {
    PickedMember member;
    member.callerCode = callerCode;
    member.id = row.value("ID").toLongLong();
    for (const QString& heading : handedOverHeadings(callerCode)) {
        member.fields.insert(heading, displayText(row.value(heading)));
    }
    return member;
}

QString memberNotFoundText() {
    return "会员 不存在，请重新录入！";
}

} // namespace florist::members
