#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>
#include <zip.h>

namespace florist::bench {

// A member list of `rows` rows and ten columns as Excel writes it: names in shared strings,
// numbers and dates as values, every cell with its reference.
inline void writeExcelStyleXlsx(const QString& path, int rows) {
    QByteArray strings =
        R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)";
    for (int i = 0; i < 1000; ++i) {
        strings += "<si><t>" + QString("会员%1号").arg(i).toUtf8() + "</t></si>";
    }
    strings += "</sst>";
    QByteArray sheet =
        R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)";
    sheet.reserve(qsizetype(rows) * 400);
    const char* letters = "ABCDEFGHIJ";
    for (int r = 1; r <= rows; ++r) {
        const QByteArray n = QByteArray::number(r);
        sheet += "<row r=\"" + n + "\">";
        for (int c = 0; c < 10; ++c) {
            sheet += QByteArray("<c r=\"") + letters[c] + n + '"';
            if (c % 3 == 0) {
                sheet += " t=\"s\"><v>" + QByteArray::number(r % 1000) + "</v></c>";
            } else if (c % 3 == 1) {
                sheet += "><v>" + QByteArray::number(13800000000LL + r) + "</v></c>";
            } else {
                sheet += " s=\"1\"><v>" + QByteArray::number(40000 + r % 9000) + "</v></c>";
            }
        }
        sheet += "</row>";
    }
    sheet += "</sheetData></worksheet>";
    const QList<QPair<const char*, QByteArray>> parts = {
        {"_rels/.rels",
         R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/></Relationships>)"},
        {"xl/workbook.xml",
         R"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships"><sheets><sheet name="Sheet1" sheetId="1" r:id="rId1"/></sheets></workbook>)"},
        {"xl/_rels/workbook.xml.rels",
         R"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships"><Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/><Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/><Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/></Relationships>)"},
        {"xl/styles.xml",
         R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><cellXfs count="2"><xf numFmtId="0"/><xf numFmtId="14"/></cellXfs></styleSheet>)"},
        {"xl/sharedStrings.xml", strings},
        {"xl/worksheets/sheet1.xml", sheet},
    };
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    for (const auto& [name, data] : parts) {
        zip_source_t* src = zip_source_buffer(z, data.constData(), zip_uint64_t(data.size()), 0);
        const zip_int64_t index = zip_file_add(z, name, src, ZIP_FL_ENC_UTF_8);
        zip_set_file_compression(z, zip_uint64_t(index), ZIP_CM_DEFLATE, 1);
    }
    zip_close(z);
}

} // namespace florist::bench
