#pragma once

#include <QHash>
#include <QString>
#include <QStringListModel>
#include <QVariantList>
#include <memory>

namespace florist {

class Database;

// The drop-down loaders. Each owns one list model, shared by every drop-down it fills: loading
// it again for one window refreshes the list of every other window showing it.
class Loaders {
public:
    explicit Loaders(Database& db);
    ~Loaders();

    QStringListModel* DBComWare() { return load("SWare"); }
    QStringListModel* DBComUser() { return load("SUser"); }
    QStringListModel* DBComMType() { return load("SMType"); }
    QStringListModel* DBComHX() { return load("SHX"); }
    QStringListModel* DBComSex() { return load("SSex"); }
    QStringListModel* DBComSD() { return load("SSD"); }
    QStringListModel* DBComSK() { return load("SSK"); }
    QStringListModel* DBComSState() { return load("SState"); }
    QStringListModel* DBComDType() { return load("SDType"); }
    QStringListModel* DBComSArea() { return load("SArea"); }
    QStringListModel* DBComSGift() { return load("SGift"); }
    QStringListModel* DBComSAlliance() { return load("SAlliance"); }
    QStringListModel* DBComUse() { return load("SUse"); }
    QStringListModel* DBComObject() { return load("SObject"); }
    QStringListModel* DBComHCType() { return load("SHCType"); }
    QStringListModel* DBComHCUnit() { return load("SHCUnit"); }
    QStringListModel* DBComWLType() { return load("SWLType"); }
    // The staff of one store; the shared list then holds that store's staff everywhere.
    QStringListModel* DBComWorker(const QString& store);
    // The delivery areas for a free-text list (order entry may add a typed area).
    QStringList ComSArea();

    // The model of a table without reloading it (nullptr before its first load).
    QStringListModel* model(const QString& table) const;
    // Reads a loaded list again with the statement of its last load (SWorker: the same store),
    // so every open drop-down shows a change at once. Does nothing before a first load.
    void reload(const QString& table);

private:
    QStringListModel* load(const QString& table);
    QStringListModel* modelFor(const QString& key);
    void fill(const QString& key, const QString& sql, const QVariantList& params);
    static void update(QStringListModel* model, const QStringList& names);

    struct Source {
        QString sql;
        QVariantList params;
    };

    Database& db_;
    QHash<QString, QStringListModel*> models_;
    QHash<QString, Source> sources_;
};

} // namespace florist
