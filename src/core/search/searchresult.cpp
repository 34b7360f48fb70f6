#include "core/search/searchresult.h"

#include "core/db/database.h"
#include "core/text/amount.h"

#include <cmath>

namespace florist::search {

namespace {

// A sum over many rows carries the binary noise of every addition (300 × 179.1 comes back as
// 53729.9999999997); four decimals are more than any amount or points value shows.
QString sumText(const QVariant& v) {
    if (v.typeId() != QMetaType::Double) {
        return displayText(v);
    }
    const double rounded = std::round(v.toDouble() * 1e4) / 1e4;
    return formatAmount(rounded == 0.0 ? 0.0 : rounded);
}

} // namespace

Totals readTotals(Database& db, const SearchDescriptor& spec, const Term& where) {
    Totals t;
    const ResultSet r = db.select(totalsSelect(spec) + where.text, where.params);
    for (int i = 0; i < spec.totals.size(); ++i) {
        const QVariant v = r.isEmpty() ? QVariant() : r.value(0, i);
        t.values << (v.isNull() ? spec.totals.at(i).whenEmpty : sumText(v));
    }
    if (r.isEmpty()) {
        return t;
    }
    t.rows = r.value(0, int(spec.totals.size())).toLongLong();
    return t;
}

QStringList totalsLines(const SearchDescriptor& spec, const Totals& totals) {
    QStringList lines;
    lines << spec.countCaption + QString::number(totals.rows);
    for (int i = 0; i < spec.totals.size(); ++i) {
        lines << spec.totals.at(i).caption + totals.values.value(i, "0");
    }
    return lines;
}

ExportTable exportRows(Database& db, const SearchDescriptor& spec, const PagedTableModel& model,
                       const Totals& totals) {
    const ExportSpec layout = exportSpec(spec);
    QList<int> sources;
    for (const QString& heading : layout.headings) {
        sources << model.columnOf(heading);
    }
    ExportTable table;
    table.rows.reserve(int(qMin<qlonglong>(totals.rows, 1 << 20)));
    forEachRow(db, model, [&](const QVariantList& row) {
        QStringList line;
        line.reserve(sources.size());
        for (int c : sources) {
            line << (c < 0 ? QString() : displayText(row.at(c)));
        }
        table.rows << std::move(line);
    });
    table.totalsLine = QStringList(layout.headings.size());
    for (int i = 0; i < spec.totals.size(); ++i) {
        const int c = int(layout.headings.indexOf(spec.totals.at(i).alias));
        if (c >= 0) {
            table.totalsLine[c] = totals.values.value(i, "0");
        }
    }
    return table;
}

} // namespace florist::search
