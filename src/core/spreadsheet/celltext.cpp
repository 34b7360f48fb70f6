#include "core/spreadsheet/celltext.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>
#include <algorithm>
#include <cmath>

namespace florist {

QString numberText(double value) {
    if (!std::isfinite(value)) {
        return QString("#NUM!");
    }
    if (value == 0) {
        return QString("0");
    }
    const double magnitude = std::fabs(value);
    if (magnitude < 1e15 && value == std::trunc(value)) {
        return QString::number(qint64(value));
    }
    // 15 significant digits, as the spreadsheet keeps them; exponents only where the fixed
    // form would be absurdly long.
    QString text = QString::number(value, 'g', 15);
    if (!text.contains('e') || magnitude >= 1e15 || magnitude < 1e-9) {
        return text;
    }
    const int exponent = int(std::floor(std::log10(magnitude)));
    text = QString::number(value, 'f', std::max(0, 14 - exponent));
    if (text.contains('.')) {
        while (text.endsWith('0')) {
            text.chop(1);
        }
        if (text.endsWith('.')) {
            text.chop(1);
        }
    }
    return text;
}

QString serialDateText(double serial, bool date1904) {
    if (!std::isfinite(serial) || serial < 0 || serial > 2958466) {
        return numberText(serial);
    }
    double days = std::floor(serial);
    // Whole seconds, rounded, so 0.99999999 of a day does not show as 23:59:59.
    qint64 seconds = std::llround((serial - days) * 86400.0);
    if (seconds >= 86400) {
        days += 1;
        seconds -= 86400;
    }
    const QTime time = QTime(0, 0).addSecs(int(seconds));
    if (days == 0 && !date1904) {
        return seconds == 0 ? QString("1900-01-00") : time.toString("hh:mm:ss");
    }
    QDate date;
    if (date1904) {
        date = QDate(1904, 1, 1).addDays(qint64(days));
    } else if (days < 60) {
        date = QDate(1899, 12, 31).addDays(qint64(days));
    } else if (days == 60) {
        // The spreadsheet's fictitious 29 February 1900.
        return QString("1900-02-29");
    } else {
        date = QDate(1899, 12, 30).addDays(qint64(days));
    }
    // printf rather than QDate::toString, which takes seconds over a million dates.
    QString text = QString::asprintf("%04d-%02d-%02d", date.year(), date.month(), date.day());
    if (seconds != 0) {
        text += QString::asprintf(" %02d:%02d:%02d", time.hour(), time.minute(), time.second());
    }
    return text;
}

bool isDateFormatId(int id) {
    return (id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) ||
           (id >= 50 && id <= 58);
}

bool isDateFormatCode(const QString& code) {
    bool inQuote = false;
    bool inBracket = false;
    for (qsizetype i = 0; i < code.size(); ++i) {
        const QChar c = code.at(i);
        if (inQuote) {
            inQuote = c != '"';
            continue;
        }
        if (inBracket) {
            inBracket = c != ']';
            continue;
        }
        switch (c.toLower().unicode()) {
        case '"':
            inQuote = true;
            break;
        case '[':
            inBracket = true;
            break;
        case '\\':
        case '_':
        case '*':
            ++i; // the next character is shown literally or is a fill
            break;
        case 'y':
        case 'm':
        case 'd':
        case 'h':
        case 's':
            return true;
        default:
            break;
        }
    }
    return false;
}

NumberFormat NumberFormat::of(int id, const QString& code) {
    if (code.isEmpty()) {
        return {isDateFormatId(id) ? Date : Plain, 0};
    }
    if (isDateFormatCode(code)) {
        return {Date, 0};
    }
    // The section for positive numbers; a code of zeros only pads to its width.
    const QString positive = code.section(';', 0, 0);
    if (positive.size() >= 2 && positive.size() <= 32 &&
        std::all_of(positive.cbegin(), positive.cend(), [](QChar c) { return c == '0'; })) {
        return {Padded, int(positive.size())};
    }
    return {Plain, 0};
}

QString formattedNumber(double value, const NumberFormat& format, bool date1904) {
    switch (format.kind) {
    case NumberFormat::Date:
        return serialDateText(value, date1904);
    case NumberFormat::Padded:
        if (std::isfinite(value) && std::fabs(value) < 1e15) {
            const qint64 whole = std::llround(value);
            const QString digits =
                QString::number(whole < 0 ? -whole : whole).rightJustified(format.digits, '0');
            return whole < 0 ? '-' + digits : digits;
        }
        break;
    case NumberFormat::Plain:
        break;
    }
    return numberText(value);
}

QString normalizedDateText(const QString& text) {
    static const QRegularExpression date(
        R"(^\s*(\d{4})\s*[-/.年]\s*(\d{1,2})\s*[-/.月]\s*(\d{1,2})\s*日?(?:[ T]+\d{1,2}:\d{2}(?::\d{2})?)?\s*$)");
    const auto m = date.match(text);
    if (!m.hasMatch()) {
        return text;
    }
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    return d.isValid() ? d.toString("yyyy-MM-dd") : text;
}

} // namespace florist
