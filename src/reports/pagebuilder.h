#pragma once

#include "core/db/resultset.h"
#include "reports/layout.h"

#include <QHash>
#include <QLineF>

namespace florist::reports {

// A box of a built page: where it sits on the paper and the text it prints.
struct PlacedText {
    // Millimetres from the paper's top-left corner, margins included.
    QRectF rectMm;
    QString text;
    double fontPx = 12;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    // Breaks the text into lines at the box's width instead of cutting it at its sides.
    bool wrap = false;
    // Makes the font smaller until the wrapped text fits the box whole (never below 4 px).
    bool shrinkToFit = false;
};

struct Page {
    QString name;
    QSizeF paperMm;
    QMarginsF marginsMm;
    QList<PlacedText> items;
    // Thin rules, in millimetres from the paper's top-left corner.
    QList<QLineF> rulesMm;
};

// The rows a page is built from, by row source name (matched case-insensitively). A page shows
// the first row of each; a row source without rows prints its fields empty.
class RowSources {
public:
    void set(const QString& name, ResultSet rows);
    // nullptr when no row source of that name was given.
    const ResultSet* find(const QString& name) const;

private:
    QHash<QString, ResultSet> sources_;
};

// Builds the page anew: every field reference replaced by the first row's value. A reference to
// a row source or column that does not exist raises Failure, so a misspelt layout never prints
// blanks silently.
Page buildPage(const PageLayout& layout, const RowSources& sources);

// A value as a box prints it: with two decimals where the box asks for them and the value is a
// number, else numbers in their shortest form and anything else as it is (null as "").
QString fieldText(const QVariant& value, bool twoDecimals);

// Where needle occurs in the page's texts, case-insensitively, in page order.
struct TextMatch {
    int item = 0;
    int start = 0;
    int length = 0;
    int page = 0; // of a printout of several pages
    bool operator==(const TextMatch&) const = default;
};
QList<TextMatch> findText(const Page& page, const QString& needle);

} // namespace florist::reports
