#include "core/spreadsheet/xlsxpackage.h"

#include "core/spreadsheet/xlsxexport.h"

#include <QDateTime>
#include <QFile>
#include <algorithm>
#include <zip.h>

namespace florist {

namespace {

// Appends text with the XML specials escaped and the characters XML 1.0 forbids dropped (a
// single one of them would make the whole sheet unreadable). A carriage return is written as a
// reference, since a parser would turn a bare one into a line feed.
void appendEscaped(QByteArray& out, const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    const qsizetype n = utf8.size();
    for (qsizetype i = 0; i < n; ++i) {
        const auto c = static_cast<unsigned char>(utf8.at(i));
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\r':
            out += "&#13;";
            break;
        case 0xEF:
            // U+FFFE and U+FFFF are not characters either.
            if (i + 2 < n && static_cast<unsigned char>(utf8.at(i + 1)) == 0xBF &&
                (static_cast<unsigned char>(utf8.at(i + 2)) & 0xFE) == 0xBE) {
                i += 2;
                break;
            }
            out += char(c);
            break;
        default:
            if (c < 0x20 && c != '\t' && c != '\n') {
                break;
            }
            out += char(c);
        }
    }
}

bool isHex(QChar c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

bool needsCellEscape(QChar c) {
    const char16_t u = c.unicode();
    return (u < 0x20 && u != '\t' && u != '\n' && u != '\r') || u == 0xFFFE || u == 0xFFFF;
}

const char* const kContentTypes =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">)"
    R"(<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>)"
    R"(<Default Extension="xml" ContentType="application/xml"/>)"
    R"(<Override PartName="/docProps/app.xml" ContentType="application/vnd.openxmlformats-officedocument.extended-properties+xml"/>)"
    R"(<Override PartName="/docProps/core.xml" ContentType="application/vnd.openxmlformats-package.core-properties+xml"/>)"
    R"(<Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>)"
    R"(<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>)"
    R"(<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>)"
    R"(</Types>)";

const char* const kRootRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/extended-properties" Target="docProps/app.xml"/>)"
    R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/package/2006/relationships/metadata/core-properties" Target="docProps/core.xml"/>)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>)"
    R"(</Relationships>)";

const char* const kApp =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<Properties xmlns="http://schemas.openxmlformats.org/officeDocument/2006/extended-properties" )"
    R"(xmlns:vt="http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes">)"
    R"(<Application>青禾花店管理系统</Application></Properties>)";

const char* const kWorkbook =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
    R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
    R"(<bookViews><workbookView/></bookViews>)"
    R"(<sheets><sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets>)"
    R"(<definedNames><definedName name="_xlnm.Print_Titles" localSheetId="0">Sheet1!$1:$2</definedName></definedNames>)"
    R"(</workbook>)";

const char* const kWorkbookRels =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">)"
    R"(<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>)"
    R"(<Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>)"
    R"(</Relationships>)";

// Fonts: 0 default, 1 宋体 16 bold (title), 2 bold 9 (headings), 3 size 9 (cells). Borders:
// 0 none, 1 thin on every side. The cellXfs follow XlsxStyle.
const char* const kStyles =
    R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
    "\n"
    R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
    R"(<fonts count="4">)"
    R"(<font><sz val="11"/><name val="宋体"/><family val="3"/><charset val="134"/></font>)"
    R"(<font><b/><sz val="16"/><name val="宋体"/><family val="3"/><charset val="134"/></font>)"
    R"(<font><b/><sz val="9"/><name val="宋体"/><family val="3"/><charset val="134"/></font>)"
    R"(<font><sz val="9"/><name val="宋体"/><family val="3"/><charset val="134"/></font>)"
    R"(</fonts>)"
    R"(<fills count="2"><fill><patternFill patternType="none"/></fill>)"
    R"(<fill><patternFill patternType="gray125"/></fill></fills>)"
    R"(<borders count="2"><border><left/><right/><top/><bottom/><diagonal/></border>)"
    R"(<border><left style="thin"><color auto="1"/></left><right style="thin"><color auto="1"/></right>)"
    R"(<top style="thin"><color auto="1"/></top><bottom style="thin"><color auto="1"/></bottom>)"
    R"(<diagonal/></border></borders>)"
    R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)"
    R"(<cellXfs count="6">)"
    R"(<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>)"
    R"(<xf numFmtId="0" fontId="1" fillId="0" borderId="0" xfId="0" applyFont="1" applyAlignment="1">)"
    R"(<alignment horizontal="center" vertical="center"/></xf>)"
    R"(<xf numFmtId="0" fontId="2" fillId="0" borderId="1" xfId="0" applyFont="1" applyBorder="1" applyAlignment="1">)"
    R"(<alignment horizontal="center" vertical="center"/></xf>)"
    R"(<xf numFmtId="49" fontId="3" fillId="0" borderId="1" xfId="0" applyNumberFormat="1" applyFont="1" applyBorder="1" applyAlignment="1">)"
    R"(<alignment horizontal="center"/></xf>)"
    R"(<xf numFmtId="0" fontId="3" fillId="0" borderId="1" xfId="0" applyFont="1" applyBorder="1"/>)"
    R"(<xf numFmtId="49" fontId="3" fillId="0" borderId="1" xfId="0" applyNumberFormat="1" applyFont="1" applyBorder="1"/>)"
    R"(</cellXfs>)"
    R"(<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>)"
    R"(</styleSheet>)";

QByteArray coreProperties(const QString& title) {
    QByteArray out =
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        "\n"
        R"(<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/metadata/core-properties" )"
        R"(xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:dcterms="http://purl.org/dc/terms/" )"
        R"(xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance"><dc:title>)";
    appendEscaped(out, title);
    const QByteArray now =
        QDateTime::currentDateTimeUtc().toString("yyyy-MM-ddTHH:mm:ssZ").toLatin1();
    out += R"(</dc:title><dcterms:created xsi:type="dcterms:W3CDTF">)" + now +
           R"(</dcterms:created></cp:coreProperties>)";
    return out;
}

} // namespace

QString escapedCellText(const QString& text) {
    const auto special = [](QChar c) { return c == '_' || needsCellEscape(c); };
    if (std::none_of(text.cbegin(), text.cend(), special)) {
        return text;
    }
    QString out;
    out.reserve(text.size() + 16);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (needsCellEscape(c)) {
            out += "_x" + QString::number(c.unicode(), 16).toUpper().rightJustified(4, '0') + '_';
        } else if (c == '_' && i + 6 < n && text.at(i + 1) == 'x' && isHex(text.at(i + 2)) &&
                   isHex(text.at(i + 3)) && isHex(text.at(i + 4)) && isHex(text.at(i + 5)) &&
                   text.at(i + 6) == '_') {
            out += "_x005F_";
        } else {
            out += c;
        }
    }
    return out;
}

XlsxSheet::XlsxSheet() {
    data_.reserve(1 << 20);
}

void XlsxSheet::beginRow(int row, double height) {
    rowRef_ = QByteArray::number(row);
    data_ += "<row r=\"" + rowRef_ + '"';
    if (height > 0) {
        data_ += " ht=\"" + QByteArray::number(height, 'g', 6) + "\" customHeight=\"1\"";
    }
    data_ += '>';
}

void XlsxSheet::endRow() {
    data_ += "</row>";
}

void XlsxSheet::cellStart(int column, XlsxStyle style) {
    while (letters_.size() < column) {
        letters_ << columnLetters(int(letters_.size()) + 1).toLatin1();
    }
    data_ += "<c r=\"";
    data_ += letters_.at(column - 1);
    data_ += rowRef_;
    data_ += "\" s=\"";
    data_ += char('0' + int(style));
    data_ += '"';
}

void XlsxSheet::text(int column, const QString& value, XlsxStyle style) {
    cellStart(column, style);
    const bool preserve = !value.isEmpty() && (value.front().isSpace() || value.back().isSpace());
    data_ +=
        preserve ? " t=\"inlineStr\"><is><t xml:space=\"preserve\">" : " t=\"inlineStr\"><is><t>";
    appendEscaped(data_, escapedCellText(value));
    data_ += "</t></is></c>";
}

void XlsxSheet::number(int column, const QString& value, XlsxStyle style) {
    cellStart(column, style);
    data_ += "><v>";
    data_ += value.toLatin1();
    data_ += "</v></c>";
}

void XlsxSheet::blank(int column, XlsxStyle style) {
    cellStart(column, style);
    data_ += "/>";
}

QByteArray XlsxSheet::finish() {
    QByteArray head =
        R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>)"
        "\n"
        R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
        R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
        R"(<sheetPr><pageSetUpPr fitToPage="1"/></sheetPr>)"
        R"(<sheetViews><sheetView workbookViewId="0"/></sheetViews>)"
        R"(<sheetFormatPr defaultRowHeight="15"/><cols>)";
    // A width of n characters is stored with the padding a spreadsheet adds to it.
    const auto col = [&](int column, double width) {
        const QByteArray c = QByteArray::number(column);
        head += R"(<col min=")" + c + R"(" max=")" + c + R"(" width=")" +
                QByteArray::number(width + 0.7109375, 'g', 10) + R"(" customWidth="1"/>)";
    };
    col(1, columnAWidth);
    for (qsizetype i = 0; i < columnWidths.size(); ++i) {
        if (columnWidths.at(i) > 0) {
            col(int(i) + 2, columnWidths.at(i));
        }
    }
    head += "</cols><sheetData>";
    QByteArray tail = "</sheetData>";
    if (!mergeRange.isEmpty()) {
        tail += R"(<mergeCells count="1"><mergeCell ref=")" + mergeRange.toLatin1() +
                R"("/></mergeCells>)";
    }
    tail +=
        R"(<pageMargins left="0.7" right="0.7" top="0.75" bottom="0.75" header="0.3" footer="0.3"/>)";
    // A4 (paper size 9), as wide as one page and as long as it needs.
    tail += R"(<pageSetup paperSize="9" orientation=")";
    tail += landscape ? "landscape" : "portrait";
    tail += R"(" fitToWidth="1" fitToHeight="0"/>)";
    if (!footer.isEmpty()) {
        tail += "<headerFooter><oddFooter>";
        appendEscaped(tail, footer);
        tail += "</oddFooter></headerFooter>";
    }
    tail += "</worksheet>";
    QByteArray out;
    out.reserve(head.size() + data_.size() + tail.size());
    out += head;
    out += data_;
    out += tail;
    data_.clear();
    return out;
}

bool writeXlsxPackage(const QString& path, const QString& title, const QByteArray& sheetXml) {
    const QByteArray core = coreProperties(title);
    struct Part {
        const char* name;
        const char* data;
        qsizetype size;
    };
    const Part parts[] = {
        {"[Content_Types].xml", kContentTypes, qsizetype(strlen(kContentTypes))},
        {"_rels/.rels", kRootRels, qsizetype(strlen(kRootRels))},
        {"docProps/app.xml", kApp, qsizetype(strlen(kApp))},
        {"docProps/core.xml", core.constData(), core.size()},
        {"xl/workbook.xml", kWorkbook, qsizetype(strlen(kWorkbook))},
        {"xl/_rels/workbook.xml.rels", kWorkbookRels, qsizetype(strlen(kWorkbookRels))},
        {"xl/styles.xml", kStyles, qsizetype(strlen(kStyles))},
        {"xl/worksheets/sheet1.xml", sheetXml.constData(), sheetXml.size()},
    };
    int error = 0;
    const QByteArray file = QFile::encodeName(path);
    zip_t* za = zip_open(file.constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!za) {
        return false;
    }
    for (const Part& p : parts) {
        zip_source_t* src = zip_source_buffer(za, p.data, zip_uint64_t(p.size), 0);
        const zip_int64_t index = src ? zip_file_add(za, p.name, src, ZIP_FL_ENC_UTF_8) : -1;
        if (index < 0) {
            if (src) {
                zip_source_free(src);
            }
            zip_discard(za);
            return false;
        }
        // The fastest deflate: a large list compresses several times quicker for a file
        // only slightly bigger.
        zip_set_file_compression(za, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
    }
    if (zip_close(za) != 0) {
        zip_discard(za);
        QFile::remove(path);
        return false;
    }
    return true;
}

} // namespace florist
