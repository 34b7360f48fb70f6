#include "core/db/dialect.h"

#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

// florist_sqlserverseed seed.sql seed-sqlserver.sql
// Writes the SQL Server seed script: the shared one with its Chinese literals written N'...'.
int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    QTextStream err(stderr);
    if (args.size() != 2) {
        err << "usage: florist_sqlserverseed schema/seed.sql schema/seed-sqlserver.sql\n";
        return 2;
    }
    QFile in(args.at(0));
    if (!in.open(QIODevice::ReadOnly)) {
        err << "florist_sqlserverseed: cannot read " << args.at(0) << '\n';
        return 1;
    }
    const QByteArray out = florist::sqlServerSeed(QString::fromUtf8(in.readAll())).toUtf8();
    QFile file(args.at(1));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(out) != out.size()) {
        err << "florist_sqlserverseed: cannot write " << args.at(1) << '\n';
        return 1;
    }
    return 0;
}
