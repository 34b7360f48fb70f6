#pragma once

#include "core/lists/listdescriptor.h"

namespace florist::lists {

// The twelve reference lists behind the drop-downs, each one editor of the common design.
QList<ListDescriptor> referenceLists();

// A list of name and remark only, 490 × 480.
ListDescriptor simpleList(const QString& window, const QString& caption, const QString& table,
                          const QString& word, const QString& nameLabel, int nameLimit);

} // namespace florist::lists
