#include "core/text/pinyin.h"

#include "core/text/gbk.h"
#include "core/text/pinyintable.h"

#include <array>

namespace florist {

namespace {

namespace pt = pinyintable;

// Latin spelling of the Greek letters of row 0xA6, in alphabet order; the capitals (trail
// 0xA1-0xB8) and the small letters (0xC1-0xD8) share it.
constexpr std::array<const char*, 24> kGreek = {"A", "B", "G", "D", "E",  "Z",  "E",  "TH",
                                                "I", "K", "L", "M", "N",  "X",  "O",  "P",
                                                "R", "S", "T", "U", "PH", "KH", "PS", "O"};

bool isAsciiAlnum(int b) {
    return (b >= '0' && b <= '9') || (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
}

char upper(int b) {
    return char(b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b);
}

// The number a cell of row 0xA2 shows (ⅰ, ⒈, ⑴, ①, ㈠, Ⅰ ...), or 0 for the other cells.
int numberedSymbol(int trail) {
    struct Run {
        int first;
        int last;
    };
    static constexpr Run kRuns[] = {{0xA1, 0xAA}, {0xB1, 0xC4}, {0xC5, 0xD8},
                                    {0xD9, 0xE2}, {0xE5, 0xEE}, {0xF1, 0xFC}};
    for (const Run& r : kRuns) {
        if (trail >= r.first && trail <= r.last) {
            return trail - r.first + 1;
        }
    }
    return 0;
}

const char* greekLetter(int trail) {
    if (trail >= 0xA1 && trail <= 0xB8) {
        return kGreek[trail - 0xA1];
    }
    if (trail >= 0xC1 && trail <= 0xD8) {
        return kGreek[trail - 0xC1];
    }
    return nullptr;
}

int reading(int lead, int trail) {
    if (lead < pt::kFirstLead || lead > pt::kLastByte || trail < pt::kFirstTrail ||
        trail > pt::kLastByte) {
        return 0;
    }
    return pt::kReadings[(lead - pt::kFirstLead) * pt::kColumns + (trail - pt::kFirstTrail)];
}

} // namespace

QString pinyinOfGbk(const QByteArray& gbk, int flags, int maxLength) {
    if (flags < 0 || maxLength <= 0) {
        return {};
    }
    const bool full = flags & kPinyinFull;
    const bool markUnread = flags & kPinyinMarkUnread;
    const bool keepSymbols = flags & kPinyinKeepSymbols;

    QByteArray out;
    out.reserve(full ? gbk.size() * 3 : gbk.size());
    auto unread = [&] {
        if (markUnread) {
            out += '?';
        }
    };
    const qsizetype n = gbk.size();
    qsizetype i = 0;
    // Pieces only ever grow the result, so the walk may stop once it is long enough.
    while (i < n && out.size() < maxLength) {
        const int lead = uchar(gbk[i]);
        if (lead < 0x81 || i + 1 == n || uchar(gbk[i + 1]) < 0x40) {
            if (keepSymbols || isAsciiAlnum(lead)) {
                out += upper(lead);
            }
            ++i;
            continue;
        }
        const int trail = uchar(gbk[i + 1]);
        i += 2;
        if (lead == 0xA2) {
            const int number = trail >= 0xA1 ? numberedSymbol(trail) : -1;
            if (number > 0) {
                out += QByteArray::number(number);
            } else if (number < 0) {
                unread();
            }
        } else if (lead == 0xA3) {
            // Full-width ASCII keeps its case. The cells before 0xA1 are user-defined and stand
            // for no ASCII character at all.
            if (trail < 0xA1 || trail > 0xFE) {
                unread();
            } else if (keepSymbols || isAsciiAlnum(trail - 0x80)) {
                out += char(trail - 0x80);
            }
        } else if (lead == 0xA6) {
            if (const char* latin = greekLetter(trail)) {
                out += latin;
            } else {
                unread();
            }
        } else if (const int syllable = reading(lead, trail)) {
            const char* s = pt::kSyllables[syllable];
            if (full) {
                for (; *s; ++s) {
                    out += upper(*s);
                }
            } else {
                out += upper(*s);
            }
        } else {
            unread();
        }
    }
    out.truncate(maxLength);
    for (const char c : out) {
        if (uchar(c) >= 0x80) {
            return fromGbk(out);
        }
    }
    return QString::fromLatin1(out);
}

QString GetPY(const QString& text, int flags, int maxLength) {
    if (flags < 0 || maxLength <= 0) {
        return {};
    }
    return pinyinOfGbk(toGbk(text), flags, maxLength);
}

} // namespace florist
