#pragma once

#include "core/search/searchdescriptor.h"

#include <QDate>

namespace florist::orders {

// frmOrder_LN "来年同日提醒": the live orders marked at entry for a call a year later (theLN
// '是') whose order date comes round again, in a later year, within the chosen number of days
// from the business date; the coming day first.
search::SearchDescriptor anniversarySpec(const QDate& business);

// The days the list looks at: the business date and the given number of days after it.
constexpr int kAnniversaryDaysPreset = 7;
constexpr int kAnniversaryDaysMax = 180;

// The filter: marked orders whose month-day is one of the coming days and whose order date
// lies in an earlier year than that day. An order of 02-29 comes round on 02-28 in the years
// without that day.
search::Term anniversaryFilter(const QDate& business, int days);

} // namespace florist::orders
