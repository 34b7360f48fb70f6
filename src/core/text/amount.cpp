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
    // 15 significant digits drop the binary noise of sums like 0.1 + 0.2.
    QString s = QString::number(value, 'f', 10);
    QString shortest = QString::number(value, 'g', 15);
    if (!shortest.contains('e')) {
        return shortest;
    }
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
