#include "core/db/datamodule.h"
#include "stations/simulation.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTextStream>

using namespace florist;

namespace {

// florist_stations run [STATIONS [OPERATIONS [SEED]]] [sqlite]
// Sets up a fresh database, runs the stations at once and prints operations per second, the
// operations done, refused and failed, and the invariant check. On the PostgreSQL server named
// by FLORIST_BENCH_PG_HOST / _PORT / _USER (a database made for the run and dropped after), or
// with "sqlite" on a file in a temporary folder. Exits 0 when nothing failed and every
// invariant holds.
int runMain(const QStringList& args) {
    QTextStream out(stdout);
    const bool sqlite = args.contains("sqlite");
    QStringList numbers = args.mid(1);
    numbers.removeAll("sqlite");
    const int stations = numbers.value(0, "8").toInt();
    const int operations = numbers.value(1, "500").toInt();
    const quint64 seed = numbers.value(2, "23").toULongLong();

    QTemporaryDir dir;
    ConnectionSettings s;
    ConnectionSettings admin;
    if (sqlite) {
        s.path = dir.filePath("stations.db");
    } else {
        if (qEnvironmentVariableIsEmpty("FLORIST_BENCH_PG_HOST")) {
            out << "FLORIST_BENCH_PG_HOST (_PORT, _USER) names no server; add \"sqlite\" to run on "
                   "a file\n";
            return 2;
        }
        admin.backend = Backend::Postgres;
        admin.host = qEnvironmentVariable("FLORIST_BENCH_PG_HOST");
        admin.port = qEnvironmentVariableIntValue("FLORIST_BENCH_PG_PORT");
        admin.user = qEnvironmentVariable("FLORIST_BENCH_PG_USER", "postgres");
        admin.database = "postgres";
        s = admin;
        s.database = QString("florist_stations_%1").arg(QCoreApplication::applicationPid());
        Database a(admin);
        a.exec("DROP DATABASE IF EXISTS " + s.database);
        a.exec("CREATE DATABASE " + s.database + " ENCODING 'UTF8' TEMPLATE template0");
    }
    int code = 0;
    {
        stations::Openings openings;
        {
            Database db(s);
            db.createSchema(true);
        }
        {
            auto dm = stations::stationModule(s);
            openings = stations::prepareShop(*dm);
        }
        const stations::SimulationResult r = stations::simulate(
            QCoreApplication::applicationFilePath(), s, openings, stations, operations, seed);
        out << backendName(s.backend) << ": " << r.report();
        code = r.passed() ? 0 : 1;
    }
    if (!sqlite) {
        Database a(admin);
        a.exec("DROP DATABASE IF EXISTS " + s.database);
    }
    return code;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    try {
        if (args.value(0) == "station") {
            return stations::stationMain(args);
        }
        if (args.value(0) == "run") {
            return runMain(args);
        }
    } catch (const Failure& f) {
        QTextStream(stderr) << f.text() << "\n";
        return 1;
    }
    QTextStream(stderr) << "usage: florist_stations run [STATIONS [OPERATIONS [SEED]]] [sqlite]\n"
                           "       florist_stations station SEED INDEX OPERATIONS TARGET…\n";
    return 2;
}
