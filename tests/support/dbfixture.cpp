#include "support/dbfixture.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QThread>
#include <atomic>
#include <cstdlib>
#include <mutex>

namespace florist::test {

namespace {

QString env(const char* name) {
    return qEnvironmentVariable(name);
}

ConnectionSettings pgSettings(const QString& database) {
    ConnectionSettings s;
    s.backend = Backend::Postgres;
    s.host = env("FLORIST_TEST_PG_HOST");
    s.port = env("FLORIST_TEST_PG_PORT").toInt();
    s.user =
        env("FLORIST_TEST_PG_USER").isEmpty() ? QString("postgres") : env("FLORIST_TEST_PG_USER");
    s.database = database;
    return s;
}

// The template every test database is copied from, shared by the test processes of one run
// (ctest runs each case in a process of its own, two at a time): its name carries a digest of
// the schema and seed, so a changed schema gets a template of its own. The first process makes
// it under an advisory lock; the others wait for the lock and find it made.
QString templateName() {
    static const QString name = [] {
        QCryptographicHash hash(QCryptographicHash::Sha1);
        for (const char* path : {":/schema/postgresql.sql", ":/schema/seed.sql"}) {
            QFile f(path);
            if (f.open(QIODevice::ReadOnly)) {
                hash.addData(f.readAll());
            }
        }
        return "florist_tpl_" + QString::fromLatin1(hash.result().toHex().left(16));
    }();
    return name;
}

void ensureTemplate() {
    static std::once_flag once;
    std::call_once(once, [] {
        Database admin(pgSettings("postgres"));
        admin.select("SELECT pg_advisory_lock(4242)");
        const bool made = admin.count("SELECT datname FROM pg_database WHERE datname = ? AND "
                                      "datistemplate",
                                      {templateName()}) == 1;
        if (!made) {
            const QString building = templateName() + "_new";
            admin.exec("DROP DATABASE IF EXISTS " + building);
            admin.exec("CREATE DATABASE " + building + " ENCODING 'UTF8' TEMPLATE template0");
            {
                Database tpl(pgSettings(building));
                tpl.createSchema(true);
            }
            admin.exec("ALTER DATABASE " + building + " RENAME TO " + templateName());
            admin.exec("ALTER DATABASE " + templateName() + " IS_TEMPLATE true");
        }
        admin.select("SELECT pg_advisory_unlock(4242)");
    });
}

std::atomic<int> counter{0};

} // namespace

void adminExec(const QString& sql) {
    Database admin(pgSettings("postgres"));
    admin.exec(sql);
}

void endServerSession(Database& db) {
    const QVariant pid = db.scalar("SELECT pg_backend_pid()");
    Database admin(pgSettings("postgres"));
    admin.scalar("SELECT pg_terminate_backend(?)", {pid});
    for (int i = 0; i < 500; ++i) {
        if (admin.scalar("SELECT COUNT(*) FROM pg_stat_activity WHERE (pid = ?)", {pid}).toInt() ==
            0) {
            return;
        }
        QThread::msleep(10);
    }
    ADD_FAILURE() << "the server session " << pid.toString().toStdString() << " did not end";
}

bool postgresConfigured() {
    return !env("FLORIST_TEST_PG_PORT").isEmpty();
}

std::unique_ptr<Database> freshDatabase(Backend backend) {
    if (backend == Backend::Sqlite) {
        ConnectionSettings s;
        s.backend = Backend::Sqlite;
        s.path = ":memory:";
        auto db = std::make_unique<Database>(s);
        db->createSchema(true);
        return db;
    }
    ensureTemplate();
    // The process id alone repeats over a run of many test processes, and a database that a
    // test left behind would then be in the way: a random part keeps names apart.
    static const quint32 runTag = QRandomGenerator::system()->generate();
    const QString name = QString("florist_t_%1_%2_%3")
                             .arg(QCoreApplication::applicationPid())
                             .arg(runTag, 8, 16, QChar('0'))
                             .arg(counter.fetch_add(1));
    adminExec("CREATE DATABASE " + name + " TEMPLATE " + templateName());
    auto db = std::make_unique<Database>(pgSettings(name));
    db->open();
    return db;
}

void DbTest::SetUp() {
    if (GetParam() == Backend::Postgres && !postgresConfigured()) {
        if (env("FLORIST_REQUIRE_PG") == "1") {
            FAIL() << "the PostgreSQL test server is not configured";
        }
        GTEST_SKIP() << "PostgreSQL test server not configured";
    }
    db_ = freshDatabase(GetParam());
    if (GetParam() == Backend::Postgres) {
        pgName_ = db_->connection().databaseName();
    }
}

DataModule& DbTest::dm() {
    if (!dm_) {
        dm_ = std::make_unique<DataModule>(std::move(db_));
        LoginValues& v = dm_->login();
        v.currentUser = "admin";
        v.userId = "1";
        v.currentStore = "总店";
        v.businessDate = "2025-03-01";
        v.shopName = "青禾花店";
    }
    return *dm_;
}

void DbTest::TearDown() {
    dm_.reset();
    db_.reset();
    if (!pgName_.isEmpty()) {
        adminExec("DROP DATABASE IF EXISTS " + pgName_);
    }
}

std::string backendParamName(const ::testing::TestParamInfo<Backend>& info) {
    return info.param == Backend::Sqlite ? "Sqlite" : "Postgres";
}

} // namespace florist::test
