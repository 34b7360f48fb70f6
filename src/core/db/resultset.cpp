#include "core/db/resultset.h"

#include "core/text/amount.h"

namespace florist {

int ResultSet::column(const QString& name) const {
    for (int i = 0; i < columns_.size(); ++i) {
        if (columns_.at(i).compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

QVariant ResultSet::value(int row, const QString& name) const {
    int c = column(name);
    if (c < 0 || row < 0 || row >= rows_.size()) {
        return {};
    }
    return rows_.at(row).at(c);
}

QString ResultSet::text(int row, const QString& name) const {
    return displayText(value(row, name));
}

QString displayText(const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        return QString("");
    }
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
        return formatAmount(value.toDouble());
    default:
        return value.toString();
    }
}

} // namespace florist
