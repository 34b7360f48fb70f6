#include "stations/invariants.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <cmath>

namespace florist::stations {

namespace {

constexpr double kTolerance = 0.005;

bool differs(double a, double b) {
    return std::abs(a - b) > kTolerance;
}

QString num(double v) {
    return QString::number(v, 'g', 12);
}

struct Header {
    QString table;
    QString prefix;
};

const QList<Header>& headers() {
    static const QList<Header> h{{"UOrder", "DD"}, {"UStore", "CZ"}, {"UExchange", "DH"},
                                 {"UCG", "CG"},    {"ULY", "LY"},    {"UBS", "BS"},
                                 {"UXS", "XS"},    {"USK", "SK"},    {"UFK", "FK"}};
    return h;
}

void checkNumbers(Database& db, QStringList& faults) {
    for (const Header& h : headers()) {
        const QRegularExpression shape("^" + h.prefix + R"((\d{6})-\d{4,}$)");
        const ResultSet rows = db.select("SELECT theNum, theDate FROM " + h.table);
        QSet<QString> seen;
        for (int i = 0; i < rows.size(); ++i) {
            const QString number = rows.text(i, "theNum");
            if (seen.contains(number)) {
                faults << h.table + ": number " + number + " given twice";
            }
            seen.insert(number);
            const auto m = shape.match(number);
            const QString date = rows.text(i, "theDate"); // yyyy-mm-dd
            const QString yymmdd = date.mid(2, 2) + date.mid(5, 2) + date.mid(8, 2);
            if (!m.hasMatch() || m.captured(1) != yymmdd) {
                faults << h.table + ": number " + number + " is not of the form " + h.prefix +
                              yymmdd + "-nnnn";
            }
        }
    }
}

void checkMembers(Database& db, const test::Openings& openings, QStringList& faults) {
    for (const test::LedgerDifference& d : test::ledgerDifferences(db, openings)) {
        faults << QString("member %1 (%2) %3: stored %4, documents give %5")
                      .arg(d.memberId)
                      .arg(d.card, d.column, num(d.stored), num(d.expected));
    }
}

QHash<QString, double> sums(Database& db, const QString& sql) {
    QHash<QString, double> out;
    const ResultSet rows = db.select(sql);
    for (int i = 0; i < rows.size(); ++i) {
        out[rows.text(i, "k")] += rows.value(i, "v").toDouble();
    }
    return out;
}

void checkOrders(Database& db, QStringList& faults) {
    const QHash<QString, double> collected =
        sums(db, "SELECT theNum AS k, SUM(theMoney) AS v FROM UO_SK WHERE (theDel = '否') GROUP "
                 "BY theNum");
    const ResultSet orders = db.select("SELECT theNum, theDel, M6, M7, M8 FROM UOrder");
    QSet<QString> numbers;
    for (int i = 0; i < orders.size(); ++i) {
        const QString number = orders.text(i, "theNum");
        numbers.insert(number);
        if (orders.text(i, "theDel") != "否") {
            if (collected.contains(number)) {
                faults << "deleted order " + number + " keeps live collection rows";
            }
            continue;
        }
        const double m6 = orders.value(i, "M6").toDouble();
        const double m7 = orders.value(i, "M7").toDouble();
        const double m8 = orders.value(i, "M8").toDouble();
        if (differs(m7, collected.value(number))) {
            faults << "order " + number + ": M7 " + num(m7) + " but its collections add up to " +
                          num(collected.value(number));
        }
        if (differs(m6 - m7, m8)) {
            faults << "order " + number + ": M6 - M7 = " + num(m6 - m7) + " but M8 is " + num(m8);
        }
    }
    const ResultSet entries = db.select("SELECT o.theNum, COUNT(k.ID) AS n FROM UOrder o LEFT "
                                        "JOIN UO_SK k ON (k.theNum = o.theNum) AND (k.theType = "
                                        "'订单录入') GROUP BY o.theNum");
    for (int i = 0; i < entries.size(); ++i) {
        if (entries.value(i, "n").toInt() != 1) {
            faults << "order " + entries.text(i, "theNum") + " has " + entries.text(i, "n") +
                          " entry collection rows";
        }
    }
    const ResultSet rows = db.select("SELECT DISTINCT theNum FROM UO_SK");
    for (int i = 0; i < rows.size(); ++i) {
        if (!numbers.contains(rows.text(i, "theNum"))) {
            faults << "collection rows of " + rows.text(i, "theNum") + " without their order";
        }
    }
}

struct StockDoc {
    QString header;
    QString lines;
    double sign; // +1 brings stock in, -1 takes it out
};

const QList<StockDoc>& stockDocs() {
    static const QList<StockDoc> d{{"UCG", "UCG_List", +1},
                                   {"ULY", "ULY_List", -1},
                                   {"UBS", "UBS_List", -1},
                                   {"UXS", "UXS_List", -1}};
    return d;
}

void checkStock(Database& db, QStringList& faults) {
    const ResultSet negative = db.select("SELECT ID, theCount FROM UHCKC WHERE (theCount < 0)");
    for (int i = 0; i < negative.size(); ++i) {
        faults << "lot " + negative.text(i, "ID") + " below zero: " + negative.text(i, "theCount");
    }
    // Lines name the material, not the lot: the balance holds per material and store.
    QHash<QString, double> expected;
    for (const StockDoc& d : stockDocs()) {
        const ResultSet moved = db.select(
            "SELECT h.WName AS store, l.HCID AS material, SUM(l.theCount) AS quantity FROM " +
            d.lines + " l JOIN " + d.header +
            " h ON (h.theNum = l.theNum) WHERE (h.theDel = '否') GROUP BY h.WName, l.HCID");
        for (int i = 0; i < moved.size(); ++i) {
            expected[moved.text(i, "store") + "/" + moved.text(i, "material")] +=
                d.sign * moved.value(i, "quantity").toDouble();
        }
        if (const int orphans = db.scalar("SELECT COUNT(*) FROM " + d.lines +
                                          " l WHERE NOT EXISTS (SELECT 1 FROM " + d.header +
                                          " h WHERE (h.theNum = l.theNum))")
                                    .toInt()) {
            faults << QString("%1: %2 lines without their document").arg(d.lines).arg(orphans);
        }
        if (const int empty = db.scalar("SELECT COUNT(*) FROM " + d.header +
                                        " h WHERE NOT EXISTS (SELECT 1 FROM " + d.lines +
                                        " l WHERE (l.theNum = h.theNum))")
                                  .toInt()) {
            faults << QString("%1: %2 documents without lines").arg(d.header).arg(empty);
        }
        if (const int deleted =
                db.scalar("SELECT COUNT(*) FROM " + d.header + " WHERE (theDel <> '否')").toInt()) {
            faults << QString("%1: %2 documents deleted").arg(d.header).arg(deleted);
        }
    }
    QHash<QString, double> held;
    const ResultSet lots =
        db.select("SELECT WName, HCID, SUM(theCount) AS v FROM UHCKC GROUP BY WName, HCID");
    for (int i = 0; i < lots.size(); ++i) {
        held[lots.text(i, "WName") + "/" + lots.text(i, "HCID")] += lots.value(i, "v").toDouble();
    }
    QSet<QString> keys(expected.keyBegin(), expected.keyEnd());
    for (auto it = held.keyBegin(); it != held.keyEnd(); ++it) {
        keys.insert(*it);
    }
    for (const QString& key : keys) {
        if (differs(held.value(key), expected.value(key))) {
            faults << "stock of material " + key.section('/', 1) + " in " + key.section('/', 0, 0) +
                          ": lots hold " + num(held.value(key)) + ", documents give " +
                          num(expected.value(key));
        }
    }
    if (const int loose = db.scalar("SELECT COUNT(*) FROM UHCKC k WHERE NOT EXISTS (SELECT 1 FROM "
                                    "UCG h WHERE (h.theNum = k.CGNum))")
                              .toInt()) {
        faults << QString("%1 lots without their purchase").arg(loose);
    }
}

void checkPartners(Database& db, const QMap<qlonglong, PartnerOpening>& openings,
                   QStringList& faults) {
    auto byPartner = [&](const QString& sql) {
        QHash<qlonglong, double> out;
        const ResultSet rows = db.select(sql);
        for (int i = 0; i < rows.size(); ++i) {
            out[rows.value(i, "WID").toLongLong()] += rows.value(i, "v").toDouble();
        }
        return out;
    };
    const auto sold = byPartner("SELECT WID, SUM(theYF) AS v FROM UXS WHERE (theDel = '否') "
                                "GROUP BY WID");
    const auto bought = byPartner("SELECT WID, SUM(theYF) AS v FROM UCG WHERE (theDel = '否') "
                                  "GROUP BY WID");
    const auto collected = byPartner("SELECT WID, SUM(theMoney) AS v FROM USK WHERE (theDel = "
                                     "'否') GROUP BY WID");
    const auto paid = byPartner("SELECT WID, SUM(theMoney) AS v FROM UFK WHERE (theDel = '否') "
                                "GROUP BY WID");
    for (auto it = openings.begin(); it != openings.end(); ++it) {
        const qlonglong id = it.key();
        const ResultSet row =
            db.select("SELECT theName, theYS, theYF FROM UWL WHERE (ID = ?)", {id});
        if (row.isEmpty()) {
            faults << QString("partner %1 missing").arg(id);
            continue;
        }
        const double ys = row.value(0, "theYS").toDouble();
        const double yf = row.value(0, "theYF").toDouble();
        const double wantYs = it.value().receivable + sold.value(id) - collected.value(id);
        const double wantYf = it.value().payable + bought.value(id) - paid.value(id);
        if (differs(ys, wantYs)) {
            faults << "partner " + row.text(0, "theName") + " theYS: stored " + num(ys) +
                          ", documents give " + num(wantYs);
        }
        if (differs(yf, wantYf)) {
            faults << "partner " + row.text(0, "theName") + " theYF: stored " + num(yf) +
                          ", documents give " + num(wantYf);
        }
    }
}

} // namespace

QStringList invariantFaults(Database& db, const Openings& openings) {
    QStringList faults;
    checkNumbers(db, faults);
    checkMembers(db, openings.members, faults);
    checkOrders(db, faults);
    checkStock(db, faults);
    checkPartners(db, openings.partners, faults);
    return faults;
}

} // namespace florist::stations
