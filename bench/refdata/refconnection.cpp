#include "refconnection.h"

#include "core/db/schemaupgrade.h"

#include "core/db/database.h"
#include "core/errors.h"
#include "referencedata.h"

#include <QDir>
#include <QFileInfo>

namespace florist::bench {

ConnectionSettings referenceSettings(Backend backend) {
    ConnectionSettings s;
    s.backend = backend;
    if (backend == Backend::Sqlite) {
        s.path = qEnvironmentVariable("FLORIST_REFDATA_SQLITE",
                                      QDir::temp().filePath("florist-refdata.db"));
        return s;
    }
    s.host = qEnvironmentVariable("FLORIST_BENCH_PG_HOST");
    s.port = qEnvironmentVariable("FLORIST_BENCH_PG_PORT", "5432").toInt();
    s.user = qEnvironmentVariable("FLORIST_BENCH_PG_USER", "postgres");
    s.database = "florist_ref";
    return s;
}

bool postgresAvailable() {
    return !qEnvironmentVariableIsEmpty("FLORIST_BENCH_PG_HOST");
}

std::unique_ptr<Database>
openReferenceDatabase(Backend backend, const std::function<void(const QString&)>& progress) {
    const ConnectionSettings s = referenceSettings(backend);
    bool fresh = false;
    if (backend == Backend::Sqlite) {
        fresh = !QFileInfo::exists(s.path);
    } else {
        ConnectionSettings admin = s;
        admin.database = "postgres";
        Database server(admin);
        if (server.scalar("SELECT COUNT(*) FROM pg_database WHERE datname = 'florist_ref'")
                .toInt() == 0) {
            server.exec("CREATE DATABASE florist_ref ENCODING 'UTF8' TEMPLATE template0");
            fresh = true;
        }
    }
    auto db = std::make_unique<Database>(s);
    db->open();
    if (fresh) {
        db->createSchema(true);
    }
    upgradeSchema(*db);
    if (!hasReferenceData(*db)) {
        if (db->scalar("SELECT COUNT(*) FROM UMember").toLongLong() > 0) {
            throw Failure("参考数据库 " + (s.path.isEmpty() ? s.database : s.path) +
                          " 已有部分数据，请删除后重新生成");
        }
        if (progress) {
            progress("generating the reference data set on " + backendName(backend));
        }
        generateReferenceData(*db, {}, progress);
    }
    return db;
}

} // namespace florist::bench
