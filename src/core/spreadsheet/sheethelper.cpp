#include "core/spreadsheet/helperplatform.h"
#include "core/spreadsheet/sheetreader.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>
#include <new>

namespace florist {

namespace {

constexpr quint32 kMagic = 0x464C5348; // the first word of the helper's answer
constexpr qint32 kVersion = 1;
const char* const kReadArgument = "--read-sheet";

QString helperFileName() {
#if defined(Q_OS_WIN)
    return QString("florist-sheet.exe");
#else
    return QString("florist-sheet");
#endif
}

QStringList limitArguments(const SheetLimits& l) {
    return {QString::number(l.maxEntryBytes), QString::number(l.maxRows),
            QString::number(l.maxColumns), QString::number(l.maxCells),
            QString::number(l.maxMemoryBytes)};
}

bool parseLimits(const QStringList& args, SheetLimits& l) {
    if (args.size() != 5) {
        return false;
    }
    bool ok[5];
    l.maxEntryBytes = args[0].toLongLong(&ok[0]);
    l.maxRows = args[1].toInt(&ok[1]);
    l.maxColumns = args[2].toInt(&ok[2]);
    l.maxCells = args[3].toLongLong(&ok[3]);
    l.maxMemoryBytes = args[4].toLongLong(&ok[4]);
    return ok[0] && ok[1] && ok[2] && ok[3] && ok[4];
}

QByteArray failureAnswer(const QString& text) {
    QByteArray out;
    QDataStream s(&out, QIODevice::WriteOnly);
    s << kMagic << kVersion << false << text;
    return out;
}

// The latest "progress <done> <total>" line of the helper, as a share of 1000.
int latestProgress(const QByteArray& lines, int previous) {
    const qsizetype at = lines.lastIndexOf("progress ");
    if (at < 0) {
        return previous;
    }
    const qsizetype end = lines.indexOf('\n', at);
    if (end < 0) {
        return previous;
    }
    const QList<QByteArray> parts = lines.mid(at, end - at).split(' ');
    if (parts.size() != 3) {
        return previous;
    }
    const qint64 done = parts[1].toLongLong();
    const qint64 total = parts[2].toLongLong();
    return total > 0 ? int(std::clamp<qint64>(done * 1000 / total, 0, 1000)) : previous;
}

Sheet decodeAnswer(const QByteArray& answer, const QString& path) {
    QDataStream s(answer);
    quint32 magic = 0;
    qint32 version = 0;
    bool ok = false;
    s >> magic >> version >> ok;
    if (magic != kMagic || version != kVersion || s.status() != QDataStream::Ok) {
        throw Failure(damagedFileText(path));
    }
    if (!ok) {
        QString text;
        s >> text;
        throw Failure(s.status() == QDataStream::Ok ? text : damagedFileText(path));
    }
    Sheet sheet;
    qint64 rows = 0;
    s >> sheet.headings >> rows;
    if (s.status() != QDataStream::Ok || rows < 0) {
        throw Failure(damagedFileText(path));
    }
    sheet.rows.reserve(qsizetype(std::min<qint64>(rows, 1 << 22)));
    for (qint64 r = 0; r < rows; ++r) {
        QStringList line;
        s >> line;
        if (s.status() != QDataStream::Ok || line.size() != sheet.headings.size()) {
            throw Failure(damagedFileText(path));
        }
        sheet.rows << std::move(line);
    }
    return sheet;
}

QString& helperOverride() {
    static QString program;
    return program;
}

} // namespace

void setSheetHelperProgram(const QString& program) {
    helperOverride() = program;
}

QString sheetHelperProgram() {
    if (!helperOverride().isEmpty()) {
        return helperOverride();
    }
    if (QCoreApplication::instance()) {
        const QString beside =
            QDir(QCoreApplication::applicationDirPath()).filePath(helperFileName());
        if (QFileInfo(beside).isExecutable()) {
            return beside;
        }
    }
#ifdef FLORIST_SHEET_HELPER
    // Where the build put it: tests and benchmarks run from folders of their own.
    if (QFileInfo(QString(FLORIST_SHEET_HELPER)).isExecutable()) {
        return QString(FLORIST_SHEET_HELPER);
    }
#endif
    return {};
}

std::optional<Sheet> readSheet(const QString& path, const SheetLimits& limits,
                               const SheetWait& wait) {
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            throw Failure(unreadableFileText(path));
        }
    }
    const QString program = sheetHelperProgram();
    if (program.isEmpty()) {
        throw Failure(missingHelperText());
    }
    QProcess helper;
    helper.setProgram(program);
    helper.setArguments(QStringList{kReadArgument, path} + limitArguments(limits));
    helper.start(QIODevice::ReadOnly);
    if (!helper.waitForStarted(30000)) {
        throw Failure(missingHelperText());
    }
    QElapsedTimer clock;
    clock.start();
    QByteArray progressLines;
    int permille = -1;
    // The wait is asked first, so a cancel is heard even when the helper is quick; waiting
    // reads the helper's output as it comes, so a large answer never blocks it.
    while (true) {
        progressLines += helper.readAllStandardError();
        permille = latestProgress(progressLines, permille);
        if (progressLines.size() > 4096) {
            progressLines = progressLines.right(256);
        }
        const bool cancelled = wait && !wait(permille);
        const bool late = clock.elapsed() > qint64(limits.maxSeconds) * 1000;
        if (cancelled || late) {
            helper.kill();
            helper.waitForFinished(-1);
            if (cancelled) {
                return std::nullopt;
            }
            throw Failure(damagedFileText(path));
        }
        if (helper.state() == QProcess::NotRunning || helper.waitForFinished(50)) {
            break;
        }
    }
    if (helper.exitStatus() != QProcess::NormalExit || helper.exitCode() != 0) {
        throw Failure(damagedFileText(path));
    }
    return decodeAnswer(helper.readAllStandardOutput(), path);
}

Sheet readSheet(const QString& path, const SheetLimits& limits) {
    return *readSheet(path, limits, SheetWait());
}

int runSheetHelper(const QStringList& arguments) {
    SheetLimits limits;
    if (arguments.size() != 7 || arguments[0] != kReadArgument ||
        !parseLimits(arguments.mid(2), limits)) {
        std::fputs("usage: florist-sheet --read-sheet <file> <limits>\n", stderr);
        return 2;
    }
    const QString path = arguments[1];
    detail::limitOwnMemory(limits.maxMemoryBytes);
    QElapsedTimer sinceProgress;
    sinceProgress.start();
    const ReadProgress progress = [&](qint64 done, qint64 total) {
        if (sinceProgress.elapsed() >= 100) {
            sinceProgress.restart();
            std::fprintf(stderr, "progress %lld %lld\n", (long long)done, (long long)total);
            std::fflush(stderr);
        }
    };
    // The answer goes to stdout as it is made, so the sheet is not held twice here.
    detail::binaryStandardOutput();
    QFile out;
    if (!out.open(stdout, QIODevice::WriteOnly)) {
        return 3;
    }
    try {
        const Sheet sheet = readSheetHere(path, limits, progress);
        QDataStream s(&out);
        s << kMagic << kVersion << true << sheet.headings << qint64(sheet.rows.size());
        for (const QStringList& row : sheet.rows) {
            s << row;
        }
        return s.status() == QDataStream::Ok ? 0 : 3;
    } catch (const Failure& f) {
        out.write(failureAnswer(f.text()));
    } catch (const std::bad_alloc&) {
        out.write(failureAnswer(oversizedFileText(path)));
    } catch (...) {
        out.write(failureAnswer(damagedFileText(path)));
    }
    return 0;
}

} // namespace florist
