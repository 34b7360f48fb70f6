#include "core/spreadsheet/helperplatform.h"
#include "core/spreadsheet/sheetanswer.h"
#include "core/spreadsheet/sheetreader.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>
#include <new>

namespace florist {

namespace {

const char* const kReadArgument = "--read-sheet";

QString helperFileName() {
#if defined(Q_OS_WIN)
    return QString("florist-sheet.exe");
#else
    return QString("florist-sheet");
#endif
}

QStringList limitArguments(const SheetLimits& l) {
    return {QString::number(l.maxEntryBytes),  QString::number(l.maxRows),
            QString::number(l.maxColumns),     QString::number(l.maxCells),
            QString::number(l.maxMemoryBytes), QString::number(l.maxTextBytes)};
}

bool parseLimits(const QStringList& args, SheetLimits& l) {
    if (args.size() != 6) {
        return false;
    }
    bool ok[6];
    l.maxEntryBytes = args[0].toLongLong(&ok[0]);
    l.maxRows = args[1].toInt(&ok[1]);
    l.maxColumns = args[2].toInt(&ok[2]);
    l.maxCells = args[3].toLongLong(&ok[3]);
    l.maxMemoryBytes = args[4].toLongLong(&ok[4]);
    l.maxTextBytes = args[5].toLongLong(&ok[5]);
    return ok[0] && ok[1] && ok[2] && ok[3] && ok[4] && ok[5];
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
    QElapsedTimer sinceWait;
    QByteArray progressLines;
    int permille = -1;
    // The sheet is taken from the helper's output as it comes, straight into its buffers.
    detail::SheetAnswerReader answer(limits);
    bool damaged = false;
    QByteArray chunk(1 << 18, Qt::Uninitialized);
    const auto drain = [&] {
        while (helper.bytesAvailable() > 0) {
            const qint64 n = helper.read(chunk.data(), chunk.size());
            if (n <= 0) {
                break;
            }
            damaged = damaged || !answer.feed(chunk.constData(), qsizetype(n));
        }
    };
    // The wait is asked first, so a cancel is heard even when the helper is quick, and then
    // about twenty times a second.
    while (true) {
        progressLines += helper.readAllStandardError();
        permille = latestProgress(progressLines, permille);
        if (progressLines.size() > 4096) {
            progressLines = progressLines.right(256);
        }
        drain();
        bool cancelled = false;
        if (!sinceWait.isValid() || sinceWait.elapsed() >= 50) {
            sinceWait.start();
            cancelled = wait && !wait(permille);
        }
        const bool late = clock.elapsed() > qint64(limits.maxSeconds) * 1000;
        if (cancelled || late || damaged) {
            helper.kill();
            helper.waitForFinished(-1);
            if (cancelled) {
                return std::nullopt;
            }
            throw Failure(damagedFileText(path));
        }
        if (helper.state() == QProcess::NotRunning) {
            break;
        }
        helper.waitForReadyRead(50);
    }
    drain();
    if (damaged || helper.exitStatus() != QProcess::NormalExit || helper.exitCode() != 0) {
        throw Failure(damagedFileText(path));
    }
    std::optional<Sheet> sheet = answer.finish();
    if (!sheet) {
        throw Failure(damagedFileText(path));
    }
    return sheet;
}

Sheet readSheet(const QString& path, const SheetLimits& limits) {
    return *readSheet(path, limits, SheetWait());
}

int runSheetHelper(const QStringList& arguments) {
    SheetLimits limits;
    if (arguments.size() != 8 || arguments[0] != kReadArgument ||
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
        return detail::writeSheetAnswer(out, sheet) ? 0 : 3;
    } catch (const Failure& f) {
        detail::writeFailureAnswer(out, f.text());
    } catch (const std::bad_alloc&) {
        detail::writeFailureAnswer(out, oversizedFileText(path));
    } catch (...) {
        detail::writeFailureAnswer(out, damagedFileText(path));
    }
    return 0;
}

} // namespace florist
