#include "core/text/numberinput.h"

#include "core/errors.h"

#include <QRegularExpression>

namespace florist {

bool isTypedNumber(const QString& text) {
    static const QRegularExpression number(R"(^-?([0-9]+\.?[0-9]*|\.[0-9]+)$)");
    return number.match(text.trimmed()).hasMatch();
}

double parseTypedNumber(const QString& text, const QString& caption, EmptyText empty) {
    const QString t = text.trimmed();
    if (t.isEmpty()) {
        if (empty == EmptyText::Refused) {
            throw Failure(caption + " 不能为空，请重新录入！");
        }
        return 0.0;
    }
    bool ok = false;
    const double value = isTypedNumber(t) ? t.toDouble(&ok) : 0.0;
    if (!ok) {
        throw Failure(caption + " 不是有效的数字，请重新录入！");
    }
    return value;
}

} // namespace florist
