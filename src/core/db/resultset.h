#pragma once

#include <QList>
#include <QStringList>
#include <QVariant>

namespace florist {

// Rows of a finished query, with the column names as the server returned them. Columns are
// found case-insensitively: PostgreSQL folds unquoted names to lower case.
class ResultSet {
public:
    ResultSet() = default;
    ResultSet(QStringList columns, QList<QVariantList> rows)
        : columns_(std::move(columns)), rows_(std::move(rows)) {}

    int size() const { return int(rows_.size()); }
    bool isEmpty() const { return rows_.isEmpty(); }
    const QStringList& columns() const { return columns_; }
    const QList<QVariantList>& rows() const { return rows_; }
    int column(const QString& name) const;
    QVariant value(int row, int column) const { return rows_.at(row).at(column); }
    // The value of a named column; an invalid QVariant when the row or column is missing.
    QVariant value(int row, const QString& name) const;
    // The value as text, as a grid or an export shows it.
    QString text(int row, const QString& name) const;

private:
    QStringList columns_;
    QList<QVariantList> rows_;
};

// A value as the windows show it: numbers in their shortest form (12.5, not 12.50), null as "".
QString displayText(const QVariant& value);

} // namespace florist
