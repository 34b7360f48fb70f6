#pragma once

#include "reports/pagebuilder.h"

#include <QFont>
#include <QImage>
#include <QPageLayout>

class QPainter;

namespace florist::reports {

// The font of a box: its height in pixels at 96 dpi becomes points (0.75 pt a pixel), which
// every paint device resolves against its own resolution.
QFont pageFont(double fontPx);

// The page's paper with no margins of its own: the boxes already carry the layout's margins.
QPageLayout pageLayoutOf(const Page& page);

// The font size in pixels at which a wrapping, shrinking box's text fits its box whole, measured
// on device: its own size when it fits, smaller otherwise.
double fittedFontPx(const PlacedText& item, QPaintDevice* device);

// Paints the page at true millimetre scale with the paper's top-left corner at the painter's
// origin, converting millimetres with the device's resolution. Matches in highlights get a
// marker behind their text.
void paintPage(QPainter& painter, const Page& page, const QList<TextMatch>& highlights = {});

// Paints the page with the top-left corner inside its margins at the painter's origin, as a
// printer that is not set to full page hands its printable area over: the printer's margins
// then take the place of the page's own.
void paintInsideMargins(QPainter& painter, const Page& page);

// The page on white at dpi dots per inch.
QImage renderPage(const Page& page, int dpi, const QList<TextMatch>& highlights = {});

// Writes the page as a one-page PDF of the paper's size; raises Failure when the file cannot be
// written.
void writePdf(const Page& page, const QString& path);
// Writes the pages, each on a page of its own paper size, into one PDF.
void writePdf(const QList<Page>& pages, const QString& path);
// Rewrites the page box of a one-page PDF that Qt wrote with the exact paper size: Qt rounds it
// to whole points, and a 76 mm roll is 215.43 pt, not 215. Leaves a file it cannot read alone.
void writeExactPageSize(const QString& path, const QSizeF& paperMm);

// The texts of the page, one box a line in page order, as a saved file carries them.
QString pageText(const Page& page);

// Writes the page as a PNG image at dpi, with the page's name and text in the file's text
// fields ("Title", "Description"); raises Failure when the file cannot be written.
void writePng(const Page& page, const QString& path, int dpi = 300);

} // namespace florist::reports
