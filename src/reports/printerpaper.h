#pragma once

#include "reports/pagebuilder.h"

#include <QList>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <functional>
#include <optional>

namespace florist::reports {

// What the printer a receipt goes to can take: read from the system's printer description, or
// made up by a test.
struct PrinterPaper {
    // Takes a paper size of its own (PDF output, roll printers with custom sizes) within the
    // physical range below; an empty range means any size.
    bool customSizes = true;
    QSizeF minimumMm;
    QSizeF maximumMm;
    // The sizes it lists; one equal to the receipt's paper counts as taking it.
    QList<QPageSize> sizes;
    // The size it uses otherwise (A4 on an office printer).
    QPageSize defaultSize = QPageSize(QPageSize::A4);
    // Its unprintable edges in millimetres on a page size; none when unset.
    std::function<QMarginsF(const QPageSize&)> minimumMarginsMm;
};

// True when the printer prints the receipt's paper as it is.
bool takesPaper(const PrinterPaper& printer, const QSizeF& paperMm);

// The page layout a receipt prints with, in millimetres: the receipt's own paper where the
// printer takes it, else the printer's default size with the receipt at true size in its
// printable corner. Each margin is the larger of the receipt's (or of those typed in page
// set-up, which replace them) and the printer's minimum.
QPageLayout receiptPrintLayout(const Page& page, const PrinterPaper& printer,
                               const std::optional<QMarginsF>& typedMm = std::nullopt);

// Margins of a layout in millimetres, whatever units it keeps them in.
QMarginsF marginsMm(const QPageLayout& layout);
QMarginsF minimumMarginsMm(const QPageLayout& layout);

// Margins equal to within a twentieth of a millimetre: page set-up dialogs round what they show.
bool sameMargins(const QMarginsF& a, const QMarginsF& b);

} // namespace florist::reports
