#pragma once

#include "core/spreadsheet/zipentry.h"

#include <QString>

namespace florist::detail {

// What reads one XML part of an xlsx: told of each element's start and end by its local name
// (any prefix dropped) and of the character data between them, all as UTF-8. A handler may
// raise Failure; the parse stops there and the Failure reaches the caller.
class XmlHandler {
public:
    virtual ~XmlHandler() = default;
    // attributes: name, value, name, value, …, nullptr.
    virtual void start(const char* name, const char** attributes) = 0;
    virtual void end(const char* name) { Q_UNUSED(name); }
    virtual void text(const char* data, int size) {
        Q_UNUSED(data);
        Q_UNUSED(size);
    }
    // The part being read, for progress.
    const ZipEntryDevice* device = nullptr;
};

// The local name of an element or attribute name ("x:row" is "row").
inline const char* localName(const char* name) {
    const char* local = name;
    for (const char* p = name; *p; ++p) {
        if (*p == ':') {
            local = p + 1;
        }
    }
    return local;
}

// Reads a part of the archive with a streaming parser that holds only the element it is in:
// time and memory grow with the part, never faster. A part that is no well-formed XML, carries
// a document type declaration or nests elements deeper than a sheet ever does is damaged; one
// that inflates beyond the limits is too large.
void parseXmlPart(const ZipArchive& zip, const QString& part, XmlHandler& handler);

} // namespace florist::detail
