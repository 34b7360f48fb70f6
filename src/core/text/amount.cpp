#include "core/text/amount.h"

#include <cmath>

namespace florist {

QString formatAmount(double value) {
    if (!std::isfinite(value)) {
        return QString("");
    }
    if (value == 0.0) {
        return QStringLiteral("0");
    }
    // Whole amounts are the common case of a long export: written as integers at once.
    if (std::abs(value) < 1e15 && value == std::trunc(value)) {
        return QString::number(qint64(value));
    }
    // 15 significant digits drop the binary noise of sums like 0.1 + 0.2.
    QString shortest = QString::number(value, 'g', 15);
    if (!shortest.contains('e')) {
        return shortest;
    }
    // Very large or small: written out, never as an exponent (an export reads every amount
    // through here, so the fixed form is made only when needed).
    QString s = QString::number(value, 'f', 10);
    while (s.contains('.') && (s.endsWith('0') || s.endsWith('.'))) {
        s.chop(1);
    }
    return s;
}

QString formatAmount2(double value) {
    if (!std::isfinite(value)) {
        return QString("");
    }
    QString s = QString::number(value, 'f', 2);
    return s == "-0.00" ? QStringLiteral("0.00") : s;
}

double parseAmount(const QString& text) {
    bool ok = false;
    double v = text.trimmed().toDouble(&ok);
    return ok ? v : 0.0;
}

} // namespace florist
