#pragma once

#include "core/db/connectionsettings.h"

#include <QString>
#include <QVariantList>
#include <memory>

namespace florist::bench {

// The bare engine running a statement as the program sends it: prepared, bound, every value of
// every row read as text. What the list windows take is measured against it.
class RawEngine {
public:
    virtual ~RawEngine() = default;
    // Runs sql ("?" placeholders) and returns the rows read; throws std::runtime_error.
    virtual long long run(const QString& sql, const QVariantList& params) = 0;
};

std::unique_ptr<RawEngine> rawEngine(const ConnectionSettings& settings);

} // namespace florist::bench
