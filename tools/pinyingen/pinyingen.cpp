#include "pinyingen/pinyingen.h"

#include <QFile>
#include <QHash>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>

namespace florist::pinyingen {

namespace {

constexpr int kFirstLead = 0x81;
constexpr int kLastLead = 0xFE;
constexpr int kFirstTrail = 0x40;
constexpr int kLastTrail = 0xFE;
constexpr int kColumns = kLastTrail - kFirstTrail + 1;
constexpr int kRows = kLastLead - kFirstLead + 1;
constexpr int kLineWidth = 100;

// Where the first kMandarin reading is not the one a shop types for the names it keeps (members,
// materials, partners, delivery areas), the customary reading in those names wins.
struct Override {
    char32_t character;
    const char* syllable;
};
constexpr Override kOverrides[] = {
    {U'曾', "zeng"},  // the surname Zeng; céng (曾经) hardly occurs in names
    {U'长', "chang"}, // 长寿花, 长春花, 长安路: cháng; zhǎng is the rarer reading
};

// Rows 0xA1-0xA9 hold symbols (0xA9 also has 〇) and row 0xFE a few compatibility forms; they
// never take a reading, whatever the database says of the characters.
bool isSymbolRow(int lead) {
    return (lead >= 0xA1 && lead <= 0xA9) || lead == 0xFE;
}

// First kMandarin reading of every code point that has one.
QHash<char32_t, QString> firstReadings(const QByteArray& text) {
    static const QByteArrayView kField = "\tkMandarin\t";
    QHash<char32_t, QString> readings;
    readings.reserve(45000);
    qsizetype pos = 0;
    while (pos < text.size()) {
        qsizetype end = text.indexOf('\n', pos);
        if (end < 0) {
            end = text.size();
        }
        const QByteArrayView line = QByteArrayView(text).sliced(pos, end - pos);
        pos = end + 1;
        const qsizetype field = line.indexOf(kField);
        if (!line.startsWith("U+") || field < 0) {
            continue;
        }
        bool ok = false;
        const uint code = line.sliced(2, field - 2).toUInt(&ok, 16);
        if (!ok) {
            continue;
        }
        QByteArrayView values = line.sliced(field + kField.size()).trimmed();
        const qsizetype blank = values.indexOf(' ');
        if (blank >= 0) {
            values = values.first(blank);
        }
        readings.insert(char32_t(code), QString::fromUtf8(values));
    }
    return readings;
}

// The code point a two-byte GBK code stands for, or 0 when the code page leaves it unassigned.
char32_t decodeGbk(QStringDecoder& decoder, int lead, int trail) {
    const char bytes[2] = {char(lead), char(trail)};
    const QString text = decoder.decode(QByteArrayView(bytes, 2));
    const QList<uint> codes = text.toUcs4();
    if (codes.size() != 1 || codes.front() == 0xFFFD) {
        return 0;
    }
    return char32_t(codes.front());
}

bool isPlainSyllable(const QString& s) {
    static const QRegularExpression kPlain("^[a-z]{1,6}$");
    return kPlain.match(s).hasMatch();
}

// Items joined by separator in lines of at most kLineWidth characters, the first line opened by
// prefix and the others indented as far.
void appendWrapped(QString& out, const QString& prefix, const QStringList& items,
                   const QString& separator) {
    const QString indent(prefix.size(), ' ');
    QString line = prefix;
    auto flush = [&] {
        while (line.endsWith(' ')) {
            line.chop(1);
        }
        out += line + '\n';
    };
    bool lineEmpty = true;
    for (const QString& item : items) {
        const QString piece = item + separator;
        if (!lineEmpty && line.size() + piece.trimmed().size() > kLineWidth) {
            flush();
            line = indent;
        }
        line += piece;
        lineEmpty = false;
    }
    flush();
}

} // namespace

QString toneless(const QString& reading) {
    const QString decomposed = reading.normalized(QString::NormalizationForm_D);
    QString out;
    bool umlaut = false;
    for (const QChar c : decomposed) {
        const char16_t u = c.unicode();
        if (u == 0x0308 && out.endsWith('u')) {
            umlaut = true;
            out.back() = QChar(u'ü');
        } else if (u < 0x0300 || u > 0x036F) {
            out += c.toLower();
        }
    }
    if (umlaut) {
        if (out == u"lü" || out == u"nü") {
            out.replace(u'ü', u'v');
        } else {
            out.replace(u'ü', u'u');
        }
    }
    return out;
}

PinyinTable buildPinyinTable(const QByteArray& unihanReadingsText) {
    QHash<char32_t, QString> readings = firstReadings(unihanReadingsText);
    for (const Override& o : kOverrides) {
        readings.insert(o.character, QString::fromLatin1(o.syllable));
    }

    PinyinTable table;
    QStringDecoder decoder("GBK", QStringConverter::Flag::Stateless);
    QList<QString> cellSyllables(kRows * kColumns);
    QSet<QString> used;
    QSet<QString> bad;
    for (int lead = kFirstLead; lead <= kLastLead; ++lead) {
        for (int trail = kFirstTrail; trail <= kLastTrail; ++trail) {
            if (trail == 0x7F || isSymbolRow(lead)) {
                continue;
            }
            const char32_t code = decodeGbk(decoder, lead, trail);
            if (code == 0) {
                continue;
            }
            const auto found = readings.constFind(code);
            if (found == readings.constEnd()) {
                if (QChar::script(code) == QChar::Script_Han) {
                    table.unreadable += QString::fromUcs4(&code, 1);
                }
                continue;
            }
            const QString syllable = toneless(*found);
            if (!isPlainSyllable(syllable)) {
                bad.insert(*found);
                continue;
            }
            cellSyllables[(lead - kFirstLead) * kColumns + (trail - kFirstTrail)] = syllable;
            used.insert(syllable);
        }
    }

    table.syllables = QStringList(used.begin(), used.end());
    std::sort(table.syllables.begin(), table.syllables.end());
    table.badReadings = QStringList(bad.begin(), bad.end());
    std::sort(table.badReadings.begin(), table.badReadings.end());
    QHash<QString, quint16> number;
    for (int i = 0; i < table.syllables.size(); ++i) {
        number.insert(table.syllables[i], quint16(i + 1));
    }
    table.cells.reserve(cellSyllables.size());
    for (const QString& s : cellSyllables) {
        table.cells.append(s.isEmpty() ? 0 : number.value(s));
        table.readableCount += s.isEmpty() ? 0 : 1;
    }
    return table;
}

QString formatPinyinSource(const PinyinTable& table) {
    QString out;
    out +=
        "// Generated by florist_pinyingen (tools/pinyingen) from the kMandarin readings of the\n"
        "// Unicode Han database. Do not edit; regenerate as tools/README.md says.\n"
        "#include \"core/text/pinyintable.h\"\n\n"
        "namespace florist::pinyintable {\n\n";
    out += QString("const int kSyllableCount = %1;\n\n").arg(table.syllables.size());
    out += "// clang-format off\n";
    out += "const char* const kSyllables[] = {\n";
    QStringList quoted{"\"\""};
    for (const QString& s : table.syllables) {
        quoted << '"' + s + '"';
    }
    appendWrapped(out, "    ", quoted, ", ");
    out += "};\n\n";
    out +=
        "// Lead bytes 0x81 to 0xFE, one row each; a row runs over the trail bytes 0x40 to 0xFE.\n";
    out += "const std::uint16_t kReadings[kCells] = {\n";
    for (int row = 0; row < kRows; ++row) {
        QStringList numbers;
        for (int col = 0; col < kColumns; ++col) {
            numbers << QString::number(table.cells[row * kColumns + col]);
        }
        const QString prefix =
            QString("/* %1 */ ").arg(QString::number(kFirstLead + row, 16).toUpper());
        appendWrapped(out, prefix, numbers, ",");
    }
    out += "};\n// clang-format on\n\n} // namespace florist::pinyintable\n";
    return out;
}

QString generatePinyinTable(const QByteArray& unihanReadingsText) {
    return formatPinyinSource(buildPinyinTable(unihanReadingsText));
}

QByteArray readBzip2(const QString& path, QString* error) {
    if (!QFile::exists(path)) {
        *error = path + ": no such file (install the unicode-data package)";
        return {};
    }
    QProcess bzip2;
    bzip2.start("bzip2", {"-dc", path});
    if (!bzip2.waitForStarted()) {
        *error = "bzip2 cannot be started (install the bzip2 package)";
        return {};
    }
    bzip2.closeWriteChannel();
    bzip2.waitForFinished(-1);
    if (bzip2.exitStatus() != QProcess::NormalExit || bzip2.exitCode() != 0) {
        *error =
            "bzip2 failed on " + path + ": " + QString::fromLocal8Bit(bzip2.readAllStandardError());
        return {};
    }
    return bzip2.readAllStandardOutput();
}

} // namespace florist::pinyingen
