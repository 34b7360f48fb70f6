#include "core/db/connectionsettings.h"

#include "core/errors.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace florist {

namespace {

const QFileDevice::Permissions kOwnerOnly = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

// The value of key in the [database] group as it stands in the file: the text after "=" up to a
// ";" comment, trimmed. Null when the key is missing or its value is quoted (then QSettings'
// reading is the right one).
QString rawIniValue(const QString& iniPath, const QString& key) {
    QFile f(iniPath);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text)) {
        return {};
    }
    const QStringList lines = QString::fromUtf8(f.readAll()).split('\n');
    bool inGroup = false;
    QString found;
    for (const QString& line : lines) {
        const QString t = line.trimmed();
        if (t.startsWith('[')) {
            inGroup = t.compare("[database]", Qt::CaseInsensitive) == 0;
            continue;
        }
        const int eq = t.indexOf('=');
        if (!inGroup || eq < 0 || t.left(eq).trimmed() != key) {
            continue;
        }
        QString value = t.mid(eq + 1).trimmed();
        if (value.startsWith('"')) {
            found = QString();
            continue;
        }
        const int comment = value.indexOf(';');
        found = (comment < 0 ? value : value.left(comment)).trimmed();
    }
    return found;
}

} // namespace

QString ConnectionSettings::serverName() const {
    const int slash = host.indexOf('\\');
    return slash < 0 ? host : host.left(slash);
}

QString ConnectionSettings::instance() const {
    const int slash = host.indexOf('\\');
    return slash < 0 ? QString() : host.mid(slash + 1);
}

ConnectionSettings ConnectionSettings::fromIni(const QString& iniPath,
                                               const QString& defaultSqlitePath) {
    ConnectionSettings s;
    s.path = defaultSqlitePath;
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup("database");
    auto text = [&](const QString& key, const QString& fallback = QString()) {
        const QVariant v = ini.value(key);
        if (!v.isValid()) {
            return fallback;
        }
        // An unquoted comma makes QSettings split the value into a list.
        if (v.typeId() == QMetaType::QStringList && v.toStringList().size() > 1) {
            const QString raw = rawIniValue(iniPath, key);
            return raw.isNull() ? v.toStringList().join(',') : raw;
        }
        return v.toString();
    };
    const QString backend = text("backend", "sqlite").trimmed().toLower();
    if (backend == "postgres" || backend == "postgresql") {
        s.backend = Backend::Postgres;
    } else if (backend == "sqlserver" || backend == "mssql") {
        s.backend = Backend::SqlServer;
    }
    // QSettings takes the "\S" of srv\SQLEXPRESS (or of C:\Shop\florist.db) for an escape; a host
    // or a path written by hand means its backslashes as they stand.
    auto backslashed = [&](const QString& key, const QString& fallback) {
        const QString raw = rawIniValue(iniPath, key);
        if (raw.contains('\\') && !raw.contains("\\\\")) {
            return raw;
        }
        return text(key, fallback);
    };
    s.path = backslashed("path", s.path);
    s.host = backslashed("host", QString()).trimmed();
    s.port = text("port", "0").trimmed().toInt();
    s.database = text("name");
    s.user = text("user");
    s.password = text("password");
    s.odbcDriver = text("driver", "FreeTDS");
    s.options = text("options");
    return s;
}

void ConnectionSettings::writeIni(const QString& iniPath) const {
    const QString failed = QStringLiteral("无法写入连接设置文件 %1").arg(iniPath);
    QDir().mkpath(QFileInfo(iniPath).absolutePath());
    // Created owner-only before the password goes in; the rewrite keeps the permissions.
    if (!QFile::exists(iniPath)) {
        QFile f(iniPath);
        if (!f.open(QIODevice::WriteOnly)) {
            throw Failure(failed);
        }
    }
    QFile::setPermissions(iniPath, kOwnerOnly);
    {
        QSettings ini(iniPath, QSettings::IniFormat);
        ini.beginGroup("database");
        ini.setValue("backend", backendKey(backend));
        if (backend == Backend::Sqlite) {
            ini.setValue("path", path);
        } else {
            ini.remove("path");
        }
        ini.setValue("host", host);
        ini.setValue("port", port);
        ini.setValue("name", database);
        ini.setValue("user", user);
        ini.setValue("password", password);
        if (!odbcDriver.isEmpty()) {
            ini.setValue("driver", odbcDriver);
        }
        if (!options.isEmpty()) {
            ini.setValue("options", options);
        }
        ini.endGroup();
        ini.sync();
        if (ini.status() != QSettings::NoError) {
            throw Failure(failed);
        }
    }
    if (!QFile::setPermissions(iniPath, kOwnerOnly)) {
        throw Failure(failed);
    }
}

QString backendName(Backend backend) {
    switch (backend) {
    case Backend::Sqlite:
        return "SQLite";
    case Backend::Postgres:
        return "PostgreSQL";
    case Backend::SqlServer:
        return "SQL Server";
    }
    return {};
}

QString backendKey(Backend backend) {
    switch (backend) {
    case Backend::Sqlite:
        return "sqlite";
    case Backend::Postgres:
        return "postgres";
    case Backend::SqlServer:
        return "sqlserver";
    }
    return {};
}

int defaultPort(Backend backend) {
    switch (backend) {
    case Backend::Postgres:
        return 5432;
    case Backend::SqlServer:
        return 1433;
    case Backend::Sqlite:
        break;
    }
    return 0;
}

QString connectionFailureText(const ConnectionSettings& s, const QString& providerText) {
    QString line;
    if (s.backend == Backend::Sqlite) {
        line = QStringLiteral("无法打开 SQLite 数据库文件 %1，请检查文件夹是否存在、是否可写。")
                   .arg(QDir::toNativeSeparators(s.path));
    } else {
        QString where;
        if (!s.instance().isEmpty()) {
            where =
                QStringLiteral("实例 %1（端口由 SQL Server Browser 服务提供）").arg(s.instance());
        } else if (s.port > 0) {
            where = QStringLiteral("端口 %1").arg(s.port);
        } else {
            where = QStringLiteral("端口 %1（默认）").arg(defaultPort(s.backend));
        }
        const QString server = s.serverName().isEmpty() ? QStringLiteral("本机") : s.serverName();
        line = QStringLiteral("无法连接 %1 数据库：服务器 %2，%3，数据库 %4。\n"
                              "请检查服务器是否已启动、网络是否畅通，"
                              "以及服务器、端口或实例、数据库、用户名和密码是否正确。")
                   .arg(backendName(s.backend), server, where, s.database);
    }
    // libpq indents its continuation lines with a tab, which a message box shows as a gap.
    QStringList providerLines = providerText.trimmed().split('\n');
    for (QString& l : providerLines) {
        l = l.trimmed();
    }
    const QString provider = providerLines.join('\n');
    return provider.isEmpty() ? line : line + "\n\n" + provider;
}

} // namespace florist
