#pragma once

#include "core/search/searchdescriptor.h"

#include <QDate>

namespace florist {
class DataModule;
}

namespace florist::members {

// The member lists over UMember, as descriptors of the shared search window.
search::SearchDescriptor memberManagementSpec(); // frmMember_M "会员管理"
search::SearchDescriptor memberQuerySpec();      // frmMember_Q "会员查询"
search::SearchDescriptor birthdayReminderSpec(); // frmMember_SR "会员生日提醒"
search::SearchDescriptor
nonConsumptionSpec(const QDate& business);     // frmMember_WXF "会员未消费提醒"
search::SearchDescriptor pointsClearingSpec(); // frmMember_JFQL "会员积分清零"

// The month-days 'mm-dd' of the birthday reminder: the first date and the n days after it, n the
// days between the two dates without sign, so the range always runs forward from the first date
// (03-10 and 03-05 give 03-10 … 03-15) and crosses New Year by month and day.
QStringList birthdayMonthDays(const QDate& first, const QDate& second);
// "AND (theBir IN (?,?,…) ) " with those month-days bound, each once.
search::Term birthdayFilter(const QDate& first, const QDate& second);

// The business date less the days in the box; members last buying on or before it are listed.
QDate nonConsumptionCutOff(const QDate& business, int days);
// " AND (XFDate <= ?) " with the cut-off date 'yyyy-mm-dd'.
search::Term nonConsumptionFilter(const QDate& cutOff);

// "删除 &D" of member management: the member disappears from every list and lookup.
void deleteMember(DataModule& dm, qlonglong id);
// "积分清零 &Q": the member's points become 0.
void clearPoints(DataModule& dm, qlonglong id);
// The message shown before the clearing question.
QString clearingMessage(const QString& card, const QString& name, const QString& points);

} // namespace florist::members
