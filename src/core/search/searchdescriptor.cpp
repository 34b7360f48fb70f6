#include "core/search/searchdescriptor.h"

#include "core/db/dialect.h"

namespace florist::search {

namespace {

const QString kWhereHead = QStringLiteral("WHERE (theDel = '否') ");

QString dateText(const QDate& d) {
    return d.toString("yyyy-MM-dd");
}

Term termOf(const Condition& c, const ConditionInput& in, const Dialect& dialect, FilterUse use) {
    QString field = c.fields.value(0);
    if (use == FilterUse::List && c.listScansInKeyOrder) {
        field = dialect.orderedScanField(field);
    }
    switch (c.match) {
    case Match::Contains: {
        Term t;
        QStringList parts;
        for (const QString& f : c.fields) {
            parts << likeTerm(f, dialect);
            t.params << containsPattern(in.text);
        }
        t.text = "AND (" + parts.join(" OR ") + ") ";
        return t;
    }
    case Match::Equals:
        return {"AND (" + field + " = ?) ", {in.text}};
    case Match::Between:
        return {"AND (" + field + " BETWEEN ? AND ?) ", {dateText(in.from), dateText(in.to)}};
    case Match::Fixed:
        return {"AND (" + field + " = ?) ", {c.value}};
    case Match::Custom:
        return c.term ? c.term(in) : Term{};
    case Match::None:
        break;
    }
    return {};
}

} // namespace

QString containsPattern(const QString& text) {
    QString escaped;
    escaped.reserve(text.size() + 2);
    for (const QChar ch : text) {
        // "[" is a wildcard on SQL Server; escaping it is harmless elsewhere.
        if (ch == '!' || ch == '%' || ch == '_' || ch == '[') {
            escaped += '!';
        }
        escaped += ch;
    }
    return '%' + escaped + '%';
}

QString likeTerm(const QString& field, const Dialect& dialect) {
    return field + " " + dialect.likeOperator() + " ? ESCAPE '!'";
}

Term buildFilter(const SearchDescriptor& spec, const QList<ConditionInput>& inputs,
                 const Dialect& dialect, FilterUse use) {
    Term filter;
    for (int i = 0; i < spec.conditions.size(); ++i) {
        const Condition& c = spec.conditions.at(i);
        const ConditionInput in = inputs.value(i);
        if (in.ticked || c.always) {
            filter += termOf(c, in, dialect, use);
        }
    }
    return filter;
}

QString selectList(const SearchDescriptor& spec) {
    QStringList parts;
    parts.reserve(spec.columns.size());
    for (const Column& c : spec.columns) {
        parts << (c.field == c.heading ? c.field : c.field + " AS " + c.heading);
    }
    return parts.join(", ");
}

QString whereHead(const SearchDescriptor& spec) {
    return "FROM " + spec.from + " " + kWhereHead;
}

QString totalsSelect(const SearchDescriptor& spec) {
    QStringList parts;
    for (const Total& t : spec.totals) {
        parts << t.expression + " AS " + t.alias;
    }
    // The row count comes with the sums: one pass over the filter instead of two.
    parts << "COUNT(*) AS florist_rows";
    return "SELECT " + parts.join(", ") + " " + whereHead(spec);
}

ExportSpec exportSpec(const SearchDescriptor& spec) {
    ExportSpec e;
    e.titleWord = spec.exportTitle;
    e.landscape = spec.exportLandscape;
    for (const Column& c : spec.columns) {
        if (c.hidden || !c.exported || spec.exportOmitted.contains(c.heading)) {
            continue;
        }
        e.headings << c.heading;
        if (c.exportAsText) {
            e.textColumns << c.heading;
        }
    }
    for (const Total& t : spec.totals) {
        if (e.headings.contains(t.alias)) {
            e.totals << qMakePair(t.alias, t.alias);
        }
    }
    return e;
}

} // namespace florist::search
