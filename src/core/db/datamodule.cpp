#include "core/db/datamodule.h"

#include "core/text/numtochar.h"

#include <QDate>

namespace florist {

DataModule::DataModule(std::unique_ptr<Database> db) : db_(std::move(db)), loaders_(*db_) {}

DataModule::~DataModule() = default;

void DataModule::myESQL(const QString& sql, const QVariantList& params) {
    db_->exec(sql, params);
}

int DataModule::myRetSC(const QString& sql, const QVariantList& params) {
    return db_->count(sql, params);
}

QString DataModule::insert(const QString& sql, const QVariantList& params) {
    lastId_ = QString::number(db_->insert(sql, params));
    return lastId_;
}

QString DataModule::singleValue(const QString& sql, const QString& name) {
    ResultSet rs = db_->select(sql, {name});
    if (rs.size() != 1) {
        return "0";
    }
    return displayText(rs.value(0, 0));
}

QString DataModule::myRetAZK(const QString& name) {
    return singleValue("SELECT theZK FROM SAlliance WHERE (theName = ?)", name);
}

QString DataModule::myRetGift(const QString& name) {
    return singleValue("SELECT thePrice FROM SGift WHERE (theName = ?)", name);
}

QString documentSequence(int n) {
    return QString::number(n).rightJustified(4, '0');
}

QString DataModule::NewDJNum(const QString& table, const QString& prefix, const QString& infix) {
    // Counted on the server over the theDate index: deleted rows and every store's rows count.
    const int n =
        db_->scalar("SELECT COUNT(*) FROM " + table + "  where (theDate=?)", {login_.businessDate})
            .toInt();
    const QDate date = QDate::fromString(login_.businessDate, "yyyy-MM-dd");
    return prefix + date.toString("yyMMdd") + infix + documentSequence(n + 1);
}

QString DataModule::NumToChar(double amount) const {
    return florist::NumToChar(amount);
}

void DataModule::readStartValues() {
    login_.defaultBusinessDate = QDateTime::currentDateTime();
    try {
        ResultSet d = db_->select(db_->dialect().dateStatement());
        if (d.size() == 1) {
            const QVariant v = d.value(0, 0);
            QDateTime dt = v.toDateTime();
            if (!dt.isValid()) {
                dt = QDateTime::fromString(v.toString().left(19), "yyyy-MM-dd HH:mm:ss");
            }
            if (dt.isValid()) {
                login_.defaultBusinessDate = dt;
            }
        }
    } catch (const DbError&) {
        // A server without myDate: the workstation's clock presets the business date.
    }
    ResultSet shop = db_->select("SELECT theName, thePhone, theAddress, Remark, theGG FROM SDept ");
    login_.shopName = shop.isEmpty() ? QString("") : shop.text(0, "theName");
}

} // namespace florist
