#pragma once

#include "core/db/resultset.h"
#include "core/lists/listdescriptor.h"

namespace florist {
class DataModule;
}

namespace florist::lists {

// The rules of a list editor: the grid's rows, the checks and the insert of "保存", and the
// removal of a row. The window only shows what these decide.
class ListRules {
public:
    ListRules(DataModule& dm, const ListDescriptor& descriptor);

    const ListDescriptor& descriptor() const { return d_; }
    // The grid's rows; the ID column is the one named "ID".
    ResultSet rows();
    // Checks the entry in order (name, each value, the remark's length, the duplicate test; the
    // duplicate test right after the name where the descriptor says so); the first failed check
    // gives its message and field, and nothing is written. Otherwise inserts the row, reloads the
    // shared drop-down list and gives the success message with the name as focus.
    FormOutcome save(const ListEntry& entry);
    // Deletes the row of that identity for good and reloads the shared drop-down list.
    void remove(qlonglong id);

private:
    QVariant bound(const QString& token, const ListEntry& entry,
                   const QList<double>& numbers) const;
    QVariantList params(const QStringList& tokens, const ListEntry& entry,
                        const QList<double>& numbers = {}) const;
    void reloadLoader();
    bool nameTaken(const ListEntry& entry);
    FormOutcome takenOutcome() const;

    DataModule& dm_;
    ListDescriptor d_;
};

// A value typed for a bare number: the number, or false when it does not read as a finite one.
bool readNumber(const QString& text, double* number);
// Whether every character of the text is one of the keys the field takes while typing.
bool keysAccept(Keys keys, const QString& text);

} // namespace florist::lists
