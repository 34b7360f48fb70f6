#pragma once

#include "core/search/pagedmodel.h"
#include "core/search/searchdescriptor.h"
#include "core/search/searchresult.h"
#include "ui/windowregistry.h"

#include <QHash>
#include <QWidget>
#include <functional>

class QAction;
class QCheckBox;
class QDialog;
class QLabel;
class QPushButton;
class QTableView;
class QTimer;

namespace florist::ui {

class ConditionPanel;
class SearchWindow;

// A grid context action: its caption ("修改 &M") and what it does with a row of the list.
struct RowAction {
    QString caption;
    std::function<void(SearchWindow& window, int row)> run;
    bool separatorBefore = false;
};

// A button of the window beside "查询" that works on the whole list (the kept filter); enabled
// after the first search.
struct ListButton {
    QString caption;
    std::function<void(SearchWindow& window)> run;
};

// A search window: the shared search descriptor and the window's own actions.
struct SearchWindowSpec {
    search::SearchDescriptor search;
    QList<RowAction> actions = {};
    QList<ListButton> buttons = {};
};

// The shared management, query and reminder window: group "查询条件" above, the grid in the
// middle (empty until the first "查询", read from the server in pages, newest first), the count
// and totals lines below; after the first search the context actions and "Excel".
class SearchWindow : public QWidget {
    Q_OBJECT
public:
    SearchWindow(Context& context, SearchWindowSpec spec, QWidget* parent = nullptr);
    ~SearchWindow() override;

    // "查询": rebuilds the filter from the ticked conditions, then refresh().
    void search();
    // myRef: the list and the totals again with the kept filter.
    void refresh();
    // "Excel": the rows of the kept filter in the export layout.
    void exportList();

    Context& context() { return context_; }
    const search::SearchDescriptor& spec() const { return spec_.search; }
    const search::Term& filter() const { return filter_; }
    bool searched() const { return searched_; }
    search::PagedTableModel* model() const { return model_; }
    QTableView* grid() const { return grid_; }
    ConditionPanel* panel() const { return panel_; }
    QPushButton* excelButton() const { return excel_; }
    const QList<QLabel*>& totalsLabels() const { return totalsLabels_; }
    const search::Totals& totals() const { return totals_; }
    // The grid's current row, the first one when none is chosen; -1 when the list is empty.
    int currentRow() const;
    QVariant value(int row, const QString& heading) const;

    // How modal dialogs opened by an action are run; tests replace it.
    using ModalRunner = std::function<void(QDialog*)>;
    void setModalRunner(ModalRunner runner) { modalRunner_ = std::move(runner); }
    void runModal(QDialog* dialog) { modalRunner_(dialog); }

private:
    void buildGrid();
    void applyHiddenColumns();
    void attachActions();
    void showTotals();
    void saveWidths();

    Context& context_;
    SearchWindowSpec spec_;
    ConditionPanel* panel_ = nullptr;
    search::PagedTableModel* model_ = nullptr;
    QTableView* grid_ = nullptr;
    QPushButton* excel_ = nullptr;
    QList<QPushButton*> listButtons_;
    QList<QCheckBox*> hideBoxes_;
    QList<QLabel*> totalsLabels_;
    search::Term filter_;
    search::Term listFilter_; // the same terms as the list reads them (see FilterUse)
    search::Totals totals_;
    bool searched_ = false;
    bool applyingWidths_ = false;
    // Widths dragged since the last write; written a moment after the drag and at closing.
    QHash<QString, int> draggedWidths_;
    QTimer* widthTimer_ = nullptr;
    ModalRunner modalRunner_;
};

// "删除 &D" of a list whose rows are documents or records removed by their ID: the delete
// question first, then `remove` (the reversal and the delete in one transaction), then the list
// read again with the kept filter (also when the removal was refused, e.g. another station had
// deleted the row).
RowAction deleteRowAction(std::function<void(DataModule& dm, qlonglong id)> remove);

// Registers a window made of a descriptor under its objectName; the descriptor is made when it
// opens.
void registerSearchWindow(const QString& objectName,
                          std::function<SearchWindowSpec(Context&)> makeSpec);

} // namespace florist::ui
