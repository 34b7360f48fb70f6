#include "pinyingen/pinyingen.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

// florist_pinyingen [Unihan_Readings.txt.bz2 [output.cpp]]
// Writes the reading table of the pinyin initials; without an output path it prints the source.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const QString input = args.value(0, florist::pinyingen::kDefaultReadingsPath);
    QTextStream err(stderr);

    QString error;
    const QByteArray text = florist::pinyingen::readBzip2(input, &error);
    if (text.isEmpty()) {
        err << "florist_pinyingen: " << (error.isEmpty() ? input + ": empty" : error) << '\n';
        return 1;
    }
    const florist::pinyingen::PinyinTable table = florist::pinyingen::buildPinyinTable(text);
    const QByteArray source = florist::pinyingen::formatPinyinSource(table).toUtf8();

    if (args.size() > 1) {
        QFile out(args.at(1));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(source) != source.size()) {
            err << "florist_pinyingen: cannot write " << args.at(1) << '\n';
            return 1;
        }
    } else {
        QTextStream(stdout) << source;
    }
    err << table.syllables.size() << " syllables, " << table.readableCount
        << " characters with a reading, " << table.unreadable.size()
        << " Han characters without one: " << table.unreadable << '\n';
    if (!table.badReadings.isEmpty()) {
        err << "readings left out: " << table.badReadings.join(' ') << '\n';
    }
    return 0;
}
