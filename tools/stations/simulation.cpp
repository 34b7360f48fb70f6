#include "stations/simulation.h"

#include "core/db/datamodule.h"
#include "stock/stockdocument.h"

#include <QElapsedTimer>
#include <QJsonDocument>
#include <QProcess>
#include <QTextStream>
#include <memory>
#include <vector>

namespace florist::stations {

namespace {

struct MemberSeed {
    const char* card;
    const char* name;
    const char* category; // a discount of 88 and a point per 3 yuan; the seed's own; none
    double money;
    double points;
};

// Few members, partners and materials, so that the stations keep running into each other.
const MemberSeed kMembers[] = {{"SIM001", "林会员", "模拟金卡", 300, 200},
                               {"SIM002", "周会员", "普通会员", 120.5, 60},
                               {"SIM003", "吴会员", "", 0, 0}};

struct PartnerSeed {
    const char* type;
    const char* name;
    double receivable;
    double payable;
};

const PartnerSeed kPartners[] = {{"客户", "模拟客户甲", 500, 0},
                                 {"客户", "模拟客户乙", 0, 0},
                                 {"供应商", "模拟花圃", 0, 800},
                                 {"供应商", "模拟花材行", 0, 0}};

struct MaterialSeed {
    const char* number;
    const char* name;
    double purchasePrice;
    double salePrice;
};

const MaterialSeed kMaterials[] = {
    {"SIM-H01", "红玫瑰", 2.5, 6}, {"SIM-H02", "满天星", 8, 15.5}, {"SIM-H03", "尤加利叶", 1.2, 3}};

} // namespace

Openings prepareShop(DataModule& dm) {
    Database& db = dm.db();
    Openings o;
    db.exec("INSERT INTO SMType (theName, Remark, theZK, theJF) VALUES ('模拟金卡', '', 88, 3)");
    for (const MemberSeed& m : kMembers) {
        const qlonglong id = db.insert(
            "INSERT INTO UMember (theDate, UName, theDel, theNum, theName, theType, theJF, "
            "theMoney, theCount, WName, myDate) VALUES (?, 'admin', '否', ?, ?, ?, ?, ?, 0, ?, ?)",
            {kBusinessDate, m.card, m.name, m.category, m.points, m.money, kStore, kBusinessDate});
        o.members.insert(id, test::Opening{m.money, m.points});
    }
    qlonglong supplier = 0;
    for (const PartnerSeed& p : kPartners) {
        const qlonglong id = db.insert(
            "INSERT INTO UWL (theType, theName, thePro, thePhone, theMob, theAdd, theYS, theYF, "
            "Remark, thePY, theDel, WName) VALUES (?, ?, '', '', '', '', ?, ?, '', '', '否', ?)",
            {p.type, p.name, p.receivable, p.payable, kStore});
        o.partners.insert(id, PartnerOpening{p.receivable, p.payable});
        if (supplier == 0 && QString(p.type) == "供应商") {
            supplier = id;
        }
    }
    // The opening stock comes in by a purchase like any other, paid in full.
    stock::StockDocument opening;
    opening.kind = stock::DocumentKind::Purchase;
    opening.date = kBusinessDate;
    opening.partnerId = supplier;
    opening.store = kStore;
    opening.paymentMethod = "现金";
    opening.person = "admin";
    opening.preparer = "admin";
    for (const MaterialSeed& m : kMaterials) {
        const qlonglong id = db.insert(
            "INSERT INTO UHC (theType, theNum, theName, theUnit, theCG, theXS, Remark, thePY, "
            "theDel) VALUES ('鲜花', ?, ?, '枝', ?, ?, '', '', '否')",
            {m.number, m.name, m.purchasePrice, m.salePrice});
        stock::DocumentLine line =
            stock::lineFromMaterial(id, m.number, m.name, "枝", m.purchasePrice);
        line.quantity = "40";
        opening.lines << line;
    }
    opening.paid = QString::number(stock::documentTotals(opening.lines).amount, 'g', 15);
    const stock::DocumentSaveResult saved = stock::saveDocument(dm, opening);
    if (!saved.done) {
        throw Failure(saved.message);
    }
    return o;
}

std::unique_ptr<DataModule> stationModule(const ConnectionSettings& settings) {
    auto db = std::make_unique<Database>(settings);
    db->open();
    auto dm = std::make_unique<DataModule>(std::move(db));
    LoginValues& v = dm->login();
    v.currentUser = "admin";
    v.userId = "1";
    v.currentStore = kStore;
    v.businessDate = kBusinessDate;
    v.shopName = "青禾花店";
    return dm;
}

QStringList targetArguments(const ConnectionSettings& s) {
    if (s.backend == Backend::Sqlite) {
        return {"sqlite", s.path};
    }
    return {"postgres", s.host, QString::number(s.port), s.user, s.database};
}

ConnectionSettings targetFromArguments(const QStringList& args) {
    ConnectionSettings s;
    if (args.value(0) == "sqlite" && args.size() >= 2) {
        s.backend = Backend::Sqlite;
        s.path = args.at(1);
    } else if (args.value(0) == "postgres" && args.size() >= 5) {
        s.backend = Backend::Postgres;
        s.host = args.at(1);
        s.port = args.at(2).toInt();
        s.user = args.at(3);
        s.database = args.at(4);
        s.password = qEnvironmentVariable("FLORIST_STATION_PG_PASSWORD");
    } else {
        throw Failure("target: sqlite PATH | postgres HOST PORT USER DATABASE");
    }
    return s;
}

QStringList stationArguments(const ConnectionSettings& settings, quint64 seed, int index, int ops) {
    return QStringList{"station", QString::number(seed), QString::number(index),
                       QString::number(ops)} +
           targetArguments(settings);
}

int stationMain(const QStringList& args) {
    QTextStream out(stdout);
    QTextStream err(stderr);
    if (args.size() < 4) {
        err << "usage: station SEED INDEX OPS sqlite PATH | postgres HOST PORT USER DATABASE\n";
        return 2;
    }
    const quint64 seed = args.at(1).toULongLong();
    const int index = args.at(2).toInt();
    const int ops = args.at(3).toInt();
    Tally tally;
    try {
        auto dm = stationModule(targetFromArguments(args.mid(4)));
        Station station(*dm, seed * 1000003u + quint64(index));
        out << "ready" << Qt::endl;
        for (int i = 0; ops == 0 || i < ops; ++i) {
            station.step(tally);
        }
    } catch (const Failure& f) {
        err << f.text() << "\n";
        return 1;
    }
    out << QJsonDocument(tally.toJson()).toJson(QJsonDocument::Compact) << Qt::endl;
    return 0;
}

QString SimulationResult::report() const {
    QString r;
    QTextStream t(&r);
    const int total = stations * operations;
    t << stations << " stations x " << operations << " operations: " << total << " in "
      << QString::number(seconds, 'f', 2) << " s, "
      << QString::number(seconds > 0 ? total / seconds : 0, 'f', 1) << " ops/s\n";
    t << "done " << tally.doneCount() << ":";
    for (auto it = tally.done.begin(); it != tally.done.end(); ++it) {
        t << " " << it.key() << " " << it.value();
    }
    t << "\nrefused as the rules expect " << tally.refusedCount() << ":";
    for (auto it = tally.refused.begin(); it != tally.refused.end(); ++it) {
        t << " " << it.key() << " " << it.value();
    }
    t << "\nfailed " << tally.failed << "\n";
    for (const QString& f : tally.failures) {
        t << "  " << f << "\n";
    }
    for (const QString& e : stationErrors) {
        t << "  station: " << e << "\n";
    }
    t << "invariants: "
      << (faults.isEmpty() ? QString("hold") : QString("%1 faults").arg(faults.size())) << "\n";
    for (const QString& f : faults.mid(0, 30)) {
        t << "  " << f << "\n";
    }
    return r;
}

SimulationResult simulate(const QString& program, const ConnectionSettings& settings,
                          const Openings& openings, int stations, int operations, quint64 seed) {
    SimulationResult result;
    result.stations = stations;
    result.operations = operations;
    QElapsedTimer clock;
    clock.start();
    std::vector<std::unique_ptr<QProcess>> running;
    for (int i = 0; i < stations; ++i) {
        auto p = std::make_unique<QProcess>();
        p->start(program, stationArguments(settings, seed, i, operations));
        running.push_back(std::move(p));
    }
    for (int i = 0; i < stations; ++i) {
        QProcess& p = *running[i];
        if (!p.waitForFinished(600000) || p.exitCode() != 0) {
            p.kill();
            p.waitForFinished();
            result.stationErrors << QString("station %1 ended with %2: %3")
                                        .arg(i)
                                        .arg(p.exitCode())
                                        .arg(QString::fromUtf8(p.readAllStandardError()).left(500));
            continue;
        }
        const QList<QByteArray> lines = p.readAllStandardOutput().trimmed().split('\n');
        const QJsonDocument doc = QJsonDocument::fromJson(lines.last());
        if (!doc.isObject()) {
            result.stationErrors << QString("station %1 reported nothing").arg(i);
            continue;
        }
        result.tally.add(Tally::fromJson(doc.object()));
    }
    result.seconds = clock.elapsed() / 1000.0;
    auto dm = stationModule(settings);
    result.faults = invariantFaults(dm->db(), openings);
    return result;
}

} // namespace florist::stations
