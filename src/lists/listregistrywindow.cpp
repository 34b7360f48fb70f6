#include "lists/listregistrywindow.h"

#include "lists/referencelists.h"
#include "ui/listeditorwindow.h"

namespace florist::lists {

void registerListWindows() {
    for (const ListDescriptor& d : referenceLists()) {
        ui::registerListEditor(d);
    }
}

} // namespace florist::lists
