#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace florist::pinyingen {

// Where Debian's unicode-data package keeps the readings of the Han characters.
inline constexpr const char* kDefaultReadingsPath = "/usr/share/unicode/Unihan_Readings.txt.bz2";
// The committed file the generator writes, relative to the source tree.
inline constexpr const char* kTableSourcePath = "src/core/text/pinyintable.cpp";

// The reading table of the two-byte GBK codes: 126 lead bytes (0x81-0xFE) by 191 trail bytes
// (0x40-0xFE), each cell 0 for no reading or the 1-based number of a syllable.
struct PinyinTable {
    QStringList syllables;   // sorted, the syllables some cell uses
    QList<quint16> cells;    // 126 * 191
    int readableCount = 0;   // cells with a reading
    QString unreadable;      // Han characters of GBK without a reading, in code order
    QStringList badReadings; // readings that did not reduce to a plain syllable
};

// A kMandarin reading ("lǘ", "zhāng") as the table writes it: tone marks gone, lower case,
// ü as "v" in lü and nü and as "u" elsewhere (lüe -> lue, jü -> ju).
QString toneless(const QString& reading);

// The table built from the text of Unihan_Readings.txt (already decompressed).
PinyinTable buildPinyinTable(const QByteArray& unihanReadingsText);
// The C++ source file that holds the table.
QString formatPinyinSource(const PinyinTable& table);
// buildPinyinTable and formatPinyinSource in one.
QString generatePinyinTable(const QByteArray& unihanReadingsText);

// The decompressed content of a .bz2 file, through the bzip2 program. Empty with *error set
// when the file is missing or bzip2 fails.
QByteArray readBzip2(const QString& path, QString* error);

} // namespace florist::pinyingen
