#pragma once

#include <functional>

namespace florist::ui {

// Ends the program on purpose: after a password change, after the shop's details are saved and
// after "是" to the exit question. Nothing asks again on the way out.
void endApplication();
// Whether endApplication has run; the main window then closes without its question.
bool applicationEnding();
// Replaces what endApplication does after marking the end (tests); an empty handler restores
// the real end and clears the mark.
void setEndApplicationHandler(std::function<void()> handler);

} // namespace florist::ui
