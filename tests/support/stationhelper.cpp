#include "core/save/saverunner.h"

#include <QCoreApplication>
#include <QTextStream>
#include <cstdio>

// One station of a shop saving orders in a tight loop, for the tests and the benchmark that run
// several of them at once on one database:
//   florist_station_helper SAVES DATE sqlite PATH
//   florist_station_helper SAVES DATE postgres HOST PORT USER DATABASE
// Each save is shaped like an order: the number, the collection row, the order row. Prints
// "committed N failed M" and each failure's text; exits 0 when every save committed.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() < 5) {
        err << "usage: florist_station_helper SAVES DATE sqlite PATH | postgres HOST PORT USER "
               "DATABASE\n";
        return 2;
    }
    const int saves = args.at(1).toInt();
    const QString date = args.at(2);
    florist::ConnectionSettings s;
    if (args.at(3) == "sqlite") {
        s.backend = florist::Backend::Sqlite;
        s.path = args.at(4);
    } else if (args.size() >= 8) {
        s.backend = florist::Backend::Postgres;
        s.host = args.at(4);
        s.port = args.at(5).toInt();
        s.user = args.at(6);
        s.database = args.at(7);
    } else {
        err << "postgres needs HOST PORT USER DATABASE\n";
        return 2;
    }
    int committed = 0;
    int failed = 0;
    try {
        florist::Database db(s);
        db.open();
        for (int i = 0; i < saves; ++i) {
            try {
                florist::runSave(db, date, [&](florist::Save& save) {
                    const QString number = save.number("UOrder", "DD");
                    save.db().exec(
                        "INSERT INTO UO_SK (theNum, theDate, UName, theMoney, MType, theType, "
                        "WName, theDel, theSKR ) VALUES (?, ?, 'admin', 88, '现金', '订单录入', "
                        "'总店', '否', '') ",
                        {number, save.businessDate()});
                    save.db().exec(
                        "INSERT INTO UOrder (theDate, UName, theDel, theNum, myDate, theType, "
                        "WName, M6, M7, MType) VALUES (?, 'admin', '否', ?, ?, '散客', '总店', 88, "
                        "88, '现金')",
                        {save.businessDate(), number, save.businessDate()});
                });
                ++committed;
            } catch (const florist::Failure& f) {
                ++failed;
                err << "save " << i << ": " << f.text() << "\n";
            }
        }
    } catch (const florist::Failure& f) {
        err << f.text() << "\n";
        failed = saves - committed;
    }
    QTextStream(stdout) << "committed " << committed << " failed " << failed << "\n";
    return failed == 0 ? 0 : 1;
}
