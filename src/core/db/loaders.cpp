#include "core/db/loaders.h"

#include "core/db/database.h"

namespace florist {

Loaders::Loaders(Database& db) : db_(db) {}

Loaders::~Loaders() {
    qDeleteAll(models_);
}

QStringListModel* Loaders::modelFor(const QString& key) {
    auto it = models_.find(key);
    if (it == models_.end()) {
        it = models_.insert(key, new QStringListModel());
    }
    return it.value();
}

QStringListModel* Loaders::model(const QString& table) const {
    return models_.value(table);
}

void Loaders::fill(const QString& key, const QString& sql, const QVariantList& params) {
    QStringListModel* model = modelFor(key);
    sources_.insert(key, {sql, params});
    ResultSet rs = db_.select(sql, params);
    QStringList names;
    names.reserve(rs.size());
    for (int i = 0; i < rs.size(); ++i) {
        names << displayText(rs.value(i, 0));
    }
    if (model->stringList() != names) {
        model->setStringList(names);
    }
}

QStringListModel* Loaders::load(const QString& table) {
    fill(table, "SELECT theName FROM " + table + " ", {});
    return models_.value(table);
}

QStringListModel* Loaders::DBComWorker(const QString& store) {
    fill("SWorker", "SELECT theName FROM SWorker WHERE (WName = ?) ", {store});
    return models_.value("SWorker");
}

void Loaders::reload(const QString& table) {
    auto it = sources_.constFind(table);
    if (it != sources_.constEnd()) {
        const Source source = it.value();
        fill(table, source.sql, source.params);
    }
}

QStringList Loaders::ComSArea() {
    ResultSet rs = db_.select("SELECT theName FROM SArea ", {});
    QStringList names;
    for (int i = 0; i < rs.size(); ++i) {
        names << displayText(rs.value(i, 0));
    }
    return names;
}

} // namespace florist
