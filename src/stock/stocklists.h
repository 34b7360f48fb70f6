#pragma once

#include "core/search/searchdescriptor.h"
#include "stock/stockdocument.h"

namespace florist::stock {

// frmUHCKC "花材库存查询": the lots that still hold a quantity, with the number of lots and
// the total quantity (empty, not 0, when no lot matches).
search::SearchDescriptor stockQuerySpec();

// The read-only lists of saved stock documents: the headers (management and query list the
// same rows) and the lines with their material.
enum class DocumentList { Management, Query, Lines };

struct DocumentListName {
    QString window;  // frmUJH_M
    QString caption; // 花材采购管理
};
DocumentListName documentListName(DocumentKind kind, DocumentList list);
search::SearchDescriptor documentListSpec(DocumentKind kind, DocumentList list);

} // namespace florist::stock
