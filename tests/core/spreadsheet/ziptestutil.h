#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QPair>
#include <QString>
#include <zip.h>

namespace florist::test {

// Writes a zip archive of the given parts, for spreadsheet files built by hand.
inline bool writeZip(const QString& path, const QList<QPair<QString, QByteArray>>& parts) {
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!z) {
        return false;
    }
    for (const auto& [name, data] : parts) {
        zip_source_t* src = zip_source_buffer(z, data.constData(), zip_uint64_t(data.size()), 0);
        if (!src || zip_file_add(z, name.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(src);
            zip_discard(z);
            return false;
        }
    }
    return zip_close(z) == 0;
}

// The text of one part of a zip archive; empty when it is missing.
inline QByteArray readZipPart(const QString& path, const QString& part) {
    int error = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &error);
    if (!z) {
        return {};
    }
    QByteArray out;
    if (zip_file_t* f = zip_fopen(z, part.toUtf8().constData(), 0)) {
        char buf[65536];
        zip_int64_t n;
        while ((n = zip_fread(f, buf, sizeof buf)) > 0) {
            out.append(buf, qsizetype(n));
        }
        zip_fclose(f);
    }
    zip_discard(z);
    return out;
}

// A minimal xlsx: a workbook with the named sheets, the first sheet's cells as sheetXml's
// <sheetData> content, shared strings and styles as given.
inline QList<QPair<QString, QByteArray>> xlsxParts(const QByteArray& sheetData,
                                                   const QByteArray& sharedStrings = {},
                                                   const QByteArray& styles = {},
                                                   const QByteArray& sheetName = "Sheet1") {
    QList<QPair<QString, QByteArray>> parts;
    parts << qMakePair(QString("_rels/.rels"), QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>
</Relationships>)"));
    parts << qMakePair(QString("xl/workbook.xml"),
                       QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">
<sheets><sheet name="说明" sheetId="1" r:id="rId9"/><sheet name=")") +
                           sheetName + R"(" sheetId="2" r:id="rId7"/></sheets></workbook>)");
    parts << qMakePair(QString("xl/_rels/workbook.xml.rels"),
                       QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?>
<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
<Relationship Id="rId9" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/notes.xml"/>
<Relationship Id="rId7" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/data.xml"/>
<Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>
<Relationship Id="rId4" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>
</Relationships>)"));
    parts << qMakePair(
        QString("xl/worksheets/notes.xml"),
        QByteArray(
            R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData><row r="1"><c r="A1" t="inlineStr"><is><t>不是数据</t></is></c></row></sheetData></worksheet>)"));
    parts << qMakePair(
        QString("xl/worksheets/data.xml"),
        QByteArray(
            R"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><sheetData>)") +
            sheetData + "</sheetData></worksheet>");
    if (!sharedStrings.isEmpty()) {
        parts << qMakePair(
            QString("xl/sharedStrings.xml"),
            QByteArray(
                R"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)") +
                sharedStrings + "</sst>");
    }
    if (!styles.isEmpty()) {
        parts << qMakePair(
            QString("xl/styles.xml"),
            QByteArray(
                R"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)") +
                styles + "</styleSheet>");
    }
    return parts;
}

} // namespace florist::test
