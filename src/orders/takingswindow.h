#pragma once

#include "orders/takings.h"
#include "ui/windowregistry.h"

#include <QWidget>

class QComboBox;
class QDateEdit;
class QLabel;
class QPushButton;
class QTableWidget;

class QChartView;

namespace florist::orders {

// "营业日报" (frmTakings): for a range of business dates and a store (or all), the money taken
// and paid out per date and payment method, the orders of each day, the totals, the stored
// value owed to members, and a bar chart of each day's money in and out; printed on A4 and
// exported.
class TakingsWindow : public QWidget {
    Q_OBJECT
public:
    TakingsWindow(ui::Context& context, QWidget* parent = nullptr);

    // "查询": reads the figures of the chosen range and store.
    void search();
    void print();
    void exportList();

    TakingsQuery query() const;
    const Takings& takings() const { return takings_; }
    QDateEdit* fromField() const { return from_; }
    QDateEdit* toField() const { return to_; }
    QComboBox* storeField() const { return store_; }
    QTableWidget* linesGrid() const { return lines_; }
    QTableWidget* daysGrid() const { return days_; }
    QLabel* summary() const { return summary_; }
    QChartView* chart() const { return chart_; }

private:
    void fill();
    void fillChart();

    ui::Context& context_;
    QDateEdit* from_ = nullptr;
    QDateEdit* to_ = nullptr;
    QComboBox* store_ = nullptr;
    QTableWidget* lines_ = nullptr;
    QTableWidget* days_ = nullptr;
    QLabel* summary_ = nullptr;
    QChartView* chart_ = nullptr;
    QPushButton* print_ = nullptr;
    QPushButton* excel_ = nullptr;
    Takings takings_;
    TakingsQuery shown_;
};

} // namespace florist::orders
