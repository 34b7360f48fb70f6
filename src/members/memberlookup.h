#pragma once

#include "core/db/resultset.h"
#include "core/search/searchdescriptor.h"

#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace florist {
class DataModule;
class Dialect;
} // namespace florist

namespace florist::members {

// The windows that look a member up, by the code they give the find-member dialog.
inline const QString kCallerOrder = QStringLiteral("dd");    // order entry
inline const QString kCallerTopUp = QStringLiteral("cz");    // top-up
inline const QString kCallerExchange = QStringLiteral("dh"); // points exchange

// Order entry also searches the name; top-up and exchange search only the card number, the
// phone, the pinyin initials and the mobile.
bool lookupSearchesName(const QString& callerCode);

// The member lookup select over live members of every store, with a bound "contains" pattern
// per term, so a typed quote is looked for as it stands. With escaped, each term carries
// ESCAPE '!' so that a typed "%" or "_" is too (the plain shape is kept for the usual text).
QString memberLookupSelect(const Dialect& dialect, bool withName, bool escaped = false);
QVariantList memberLookupParams(const QString& text, bool withName);
// The lookup's filter after "WHERE (theDel = '否') ": "AND ((theNum LIKE ?) OR …) " with its
// values. A text of three characters or more is first narrowed through the backend's substring
// index where it has one (trigram GIN indexes serve the LIKE terms themselves on PostgreSQL;
// SQLite reads its FTS5 trigram table), so it finds the rows the plain statement finds.
search::Term memberLookupFilter(const Dialect& dialect, bool withName, const QString& text);
// The columns of the lookup select (its headings, fields and the hidden ID), for a list that
// reads the rows a page at a time.
QList<search::Column> memberLookupColumns();
// Runs the lookup for a caller with the text of its card number field; "" lists every member.
ResultSet lookupMembers(DataModule& dm, const QString& callerCode, const QString& text);
// The same, at most limit rows (0: all).
ResultSet lookupMembers(DataModule& dm, const QString& callerCode, const QString& text, int limit);

// Whether a text holds a LIKE wildcard ("%", "_", or "[" on SQL Server) and needs the ESCAPE
// clause.
bool needsLikeEscape(const QString& text);
// The LIKE pattern that finds text inside a value: with its wildcards and "!" escaped by "!"
// when it needs the escape, else the text between "%" as it stands.
QString containsPattern(const QString& text);

// A member handed to the window that looked it up: its identity and the fields that window
// shows, by their headings.
struct PickedMember {
    QString callerCode;
    qlonglong id = 0;
    QVariantMap fields;
};

// The headings each caller receives: order entry fifteen, top-up and exchange twelve.
QStringList handedOverHeadings(const QString& callerCode);
// The member of one row of a lookup result, as the caller named by the code receives it.
PickedMember pickMember(const QString& callerCode, const ResultSet& rows, int row);
// The same from a row given by its headings (a paged list).
PickedMember pickMember(const QString& callerCode, const QVariantMap& row);

// "会员 不存在，请重新录入！"
QString memberNotFoundText();

} // namespace florist::members
