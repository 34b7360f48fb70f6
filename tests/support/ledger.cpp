#include "support/ledger.h"

#include "core/db/schemaupgrade.h"

#include <QHash>
#include <cmath>

namespace florist::test {

namespace {

constexpr double kTolerance = 0.005;

bool hasMemberColumn(Database& db, const QString& table) {
    return statementRuns(db, "SELECT MID FROM " + table + " WHERE 1 = 0");
}

// Whom the documents of the checked tables belong to.
class Owners {
public:
    explicit Owners(Database& db) {
        const ResultSet live =
            db.select("SELECT ID, theNum FROM UMember WHERE (theDel = '否') ORDER BY ID");
        for (int i = 0; i < live.size(); ++i) {
            const QString card = live.text(i, "theNum");
            if (!liveByCard_.contains(card)) {
                liveByCard_.insert(card, live.value(i, "ID").toLongLong());
            }
        }
    }
    // Each row of rows: the card in column "card", the recorded member (if any) in "mid", the
    // amount in "amount"; adds sign * amount to the owner's total.
    void add(const ResultSet& rows, double sign, QHash<qlonglong, double>& totals) const {
        const bool withMid = rows.column("mid") >= 0;
        for (int i = 0; i < rows.size(); ++i) {
            qlonglong owner = withMid ? rows.value(i, "mid").toLongLong() : 0;
            if (owner <= 0) {
                owner = liveByCard_.value(rows.text(i, "card"), 0);
            }
            if (owner > 0) {
                totals[owner] += sign * rows.value(i, "amount").toDouble();
            }
        }
    }

private:
    QHash<QString, qlonglong> liveByCard_;
};

QString midColumn(Database& db, const QString& table, const QString& alias) {
    return hasMemberColumn(db, table) ? ", " + alias + "MID AS mid" : QString();
}

} // namespace

Openings zeroOpenings(std::initializer_list<qlonglong> memberIds) {
    Openings o;
    for (qlonglong id : memberIds) {
        o.insert(id, Opening{});
    }
    return o;
}

QList<LedgerDifference> ledgerDifferences(Database& db, const Openings& openings) {
    const Owners owners(db);
    QHash<qlonglong, double> money;
    QHash<qlonglong, double> points;

    owners.add(db.select("SELECT M1 + M2 AS amount, MNum AS card" + midColumn(db, "UStore", "") +
                         " FROM UStore WHERE (theDel = '否')"),
               +1, money);
    owners.add(db.select("SELECT s.theMoney AS amount, o.MNum AS card" +
                         midColumn(db, "UOrder", "o.") +
                         " FROM UO_SK s JOIN UOrder o ON (o.theNum = s.theNum) WHERE "
                         "(s.theDel = '否') AND (o.theDel = '否') AND (o.theType = '会员') AND "
                         "(s.MType = '储值卡')"),
               -1, money);
    owners.add(db.select("SELECT theJF AS amount, MNum AS card" + midColumn(db, "UOrder", "") +
                         " FROM UOrder WHERE (theDel = '否') AND (theType = '会员')"),
               +1, points);
    owners.add(db.select("SELECT thePrice * theCount AS amount, MNum AS card" +
                         midColumn(db, "UExchange", "") + " FROM UExchange WHERE (theDel = '否')"),
               -1, points);

    QList<LedgerDifference> differences;
    for (auto it = openings.begin(); it != openings.end(); ++it) {
        const qlonglong id = it.key();
        const ResultSet row =
            db.select("SELECT theNum, theMoney, theJF FROM UMember WHERE (ID = ?)", {id});
        if (row.isEmpty()) {
            differences << LedgerDifference{id, QString(), "missing", 0, 0};
            continue;
        }
        const QString card = row.text(0, "theNum");
        const double storedMoney = row.value(0, "theMoney").toDouble();
        const double storedPoints = row.value(0, "theJF").toDouble();
        const double expectedMoney = it.value().money + money.value(id);
        const double expectedPoints = it.value().points + points.value(id);
        if (std::abs(storedMoney - expectedMoney) > kTolerance) {
            differences << LedgerDifference{id, card, "theMoney", storedMoney, expectedMoney};
        }
        if (std::abs(storedPoints - expectedPoints) > kTolerance) {
            differences << LedgerDifference{id, card, "theJF", storedPoints, expectedPoints};
        }
    }
    return differences;
}

::testing::AssertionResult ledgerBalances(Database& db, const Openings& openings) {
    const QList<LedgerDifference> differences = ledgerDifferences(db, openings);
    if (differences.isEmpty()) {
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult failure = ::testing::AssertionFailure();
    for (const LedgerDifference& d : differences) {
        failure << "member " << d.memberId << " (" << d.card.toStdString() << ") "
                << d.column.toStdString() << ": stored " << d.stored << ", documents give "
                << d.expected << "\n";
    }
    return failure;
}

} // namespace florist::test
