#pragma once

#include "core/formoutcome.h"

class QWidget;

namespace florist::ui {

// Shows what a window's rules decided: the message (a warning when refused) and then the focus
// in the input whose accessibleName the outcome names. Returns outcome.done.
bool showOutcome(QWidget* window, const FormOutcome& outcome);

} // namespace florist::ui
