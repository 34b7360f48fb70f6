#pragma once

#include "core/text/numberinput.h"

class QLineEdit;

namespace florist::ui {

// The number typed into an amount or count field, named in messages by its caption (the
// field's accessibleName). Text that is not a number puts the focus on the field, selects it and
// raises the Failure, so a save running under ui::guarded shows the message and writes nothing.
double typedNumber(QLineEdit* field, EmptyText empty = EmptyText::IsZero);

} // namespace florist::ui
