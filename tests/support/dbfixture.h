#pragma once

#include "core/db/database.h"
#include "core/db/datamodule.h"

#include <gtest/gtest.h>
#include <memory>

namespace florist::test {

// A fresh database with the schema and the seed rows: an in-memory SQLite file, or a new
// PostgreSQL database copied from a template on the throwaway server that ./test.sh starts
// (FLORIST_TEST_PG_HOST, FLORIST_TEST_PG_PORT, FLORIST_TEST_PG_USER).
std::unique_ptr<Database> freshDatabase(Backend backend);
// Ends db's session on the PostgreSQL server from a second connection, as a server restart or
// an administrator's pg_terminate_backend would, and returns once the server process is gone.
// db's next statement meets the lost connection.
void endServerSession(Database& db);
// Runs sql on the test server's maintenance database (CREATE / ALTER / DROP DATABASE).
void adminExec(const QString& sql);
// Whether the test server is configured; FLORIST_REQUIRE_PG=1 turns its absence into a failure.
bool postgresConfigured();

// Base of every test that touches the database; instantiate it with FLORIST_ON_EVERY_BACKEND.
class DbTest : public ::testing::TestWithParam<Backend> {
protected:
    void SetUp() override;
    void TearDown() override;
    Database& db() { return dm_ ? dm_->db() : *db_; }
    // The data module over the test database, created at its first use, logged in as admin of
    // 总店 on business date 2025-03-01.
    DataModule& dm();
    Backend backend() const { return GetParam(); }

    std::unique_ptr<Database> db_;
    std::unique_ptr<DataModule> dm_;
    QString pgName_;
};

std::string backendParamName(const ::testing::TestParamInfo<Backend>& info);

} // namespace florist::test

#define FLORIST_ON_EVERY_BACKEND(Suite)                                                            \
    INSTANTIATE_TEST_SUITE_P(                                                                      \
        Db, Suite, ::testing::Values(florist::Backend::Sqlite, florist::Backend::Postgres),        \
        florist::test::backendParamName)
