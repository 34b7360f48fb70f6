#include "core/spreadsheet/xlsxexport.h"

#include "core/errors.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <xlsxwriter.h>

namespace florist {

namespace {

// The longest text a cell holds.
constexpr qsizetype kMaxCellText = 32767;

struct Formats {
    lxw_format* title;
    lxw_format* heading;
    lxw_format* counter; // the running number and "合计": centred text
    lxw_format* cell;
    lxw_format* text;
};

lxw_format* bordered(lxw_workbook* wb) {
    lxw_format* f = workbook_add_format(wb);
    format_set_border(f, LXW_BORDER_THIN);
    format_set_font_size(f, 9);
    return f;
}

Formats makeFormats(lxw_workbook* wb) {
    Formats f;
    f.title = workbook_add_format(wb);
    format_set_bold(f.title);
    format_set_align(f.title, LXW_ALIGN_CENTER);
    format_set_align(f.title, LXW_ALIGN_VERTICAL_CENTER);
    format_set_font_name(f.title, "宋体");
    format_set_font_size(f.title, 16);
    f.heading = bordered(wb);
    format_set_bold(f.heading);
    format_set_align(f.heading, LXW_ALIGN_CENTER);
    format_set_align(f.heading, LXW_ALIGN_VERTICAL_CENTER);
    f.counter = bordered(wb);
    format_set_align(f.counter, LXW_ALIGN_CENTER);
    format_set_num_format(f.counter, "@");
    f.cell = bordered(wb);
    f.text = bordered(wb);
    format_set_num_format(f.text, "@");
    return f;
}

class Writer {
public:
    Writer(lxw_worksheet* ws, const QString& path) : ws_(ws), path_(path) {}

    void string(int row, int col, const QString& text, lxw_format* f) {
        check(worksheet_write_string(ws_, lxw_row_t(row), lxw_col_t(col),
                                     text.left(kMaxCellText).toUtf8().constData(), f));
    }
    void number(int row, int col, double value, lxw_format* f) {
        check(worksheet_write_number(ws_, lxw_row_t(row), lxw_col_t(col), value, f));
    }
    void blank(int row, int col, lxw_format* f) {
        check(worksheet_write_blank(ws_, lxw_row_t(row), lxw_col_t(col), f));
    }
    void check(lxw_error e) const {
        if (e != LXW_NO_ERROR) {
            throw Failure(cannotCreateWorkbookText(path_));
        }
    }

private:
    lxw_worksheet* ws_;
    const QString& path_;
};

void writeSheet(lxw_workbook* wb, lxw_worksheet* ws, const QString& path, const QString& title,
                const ExportSpec& spec, const ExportTable& table) {
    const Formats f = makeFormats(wb);
    Writer w(ws, path);
    const int last = std::max(columnNumber(spec.usedLastColumn()), 1) - 1;
    const int columns = int(spec.headings.size());

    w.check(worksheet_set_column(ws, 0, 0, 4, nullptr));
    if (last > 0) {
        w.check(worksheet_merge_range(ws, 0, 0, 0, lxw_col_t(last), title.toUtf8().constData(),
                                      f.title));
    } else {
        w.string(0, 0, title, f.title);
    }

    w.string(1, 0, "序号", f.heading);
    for (int c = 0; c < columns; ++c) {
        w.string(1, c + 1, spec.headings.at(c), f.heading);
    }
    for (int c = columns + 1; c <= last; ++c) {
        w.blank(1, c, f.heading);
    }

    QList<bool> isText(columns);
    const QSet<QString> textColumns(spec.textColumns.cbegin(), spec.textColumns.cend());
    for (int c = 0; c < columns; ++c) {
        isText[c] = textColumns.contains(spec.headings.at(c));
    }
    int row = 2;
    for (const QStringList& values : table.rows) {
        w.string(row, 0, QString::number(row - 1), f.counter);
        for (int c = 0; c < columns; ++c) {
            const QString v = c < values.size() ? values.at(c) : QString();
            if (v.isEmpty()) {
                w.blank(row, c + 1, f.cell);
            } else if (isText[c]) {
                w.string(row, c + 1, v, f.text);
            } else if (isPlainNumber(v)) {
                w.number(row, c + 1, v.toDouble(), f.cell);
            } else {
                w.string(row, c + 1, v, f.cell);
            }
        }
        for (int c = columns + 1; c <= last; ++c) {
            w.blank(row, c, f.cell);
        }
        ++row;
    }
    if (spec.hasTotals()) {
        w.string(row, 0, "合计", f.counter);
        for (int c = 1; c <= last; ++c) {
            const QString v = c - 1 < table.totalsLine.size() ? table.totalsLine.at(c - 1) : "";
            if (v.isEmpty()) {
                w.blank(row, c, f.cell);
            } else if (isPlainNumber(v)) {
                w.number(row, c, v.toDouble(), f.cell);
            } else {
                w.string(row, c, v, f.cell);
            }
        }
    }

    if (spec.landscape) {
        worksheet_set_landscape(ws);
    }
    // The spreadsheet's codes: &C centre section, &N page count, &P page number.
    w.check(worksheet_set_footer(ws, "&C共&N页，第&P页"));
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
    // Rows go out strictly in order, so the sheet can stream to disk as it is written.
    lxw_workbook_options options = {};
    options.constant_memory = LXW_TRUE;
    const QByteArray file = QFile::encodeName(path);
    lxw_workbook* wb = workbook_new_opt(file.constData(), &options);
    if (!wb) {
        throw Failure(cannotCreateWorkbookText(path));
    }
    const QByteArray titleUtf8 = title.toUtf8();
    lxw_doc_properties properties = {};
    properties.title = const_cast<char*>(titleUtf8.constData());
    workbook_set_properties(wb, &properties);
    lxw_worksheet* ws = workbook_add_worksheet(wb, "Sheet1");
    try {
        if (!ws) {
            throw Failure(cannotCreateWorkbookText(path));
        }
        writeSheet(wb, ws, path, title, spec, table);
    } catch (...) {
        workbook_close(wb);
        QFile::remove(path);
        throw;
    }
    if (workbook_close(wb) != LXW_NO_ERROR) {
        QFile::remove(path);
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
