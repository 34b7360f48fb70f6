#include "ui/numberfield.h"

#include "core/errors.h"

#include <QLineEdit>

namespace florist::ui {

double typedNumber(QLineEdit* field, EmptyText empty) {
    try {
        return parseTypedNumber(field->text(), field->accessibleName(), empty);
    } catch (const Failure&) {
        field->setFocus();
        field->selectAll();
        throw;
    }
}

} // namespace florist::ui
