#include "core/formoutcome.h"

namespace florist {

QString fieldName(const QString& caption) {
    QString name = caption;
    name.remove(' ');
    name.remove(QChar(0x3000));
    name.remove(QChar(0xFF1A));
    name.remove(':');
    name.remove('&');
    return name;
}

} // namespace florist
