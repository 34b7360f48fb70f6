#pragma once

#include "core/db/loaders.h"
#include "core/search/searchdescriptor.h"

// Short builders for the columns and conditions of a search descriptor.
namespace florist::search::build {

inline Column text(const QString& heading, const QString& field, int width = 0,
                   bool asText = false) {
    Column c;
    c.heading = heading;
    c.field = field;
    c.width = width;
    c.exportAsText = asText;
    return c;
}

inline Column number(const QString& heading, const QString& field, int width = 0) {
    Column c = text(heading, field, width);
    c.kind = ColumnKind::Number;
    return c;
}

inline Column hidden(const QString& heading) {
    Column c = number(heading, heading);
    c.hidden = true;
    return c;
}

inline Condition contains(const QString& caption, const QStringList& fields, bool ticksBox = true) {
    Condition c;
    c.caption = caption;
    c.kind = InputKind::Text;
    c.match = Match::Contains;
    c.fields = fields;
    c.ticksBox = ticksBox;
    return c;
}

inline Condition equals(const QString& caption, const QString& field,
                        std::function<QStringListModel*(Loaders&)> loader, bool ticksBox = true) {
    Condition c;
    c.caption = caption;
    c.kind = InputKind::List;
    c.match = Match::Equals;
    c.fields = {field};
    c.loader = std::move(loader);
    c.ticksBox = ticksBox;
    return c;
}

// A date range opening on the business date minus one calendar month to the business date.
inline Condition lastMonth(const QString& caption, const QString& field, bool ticksBox = true) {
    Condition c;
    c.caption = caption;
    c.kind = InputKind::DatePair;
    c.match = Match::Between;
    c.fields = {field};
    c.ticksBox = ticksBox;
    c.defaultFrom = [](const QDate& d) { return d.addMonths(-1); };
    c.defaultTo = [](const QDate& d) { return d; };
    return c;
}

// The store drop-down; with staff drop-downs beside it, choosing a store reloads the shared
// staff lists with that store's staff.
inline Condition store(bool reloadsStaff, bool ticksBox = true) {
    Condition c = equals(
        "门店名称", "WName", [](Loaders& l) { return l.DBComWare(); }, ticksBox);
    if (reloadsStaff) {
        c.chosen = [](Loaders& l, const QString& name) { l.DBComWorker(name); };
    }
    return c;
}

// A staff drop-down listing the staff of one store.
inline Condition staff(const QString& caption, const QString& field, const QString& storeName) {
    return equals(caption, field, [storeName](Loaders& l) { return l.DBComWorker(storeName); });
}

} // namespace florist::search::build
