#pragma once

#include "core/search/searchdescriptor.h"

namespace florist::orders {

// The order lists over UOrder and UO_SK, as descriptors of the shared search window. The staff
// drop-downs start with the staff of the store logged into.

// frmOrder_M "订单管理": 26 conditions, 44 columns, the totals of the money columns, "订单表".
search::SearchDescriptor orderManagementSpec(const QString& currentStore);
// frmOrder_Q "订单查询": the same search; it offers the management window's export.
search::SearchDescriptor orderQuerySpec(const QString& currentStore);

// The four reminder lists: the management search with a fixed condition right after
// "WHERE (theDel = '否') ".
search::SearchDescriptor notDeliveredSpec(const QString& currentStore); // frmOrder_WS 未送
search::SearchDescriptor notPickedUpSpec(const QString& currentStore);  // frmOrder_WQ 未取
search::SearchDescriptor receivablesSpec(const QString& currentStore);  // frmOrder_YS M8 > 0
search::SearchDescriptor vaseReturnSpec(const QString& currentStore);   // frmOrder_HQ 花器

// frmOrder_SKQ "订单收款查询": one row per live UO_SK row, "订单收款表".
search::SearchDescriptor collectionsSpec(const QString& currentStore);

// The condition indexes of the management search (its term order).
enum OrderCondition {
    kNumber,
    kOrderDate,
    kCard,
    kRecipient,
    kRecipientPhone,
    kArea,
    kAddress,
    kSender,
    kSenderPhone,
    kProduct,
    kAlliance,
    kReceptionist,
    kFlorist,
    kOrderType,
    kOrderState,
    kRemark,
    kAllRadio,
    kMemberRadio,
    kWalkInRadio,
    kPartnerRadio,
    kStore,
    kCollector,
    kDeliverer,
    kPurpose,
    kRecipientKind,
    kPaymentMethod,
    kEnteredBy
};

} // namespace florist::orders
