#include "core/db/datamodule.h"
#include "core/session/startup.h"
#include "members/memberfinddialog.h"
#include "members/memberlookup.h"

#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace florist {
namespace {

// A database file with 100 000 live members: cards M000001…, mobiles 139…, initials of
// two-character names.
struct MemberDatabase {
    QTemporaryDir dir;
    std::unique_ptr<DataModule> dm;

    MemberDatabase() {
        ConnectionSettings s;
        s.path = dir.filePath("members.db");
        dm = std::make_unique<DataModule>(openDatabase(s));
        dm->login().businessDate = "2025-03-01";
        dm->db().exec(
            "INSERT INTO UMember (theDate, UName, theDel, theType, theNum, theName, myDate, "
            "theSex, theBir, thePhone, thePY, theJF, XFDate, theCount, theMoney, theMob, WName) "
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 100000) "
            "SELECT '2024-01-01', 'admin', '否', '普通会员', printf('M%06d', i), '会员' || i, "
            "'2024-01-01', '女', '05-03', printf('0571%07d', i), "
            "char(65 + i % 26) || char(65 + (i / 26) % 26), i % 500, '2025-01-01', i % 30, "
            "i % 1000, printf('139%08d', i * 7), '总店' FROM n");
    }
};

MemberDatabase& members() {
    static MemberDatabase db;
    return db;
}

// The card lookup of top-up and exchange: one member found among 100 000.
void BM_MemberLookup_Card_100k(benchmark::State& state) {
    DataModule& dm = *members().dm;
    for (auto _ : state) {
        benchmark::DoNotOptimize(members::lookupMembers(dm, members::kCallerTopUp, "M054321"));
    }
}
BENCHMARK(BM_MemberLookup_Card_100k)->Unit(benchmark::kMillisecond);

// The same with the name term of order entry.
void BM_MemberLookup_CardWithName_100k(benchmark::State& state) {
    DataModule& dm = *members().dm;
    for (auto _ : state) {
        benchmark::DoNotOptimize(members::lookupMembers(dm, members::kCallerOrder, "M054321"));
    }
}
BENCHMARK(BM_MemberLookup_CardWithName_100k)->Unit(benchmark::kMillisecond);

// An empty text lists every member into frmFindM.
void BM_MemberFind_All_100k(benchmark::State& state) {
    DataModule& dm = *members().dm;
    for (auto _ : state) {
        ui::FindDialog dialog(members::memberFindSpec(),
                              members::lookupMembers(dm, members::kCallerTopUp, ""));
        benchmark::DoNotOptimize(dialog.rows().size());
    }
}
BENCHMARK(BM_MemberFind_All_100k)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
} // namespace florist
