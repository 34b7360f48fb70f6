#pragma once

#include "core/db/database.h"

#include <QSqlDatabase>
#include <QStringList>
#include <functional>
#include <gtest/gtest.h>

namespace florist::test {

// Every row of every table as sorted text, to compare a whole database before and after.
inline QStringList databaseSnapshot(Database& db) {
    QStringList rows;
    QStringList tables = db.connection().tables(QSql::Tables);
    tables.sort(Qt::CaseInsensitive);
    for (const QString& table : tables) {
        const ResultSet rs = db.select("SELECT * FROM " + table);
        for (const QVariantList& row : rs.rows()) {
            QStringList cells;
            for (const QVariant& v : row) {
                cells << v.toString();
            }
            rows << table + ": " + cells.join(" | ");
        }
    }
    rows.sort();
    return rows;
}

// Runs save once per statement it sends, that statement failing with a provider error each
// time: every run must fail and leave the database exactly as it was. The last run, with the
// fault beyond its statements, must succeed. Returns how many statements the save sent.
inline int expectAllOrNothing(Database& db, const std::function<void()>& save) {
    const QStringList before = databaseSnapshot(db);
    for (int nth = 1;; ++nth) {
        db.failStatement(nth);
        const int sentBefore = db.statementsRun();
        try {
            save();
        } catch (const DbError& e) {
            EXPECT_EQ(e.text(), Database::injectedFaultText()) << "statement " << nth;
            EXPECT_FALSE(db.inTransaction());
            EXPECT_EQ(databaseSnapshot(db), before) << "after a fault at statement " << nth;
            continue;
        }
        db.failStatement(0);
        EXPECT_GT(nth, 1) << "the save sent no statement";
        return db.statementsRun() - sentBefore;
    }
}

} // namespace florist::test
