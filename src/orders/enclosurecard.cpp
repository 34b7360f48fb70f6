#include "orders/enclosurecard.h"

#include "core/db/database.h"
#include "core/search/columnwidths.h"

#include <QSettings>

namespace florist::orders {

namespace {

constexpr double kMargin = 5;
constexpr double kMessagePx = 28;
constexpr double kSenderPx = 16;
constexpr double kSenderHeight = 8;
const QSizeF kDefaultCard(90, 54);

} // namespace

reports::Page enclosureCardPage(const QString& message, const QString& sender,
                                const QSizeF& paperMm) {
    reports::Page page;
    page.name = "贺卡";
    page.paperMm = paperMm;
    page.marginsMm = QMarginsF(kMargin, kMargin, kMargin, kMargin);
    const double width = paperMm.width() - 2 * kMargin;
    const double height = paperMm.height() - 2 * kMargin;
    const double senderRoom = sender.trimmed().isEmpty() ? 0 : kSenderHeight;

    reports::PlacedText text;
    text.rectMm = QRectF(kMargin, kMargin, width, height - senderRoom);
    text.text = message;
    text.fontPx = kMessagePx;
    text.hAlign = reports::HAlign::Center;
    text.vAlign = reports::VAlign::Center;
    text.wrap = true;
    text.shrinkToFit = true;
    page.items << text;
    if (senderRoom > 0) {
        reports::PlacedText from;
        from.rectMm = QRectF(kMargin, kMargin + height - senderRoom, width, senderRoom);
        from.text = sender;
        from.fontPx = kSenderPx;
        from.hAlign = reports::HAlign::Right;
        from.vAlign = reports::VAlign::Center;
        from.wrap = true;
        from.shrinkToFit = true;
        page.items << from;
    }
    return page;
}

namespace {

Receipt cardOn(const QString& number, const QString& message, const QString& sender,
               const QSizeF& paper, bool found) {
    Receipt r;
    r.kind = ReceiptKind::Document;
    r.number = number;
    r.page = enclosureCardPage(message, sender, paper);
    r.title = "贺卡 " + number + (found ? QString() : QString("（未找到该单据）"));
    r.found = found;
    r.refit = [number, message, sender, found](const QSizeF& chosen) {
        rememberCardPaper(chosen);
        return cardOn(number, message, sender, chosen, found);
    };
    return r;
}

} // namespace

Receipt enclosureCard(Database& db, const QString& orderNumber) {
    const ResultSet row =
        db.select("SELECT Remark, SH01 FROM UOrder WHERE (theNum = ?)", {orderNumber});
    return cardOn(orderNumber, row.text(0, "Remark"), row.text(0, "SH01"), cardPaper(),
                  !row.isEmpty());
}

QSizeF cardPaper() {
    QSettings s(search::ColumnWidths::settingsPath(), QSettings::IniFormat);
    const QSizeF size(s.value("card/widthMm").toDouble(), s.value("card/heightMm").toDouble());
    return size.width() >= 20 && size.height() >= 20 ? size : kDefaultCard;
}

void rememberCardPaper(const QSizeF& paperMm) {
    QSettings s(search::ColumnWidths::settingsPath(), QSettings::IniFormat);
    s.setValue("card/widthMm", paperMm.width());
    s.setValue("card/heightMm", paperMm.height());
}

} // namespace florist::orders
