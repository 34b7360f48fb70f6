#include "core/db/schemaupgrade.h"

#include "core/db/database.h"

#include <QFile>

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

// The statements of the backend's schema script that mention a name.
QString readSchemaPart(Database& db, const QString& name) {
    QFile f(db.dialect().schemaResource());
    if (!f.open(QIODevice::ReadOnly)) {
        throw Failure("缺少数据库结构文件 " + f.fileName());
    }
    QStringList part;
    for (const QString& statement :
         Database::splitScript(QString::fromUtf8(f.readAll()), db.backend())) {
        if (statement.contains(name)) {
            part << statement + ";";
        }
    }
    return part.join('\n');
}

// A table's substring index over the columns its lookup searches: an FTS5 table <table>_trgm
// with its triggers on SQLite, GIN trigram indexes ix_<table>_<column>_trgm on PostgreSQL; SQL
// Server keeps the plain scan.
struct SubstringIndex {
    QString table;
    QStringList columns;
};

// Whether this login may add the trigram indexes: pg_trgm there or creatable (it is a trusted
// extension: CREATE on the database suffices), and the table its own. When it may not, the
// lookup keeps its plain scan and the start goes on.
bool postgresMayIndex(Database& db, const QString& table) {
    return db.count("SELECT 1 WHERE (EXISTS (SELECT 1 FROM pg_extension WHERE extname = "
                    "'pg_trgm') OR (has_database_privilege(current_database(), 'CREATE') AND "
                    "EXISTS (SELECT 1 FROM pg_available_extensions WHERE name = 'pg_trgm'))) "
                    "AND EXISTS (SELECT 1 FROM pg_tables WHERE tablename = ? AND "
                    "pg_has_role(tableowner, 'USAGE'))",
                    {table.toLower()}) > 0;
}

bool substringIndexPresent(Database& db, const SubstringIndex& index) {
    switch (db.backend()) {
    case Backend::Sqlite:
        return statementRuns(db, "SELECT rowid FROM " + index.table + "_trgm WHERE 1 = 0");
    case Backend::Postgres: {
        // The last index the step creates stands for all of them.
        const QString last = QString("ix_%1_%2_trgm").arg(index.table, index.columns.last());
        return db.count("SELECT indexname FROM pg_indexes WHERE indexname = ?", {last.toLower()}) >
                   0 ||
               !postgresMayIndex(db, index.table);
    }
    case Backend::SqlServer:
        break;
    }
    return true;
}

void addSubstringIndex(Database& db, const SubstringIndex& index) {
    if (db.backend() == Backend::Sqlite) {
        const QString script = readSchemaPart(db, index.table + "_trgm");
        for (const QString& statement : Database::splitScript(script, Backend::Sqlite)) {
            db.exec(statement);
        }
        return;
    }
    db.exec("CREATE EXTENSION IF NOT EXISTS pg_trgm");
    for (const QString& column : index.columns) {
        db.exec(QString("CREATE INDEX IF NOT EXISTS ix_%1_%2_trgm ON %1 USING gin (%2 "
                        "gin_trgm_ops)")
                    .arg(index.table, column));
    }
}

UpgradeStep substringIndexStep(const SubstringIndex& index) {
    return {index.table + "_trgm",
            [index](Database& db) { return substringIndexPresent(db, index); },
            [index](Database& db) { addSubstringIndex(db, index); }};
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
    // The member lookup's trigram index (FTS5 on SQLite, pg_trgm on PostgreSQL).
    steps.push_back(
        substringIndexStep({"UMember", {"theNum", "thePhone", "thePY", "theName", "theMob"}}));
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
    // The member a member order charged, so that its deletion and later card collections
    // reach that member alone.
    steps.push_back(
        {"UOrder.MID",
         [](Database& db) { return statementRuns(db, "SELECT MID FROM UOrder WHERE 1 = 0"); },
         [](Database& db) { addIntegerColumn(db, "UOrder", "MID"); }});
    // The daily takings, after the anniversary list, for whoever manages orders.
    steps.push_back(
        {"SMenu 0111",
         [](Database& db) {
             return !db.select("SELECT MNum FROM SMenu WHERE (MNum = '0111')").isEmpty();
         },
         [](Database& db) { addMenuEntry(db, "0111", "营业日报", "0101"); }});
    // The material lookup's trigram index over name, initials and number.
    steps.push_back(substringIndexStep({"UHC", {"theName", "thePY", "theNum"}}));
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
