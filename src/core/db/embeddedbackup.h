#pragma once

#include <QString>
#include <QStringList>

namespace florist {

class Database;

// Daily copies of the embedded database: at the first start of a day the program copies the
// open database, while it runs, into the folder "backups" beside the file
// (florist-2025-03-01.db), and keeps the newest 30 copies. A server database is backed up on
// the server (pg_dump), not here.
struct EmbeddedBackup {
    static constexpr int kKept = 30;

    // The folder of the copies of the database file at path.
    static QString folder(const QString& databasePath);
    // The copy of the given day (yyyy-MM-dd).
    static QString copyPath(const QString& databasePath, const QString& day);

    // Copies db when it is an embedded file without a copy of that day yet, then removes the
    // oldest copies beyond kKept. Returns the new copy's path, or an empty string when there was
    // nothing to do. Raises Failure when the copy cannot be made; the database is untouched.
    static QString run(Database& db, const QString& day);
    // The copies in the folder, oldest first.
    static QStringList copies(const QString& databasePath);
};

} // namespace florist
