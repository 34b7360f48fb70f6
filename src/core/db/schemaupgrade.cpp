#include "core/db/schemaupgrade.h"

#include "core/db/database.h"

namespace florist {

bool statementRuns(Database& db, const QString& sql) {
    try {
        db.select(sql);
        return true;
    } catch (const DbError&) {
        return false;
    }
}

namespace {

// Adds a flag column ('是'/'否', default '否') to a table, as the schema files declare one.
void addFlagColumn(Database& db, const QString& table, const QString& column) {
    QString type = "varchar(4) DEFAULT '否'";
    if (db.backend() == Backend::Sqlite) {
        type = "TEXT DEFAULT '否'";
    } else if (db.backend() == Backend::SqlServer) {
        type = "NVARCHAR(4) NULL DEFAULT N'否' WITH VALUES";
    }
    db.exec(QString("ALTER TABLE %1 ADD %2 %3").arg(table, column, type));
}

// Adds a nullable integer column: rows written before it hold no value.
void addIntegerColumn(Database& db, const QString& table, const QString& column) {
    const QString type = db.backend() == Backend::SqlServer ? "INT NULL" : "INTEGER";
    db.exec(QString("ALTER TABLE %1 ADD %2 %3").arg(table, column, type));
}

std::vector<UpgradeStep> makeSteps() {
    std::vector<UpgradeStep> steps;
    // Orders marked for a call a year later ("来年同日提醒").
    steps.push_back(
        {"UOrder.theLN",
         [](Database& db) { return statementRuns(db, "SELECT theLN FROM UOrder WHERE 1 = 0"); },
         [](Database& db) { addFlagColumn(db, "UOrder", "theLN"); }});
    // The member a top-up credited and an exchange debited, so that a deletion reverses it on
    // that member alone.
    for (const char* table : {"UStore", "UExchange"}) {
        const QString t = QString::fromLatin1(table);
        steps.push_back({t + ".MID",
                         [t](Database& db) {
                             return statementRuns(db, "SELECT MID FROM " + t + " WHERE 1 = 0");
                         },
                         [t](Database& db) { addIntegerColumn(db, t, "MID"); }});
    }
    return steps;
}

} // namespace

const std::vector<UpgradeStep>& upgradeSteps() {
    static const std::vector<UpgradeStep> steps = makeSteps();
    return steps;
}

void upgradeSchema(Database& db) {
    for (const UpgradeStep& step : upgradeSteps()) {
        if (step.present(db)) {
            continue;
        }
        try {
            db.transaction([&] { step.apply(db); });
        } catch (const DbError& e) {
            throw DbError(
                QString("数据库升级失败（%1），请以数据库管理员身份运行 schema 目录中的脚本！\n%2")
                    .arg(step.name, e.text()),
                e.statement());
        }
    }
}

} // namespace florist
