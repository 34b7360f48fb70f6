#pragma once

#include <QString>

namespace florist {

// Whether a field may be left empty (counting as 0) or must be filled.
enum class EmptyText { IsZero, Refused };

// The number typed into the field named caption ("储值金额"): digits with at most one ".", and
// a leading "-" for the derived amounts that can go below zero (an order's receivable). Two
// decimal points, a lone "." or letters raise a Failure "<caption> 不是有效的数字，请重新录入！";
// an empty text is 0, or raises "<caption> 不能为空，请重新录入！" when refused.
double parseTypedNumber(const QString& text, const QString& caption,
                        EmptyText empty = EmptyText::IsZero);
// The same test without a message.
bool isTypedNumber(const QString& text);

} // namespace florist
