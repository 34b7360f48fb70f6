#include "reports/pagebuilder.h"

#include "core/errors.h"
#include "core/text/amount.h"

#include <QRegularExpression>

namespace florist::reports {

namespace {

const QRegularExpression& fieldReference() {
    static const QRegularExpression re(R"re(\[([A-Za-z_][A-Za-z0-9_]*)\."([^"\]]+)"\])re");
    return re;
}

// Numbers stored as text (a text column, a driver that hands back strings) still take the
// two-decimal format, as long as the whole text is a number.
bool numericValue(const QVariant& value, double& out) {
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        out = value.toDouble();
        return true;
    case QMetaType::QString:
    case QMetaType::QByteArray: {
        bool ok = false;
        out = value.toString().trimmed().toDouble(&ok);
        return ok;
    }
    default:
        return false;
    }
}

QString referenceValue(const RowSources& sources, const QString& source, const QString& column,
                       bool twoDecimals) {
    const ResultSet* rows = sources.find(source);
    const int c = rows ? rows->column(column) : -1;
    if (c < 0) {
        throw Failure(QString("报表字段不存在：%1.\"%2\"").arg(source, column));
    }
    return rows->isEmpty() ? QString("") : fieldText(rows->value(0, c), twoDecimals);
}

QString expand(const TextBox& box, const RowSources& sources) {
    QString out;
    qsizetype at = 0;
    auto it = fieldReference().globalMatch(box.content);
    while (it.hasNext()) {
        const auto m = it.next();
        out += box.content.mid(at, m.capturedStart() - at);
        out += referenceValue(sources, m.captured(1), m.captured(2), box.twoDecimals);
        at = m.capturedEnd();
    }
    out += box.content.mid(at);
    return out;
}

} // namespace

void RowSources::set(const QString& name, ResultSet rows) {
    sources_.insert(name.toLower(), std::move(rows));
}

const ResultSet* RowSources::find(const QString& name) const {
    auto it = sources_.constFind(name.toLower());
    return it == sources_.constEnd() ? nullptr : &it.value();
}

QString fieldText(const QVariant& value, bool twoDecimals) {
    if (!value.isValid() || value.isNull()) {
        return QString("");
    }
    double number = 0;
    if (twoDecimals && numericValue(value, number)) {
        return formatAmount2(number);
    }
    return displayText(value);
}

Page buildPage(const PageLayout& layout, const RowSources& sources) {
    Page page;
    page.name = layout.name;
    page.paperMm = layout.paperMm;
    page.marginsMm = layout.marginsMm;
    const QPointF origin(layout.marginsMm.left(), layout.marginsMm.top());
    for (const TextBox& box : layout.boxes) {
        PlacedText item;
        item.rectMm = box.rectMm.translated(origin);
        item.text = expand(box, sources);
        item.fontPx = box.fontPx;
        item.hAlign = box.hAlign;
        item.vAlign = box.vAlign;
        page.items << item;
    }
    return page;
}

QList<TextMatch> findText(const Page& page, const QString& needle) {
    QList<TextMatch> found;
    if (needle.isEmpty()) {
        return found;
    }
    for (int i = 0; i < page.items.size(); ++i) {
        const QString& text = page.items.at(i).text;
        for (qsizetype at = text.indexOf(needle, 0, Qt::CaseInsensitive); at >= 0;
             at = text.indexOf(needle, at + needle.size(), Qt::CaseInsensitive)) {
            found << TextMatch{i, int(at), int(needle.size())};
        }
    }
    return found;
}

} // namespace florist::reports
