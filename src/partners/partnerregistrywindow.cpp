#include "partners/partnerregistrywindow.h"

#include "core/db/datamodule.h"
#include "partners/partnerentrywindow.h"
#include "partners/partnerimport.h"
#include "partners/partnerlists.h"
#include "ui/prompt.h"
#include "ui/search/searchwindow.h"

namespace florist::partners {

using ui::Context;
using ui::RowAction;
using ui::SearchWindow;
using ui::SearchWindowSpec;

namespace {

// "修改 &M": the entry window in edit mode, filled from the row; its save refreshes the list
// with the kept filter.
void editRow(SearchWindow& window, int row) {
    PartnerEntryWindow entry(window.context(), &window);
    QObject::connect(&entry, &PartnerEntryWindow::partnerUpdated, &window,
                     [&window] { ui::guarded(&window, [&] { window.refresh(); }); });
    entry.editPartner(window.value(row, "ID").toLongLong(), window.model()->rowValues(row));
    window.runModal(&entry);
}

} // namespace

ui::ImportSpec partnerImportSpec() {
    ui::ImportSpec spec;
    spec.objectName = "frmUWL_D";
    spec.caption = "往来单位导入";
    spec.hint = partnerImportHint();
    spec.headings = partnerImportHeadings();
    spec.columnWidths = {80, 120, 80, 100, 100, 100, 80, 80, 100};
    spec.rule = importPartnerRow;
    spec.doneMessage = partnerImportDoneText;
    return spec;
}

void registerPartnerWindows() {
    ui::WindowRegistry::add("frmUWL_In", [](Context& context, QWidget* parent) {
        return new PartnerEntryWindow(context, parent);
    });
    ui::WindowRegistry::add("frmUWL_D", [](Context& context, QWidget* parent) {
        return new ui::ImportWindow(partnerImportSpec(), context.dm, parent);
    });
    ui::registerSearchWindow("frmUWL_M", [](Context&) {
        return SearchWindowSpec{
            partnerManagementSpec(),
            {RowAction{"修改 &M", editRow}, ui::deleteRowAction(deletePartner)}};
    });
    ui::registerSearchWindow("frmUWL_Q", [](Context&) {
        return SearchWindowSpec{partnerQuerySpec(), {}};
    });
}

} // namespace florist::partners
