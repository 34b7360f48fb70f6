#include "core/spreadsheet/xmlpart.h"

#include "core/spreadsheet/sheetreader.h"

#include <cstring>
#include <exception>
#include <expat.h>

namespace florist::detail {

namespace {

// SpreadsheetML nests a handful of levels (worksheet, sheetData, row, c, is, r, t); a part
// nested deeper is built to exhaust memory and is refused as damaged.
constexpr int kMaxXmlDepth = 48;
constexpr int kChunkBytes = 1 << 18;
// The parser takes a tag (or any one token) whole, and a token that spans several chunks is
// scanned again with each of them; a token of many megabytes (a cell with a million
// attributes) would cost time with the square of its size. Every element of a sheet ends
// within a few kilobytes, and the longest cell text within a few hundred: a part that runs
// this far without a '>' is damaged.
constexpr qint64 kMaxBytesWithoutTagEnd = 1024 * 1024;

// Follows the bytes since the last '>'; false once they run beyond the bound.
class TagLength {
public:
    bool take(const char* data, qint64 size) {
        const void* first = std::memchr(data, '>', size_t(size));
        if (!first) {
            since_ += size;
            return since_ <= kMaxBytesWithoutTagEnd;
        }
        if (since_ + (static_cast<const char*>(first) - data) > kMaxBytesWithoutTagEnd) {
            return false;
        }
        qint64 last = size - 1;
        while (data[last] != '>') {
            --last;
        }
        since_ = size - last - 1;
        return true;
    }

private:
    qint64 since_ = 0;
};

struct ParseState {
    XML_Parser parser;
    XmlHandler& handler;
    const QString& path;
    int depth = 0;
    std::exception_ptr failure;

    void fail(std::exception_ptr e) {
        if (!failure) {
            failure = e;
            XML_StopParser(parser, XML_FALSE);
        }
    }
    void damaged() { fail(std::make_exception_ptr(Failure(damagedFileText(path)))); }
};

void XMLCALL onStart(void* data, const XML_Char* name, const XML_Char** attributes) {
    auto* s = static_cast<ParseState*>(data);
    if (s->failure) {
        return;
    }
    if (++s->depth > kMaxXmlDepth) {
        s->damaged();
        return;
    }
    try {
        s->handler.start(localName(name), attributes);
    } catch (...) {
        s->fail(std::current_exception());
    }
}

void XMLCALL onEnd(void* data, const XML_Char* name) {
    auto* s = static_cast<ParseState*>(data);
    if (s->failure) {
        return;
    }
    --s->depth;
    try {
        s->handler.end(localName(name));
    } catch (...) {
        s->fail(std::current_exception());
    }
}

void XMLCALL onText(void* data, const XML_Char* text, int size) {
    auto* s = static_cast<ParseState*>(data);
    if (s->failure) {
        return;
    }
    try {
        s->handler.text(text, size);
    } catch (...) {
        s->fail(std::current_exception());
    }
}

void XMLCALL onDoctype(void* data, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    static_cast<ParseState*>(data)->damaged();
}

struct ParserFree {
    void operator()(XML_ParserStruct* p) const { XML_ParserFree(p); }
};

} // namespace

void parseXmlPart(const ZipArchive& zip, const QString& part, XmlHandler& handler) {
    auto device = zip.open(part);
    std::unique_ptr<XML_ParserStruct, ParserFree> parser(XML_ParserCreate(nullptr));
    if (!parser) {
        throw Failure(oversizedFileText(zip.path()));
    }
    ParseState state{parser.get(), handler, zip.path(), 0, {}};
    handler.device = device.get();
    XML_SetUserData(parser.get(), &state);
    XML_SetElementHandler(parser.get(), onStart, onEnd);
    XML_SetCharacterDataHandler(parser.get(), onText);
    XML_SetStartDoctypeDeclHandler(parser.get(), onDoctype);
    bool wellFormed = true;
    TagLength tagLength;
    while (true) {
        void* buffer = XML_GetBuffer(parser.get(), kChunkBytes);
        if (!buffer) {
            throw Failure(oversizedFileText(zip.path()));
        }
        const qint64 n = device->pull(static_cast<char*>(buffer), kChunkBytes);
        const bool last = n <= 0;
        if (!last && !tagLength.take(static_cast<const char*>(buffer), n)) {
            wellFormed = false;
            break;
        }
        if (XML_ParseBuffer(parser.get(), int(std::max<qint64>(n, 0)), last) != XML_STATUS_OK) {
            wellFormed = false;
            break;
        }
        if (last) {
            break;
        }
    }
    handler.device = nullptr;
    if (state.failure) {
        std::rethrow_exception(state.failure);
    }
    if (device->overflowed()) {
        throw Failure(oversizedFileText(zip.path()));
    }
    if (device->failed() || !wellFormed) {
        throw Failure(damagedFileText(zip.path()));
    }
}

} // namespace florist::detail
