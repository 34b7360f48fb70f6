#include "core/db/database.h"
#include "refconnection.h"

#include <QCoreApplication>
#include <cstdio>

// Creates the reference data set: florist_refdata [sqlite|postgres] …
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QList<florist::Backend> backends;
    if (args.isEmpty() || args.contains("sqlite")) {
        backends << florist::Backend::Sqlite;
    }
    if (args.contains("postgres")) {
        backends << florist::Backend::Postgres;
    }
    try {
        for (florist::Backend b : backends) {
            auto db = florist::bench::openReferenceDatabase(
                b, [](const QString& line) { std::fprintf(stderr, "%s\n", qPrintable(line)); });
            std::printf("%s: %lld members, %lld orders\n", qPrintable(florist::backendName(b)),
                        db->scalar("SELECT COUNT(*) FROM UMember").toLongLong(),
                        db->scalar("SELECT COUNT(*) FROM UOrder").toLongLong());
        }
    } catch (const florist::Failure& f) {
        std::fprintf(stderr, "%s\n", qPrintable(f.text()));
        return 1;
    }
    return 0;
}
