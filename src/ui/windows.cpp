#include "members/memberlistwindow.h"
#include "ui/windowregistry.h"

namespace florist::ui {

// Each subsystem adds its register call here as its windows arrive.
void registerAllWindows() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    members::registerMemberListWindows();
}

} // namespace florist::ui
