#pragma once

#include "core/db/connectionsettings.h"
#include "stations/invariants.h"
#include "stations/station.h"

#include <QStringList>

namespace florist {
class DataModule;
}

namespace florist::stations {

// The login every station runs under.
inline const QString kBusinessDate = QStringLiteral("2025-03-01");
inline const QString kStore = QStringLiteral("总店");

// Sets up, on a fresh database, what the stations share and collide on: a few members with
// stored value and points, customers and suppliers with opening balances, materials with stock
// in lots. Returns the openings the invariant check starts from.
Openings prepareShop(DataModule& dm);

// A data module over its own connection to the database, logged in as every station is.
std::unique_ptr<DataModule> stationModule(const ConnectionSettings& settings);

// The connection as command-line arguments of a station process, and back.
QStringList targetArguments(const ConnectionSettings& settings);
ConnectionSettings targetFromArguments(const QStringList& args);

// The arguments of one station process: "station SEED INDEX OPS" and the target; OPS 0 runs
// until the process is killed.
QStringList stationArguments(const ConnectionSettings& settings, quint64 seed, int index, int ops);

// The body of a station process: connects, prints "ready", runs its operations and prints its
// tally as one line of JSON. Returns the process's exit code.
int stationMain(const QStringList& args);

struct SimulationResult {
    int stations = 0;
    int operations = 0; // per station
    double seconds = 0;
    Tally tally;
    QStringList stationErrors; // a station that did not finish or report
    QStringList faults;        // the invariant check's
    bool passed() const { return tally.failed == 0 && stationErrors.isEmpty() && faults.isEmpty(); }
    // A few lines: operations per second, done, refused by reason, failed, the invariants.
    QString report() const;
};

// Runs `stations` processes of program at once on the prepared database, each `operations`
// operations drawn with seed and its index, then the invariant check.
SimulationResult simulate(const QString& program, const ConnectionSettings& settings,
                          const Openings& openings, int stations, int operations, quint64 seed);

} // namespace florist::stations
