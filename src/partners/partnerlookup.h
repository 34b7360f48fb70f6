#pragma once

#include "core/db/resultset.h"

#include <QString>
#include <QVariantMap>

namespace florist {
class DataModule;
class Dialect;
} // namespace florist

namespace florist::partners {

// The type a document's partner search leaves out: purchase "JH" and payment "FK" every
// customer ("客户"), sale "XS" and collection "SK" every supplier ("供应商"). A partner of any
// other type is offered to all four.
QString excludedType(const QString& mode);

// The partner search of the document windows: live partners of the logged-in store, not of the
// excluded type, whose name or initials contain the text (bound, found as typed; "" finds all),
// newest first, under the headings of partnerFieldHeadings() and "ID".
QString partnerSearchSelect(const Dialect& dialect);
ResultSet searchPartners(DataModule& dm, const QString& mode, const QString& text);

// A partner handed to a document window: its own ID and the nine fields by heading ("单位分类",
// "单位名称", "联系人", "电话号码", "手机号码", "联系地址", "应收金额", "应付金额", "备注"), the
// balances in their shortest form.
struct PickedPartner {
    qlonglong id = 0;
    QVariantMap fields;
};

PickedPartner pickPartner(const ResultSet& rows, int row);

} // namespace florist::partners
