#include "core/save/saverunner.h"

#include "core/save/docnumber.h"

#include <QRandomGenerator>
#include <QThread>

namespace florist {

QString Save::number(const QString& table, const QString& prefix, const QString& infix) {
    auto it = numbers_.find(table);
    if (it == numbers_.end()) {
        it = numbers_.insert(table,
                             allocateDocumentNumber(db_, table, prefix, infix, businessDate_));
    }
    return *it;
}

namespace detail {

void afterConflict(const DbConflict& conflict, int attempt) {
    if (conflict.kind() == DbConflict::Kind::DuplicateKey) {
        // Only the document numbers are worth another attempt; every server names the column
        // or its index (ux_<table>_theNum) in the message.
        if (!conflict.text().contains("thenum", Qt::CaseInsensitive)) {
            throw;
        }
        if (attempt >= kSaveAttempts) {
            throw Failure("单号 重复，请重新保存！");
        }
    } else if (attempt >= kSaveAttempts) {
        throw;
    }
    // The losers of a race should not meet again at once.
    QThread::msleep(QRandomGenerator::global()->bounded(2, 20) * attempt);
}

void afterConnectionLost(const DbConnectionLost& lost, bool& rerunDone) {
    if (lost.atCommit() || rerunDone) {
        throw;
    }
    rerunDone = true;
}

} // namespace detail

} // namespace florist
