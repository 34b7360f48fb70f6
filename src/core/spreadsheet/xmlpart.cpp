#include "core/spreadsheet/xmlpart.h"

#include "core/spreadsheet/sheetreader.h"

#include <exception>
#include <expat.h>

namespace florist::detail {

namespace {

// SpreadsheetML nests a handful of levels (worksheet, sheetData, row, c, is, r, t); a part
// nested deeper is built to exhaust memory and is refused as damaged.
constexpr int kMaxXmlDepth = 48;
constexpr int kChunkBytes = 1 << 18;
// The parser takes a token (a tag with all its attributes, a comment) whole, and a token that
// spans several chunks is scanned again with each of them: one of many megabytes (a cell with a
// million attributes) would cost time with the square of its size. Every element of a sheet
// ends within a few kilobytes and text comes in pieces as it arrives, so a part that runs this
// far past the start of the last thing the parser told is damaged.
constexpr qint64 kMaxBytesPastLastEvent = 1024 * 1024;

struct ParseState {
    XML_Parser parser;
    XmlHandler& handler;
    const QString& path;
    int depth = 0;
    qint64 lastEvent = 0; // where the latest event started, in bytes of the part
    std::exception_ptr failure;

    void told() { lastEvent = qint64(XML_GetCurrentByteIndex(parser)); }

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
    s->told();
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
    s->told();
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
    s->told();
    try {
        s->handler.text(text, size);
    } catch (...) {
        s->fail(std::current_exception());
    }
}

// Comments and processing instructions count as progress, nothing more.
void XMLCALL onComment(void* data, const XML_Char*) {
    static_cast<ParseState*>(data)->told();
}

void XMLCALL onInstruction(void* data, const XML_Char*, const XML_Char*) {
    static_cast<ParseState*>(data)->told();
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
    ParseState state{parser.get(), handler, zip.path(), 0, 0, {}};
    handler.device = device.get();
    XML_SetUserData(parser.get(), &state);
    XML_SetElementHandler(parser.get(), onStart, onEnd);
    XML_SetCharacterDataHandler(parser.get(), onText);
    XML_SetStartDoctypeDeclHandler(parser.get(), onDoctype);
    XML_SetCommentHandler(parser.get(), onComment);
    XML_SetProcessingInstructionHandler(parser.get(), onInstruction);
    bool wellFormed = true;
    qint64 fed = 0;
    while (true) {
        void* buffer = XML_GetBuffer(parser.get(), kChunkBytes);
        if (!buffer) {
            throw Failure(oversizedFileText(zip.path()));
        }
        const qint64 n = device->pull(static_cast<char*>(buffer), kChunkBytes);
        const bool last = n <= 0;
        fed += std::max<qint64>(n, 0);
        if (XML_ParseBuffer(parser.get(), int(std::max<qint64>(n, 0)), last) != XML_STATUS_OK ||
            fed - state.lastEvent > kMaxBytesPastLastEvent) {
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
