#include "core/save/docnumber.h"

#include "core/db/datamodule.h"

#include <QDate>

namespace florist {

namespace {

const QStringList& documentTables() {
    static const QStringList tables{"UOrder", "UStore", "UExchange", "UCG", "ULY",
                                    "UBS",    "UXS",    "USK",       "UFK"};
    return tables;
}

} // namespace

bool isDocumentTable(const QString& table) {
    return documentTables().contains(table);
}

QString allocateDocumentNumber(Database& db, const QString& table, const QString& prefix,
                               const QString& infix, const QString& businessDate) {
    // The table name goes into the statement text, so only the known document tables pass.
    if (!isDocumentTable(table)) {
        throw Failure("未知的单据表 " + table);
    }
    const QDate date = QDate::fromString(businessDate, "yyyy-MM-dd");
    if (!date.isValid()) {
        throw Failure("营业日期 不是有效的日期：" + businessDate);
    }
    const QString head = prefix + date.toString("yyMMdd") + infix;
    // Saves of this table and date take their turn from here to their COMMIT, so the count
    // below sees every number given before; the unique index stays the last guard.
    const Dialect::Statement lock = db.dialect().numberLock(table, businessDate);
    if (!lock.text.isEmpty()) {
        db.exec(lock.text, lock.params);
    }
    const int count =
        db.scalar("SELECT COUNT(*) FROM " + table + "  where (theDate=?)", {businessDate}).toInt();
    const QString probe = "SELECT COUNT(*) FROM " + table + " WHERE (theNum = ?)";
    // Taken numbers above the count are rare (a row removed for good, a station that saved
    // meanwhile), so this usually asks once.
    for (int n = count + 1;; ++n) {
        const QString number = head + documentSequence(n);
        if (db.scalar(probe, {number}).toInt() == 0) {
            return number;
        }
    }
}

} // namespace florist
