#include "rawengine.h"

#include <libpq-fe.h>
#include <sqlite3.h>
#include <stdexcept>
#include <string>
#include <vector>

namespace florist::bench {

namespace {

class SqliteEngine : public RawEngine {
public:
    explicit SqliteEngine(const QString& path) {
        if (sqlite3_open_v2(path.toUtf8().constData(), &db_, SQLITE_OPEN_READONLY, nullptr) !=
            SQLITE_OK) {
            throw std::runtime_error(sqlite3_errmsg(db_));
        }
    }
    ~SqliteEngine() override { sqlite3_close(db_); }

    long long run(const QString& sql, const QVariantList& params) override {
        const QByteArray text = sql.toUtf8();
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db_, text.constData(), int(text.size()), &st, nullptr) !=
            SQLITE_OK) {
            throw std::runtime_error(sqlite3_errmsg(db_));
        }
        std::vector<QByteArray> keep;
        keep.reserve(params.size());
        for (int i = 0; i < params.size(); ++i) {
            const QVariant& v = params.at(i);
            switch (v.typeId()) {
            case QMetaType::Int:
            case QMetaType::LongLong:
                sqlite3_bind_int64(st, i + 1, v.toLongLong());
                break;
            case QMetaType::Double:
                sqlite3_bind_double(st, i + 1, v.toDouble());
                break;
            default:
                keep.push_back(v.toString().toUtf8());
                sqlite3_bind_text(st, i + 1, keep.back().constData(), int(keep.back().size()),
                                  SQLITE_STATIC);
            }
        }
        long long rows = 0;
        const int columns = sqlite3_column_count(st);
        size_t bytes = 0;
        int rc;
        while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                const unsigned char* t = sqlite3_column_text(st, c);
                bytes += t ? size_t(sqlite3_column_bytes(st, c)) : 0;
            }
            ++rows;
        }
        sqlite3_finalize(st);
        if (rc != SQLITE_DONE) {
            throw std::runtime_error(sqlite3_errmsg(db_));
        }
        sink_ += bytes;
        return rows;
    }

private:
    sqlite3* db_ = nullptr;
    size_t sink_ = 0;
};

class PostgresEngine : public RawEngine {
public:
    explicit PostgresEngine(const ConnectionSettings& s) {
        const std::string info = QString("host=%1 port=%2 user=%3 dbname=%4 client_encoding=UTF8")
                                     .arg(s.host)
                                     .arg(s.port)
                                     .arg(s.user, s.database)
                                     .toStdString();
        conn_ = PQconnectdb(info.c_str());
        if (PQstatus(conn_) != CONNECTION_OK) {
            throw std::runtime_error(PQerrorMessage(conn_));
        }
    }
    ~PostgresEngine() override { PQfinish(conn_); }

    long long run(const QString& sql, const QVariantList& params) override {
        // "?" becomes $1, $2 … as the Qt driver does before it prepares.
        QString text;
        int n = 0;
        for (QChar ch : sql) {
            if (ch == '?') {
                text += "$" + QString::number(++n);
            } else {
                text += ch;
            }
        }
        std::vector<QByteArray> values;
        std::vector<const char*> pointers;
        values.reserve(params.size());
        for (const QVariant& v : params) {
            values.push_back(v.toString().toUtf8());
            pointers.push_back(values.back().constData());
        }
        const QByteArray statement = text.toUtf8();
        PGresult* r = PQprepare(conn_, "", statement.constData(), int(pointers.size()), nullptr);
        if (PQresultStatus(r) != PGRES_COMMAND_OK) {
            const std::string e = PQerrorMessage(conn_);
            PQclear(r);
            throw std::runtime_error(e);
        }
        PQclear(r);
        r = PQexecPrepared(conn_, "", int(pointers.size()), pointers.data(), nullptr, nullptr, 0);
        if (PQresultStatus(r) != PGRES_TUPLES_OK) {
            const std::string e = PQerrorMessage(conn_);
            PQclear(r);
            throw std::runtime_error(e);
        }
        const int rows = PQntuples(r);
        const int columns = PQnfields(r);
        size_t bytes = 0;
        for (int i = 0; i < rows; ++i) {
            for (int c = 0; c < columns; ++c) {
                bytes += size_t(PQgetlength(r, i, c)) + (PQgetvalue(r, i, c) ? 0 : 1);
            }
        }
        PQclear(r);
        sink_ += bytes;
        return rows;
    }

private:
    PGconn* conn_ = nullptr;
    size_t sink_ = 0;
};

} // namespace

std::unique_ptr<RawEngine> rawEngine(const ConnectionSettings& settings) {
    if (settings.backend == Backend::Sqlite) {
        return std::make_unique<SqliteEngine>(settings.path);
    }
    return std::make_unique<PostgresEngine>(settings);
}

} // namespace florist::bench
