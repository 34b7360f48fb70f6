#pragma once

namespace florist::lists {

// Adds the editors of the twelve reference lists to the window registry.
void registerListWindows();

} // namespace florist::lists
