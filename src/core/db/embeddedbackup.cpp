#include "core/db/embeddedbackup.h"

#include "core/db/database.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDriver>
#include <sqlite3.h>

namespace florist {

namespace {

const QString kPrefix = "florist-";
const QString kSuffix = ".db";

Failure backupFailure(const QString& target, const QString& why) {
    return Failure(QString("数据库备份失败：%1\n%2").arg(QDir::toNativeSeparators(target), why));
}

// SQLite's online backup into a fresh file: pages are copied a slice at a time, so another
// station's writes between slices restart the copy instead of tearing it; the result is one
// consistent state of the database.
void copyDatabase(sqlite3* source, const QString& target) {
    sqlite3* dest = nullptr;
    const QByteArray path = target.toUtf8();
    int rc = sqlite3_open_v2(path.constData(), &dest, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                             nullptr);
    QString why;
    if (rc == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(dest, "main", source, "main");
        if (backup) {
            do {
                rc = sqlite3_backup_step(backup, 256);
                if (rc == SQLITE_BUSY || rc == SQLITE_LOCKED) {
                    sqlite3_sleep(20);
                }
            } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
            sqlite3_backup_finish(backup);
        }
        rc = sqlite3_errcode(dest);
        if (rc != SQLITE_OK) {
            why = QString::fromUtf8(sqlite3_errmsg(dest));
        }
    } else {
        why = dest ? QString::fromUtf8(sqlite3_errmsg(dest)) : QString("out of memory");
    }
    sqlite3_close(dest);
    if (!why.isEmpty()) {
        QFile::remove(target);
        throw backupFailure(target, why);
    }
}

} // namespace

QString EmbeddedBackup::folder(const QString& databasePath) {
    return QFileInfo(databasePath).absoluteDir().filePath("backups");
}

QString EmbeddedBackup::copyPath(const QString& databasePath, const QString& day) {
    return QDir(folder(databasePath)).filePath(kPrefix + day + kSuffix);
}

QStringList EmbeddedBackup::copies(const QString& databasePath) {
    const QDir dir(folder(databasePath));
    // The day in the name sorts the copies by age.
    return dir.entryList({kPrefix + "[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]" + kSuffix},
                         QDir::Files, QDir::Name);
}

QString EmbeddedBackup::run(Database& db, const QString& day) {
    const ConnectionSettings& s = db.settings();
    if (db.backend() != Backend::Sqlite || s.path.isEmpty() || s.path == ":memory:") {
        return {};
    }
    const QString target = copyPath(s.path, day);
    if (QFileInfo::exists(target)) {
        return {};
    }
    if (!QDir().mkpath(folder(s.path))) {
        throw backupFailure(folder(s.path), "无法创建备份文件夹");
    }
    const QVariant handle = db.connection().driver()->handle();
    auto* source = handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
                       ? *static_cast<sqlite3* const*>(handle.data())
                       : nullptr;
    if (!source) {
        throw backupFailure(target, "数据库没有打开");
    }
    // Written under a temporary name and renamed whole, so a copy that exists is complete.
    const QString partial = target + ".part";
    QFile::remove(partial);
    copyDatabase(source, partial);
    if (!QFile::rename(partial, target)) {
        QFile::remove(partial);
        throw backupFailure(target, "无法写入备份文件");
    }
    QStringList all = copies(s.path);
    while (all.size() > kKept) {
        QFile::remove(QDir(folder(s.path)).filePath(all.takeFirst()));
    }
    return target;
}

} // namespace florist
