#include "reports/pagepainter.h"

#include "core/errors.h"

#include <QFile>
#include <QFontMetricsF>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

namespace florist::reports {

namespace {

constexpr double kMmPerInch = 25.4;

Qt::Alignment alignment(const PlacedText& item) {
    Qt::Alignment a;
    switch (item.hAlign) {
    case HAlign::Left:
        a |= Qt::AlignLeft;
        break;
    case HAlign::Center:
        a |= Qt::AlignHCenter;
        break;
    case HAlign::Right:
        a |= Qt::AlignRight;
        break;
    }
    switch (item.vAlign) {
    case VAlign::Top:
        a |= Qt::AlignTop;
        break;
    case VAlign::Center:
        a |= Qt::AlignVCenter;
        break;
    case VAlign::Bottom:
        a |= Qt::AlignBottom;
        break;
    }
    return a;
}

// The device rectangle of the matched characters, for a single line laid out as drawText lays
// it out in the box.
QRectF matchRect(const QRectF& box, const PlacedText& item, const QFontMetricsF& fm,
                 const TextMatch& m) {
    const double width = fm.horizontalAdvance(item.text);
    double x = box.left();
    if (item.hAlign == HAlign::Center) {
        x = box.center().x() - width / 2;
    } else if (item.hAlign == HAlign::Right) {
        x = box.right() - width;
    }
    const double height = fm.height();
    double y = box.top();
    if (item.vAlign == VAlign::Center) {
        y = box.center().y() - height / 2;
    } else if (item.vAlign == VAlign::Bottom) {
        y = box.bottom() - height;
    }
    x += fm.horizontalAdvance(item.text.left(m.start));
    return QRectF(x, y, fm.horizontalAdvance(item.text.mid(m.start, m.length)), height);
}

// The number written in exactly width characters, blank-padded in front.
QByteArray fixedWidth(double value, qsizetype width) {
    for (int decimals = 6; decimals >= 0; --decimals) {
        const QByteArray text = QByteArray::number(value, 'f', decimals);
        if (text.size() <= width) {
            return QByteArray(width - text.size(), ' ') + text;
        }
    }
    return {};
}

} // namespace

// The page's box is rewritten in place; keeping every number's length keeps the file's
// cross-reference offsets valid.
void writeExactPageSize(const QString& path, const QSizeF& paperMm) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite)) {
        return;
    }
    const QString text = QString::fromLatin1(file.readAll());
    static const QRegularExpression box(R"(/MediaBox \[0 0 ([0-9.]+) ([0-9.]+)\])");
    const auto m = box.match(text);
    if (!m.hasMatch()) {
        return;
    }
    const double exact[] = {paperMm.width() * 72 / kMmPerInch, paperMm.height() * 72 / kMmPerInch};
    for (int i = 0; i < 2; ++i) {
        const QByteArray number = fixedWidth(exact[i], m.capturedLength(i + 1));
        if (!number.isEmpty() && file.seek(m.capturedStart(i + 1))) {
            file.write(number);
        }
    }
}

double fittedFontPx(const PlacedText& item, QPaintDevice* device) {
    const double sx = device->logicalDpiX() / kMmPerInch;
    const double sy = device->logicalDpiY() / kMmPerInch;
    const QRectF box(0, 0, item.rectMm.width() * sx, item.rectMm.height() * sy);
    // Characters that have no break opportunity between them (Chinese, long numbers) still
    // break at the box's edge, so a wrapped text grows only in height.
    const int flags = int(Qt::TextWordWrap | Qt::TextWrapAnywhere);
    for (double px = item.fontPx; px > 4; px *= 0.92) {
        const QFontMetricsF fm(pageFont(px), device);
        const QRectF needed = fm.boundingRect(box, flags, item.text);
        if (needed.width() <= box.width() + 0.5 && needed.height() <= box.height() + 0.5) {
            return px;
        }
    }
    return 4;
}

QFont pageFont(double fontPx) {
    QFont font;
    font.setFamilies(pageFontFamilies());
    font.setPointSizeF(fontPx * 0.75);
    font.setWeight(QFont::Normal);
    font.setStyle(QFont::StyleNormal);
    return font;
}

QPageLayout pageLayoutOf(const Page& page) {
    const QPageSize size(page.paperMm, QPageSize::Millimeter, page.name, QPageSize::ExactMatch);
    return QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
}

void paintPage(QPainter& painter, const Page& page, const QList<TextMatch>& highlights) {
    QPaintDevice* device = painter.device();
    const double sx = device->logicalDpiX() / kMmPerInch;
    const double sy = device->logicalDpiY() / kMmPerInch;
    painter.save();
    painter.setPen(Qt::black);
    for (int i = 0; i < page.items.size(); ++i) {
        const PlacedText& item = page.items.at(i);
        const QRectF& r = item.rectMm;
        const QRectF box(r.left() * sx, r.top() * sy, r.width() * sx, r.height() * sy);
        painter.setFont(pageFont(item.fontPx));
        const QFontMetricsF fm(painter.font(), device);
        for (const TextMatch& m : highlights) {
            if (m.item == i) {
                painter.fillRect(matchRect(box, item, fm, m), QColor(255, 230, 0));
            }
        }
        if (item.wrap) {
            if (item.shrinkToFit) {
                painter.setFont(pageFont(fittedFontPx(item, device)));
            }
            painter.drawText(box, int(alignment(item)) | Qt::TextWordWrap | Qt::TextWrapAnywhere,
                             item.text);
            continue;
        }
        // Text wider than its box is cut at the box's sides rather than running into the
        // neighbouring column; above and below it may use the line's full height.
        painter.save();
        painter.setClipRect(box.adjusted(0, -box.height(), 0, box.height()));
        painter.drawText(box, int(alignment(item)) | Qt::TextSingleLine, item.text);
        painter.restore();
    }
    QPen pen(Qt::black);
    pen.setWidthF(0.2 * sx); // a 0.2 mm hairline on every device
    painter.setPen(pen);
    for (const QLineF& rule : page.rulesMm) {
        painter.drawLine(QLineF(rule.x1() * sx, rule.y1() * sy, rule.x2() * sx, rule.y2() * sy));
    }
    painter.restore();
}

void paintInsideMargins(QPainter& painter, const Page& page) {
    QPaintDevice* device = painter.device();
    painter.save();
    painter.translate(-page.marginsMm.left() * device->logicalDpiX() / kMmPerInch,
                      -page.marginsMm.top() * device->logicalDpiY() / kMmPerInch);
    paintPage(painter, page);
    painter.restore();
}

QString pageText(const Page& page) {
    QStringList lines;
    for (const PlacedText& item : page.items) {
        lines << item.text;
    }
    return lines.join('\n');
}

QImage renderPage(const Page& page, int dpi, const QList<TextMatch>& highlights) {
    const double scale = dpi / kMmPerInch;
    QImage image(qMax(1, qRound(page.paperMm.width() * scale)),
                 qMax(1, qRound(page.paperMm.height() * scale)), QImage::Format_RGB32);
    const int dotsPerMeter = qRound(dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMeter);
    image.setDotsPerMeterY(dotsPerMeter);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    paintPage(painter, page, highlights);
    return image;
}

void writePdf(const Page& page, const QString& path) {
    writePdf(QList<Page>{page}, path);
}

void writePdf(const QList<Page>& pages, const QString& path) {
    if (pages.isEmpty()) {
        return;
    }
    QPdfWriter writer(path);
    writer.setPageLayout(pageLayoutOf(pages.first()));
    writer.setTitle(pages.first().name);
    writer.setCreator(QStringLiteral("青禾花店管理系统"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        throw Failure("文件无法写入：" + path);
    }
    for (int i = 0; i < pages.size(); ++i) {
        if (i > 0) {
            writer.setPageLayout(pageLayoutOf(pages.at(i)));
            writer.newPage();
        }
        paintPage(painter, pages.at(i));
    }
    if (!painter.end()) {
        throw Failure("文件无法写入：" + path);
    }
    if (pages.size() == 1) {
        writeExactPageSize(path, pages.first().paperMm);
    }
}

void writePng(const Page& page, const QString& path, int dpi) {
    QImage image = renderPage(page, dpi);
    image.setText("Title", page.name);
    image.setText("Description", pageText(page));
    if (!image.save(path, "PNG")) {
        throw Failure("文件无法写入：" + path);
    }
}

} // namespace florist::reports
