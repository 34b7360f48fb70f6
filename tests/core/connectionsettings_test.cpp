#include "core/db/connectionsettings.h"
#include "core/db/database.h"
#include "core/db/dialect.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace florist {
namespace {

ConnectionSettings sqlServer(const QString& host, int port, const QString& password = "pw") {
    ConnectionSettings s;
    s.backend = Backend::SqlServer;
    s.host = host;
    s.port = port;
    s.database = "florist";
    s.user = "shop";
    s.password = password;
    s.odbcDriver = "FreeTDS";
    return s;
}

ConnectionSettings withDriver(ConnectionSettings s, const QString& driver) {
    s.odbcDriver = driver;
    return s;
}

TEST(SqlServerConnectionString, NamesThePortOnlyForADefaultInstanceWithAPortSet) {
    const QString tail = ";ClientCharset=UTF-8;TDS_Version=7.4;";
    struct Case {
        ConnectionSettings settings;
        QString expected;
    } cases[] = {
        {sqlServer("192.0.2.10", 0),
         "DRIVER={FreeTDS};SERVER={192.0.2.10};DATABASE={florist};UID={shop};PWD={pw}" + tail},
        {sqlServer("192.0.2.10", 1500), "DRIVER={FreeTDS};SERVER={192.0.2.10};PORT={1500};"
                                        "DATABASE={florist};UID={shop};PWD={pw}" +
                                            tail},
        // A named instance: FreeTDS asks the SQL Server Browser for its port.
        {sqlServer("shop-pc\\SQLEXPRESS", 1433),
         "DRIVER={FreeTDS};SERVER={shop-pc\\SQLEXPRESS};DATABASE={florist};UID={shop};PWD={pw}" +
             tail},
        {sqlServer("192.0.2.10", 0, "a;b,c{d=f\\g\"h'"),
         "DRIVER={FreeTDS};SERVER={192.0.2.10};DATABASE={florist};UID={shop};"
         "PWD={a;b,c{d=f\\g\"h'}" +
             tail},
        // FreeTDS ends a braced value at its first "}": such a value goes bare, up to the ";".
        {sqlServer("192.0.2.10", 0, "p}w=x"), "DRIVER={FreeTDS};SERVER={192.0.2.10};"
                                              "DATABASE={florist};UID={shop};PWD=p}w=x" +
                                                  tail},
        {withDriver(sqlServer("192.0.2.10", 0, "a}b;c"), "ODBC Driver 18 for SQL Server"),
         "DRIVER={ODBC Driver 18 for SQL Server};SERVER={192.0.2.10};DATABASE={florist};"
         "UID={shop};PWD={a}}b;c}" +
             tail},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(sqlServerConnectionString(c.settings), c.expected);
    }
}

// A value FreeTDS would cut short is refused before any connection is tried.
TEST(SqlServerConnectionString, RefusesWhatFreeTdsCannotTake) {
    EXPECT_EQ(unsendableConnectionValue(sqlServer("h", 0, "a;b{c=d")), "");
    EXPECT_EQ(unsendableConnectionValue(sqlServer("h", 0, "a}b")), "");
    EXPECT_EQ(unsendableConnectionValue(sqlServer("h", 0, "a}b;PORT=2")),
              "密码中含有“}”，又含有“;”或以“{”开头，FreeTDS 无法传递，"
              "请在服务器上改用不含这些字符的密码。");
    EXPECT_NE(unsendableConnectionValue(sqlServer("h", 0, "{a}")), "");
    EXPECT_EQ(unsendableConnectionValue(
                  withDriver(sqlServer("h", 0, "a}b;c"), "ODBC Driver 18 for SQL Server")),
              "");
    Database db(sqlServer("127.0.0.1", 1, "x};PORT={2"));
    try {
        db.open();
        ADD_FAILURE() << "opened";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.text().startsWith("无法连接 SQL Server 数据库：服务器 127.0.0.1，端口 1，"));
        EXPECT_TRUE(e.text().endsWith("请在服务器上改用不含这些字符的密码。"));
    }
}

TEST(ConnectionFailureText, NamesBackendServerPortOrInstanceAndDatabaseAboveTheProviderText) {
    ConnectionSettings pg;
    pg.backend = Backend::Postgres;
    pg.host = "192.0.2.10";
    pg.database = "florist";
    ConnectionSettings file;
    file.path = "/tmp/x/florist.db";
    struct Case {
        ConnectionSettings settings;
        QString firstLine;
    } cases[] = {
        {sqlServer("192.0.2.10", 0),
         "无法连接 SQL Server 数据库：服务器 192.0.2.10，端口 1433（默认），数据库 florist。"},
        {sqlServer("192.0.2.10", 1500),
         "无法连接 SQL Server 数据库：服务器 192.0.2.10，端口 1500，数据库 florist。"},
        {sqlServer("shop-pc\\SQLEXPRESS", 0),
         "无法连接 SQL Server 数据库：服务器 shop-pc，实例 SQLEXPRESS（端口由 SQL Server "
         "Browser 服务提供），数据库 florist。"},
        {pg, "无法连接 PostgreSQL 数据库：服务器 192.0.2.10，端口 5432（默认），数据库 florist。"},
        {file, "无法打开 SQLite 数据库文件 /tmp/x/florist.db，请检查文件夹是否存在、是否可写。"},
    };
    for (const auto& c : cases) {
        const QStringList lines =
            connectionFailureText(c.settings, "Adaptive Server is unavailable").split('\n');
        EXPECT_EQ(lines.first(), c.firstLine);
        EXPECT_EQ(lines.last(), "Adaptive Server is unavailable");
    }
    // libpq's continuation lines start with a tab; the box shows them flush.
    const QString text = connectionFailureText(
        pg, "connection to server failed: Connection refused\n\tIs the server running?\n");
    EXPECT_TRUE(text.endsWith("Connection refused\nIs the server running?")) << text.toStdString();
}

TEST(ConnectionSettingsIni, EveryAwkwardValueReadsBackExactlyFromAnOwnerOnlyFile) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("conf/florist.ini");
    const QStringList passwords = {
        "a;b",        "a,b",      "{x}}",      "a=b",   "back\\slash",
        "\"quoted\"", "'single'", " padded  ", "#hash", "@Variant",
        "中文密码",   "%PATH%",   "x\ny",      "",      "a;b,c{d}e=f\\g\"h'",
    };
    for (const QString& password : passwords) {
        ConnectionSettings s = sqlServer("shop-pc\\SQLEXPRESS", 0, password);
        s.user = "sa;" + password;
        s.writeIni(ini);
        const ConnectionSettings back = ConnectionSettings::fromIni(ini, "unused.db");
        EXPECT_EQ(back.password, password);
        EXPECT_EQ(back.user, s.user);
        EXPECT_EQ(back.host, "shop-pc\\SQLEXPRESS");
        EXPECT_EQ(back.backend, Backend::SqlServer);
        EXPECT_EQ(back.port, 0);
        EXPECT_EQ(back.database, "florist");
    }
    const auto others = QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther |
                        QFileDevice::WriteOther;
    EXPECT_EQ(QFile::permissions(ini) & others, QFileDevice::Permissions());
}

TEST(ConnectionSettingsIni, HandWrittenValuesAreTakenAsTheyStand) {
    QTemporaryDir dir;
    const QString ini = dir.filePath("florist.ini");
    QFile f(ini);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[other]\nhost=elsewhere\n"
            "[database]\n"
            "backend = sqlserver   ; sqlite (default), postgres or sqlserver\n"
            "host=shop-pc\\SQLEXPRESS\n"
            "name=florist\n"
            "path=C:\\Shop\\florist.db\n"
            "user=shop, main\n"
            "password=\"p;w,d\\\\x\\\"y\"\n");
    f.close();
    const ConnectionSettings s = ConnectionSettings::fromIni(ini, "unused.db");
    EXPECT_EQ(s.backend, Backend::SqlServer);
    EXPECT_EQ(s.host, "shop-pc\\SQLEXPRESS");
    EXPECT_EQ(s.serverName(), "shop-pc");
    EXPECT_EQ(s.instance(), "SQLEXPRESS");
    EXPECT_EQ(s.port, 0);
    EXPECT_EQ(s.user, "shop, main");
    EXPECT_EQ(s.password, "p;w,d\\x\"y");
    EXPECT_EQ(s.odbcDriver, "FreeTDS");
    EXPECT_EQ(s.path, "C:\\Shop\\florist.db");

    const ConnectionSettings none =
        ConnectionSettings::fromIni(dir.filePath("missing.ini"), "a.db");
    EXPECT_EQ(none.backend, Backend::Sqlite);
    EXPECT_EQ(none.path, "a.db");
}

// The example of the README reads as the README says.
TEST(ConnectionSettingsIni, TheReadmeExampleReadsAsDocumented) {
    QFile readme(QStringLiteral(FLORIST_SOURCE_DIR "/README.md"));
    ASSERT_TRUE(readme.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(readme.readAll());
    const qsizetype start = text.indexOf("[database]\nbackend=sqlserver");
    ASSERT_GE(start, 0);
    QTemporaryDir dir;
    QFile ini(dir.filePath("florist.ini"));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(text.mid(start, text.indexOf("```", start) - start).toUtf8());
    ini.close();
    const ConnectionSettings s = ConnectionSettings::fromIni(ini.fileName(), "unused.db");
    EXPECT_EQ(s.backend, Backend::SqlServer);
    EXPECT_EQ(s.host, "shop-pc\\SQLEXPRESS");
    EXPECT_EQ(s.port, 0);
    EXPECT_EQ(s.password, "Flower;2025,{shop}=\\\"");
    EXPECT_EQ(s.odbcDriver, "FreeTDS");
}

TEST(NationalLiterals, ChineseLiteralsOnlyGetTheUnicodePrefix) {
    const std::pair<QString, QString> cases[] = {
        {"SELECT ID FROM UOrder WHERE (theDel = '否') AND (SH1 = ?)",
         "SELECT ID FROM UOrder WHERE (theDel = N'否') AND (SH1 = ?)"},
        {"SELECT theName AS 性别 FROM SSex WHERE (theName = 'abc')",
         "SELECT theName AS 性别 FROM SSex WHERE (theName = 'abc')"},
        {"VALUES (N'已送', '它''s 花', '', 'a''b')", "VALUES (N'已送', N'它''s 花', '', 'a''b')"},
        {"SELECT [名'称] FROM t -- '注释'\nWHERE x='是'",
         "SELECT [名'称] FROM t -- '注释'\nWHERE x=N'是'"},
        {"INSERT INTO SSD (theName) VALUES ('上午');",
         "INSERT INTO SSD (theName) VALUES (N'上午');"},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(nationalLiterals(in), out);
    }
}

TEST(Dialects, EmptyATableWithDataRightsAndKeepTheirOtherShapes) {
    const auto sqlite = Dialect::create(Backend::Sqlite);
    const auto pg = Dialect::create(Backend::Postgres);
    const auto mssql = Dialect::create(Backend::SqlServer);
    for (const auto* d : {sqlite.get(), pg.get(), mssql.get()}) {
        EXPECT_EQ(d->translate("TRUNCATE TABLE SMenu"), "DELETE FROM SMenu");
    }
    EXPECT_EQ(pg->translate("SELECT TOP 1 ID FROM UOrder ORDER BY ID DESC "),
              "SELECT ID FROM UOrder ORDER BY ID DESC LIMIT 1");
    EXPECT_EQ(mssql->translate("SELECT TOP 1 ID FROM SSex WHERE (theName = '男')"),
              "SELECT TOP 1 ID FROM SSex WHERE (theName = N'男')");
}

// The SQL Server seed is the shared one with every Chinese literal written N'...'.
TEST(SqlServerSeed, IsTheSharedSeedWithUnicodeLiterals) {
    auto read = [](const QString& name) {
        QFile f(QStringLiteral(FLORIST_SOURCE_DIR "/schema/") + name);
        EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
        return QString::fromUtf8(f.readAll());
    };
    const QString seed = read("seed.sql");
    const QString generated = read("seed-sqlserver.sql");
    EXPECT_EQ(generated, sqlServerSeed(seed))
        << "regenerate: build/tools/florist_sqlserverseed schema/seed.sql "
           "schema/seed-sqlserver.sql";

    const QStringList statements = Database::splitScript(generated, Backend::SqlServer)
                                       .join('\n')
                                       .split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(statements.size(), Database::splitScript(seed, Backend::Sqlite).size());
    static const QRegularExpression literal(R"((N?)'((?:[^']|'')*)')");
    int chinese = 0;
    for (const QString& statement : statements) {
        ASSERT_TRUE(statement.startsWith("INSERT INTO ")) << statement.toStdString();
        for (auto it = literal.globalMatch(statement); it.hasNext();) {
            const auto m = it.next();
            const QString content = m.captured(2);
            const bool ascii = std::all_of(content.begin(), content.end(),
                                           [](QChar c) { return c.unicode() < 0x80; });
            if (!ascii) {
                ++chinese;
                EXPECT_EQ(m.captured(1), "N") << statement.toStdString();
            }
        }
    }
    EXPECT_GT(chinese, 100);
}

} // namespace
} // namespace florist
