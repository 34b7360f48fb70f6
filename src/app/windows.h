#pragma once

namespace florist::app {

// Registers the windows of every subsystem, once (called at start and by tests).
void registerAllWindows();

} // namespace florist::app
