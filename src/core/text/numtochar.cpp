#include "core/text/numtochar.h"

#include "core/errors.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

namespace florist {

namespace {

constexpr std::int64_t kFenLimit = 1'000'000'000'000'000; // 10^13 yuan: 15 places of fen

// Fen of |amount|, rounded as the decimal number the operator typed: an amount is kept in a
// double, and 1.015 is stored as 1.01499999999999990230, which would round down to 101 fen
// although the shop typed a half and expects the same rule as for 0.125 (half to the even
// neighbour, 102). The shortest text that reads back as the same double is exactly what was
// typed (or what a sum printed in the shortest form shows), so the rounding works on that text.
std::int64_t roundedFen(double amount) {
    if (std::fabs(amount) < 0.001) {
        return 0; // also keeps the fixed-point text of 1e-300 out of the buffer
    }
    char buf[64];
    const auto [end, ec] =
        std::to_chars(buf, buf + sizeof buf, std::fabs(amount), std::chars_format::fixed);
    const std::string_view text(buf, ec == std::errc() ? std::size_t(end - buf) : 0);
    const std::size_t dot = text.find('.');
    const std::string_view whole = text.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : text.substr(dot + 1);

    std::int64_t fen = 0;
    for (const char c : whole) {
        fen = fen * 10 + (c - '0');
    }
    for (std::size_t i = 0; i < 2; ++i) {
        fen = fen * 10 + (i < fraction.size() ? fraction[i] - '0' : 0);
    }
    if (fraction.size() > 2) {
        const std::string_view rest = fraction.substr(2);
        const bool aboveHalf =
            rest[0] > '5' || (rest[0] == '5' && rest.find_first_not_of('0', 1) != rest.npos);
        const bool half = rest[0] == '5' && !aboveHalf;
        if (aboveHalf || (half && fen % 2 == 1)) {
            ++fen;
        }
    }
    return fen;
}

// Digits 0-9, two places never read, then the units of the 15 places of "%15d".
const QString kNumerals = QStringLiteral("零壹贰叁肆伍陆柒捌玖--万仟佰拾亿仟佰拾万仟佰拾元角分");
constexpr int kPlaces = 15;
constexpr int kFirstUnit = 12;

struct Replacement {
    QStringView from;
    QStringView to;
};
constexpr Replacement kReplacements[] = {
    {u"零元", u"元"}, {u"零拾", u"零"}, {u"零佰", u"零"},   {u"零仟", u"零"}, {u"零万", u"万"},
    {u"零亿", u"亿"}, {u"亿万", u"亿"}, {u"零零零", u"零"}, {u"零零", u"零"}, {u"零万", u"万"},
    {u"零亿", u"亿"}, {u"亿万", u"亿"}, {u"零元", u"元"},
};

[[noreturn]] void refuseNegative() {
    throw Failure("金额 不能为负数，请重新录入！");
}
[[noreturn]] void refuseTooLarge() {
    throw Failure("金额 超出范围，请重新录入！");
}

} // namespace

QString NumToChar(double amount) {
    if (std::isnan(amount)) {
        throw Failure("金额 不是有效的数字，请重新录入！");
    }
    if (amount >= 1e13) {
        refuseTooLarge();
    }
    if (amount <= -1e13) {
        refuseNegative();
    }
    const std::int64_t fen = roundedFen(amount);
    // An amount that rounds to no fen at all (the -1e-15 left by a subtraction) writes as 0.
    if (amount < 0 && fen > 0) {
        refuseNegative();
    }
    if (fen >= kFenLimit) {
        refuseTooLarge();
    }

    const QString digits = QString::number(fen);
    QString text;
    text.reserve(2 * kPlaces);
    for (qsizetype k = 0; k < digits.size(); ++k) {
        const qsizetype place = kPlaces - digits.size() + k;
        text += kNumerals.at(digits.at(k).unicode() - '0');
        text += kNumerals.at(kFirstUnit + place);
    }
    for (const Replacement& r : kReplacements) {
        if (text.contains(r.from)) {
            text.replace(r.from.toString(), r.to.toString());
        }
    }
    const QStringView zeroFen = u"零分";
    text.replace(QStringLiteral("零角"),
                 text.contains(zeroFen) ? QStringLiteral("整") : QStringLiteral("零"));
    text.remove(zeroFen.toString());
    return text;
}

} // namespace florist
