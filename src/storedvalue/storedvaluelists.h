#pragma once

#include "core/search/searchdescriptor.h"

namespace florist::storedvalue {

// The top-up and exchange lists as descriptors of the shared search window; store is the
// current store, whose staff fill the receiver and receptionist lists until another store is
// chosen.
search::SearchDescriptor topUpManagementSpec(const QString& store);    // frmStore_M "储值管理"
search::SearchDescriptor topUpQuerySpec(const QString& store);         // frmStore_Q "储值查询"
search::SearchDescriptor exchangeManagementSpec(const QString& store); // frmExchange_M "兑换管理"
search::SearchDescriptor exchangeQuerySpec(const QString& store); // frmExchange_Q "兑换查询"

} // namespace florist::storedvalue
