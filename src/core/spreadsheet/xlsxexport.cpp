#include "core/spreadsheet/xlsxexport.h"

#include "core/errors.h"
#include "core/spreadsheet/xlsxpackage.h"
#include "core/text/amount.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace florist {

namespace {

// The longest text a cell holds.
constexpr qsizetype kMaxCellText = 32767;
// The widest column that a computed width gives, in characters.
constexpr double kMaxColumnWidth = 60;
// Height of the title row, in points, for its 16-point title.
constexpr double kTitleRowHeight = 24;

// A text cut to what a cell holds, never between the halves of a surrogate pair.
QString cellText(const QString& text) {
    if (text.size() <= kMaxCellText) {
        return text;
    }
    qsizetype n = kMaxCellText;
    if (text.at(n - 1).isHighSurrogate()) {
        --n;
    }
    return text.left(n);
}

// The width a text takes, in the spreadsheet's character units: as GBK counts it, a Chinese
// character two, others one. The list's 9-point font would need less, but the programs that
// open the file substitute fonts of their own for 宋体, and some of them need the full width.
double textWidth(const QString& text) {
    qsizetype units = 0;
    for (QChar c : text) {
        units += c.unicode() < 0x80 ? 1 : (c.isLowSurrogate() ? 0 : 2);
    }
    return double(units);
}

// Writes one value: empty cells stay blank, text columns and non-numbers as text, plain
// decimals as numbers.
void putValue(XlsxSheet& sheet, int column, const QString& value, bool isText) {
    if (value.isEmpty()) {
        sheet.blank(column, XlsxStyle::Cell);
    } else if (isText) {
        sheet.text(column, cellText(value), XlsxStyle::Text);
    } else if (isPlainNumber(value)) {
        sheet.number(column, value, XlsxStyle::Cell);
    } else {
        sheet.text(column, cellText(value), XlsxStyle::Cell);
    }
}

QByteArray sheetXml(const QString& title, const ExportSpec& spec, const ExportTable& table) {
    XlsxSheet sheet;
    const int last = std::max(columnNumber(spec.usedLastColumn()), 1);
    const int columns = int(spec.headings.size());

    sheet.beginRow(1, kTitleRowHeight);
    sheet.text(1, cellText(title), XlsxStyle::Title);
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
        sheet.text(c + 2, cellText(spec.headings.at(c)), XlsxStyle::Heading);
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
    // Each column as wide as its widest text (within a cap), so that phone numbers and names
    // print whole; the headings are bold, a little wider.
    QList<double> widths(std::max(last - 1, 0), 0.0);
    for (int c = 0; c < columns && c < widths.size(); ++c) {
        double widest = textWidth(spec.headings.at(c)) * 1.1;
        for (const QStringList& values : table.rows) {
            if (c < values.size()) {
                widest = std::max(widest, textWidth(values.at(c)));
            }
        }
        if (spec.hasTotals() && c < table.totalsLine.size()) {
            widest = std::max(widest, textWidth(table.totalsLine.at(c)));
        }
        widths[c] = std::clamp(std::ceil(widest) + 2, 6.0, kMaxColumnWidth);
    }
    sheet.columnWidths = widths;
    sheet.landscape = spec.landscape;
    // The spreadsheet's codes: &C centre section, &N page count, &P page number.
    sheet.footer = "&C共&N页，第&P页";
    return sheet.finish();
}

// Decimals of a plain number's text ("12.50" has 2); 0 for anything else.
int decimalsOf(const QString& text) {
    const qsizetype dot = text.indexOf('.');
    return dot < 0 || !isPlainNumber(text) ? 0 : int(text.size() - dot - 1);
}

// A total summed by the database carries the noise of binary addition (56001.7160000001):
// it is rounded to the decimals of the values it adds up (cents at least) and shown in its
// shortest form. Text that is no number stays as it is.
QString roundedTotal(const QString& total, const QList<QStringList>& rows, int column) {
    bool ok = false;
    const double value = total.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return ok ? QString() : total;
    }
    int decimals = 2;
    for (const QStringList& line : rows) {
        if (column < line.size()) {
            decimals = std::max(decimals, decimalsOf(line.at(column)));
        }
    }
    decimals = std::min(decimals, 6);
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    return formatAmount(rounded == 0 ? 0.0 : rounded);
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
            table.totalsLine[c] = roundedTotal(totals.text(0, field), table.rows, c);
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
