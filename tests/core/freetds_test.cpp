// SQL Server connections as FreeTDS takes them, tried against this machine where no server runs:
// FreeTDS's own log (TDSDUMP) shows where it went.
#include "core/db/database.h"
#include "core/db/dialect.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

#ifdef Q_OS_UNIX
#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>
#endif

namespace florist {
namespace {

#ifdef Q_OS_UNIX

// A local TCP port with nothing listening on it.
int closedLocalPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::close(fd);
    return ntohs(a.sin_port);
}

// Answers one instance query on UDP 1434 as the SQL Server Browser does.
class FakeBrowser {
public:
    FakeBrowser(const QByteArray& instance, int tcpPort) {
        fd_ = ::socket(AF_INET, SOCK_DGRAM, 0);
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        a.sin_port = htons(1434);
        if (::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
            ::close(fd_);
            fd_ = -1;
            return;
        }
        timeval tv{10, 0};
        ::setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        thread_ = std::thread([this, instance, tcpPort] {
            char buf[512];
            sockaddr_in from{};
            socklen_t len = sizeof from;
            const ssize_t n =
                ::recvfrom(fd_, buf, sizeof buf, 0, reinterpret_cast<sockaddr*>(&from), &len);
            if (n <= 0) {
                return;
            }
            request_ = QByteArray(buf, int(n));
            const QByteArray body = "ServerName;TEST;InstanceName;" + instance +
                                    ";IsClustered;No;Version;15.0.2000.5;tcp;" +
                                    QByteArray::number(tcpPort) + ";;";
            QByteArray reply;
            reply.append(char(0x05));
            reply.append(char(body.size() & 0xFF));
            reply.append(char(body.size() >> 8));
            reply.append(body);
            ::sendto(fd_, reply.constData(), reply.size(), 0, reinterpret_cast<sockaddr*>(&from),
                     len);
        });
    }
    ~FakeBrowser() {
        if (thread_.joinable()) {
            thread_.join();
        }
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    bool listening() const { return fd_ >= 0; }
    QByteArray request() {
        if (thread_.joinable()) {
            thread_.join();
        }
        return request_;
    }

private:
    int fd_ = -1;
    std::thread thread_;
    QByteArray request_;
};

// The log FreeTDS writes of an attempt to connect with these settings' connection string. FreeTDS
// keeps one log file open per process, so every attempt appends to the same one.
QString freeTdsLog(const ConnectionSettings& s) {
    static const QString log = [] {
        static QString path = QDir::temp().filePath(
            QString("florist-tds-%1.log").arg(QCoreApplication::applicationPid()));
        std::atexit([] { QFile::remove(path); });
        return path;
    }();
    const qint64 before = QFileInfo(log).size();
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QODBC", "freetds-log");
        db.setDatabaseName(sqlServerConnectionString(s) + "DumpFile=" + odbcValue(log, true) +
                           ";DumpFileAppend=yes;");
        EXPECT_FALSE(db.open());
    }
    QSqlDatabase::removeDatabase("freetds-log");
    QFile f(log);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << log.toStdString();
    f.seek(before);
    return QString::fromLocal8Bit(f.readAll());
}

// The failure a person sees.
QString failureText(const ConnectionSettings& s) {
    Database db(s);
    try {
        db.open();
    } catch (const DbError& e) {
        return e.text();
    }
    return {};
}

ConnectionSettings local(const QString& host, int port, const QString& password) {
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

class FreeTds : public ::testing::Test {
protected:
    void SetUp() override {
        if (!QSqlDatabase::isDriverAvailable("QODBC")) {
            GTEST_SKIP() << "no Qt ODBC driver";
        }
    }
};

// A password that spells further keys stays inside its braces: FreeTDS connects to the port
// set, and the failure names it.
TEST_F(FreeTds, ExplicitPortIsUsedAndAPasswordCannotAddKeys) {
    const int port = closedLocalPort();
    for (const QString password : {"x;PORT=2;SERVER=10.9.9.9", "x}PORT=2"}) {
        const QString log = freeTdsLog(local("127.0.0.1", port, password));
        const QString text = failureText(local("127.0.0.1", port, password));
        EXPECT_TRUE(log.contains(QString("Connecting to 127.0.0.1 port %1").arg(port)))
            << log.toStdString();
        EXPECT_FALSE(log.contains("port 2\n"));
        EXPECT_FALSE(log.contains("10.9.9.9"));
        EXPECT_TRUE(text.startsWith(
            QString("无法连接 SQL Server 数据库：服务器 127.0.0.1，端口 %1，数据库 florist。")
                .arg(port)))
            << text.toStdString();
        EXPECT_TRUE(text.contains("[FreeTDS]")) << text.toStdString();
    }
}

// What FreeTDS makes of the values: a TDS 5.0 login (sent at once, without encryption) carries
// the user name and the password as FreeTDS parsed them from the connection string.
TEST_F(FreeTds, UserAndPasswordArriveExactly) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
    socklen_t len = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &len);
    ::listen(fd, 1);
    QByteArray received;
    std::thread server([&] {
        timeval tv{10, 0};
        ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        const int c = ::accept(fd, nullptr, nullptr);
        if (c < 0) {
            return;
        }
        ::setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, &tv, sizeof tv);
        char buf[4096];
        while (received.size() < 512) {
            const ssize_t n = ::recv(c, buf, sizeof buf, 0);
            if (n <= 0) {
                break;
            }
            received.append(buf, int(n));
        }
        ::close(c);
    });
    ConnectionSettings s = local("127.0.0.1", ntohs(a.sin_port), "a;b=c{d,e\\f\"g'h");
    s.user = "u}s=r,x";
    QString text = sqlServerConnectionString(s);
    text.replace("TDS_Version=7.4", "TDS_Version=5.0");
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QODBC", "freetds-login");
        db.setDatabaseName(text);
        EXPECT_FALSE(db.open());
    }
    QSqlDatabase::removeDatabase("freetds-login");
    server.join();
    ::close(fd);
    // Fixed fields of the login record: host name, user name, password, each 30 bytes + length.
    auto field = [&](int offset) {
        return received.mid(8 + offset, quint8(received.at(8 + offset + 30)));
    };
    ASSERT_GE(received.size(), 8 + 93);
    EXPECT_EQ(field(31), QByteArray("u}s=r,x"));
    EXPECT_EQ(field(62), QByteArray("a;b=c{d,e\\f\"g'h"));
}

// A named instance: FreeTDS asks the browser service for the instance's port and goes there,
// even when the settings carry a port as well.
TEST_F(FreeTds, NamedInstanceAsksTheBrowserForItsPort) {
    const int port = closedLocalPort();
    FakeBrowser browser("SQLEXPRESS", port);
    if (!browser.listening()) {
        GTEST_SKIP() << "UDP port 1434 is taken";
    }
    const QString log = freeTdsLog(local("127.0.0.1\\SQLEXPRESS", 1433, "pw"));
    EXPECT_TRUE(browser.request().contains("SQLEXPRESS"));
    EXPECT_TRUE(log.contains("tds7_get_instance_port(127.0.0.1, SQLEXPRESS)")) << log.toStdString();
    EXPECT_TRUE(log.contains(QString("Connecting to 127.0.0.1 port %1").arg(port)))
        << log.toStdString();
    EXPECT_FALSE(log.contains("port 1433"));
}

#endif

} // namespace
} // namespace florist
