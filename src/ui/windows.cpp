#include "ui/settingswindows.h"
#include "ui/windowregistry.h"

#include "members/memberregistrywindow.h"

namespace florist::ui {

// Each subsystem adds its register call here as its windows arrive.
void registerAllWindows() {
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    members::registerMemberWindows();
    registerSettingsWindows();
}

} // namespace florist::ui
