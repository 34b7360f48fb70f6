#include "savefixture.h"

#include <QProcess>

namespace florist {
namespace {

// Several stations, each its own process and connection, saving orders of one business date
// at once (tests/support/stationhelper.cpp).
class StationContentionTest : public test::DbTest {};

TEST_P(StationContentionTest, FourStationsSavingAtOnceAllCommitWithGaplessNumbers) {
    constexpr int kStations = 4;
    constexpr int kSaves = 200;
    test::TwoStations st(db()); // on SQLite a file both the stations and the checks open
    Database& check = *st.a;
    const ConnectionSettings s = test::TwoStations::settingsOf(check);
    QStringList target{"2025-03-01"};
    if (s.backend == Backend::Sqlite) {
        target << "sqlite" << s.path;
    } else {
        target << "postgres" << s.host << QString::number(s.port) << s.user << s.database;
    }
    std::vector<std::unique_ptr<QProcess>> stations;
    for (int i = 0; i < kStations; ++i) {
        auto p = std::make_unique<QProcess>();
        p->start(FLORIST_STATION_HELPER, QStringList{QString::number(kSaves)} + target);
        stations.push_back(std::move(p));
    }
    for (auto& p : stations) {
        ASSERT_TRUE(p->waitForFinished(120000));
        EXPECT_EQ(p->exitCode(), 0) << p->readAllStandardError().left(2000).toStdString();
        EXPECT_EQ(QString::fromUtf8(p->readAllStandardOutput()).trimmed(),
                  QString("committed %1 failed 0").arg(kSaves));
    }

    const ResultSet numbers = check.select("SELECT theNum FROM UOrder ORDER BY theNum");
    ASSERT_EQ(numbers.size(), kStations * kSaves);
    for (int i = 0; i < numbers.size(); ++i) {
        ASSERT_EQ(numbers.text(i, "theNum"), QString("DD250301-%1").arg(i + 1, 4, 10, QChar('0')))
            << "numbers are unique and without gaps";
    }
    EXPECT_EQ(check
                  .scalar("SELECT COUNT(*) FROM UOrder o WHERE NOT EXISTS (SELECT 1 FROM UO_SK "
                          "k WHERE (k.theNum = o.theNum))")
                  .toInt(),
              0);
    EXPECT_EQ(check.scalar("SELECT COUNT(*) FROM UO_SK").toInt(), kStations * kSaves);
}

FLORIST_ON_EVERY_BACKEND(StationContentionTest);

} // namespace
} // namespace florist
