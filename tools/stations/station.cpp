#include "stations/station.h"

#include "core/db/datamodule.h"
#include "storedvalue/exchange.h"
#include "storedvalue/topup.h"

#include <QJsonArray>

namespace florist::stations {

namespace {

constexpr int kKeptFailures = 20;

QString text(double value) {
    return QString::number(value, 'g', 15);
}

} // namespace

int Tally::doneCount() const {
    int n = 0;
    for (int v : done) {
        n += v;
    }
    return n;
}

int Tally::refusedCount() const {
    int n = 0;
    for (int v : refused) {
        n += v;
    }
    return n;
}

void Tally::add(const Tally& other) {
    for (auto it = other.tried.begin(); it != other.tried.end(); ++it) {
        tried[it.key()] += it.value();
    }
    for (auto it = other.done.begin(); it != other.done.end(); ++it) {
        done[it.key()] += it.value();
    }
    for (auto it = other.refused.begin(); it != other.refused.end(); ++it) {
        refused[it.key()] += it.value();
    }
    failed += other.failed;
    for (const QString& f : other.failures) {
        if (failures.size() < kKeptFailures) {
            failures << f;
        }
    }
}

QJsonObject Tally::toJson() const {
    QJsonObject t;
    for (auto it = tried.begin(); it != tried.end(); ++it) {
        t.insert(it.key(), it.value());
    }
    QJsonObject d;
    for (auto it = done.begin(); it != done.end(); ++it) {
        d.insert(it.key(), it.value());
    }
    QJsonObject r;
    for (auto it = refused.begin(); it != refused.end(); ++it) {
        r.insert(it.key(), it.value());
    }
    return QJsonObject{{"tried", t},
                       {"done", d},
                       {"refused", r},
                       {"failed", failed},
                       {"failures", QJsonArray::fromStringList(failures)}};
}

Tally Tally::fromJson(const QJsonObject& json) {
    Tally t;
    const QJsonObject tried = json.value("tried").toObject();
    for (auto it = tried.begin(); it != tried.end(); ++it) {
        t.tried.insert(it.key(), it.value().toInt());
    }
    const QJsonObject d = json.value("done").toObject();
    for (auto it = d.begin(); it != d.end(); ++it) {
        t.done.insert(it.key(), it.value().toInt());
    }
    const QJsonObject r = json.value("refused").toObject();
    for (auto it = r.begin(); it != r.end(); ++it) {
        t.refused.insert(it.key(), it.value().toInt());
    }
    t.failed = json.value("failed").toInt();
    for (const QJsonValue& f : json.value("failures").toArray()) {
        t.failures << f.toString();
    }
    return t;
}

QString refusalReason(const QString& message) {
    // The rules' own words: "… 账户余额 不足，…", "… 积分不足 …", "… 库存不足！", a card
    // offered for part of an order's total ("储值卡 收款金额 不能小于合计，…"), and a document
    // another station deleted first ("… 已删除，请重新查询！", "该单据已被删除！").
    if (message.contains("账户余额 不足")) {
        return "余额不足";
    }
    if (message.contains("积分不足")) {
        return "积分不足";
    }
    if (message.contains("库存不足")) {
        return "库存不足";
    }
    if (message.contains("不能小于合计")) {
        return "储值卡不足额";
    }
    if (message.contains("已删除") || message.contains("已被删除")) {
        return "已删除";
    }
    return QString();
}

Station::Station(DataModule& dm, quint64 seed) : dm_(dm), rng_(seed) {
    firstOperation_ = below(int(operations().size()));
    reloadShared();
}

QStringList Station::operationNames() {
    QStringList names;
    for (const Operation& op : operations()) {
        names << op.name;
    }
    return names;
}

void Station::reloadShared() {
    members_.clear();
    const ResultSet m = dm_.db().select("SELECT ID FROM UMember WHERE (theDel = '否') ORDER BY ID");
    for (int i = 0; i < m.size(); ++i) {
        members_ << m.value(i, "ID").toLongLong();
    }
}

const QList<Station::Operation>& Station::operations() {
    static const QList<Operation> ops{
        {"充值", 4, &Station::topUp},
        {"兑换", 4, &Station::exchange},
        {"删除充值", 1, &Station::deleteTopUp},
        {"删除兑换", 1, &Station::deleteExchange},
        {"会员订单储值卡", 3, &Station::memberOrderByCard},
        {"会员订单部分付款", 3, &Station::memberOrderInPart},
        {"散客订单", 2, &Station::walkInOrder},
        {"订单已收", 2, &Station::collectOrder},
        {"删除订单", 1, &Station::deleteOrder},
        {"采购", 2, &Station::purchase},
        {"领用", 1, &Station::requisition},
        {"报损", 1, &Station::damage},
        {"销售", 2, &Station::sale},
        {"收款", 2, [](Station& st) { return st.partnerMoney(true); }},
        {"付款", 2, [](Station& st) { return st.partnerMoney(false); }},
        {"删除收款", 1, [](Station& st) { return st.deletePartnerMoney(true); }},
        {"删除付款", 1, [](Station& st) { return st.deletePartnerMoney(false); }},
    };
    return ops;
}

int Station::below(int n) {
    return int(std::uniform_int_distribution<int>(0, n - 1)(rng_));
}

double Station::amount(double low, double high) {
    const int cents = std::uniform_int_distribution<int>(int(low * 100), int(high * 100))(rng_);
    return cents / 100.0;
}

qlonglong Station::anyOf(const QList<qlonglong>& ids) {
    return ids.isEmpty() ? 0 : ids.at(below(int(ids.size())));
}

QList<qlonglong> Station::recentLive(const QString& table) {
    const ResultSet rows = dm_.db().select("SELECT TOP 12 ID FROM " + table +
                                           " WHERE (theDel = '否') ORDER BY ID DESC");
    QList<qlonglong> ids;
    for (int i = 0; i < rows.size(); ++i) {
        ids << rows.value(i, "ID").toLongLong();
    }
    return ids;
}

void Station::step(Tally& tally) {
    const QList<Operation>& ops = operations();
    int total = 0;
    for (const Operation& op : ops) {
        total += op.weight;
    }
    const Operation* chosen = &ops.first();
    if (steps_ < ops.size()) {
        chosen = &ops.at((firstOperation_ + steps_) % ops.size());
    } else {
        int pick = below(total);
        for (const Operation& op : ops) {
            if (pick < op.weight) {
                chosen = &op;
                break;
            }
            pick -= op.weight;
        }
    }
    ++steps_;
    ++tally.tried[chosen->name];
    try {
        ++tally.done[chosen->run(*this)];
    } catch (const Failure& f) {
        const QString reason = refusalReason(f.text());
        if (!reason.isEmpty()) {
            ++tally.refused[reason];
        } else {
            ++tally.failed;
            if (tally.failures.size() < kKeptFailures) {
                tally.failures << chosen->name + ": " + f.text();
            }
        }
    }
}

// A member as the lookup shows it at the counter; by the time of the save another station may
// have changed it.
struct LookedUp {
    qlonglong id = 0;
    QString card;
    QString points;
};

static LookedUp lookUp(Database& db, qlonglong id) {
    const ResultSet r = db.select("SELECT theNum, theJF FROM UMember WHERE (ID = ?)", {id});
    if (r.isEmpty()) {
        throw Failure("simulated member " + QString::number(id) + " is gone");
    }
    return {id, r.text(0, "theNum"), displayText(r.value(0, "theJF"))};
}

QString Station::topUp() {
    const LookedUp m = lookUp(dm_.db(), anyOf(members_));
    storedvalue::TopUpValues v;
    v.memberId = m.id;
    v.cardNumber = m.card;
    v.date = dm_.login().businessDate;
    v.stored = text(amount(1, 300));
    v.gift = below(3) == 0 ? text(amount(0, 30)) : QString();
    v.method = "现金";
    v.receiver = "admin";
    storedvalue::saveTopUp(dm_, v);
    return "充值";
}

QString Station::exchange() {
    static const QList<std::pair<QString, QString>> gifts{
        {"玫瑰一枝", "10"}, {"花瓶", "35"}, {"贺卡", "2.5"}};
    const LookedUp m = lookUp(dm_.db(), anyOf(members_));
    const auto& [gift, price] = gifts.at(below(int(gifts.size())));
    storedvalue::ExchangeValues v;
    v.memberId = m.id;
    v.cardNumber = m.card;
    v.shownPoints = m.points;
    v.date = dm_.login().businessDate;
    v.gift = gift;
    v.price = price;
    v.count = QString::number(1 + below(3));
    v.receptionist = "admin";
    const FormOutcome check = storedvalue::checkExchange(v);
    if (!check.done) {
        throw Failure(check.message);
    }
    storedvalue::saveExchange(dm_, v);
    return "兑换";
}

QString Station::deleteTopUp() {
    const qlonglong id = anyOf(recentLive("UStore"));
    if (id == 0) {
        return topUp();
    }
    storedvalue::deleteTopUp(dm_, id);
    return "删除充值";
}

QString Station::deleteExchange() {
    const qlonglong id = anyOf(recentLive("UExchange"));
    if (id == 0) {
        return exchange();
    }
    storedvalue::deleteExchange(dm_, id);
    return "删除兑换";
}

} // namespace florist::stations
