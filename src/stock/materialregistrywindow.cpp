#include "stock/materialregistrywindow.h"

#include "core/db/datamodule.h"
#include "stock/materialentrywindow.h"
#include "stock/materialimport.h"
#include "stock/materiallists.h"
#include "ui/prompt.h"
#include "ui/search/searchwindow.h"

namespace florist::stock {

using ui::Context;
using ui::RowAction;
using ui::SearchWindow;
using ui::SearchWindowSpec;

namespace {

// "修改 &M": the entry window in edit mode, filled from the row; its save refreshes the list
// with the kept filter.
void editRow(SearchWindow& window, int row) {
    MaterialEntryWindow entry(window.context(), &window);
    QObject::connect(&entry, &MaterialEntryWindow::materialUpdated, &window,
                     [&window] { ui::guarded(&window, [&] { window.refresh(); }); });
    entry.editMaterial(window.value(row, "ID").toLongLong(), window.model()->rowValues(row));
    window.runModal(&entry);
}

} // namespace

ui::ImportSpec materialImportSpec() {
    ui::ImportSpec spec;
    spec.objectName = "frmUHC_D";
    spec.caption = "花材导入";
    spec.hint = materialImportHint();
    spec.headings = materialImportHeadings();
    spec.columnWidths = QList<int>(materialImportHeadings().size(), 80);
    spec.rule = importMaterialRow;
    spec.doneMessage = materialImportDoneText;
    return spec;
}

void registerMaterialWindows() {
    ui::WindowRegistry::add("frmUHC_In", [](Context& context, QWidget* parent) {
        return new MaterialEntryWindow(context, parent);
    });
    ui::WindowRegistry::add("frmUHC_D", [](Context& context, QWidget* parent) {
        return new ui::ImportWindow(materialImportSpec(), context.dm, parent);
    });
    ui::registerSearchWindow("frmUHC_M", [](Context&) {
        return SearchWindowSpec{
            materialManagementSpec(),
            {RowAction{"修改 &M", editRow}, ui::deleteRowAction(deleteMaterial)}};
    });
    ui::registerSearchWindow("frmUHC_Q", [](Context&) {
        return SearchWindowSpec{materialQuerySpec(), {}};
    });
}

} // namespace florist::stock
