#include "stock/stocklistwindow.h"

#include "stock/stocklists.h"
#include "ui/search/searchwindow.h"

namespace florist::stock {

void registerStockListWindows() {
    ui::registerSearchWindow("frmUHCKC", [](ui::Context&) {
        return ui::SearchWindowSpec{stockQuerySpec(), {}};
    });
    for (DocumentKind kind : allDocumentKinds()) {
        for (DocumentList list :
             {DocumentList::Management, DocumentList::Query, DocumentList::Lines}) {
            ui::registerSearchWindow(
                documentListName(kind, list).window, [kind, list](ui::Context&) {
                    return ui::SearchWindowSpec{documentListSpec(kind, list), {}};
                });
        }
    }
}

} // namespace florist::stock
