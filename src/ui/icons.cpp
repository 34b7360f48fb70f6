#include "ui/icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace florist::ui {

namespace {

const QColor kTileColours[] = {QColor(0xC0, 0x39, 0x5A), QColor(0x2E, 0x86, 0x5F),
                               QColor(0x1F, 0x6F, 0xB2), QColor(0xD9, 0x82, 0x2B),
                               QColor(0x7B, 0x4F, 0xA8), QColor(0x3A, 0x9A, 0xA8)};

QPixmap tile(const QString& glyph, const QColor& colour, int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(1, 1, size - 2, size - 2), size / 5.0, size / 5.0);
    QLinearGradient g(0, 0, 0, size);
    g.setColorAt(0, colour.lighter(130));
    g.setColorAt(1, colour);
    p.fillPath(path, g);
    QFont f;
    f.setFamilies({"Noto Sans CJK SC", "Noto Sans CJK", "WenQuanYi Micro Hei"});
    f.setPixelSize(size * 5 / 8);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 0, size, size), Qt::AlignCenter, glyph);
    return pm;
}

} // namespace

QIcon toolbarIcon(const QString& caption, int index) {
    const QColor colour = kTileColours[index % std::size(kTileColours)];
    QIcon icon;
    icon.addPixmap(tile(caption.left(1), colour, 32));
    icon.addPixmap(tile(caption.left(1), colour, 64));
    return icon;
}

QIcon applicationIcon() {
    QIcon icon;
    for (int s : {16, 32, 64}) {
        icon.addPixmap(tile(QStringLiteral("花"), kTileColours[0], s));
    }
    return icon;
}

QPixmap backdrop(const QSize& size, const QString& shopName) {
    QPixmap pm(size.isEmpty() ? QSize(800, 600) : size);
    QPainter p(&pm);
    QLinearGradient g(0, 0, pm.width(), pm.height());
    g.setColorAt(0, QColor(0xF6, 0xEE, 0xF0));
    g.setColorAt(1, QColor(0xE3, 0xF1, 0xE8));
    p.fillRect(pm.rect(), g);
    QFont f;
    f.setFamilies({"Noto Serif CJK SC", "Noto Sans CJK SC"});
    f.setPixelSize(qMax(24, pm.height() / 12));
    p.setFont(f);
    p.setPen(QColor(0xC0, 0x39, 0x5A, 90));
    p.drawText(pm.rect(), Qt::AlignCenter,
               shopName.isEmpty() ? QStringLiteral("青禾花店管理系统") : shopName);
    return pm;
}

} // namespace florist::ui
