#pragma once

#include "stock/stockdocument.h"

#include <optional>

class QWidget;

namespace florist {
class DataModule;
}

namespace florist::stock {

// The purchase line's material lookup: no material gives nothing, one is taken at once, several
// show the catalogue's find dialog frmFindHC in mode "JH". The line as the material fills it,
// or nothing (none found, or Esc).
std::optional<DocumentLine> findMaterialForLine(QWidget* parent, DataModule& dm,
                                                const QString& text);

} // namespace florist::stock
