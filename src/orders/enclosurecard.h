#pragma once

#include "reports/printmodule.h"

#include <QSizeF>

namespace florist {
class Database;
}

namespace florist::orders {

// The card that goes with the flowers: the message the customer dictated (the order's "备注")
// centred in large type that wraps, and the sender's name ("送花人") below it unless empty.
// A message too long for the card is drawn smaller until it fits whole.
reports::Page enclosureCardPage(const QString& message, const QString& sender,
                                const QSizeF& paperMm);

// The card of an order by its number, on the remembered card size; page set-up in the preview
// lays it out anew on another size and remembers that one.
Receipt enclosureCard(Database& db, const QString& orderNumber);

// The card size chosen in page set-up, kept in the user's layout file; 90 × 54 mm until then.
QSizeF cardPaper();
void rememberCardPaper(const QSizeF& paperMm);

} // namespace florist::orders
