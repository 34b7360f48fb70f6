#pragma once

#include <QList>
#include <QMarginsF>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

namespace florist::reports {

enum class HAlign { Left, Center, Right };
enum class VAlign { Top, Center, Bottom };

// One text box of a layout. The content mixes literal text with field references written
// [<row source>."<column>"], e.g. 日期：[frxDB_DD."myDate"].
struct TextBox {
    // Left, top, width and height in millimetres from the top-left corner inside the margins.
    QRectF rectMm;
    QString content;
    // The font height in pixels at 96 dots per inch, the unit receipt layouts are drawn in.
    double fontPx = 12;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    // Numeric field values are written "%2.2f" (12.5 gives 12.50).
    bool twoDecimals = false;
};

// A one-page layout: paper size and margins in millimetres and the boxes on it.
struct PageLayout {
    QString name;
    QSizeF paperMm;
    // left, top, right, bottom
    QMarginsF marginsMm;
    QList<TextBox> boxes;
};

// The font families every page is drawn in: Arial where installed, else the metric-compatible
// Liberation Sans, and a CJK face for the Chinese characters neither of them holds. WenQuanYi
// Zen Hei comes first among those: Noto Sans CJK draws a character such as 青 with the glyph of
// its radical (⻘), and a PDF then maps that glyph back to the radical, so its text would no
// longer read or search as printed. Noto stays as the last resort for what Zen Hei lacks.
inline QStringList pageFontFamilies() {
    return {"Arial", "Liberation Sans", "WenQuanYi Zen Hei", "Noto Sans CJK SC"};
}

} // namespace florist::reports
