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
    update(model, names);
}

// Changes only the rows that differ: a drop-down showing the list keeps its choice unless its
// own row goes (a reset would move every drop-down to the first row).
void Loaders::update(QStringListModel* model, const QStringList& names) {
    const QStringList old = model->stringList();
    if (old == names) {
        return;
    }
    const qsizetype shorter = qMin(old.size(), names.size());
    qsizetype head = 0;
    while (head < shorter && old[head] == names[head]) {
        ++head;
    }
    qsizetype tail = 0;
    while (tail < shorter - head && old[old.size() - 1 - tail] == names[names.size() - 1 - tail]) {
        ++tail;
    }
    const int removed = int(old.size() - head - tail);
    const int inserted = int(names.size() - head - tail);
    if (removed > 0) {
        model->removeRows(int(head), removed);
    }
    if (inserted > 0) {
        model->insertRows(int(head), inserted);
        for (int i = 0; i < inserted; ++i) {
            model->setData(model->index(int(head) + i), names[head + i]);
        }
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
