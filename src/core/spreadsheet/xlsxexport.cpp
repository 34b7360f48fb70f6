#include "core/spreadsheet/xlsxexport.h"

#include "core/errors.h"
#include "core/spreadsheet/xlsxpackage.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace florist {

namespace {

// The longest text a cell holds.
constexpr qsizetype kMaxCellText = 32767;

// Writes one value: empty cells stay blank, text columns and non-numbers as text, plain
// decimals as numbers.
void putValue(XlsxSheet& sheet, int column, const QString& value, bool isText) {
    if (value.isEmpty()) {
        sheet.blank(column, XlsxStyle::Cell);
    } else if (isText) {
        sheet.text(column, value.left(kMaxCellText), XlsxStyle::Text);
    } else if (isPlainNumber(value)) {
        sheet.number(column, value, XlsxStyle::Cell);
    } else {
        sheet.text(column, value.left(kMaxCellText), XlsxStyle::Cell);
    }
}

QByteArray sheetXml(const QString& title, const ExportSpec& spec, const ExportTable& table) {
    XlsxSheet sheet;
    const int last = std::max(columnNumber(spec.usedLastColumn()), 1);
    const int columns = int(spec.headings.size());

    sheet.beginRow(1);
    sheet.text(1, title.left(kMaxCellText), XlsxStyle::Title);
    for (int c = 2; c <= last; ++c) {
        sheet.blank(c, XlsxStyle::Title);
    }
    sheet.endRow();
    if (last > 1) {
        sheet.mergeRange = "A1:" + columnLetters(last) + "1";
    }

    sheet.beginRow(2);
    sheet.text(1, "序号", XlsxStyle::Heading);
    for (int c = 0; c < columns && c + 2 <= last; ++c) {
        sheet.text(c + 2, spec.headings.at(c), XlsxStyle::Heading);
    }
    for (int c = columns + 2; c <= last; ++c) {
        sheet.blank(c, XlsxStyle::Heading);
    }
    sheet.endRow();

    QList<bool> isText(columns);
    const QSet<QString> textColumns(spec.textColumns.cbegin(), spec.textColumns.cend());
    for (int c = 0; c < columns; ++c) {
        isText[c] = textColumns.contains(spec.headings.at(c));
    }
    int row = 3;
    for (const QStringList& values : table.rows) {
        sheet.beginRow(row);
        sheet.text(1, QString::number(row - 2), XlsxStyle::Counter);
        for (int c = 2; c <= last; ++c) {
            const int field = c - 2;
            const QString v =
                field < values.size() && field < columns ? values.at(field) : QString();
            putValue(sheet, c, v, field < columns && isText[field]);
        }
        sheet.endRow();
        ++row;
    }
    if (spec.hasTotals()) {
        sheet.beginRow(row);
        sheet.text(1, "合计", XlsxStyle::Counter);
        for (int c = 2; c <= last; ++c) {
            const int field = c - 2;
            const QString v = field < table.totalsLine.size() ? table.totalsLine.at(field) : "";
            putValue(sheet, c, v, false);
        }
        sheet.endRow();
    }
    sheet.landscape = spec.landscape;
    // The spreadsheet's codes: &C centre section, &N page count, &P page number.
    sheet.footer = "&C共&N页，第&P页";
    return sheet.finish();
}

} // namespace

QString ExportSpec::usedLastColumn() const {
    return lastColumn.isEmpty() ? columnLetters(int(headings.size()) + 1) : lastColumn.toUpper();
}

ExportTable exportTable(const ExportSpec& spec, const ResultSet& rows, const ResultSet& totals) {
    ExportTable table;
    const int columns = int(spec.headings.size());
    QList<int> sources(columns);
    for (int c = 0; c < columns; ++c) {
        const QString field = c < spec.fields.size() && !spec.fields.at(c).isEmpty()
                                  ? spec.fields.at(c)
                                  : spec.headings.at(c);
        sources[c] = rows.column(field);
    }
    table.rows.reserve(rows.size());
    for (int r = 0; r < rows.size(); ++r) {
        QStringList line;
        line.reserve(columns);
        for (int c = 0; c < columns; ++c) {
            line << (sources[c] < 0 ? QString() : displayText(rows.value(r, sources[c])));
        }
        table.rows << line;
    }
    table.totalsLine = QStringList(columns);
    for (const auto& [heading, field] : spec.totals) {
        const int c = int(spec.headings.indexOf(heading));
        if (c >= 0) {
            table.totalsLine[c] = totals.text(0, field);
        }
    }
    return table;
}

void writeXlsx(const QString& path, const QString& shopName, const ExportSpec& spec,
               const ExportTable& table) {
    const QString title = shopName + spec.titleWord;
    if (!writeXlsxPackage(path, title, sheetXml(title, spec, table))) {
        throw Failure(cannotCreateWorkbookText(path));
    }
}

QString cannotCreateWorkbookText(const QString& path) {
    return QString("无法创建Xls文件，请确认是否安装EXCEL\n%1").arg(QDir::toNativeSeparators(path));
}

QString columnLetters(int column) {
    QString letters;
    while (column > 0) {
        const int d = (column - 1) % 26;
        letters.prepend(QChar('A' + d));
        column = (column - 1) / 26;
    }
    return letters;
}

int columnNumber(const QString& letters) {
    int n = 0;
    for (QChar c : letters) {
        const char16_t u = c.toUpper().unicode();
        if (u < 'A' || u > 'Z' || n > 16384) {
            return 0;
        }
        n = n * 26 + (u - 'A' + 1);
    }
    return n;
}

bool isPlainNumber(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && text.at(i) == '-') {
        ++i;
    }
    const qsizetype intStart = i;
    while (i < n && text.at(i).isDigit() && text.at(i).unicode() < 128) {
        ++i;
    }
    const qsizetype intDigits = i - intStart;
    if (intDigits == 0 || (intDigits > 1 && text.at(intStart) == '0')) {
        return false;
    }
    qsizetype fracDigits = 0;
    if (i < n && text.at(i) == '.') {
        ++i;
        const qsizetype fracStart = i;
        while (i < n && text.at(i).isDigit() && text.at(i).unicode() < 128) {
            ++i;
        }
        fracDigits = i - fracStart;
        if (fracDigits == 0) {
            return false;
        }
    }
    if (i != n) {
        return false;
    }
    // Significant digits: leading zeros of "0.0012" do not count.
    qsizetype significant = intDigits + fracDigits;
    if (text.at(intStart) == '0') {
        significant = fracDigits;
        for (qsizetype k = intStart + 2; k < n && text.at(k) == '0'; ++k) {
            --significant;
        }
    }
    return significant <= 15;
}

} // namespace florist
