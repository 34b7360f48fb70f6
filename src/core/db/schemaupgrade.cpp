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

bool indexExists(Database& db, const QString& table, const QString& name) {
    QString sql = "SELECT name FROM sqlite_master WHERE (type = 'index') AND (name = ?)";
    QVariantList params{name};
    if (db.backend() == Backend::Postgres) {
        sql = "SELECT indexname FROM pg_indexes WHERE (indexname = ?)";
        params = {name.toLower()};
    } else if (db.backend() == Backend::SqlServer) {
        sql = "SELECT name FROM sys.indexes WHERE (name = ?) AND (object_id = OBJECT_ID(?))";
        params << table;
    }
    return !db.select(sql, params).isEmpty();
}

struct IndexDef {
    const char* name;
    const char* table;
    const char* columns;
};

// The indexes of the order lists' conditions and reminders; the schema files declare the same.
const IndexDef kOrderIndexes[] = {{"ix_UOrder_myDate", "UOrder", "myDate"},
                                  {"ix_UOrder_SH3", "UOrder", "SH3"},
                                  {"ix_UOrder_DState", "UOrder", "DState, ID"},
                                  {"ix_UOrder_theHS", "UOrder", "theHS, ID"},
                                  {"ix_UOrder_M8", "UOrder", "M8"},
                                  {"ix_UOrder_theLN", "UOrder", "theLN, ID"}};

// The grant a new menu entry inherits: every user who holds `from` gets `code` too.
void addMenuEntry(Database& db, const QString& code, const QString& name, const QString& from) {
    db.exec("INSERT INTO SMenu (MNum, MName) VALUES (?, ?)", {code, name});
    db.exec("INSERT INTO SLevel (UID, MNum) SELECT DISTINCT UID, ? FROM SLevel WHERE (MNum = ?) "
            "AND UID NOT IN (SELECT UID FROM SLevel WHERE (MNum = ?))",
            {code, from, code});
}

std::vector<UpgradeStep> makeSteps() {
    std::vector<UpgradeStep> steps;
    // Orders marked for a call a year later ("来年同日提醒").
    steps.push_back(
        {"UOrder.theLN",
         [](Database& db) { return statementRuns(db, "SELECT theLN FROM UOrder WHERE 1 = 0"); },
         [](Database& db) { addFlagColumn(db, "UOrder", "theLN"); }});
    // The anniversary list, the last entry of the order menu, for whoever manages orders.
    steps.push_back(
        {"SMenu 0110",
         [](Database& db) {
             return !db.select("SELECT MNum FROM SMenu WHERE (MNum = '0110')").isEmpty();
         },
         [](Database& db) { addMenuEntry(db, "0110", "来年同日提醒", "0101"); }});
    // Order dates, delivery dates, states and the reminder flags searched over many orders.
    steps.push_back(
        {"UOrder indexes",
         [](Database& db) {
             for (const IndexDef& i : kOrderIndexes) {
                 if (!indexExists(db, i.table, i.name)) {
                     return false;
                 }
             }
             return true;
         },
         [](Database& db) {
             for (const IndexDef& i : kOrderIndexes) {
                 if (!indexExists(db, i.table, i.name)) {
                     db.exec(QString("CREATE INDEX %1 ON %2 (%3)").arg(i.name, i.table, i.columns));
                 }
             }
         }});
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
