#pragma once

#include <QJsonObject>
#include <QMap>
#include <QString>
#include <QStringList>
#include <functional>
#include <random>

namespace florist {
class DataModule;
}
namespace florist::orders {
struct OrderValues;
}
namespace florist::stock {
enum class DocumentKind;
struct StockDocument;
} // namespace florist::stock

namespace florist::stations {

// What one station did: the operations that went through, by kind; the refusals the shop's
// rules expect when stations collide ("不足" of balance, points or stock, a document another
// station deleted first), by reason; and everything else, which is a fault.
struct Tally {
    QMap<QString, int> tried; // by operation drawn
    QMap<QString, int> done;
    QMap<QString, int> refused;
    int failed = 0;
    QStringList failures; // the first few texts, for the report

    int doneCount() const;
    int refusedCount() const;
    void add(const Tally& other);
    QJsonObject toJson() const;
    static Tally fromJson(const QJsonObject& json);
};

// Why a save or delete stopped: an expected refusal (its reason) or a fault (empty).
QString refusalReason(const QString& message);

// One station of the shop: draws operations with its seed over the members, partners, materials
// and lots every station shares, and runs each through the same rules and save functions as the
// windows (nothing of its own touches the documents).
class Station {
public:
    Station(DataModule& dm, quint64 seed);
    // Draws one operation, runs it and counts how it ended. The first steps go through every
    // kind of operation once, in turn from a place of the seed's, so that even a short run
    // tries them all; the draw follows.
    void step(Tally& tally);
    // The kinds of operation a station draws from.
    static QStringList operationNames();

private:
    struct Operation {
        QString name;
        int weight;
        // Runs it and names what was done (a delete with nothing to delete saves instead).
        std::function<QString(Station&)> run;
    };
    static const QList<Operation>& operations();

    int below(int n);                       // 0 .. n-1
    double amount(double low, double high); // with cents
    qlonglong anyOf(const QList<qlonglong>& ids);
    // The newest live documents of a table, at most a dozen: what a person deleting would see
    // at the top of a management list, so that stations go for the same ones.
    QList<qlonglong> recentLive(const QString& table);
    void reloadShared();

    // The operations.
    QString topUp();
    QString exchange();
    QString deleteTopUp();
    QString deleteExchange();
    // Orders (orderops.cpp).
    orders::OrderValues orderValues(qlonglong memberId);
    void payPart(orders::OrderValues& v);
    QString saveOrder(const orders::OrderValues& v, const QString& kind);
    QString memberOrderByCard();
    QString memberOrderInPart();
    QString walkInOrder();
    QString collectOrder();
    QString deleteOrder();
    // Stock documents and partner money (stockops.cpp).
    qlonglong partnerNotOf(const QString& excludedType);
    QString saveStock(stock::StockDocument& doc);
    QString takeStock(stock::DocumentKind kind);
    QString purchase();
    QString requisition();
    QString damage();
    QString sale();
    QString partnerMoney(bool collection);
    QString deletePartnerMoney(bool collection);

    DataModule& dm_;
    std::mt19937_64 rng_;
    int steps_ = 0;
    int firstOperation_ = 0;
    QList<qlonglong> members_;
};

} // namespace florist::stations
