#include "orders/takingswindow.h"

#include "core/db/datamodule.h"
#include "core/text/amount.h"
#include "orders/takingsreport.h"
#include "reports/printmodule.h"
#include "ui/fields.h"
#include "ui/prompt.h"
#include "ui/spreadsheetexport.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QSplitter>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QValueAxis>

namespace florist::orders {

namespace {

constexpr const char* kAllStores = "全部门店";

QTableWidget* grid(const QStringList& headings, QWidget* parent) {
    auto* g = new QTableWidget(0, int(headings.size()), parent);
    g->setHorizontalHeaderLabels(headings);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionBehavior(QAbstractItemView::SelectRows);
    g->verticalHeader()->setVisible(false);
    g->verticalHeader()->setDefaultSectionSize(22);
    g->horizontalHeader()->setMinimumSectionSize(64);
    return g;
}

// Fills a grid with lines of cells; amounts (every column from firstAmount) align right.
void fillGrid(QTableWidget* g, const QList<QStringList>& rows, int firstAmount) {
    g->setRowCount(int(rows.size()));
    for (int r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < rows.at(r).size(); ++c) {
            auto* item = new QTableWidgetItem(rows.at(r).at(c));
            if (c >= firstAmount) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            g->setItem(r, c, item);
        }
    }
    g->resizeColumnsToContents();
}

QDate businessDate(DataModule& dm) {
    const QDate d = QDate::fromString(dm.login().businessDate, "yyyy-MM-dd");
    return d.isValid() ? d : QDate::currentDate();
}

} // namespace

TakingsWindow::TakingsWindow(ui::Context& context, QWidget* parent)
    : QWidget(parent), context_(context) {
    setObjectName("frmTakings");
    setWindowTitle("营业日报");

    auto* group = new QGroupBox("查询条件", this);
    auto* row = new QHBoxLayout(group);
    const QDate today = businessDate(context_.dm);
    from_ = ui::dateField("营业日期", today.addDays(-6), group);
    to_ = ui::dateField("至", today, group);
    store_ = new QComboBox(group);
    store_->setAccessibleName("门店名称");
    store_->addItem(kAllStores);
    store_->addItems(context_.dm.loaders().DBComWare()->stringList());
    row->addWidget(ui::captionLabel("营业日期：", from_, group));
    row->addWidget(from_);
    row->addWidget(ui::captionLabel("至：", to_, group));
    row->addWidget(to_);
    row->addSpacing(16);
    row->addWidget(ui::captionLabel("门店名称：", store_, group));
    row->addWidget(store_);
    row->addStretch(1);
    const QList<QPushButton*> buttons =
        ui::addButtons(row, {"查询", "打印 &P", "Excel", "退出"}, group);
    print_ = buttons.at(1);
    excel_ = buttons.at(2);
    print_->setEnabled(false);
    excel_->setEnabled(false);
    buttons.at(0)->setDefault(true);
    connect(buttons.at(0), &QPushButton::clicked, this,
            [this] { ui::guarded(this, [this] { search(); }); });
    connect(print_, &QPushButton::clicked, this, [this] { print(); });
    connect(excel_, &QPushButton::clicked, this, [this] { exportList(); });
    connect(buttons.at(3), &QPushButton::clicked, this, [this] {
        if (parentWidget() && parentWidget()->inherits("QMdiSubWindow")) {
            parentWidget()->close();
        } else {
            close();
        }
    });

    lines_ = grid(takingsHeadings(), this);
    lines_->setObjectName("gridTakings");
    days_ = grid(takingsDayHeadings(), this);
    days_->setObjectName("gridDays");

    auto* chart = new QChart;
    chart->setTitle("每日收支");
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart_ = new QChartView(chart, this);
    chart_->setObjectName("chartTakings");
    chart_->setRenderHint(QPainter::Antialiasing);
    chart_->setMinimumSize(520, 240);

    summary_ = new QLabel(this);
    summary_->setObjectName("lblSummary");

    auto* below = new QSplitter(Qt::Horizontal, this);
    below->addWidget(days_);
    below->addWidget(chart_);
    below->setStretchFactor(0, 0);
    below->setStretchFactor(1, 1);
    below->setSizes({560, 780});
    auto* middle = new QSplitter(Qt::Vertical, this);
    middle->addWidget(lines_);
    middle->addWidget(below);
    middle->setStretchFactor(0, 1);
    middle->setStretchFactor(1, 1);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addWidget(middle, 1);
    layout->addWidget(summary_);
}

TakingsQuery TakingsWindow::query() const {
    TakingsQuery q;
    q.from = from_->date().toString("yyyy-MM-dd");
    q.to = to_->date().toString("yyyy-MM-dd");
    q.store = store_->currentIndex() > 0 ? store_->currentText() : QString();
    return q;
}

void TakingsWindow::search() {
    const TakingsQuery q = query();
    if (q.from > q.to) {
        ui::Prompt::message(this, "营业日期 起始日期不能晚于截止日期，请重新选择！",
                            ui::PromptIcon::Warning);
        from_->setFocus();
        return;
    }
    takings_ = readTakings(context_.dm.db(), q);
    shown_ = q;
    fill();
    print_->setEnabled(true);
    excel_->setEnabled(true);
}

void TakingsWindow::fill() {
    QList<QStringList> lines;
    for (const TakingsLine& l : takings_.lines) {
        lines << takingsCells(l);
    }
    QStringList total = takingsCells(takings_.total);
    total[0] = "合计";
    total[1].clear();
    lines << total;
    fillGrid(lines_, lines, 2);

    QList<QStringList> days;
    for (const TakingsDay& d : takings_.days) {
        days << takingsDayCells(d);
    }
    TakingsDay all;
    all.date = "合计";
    all.orderCount = takings_.orderCount;
    all.orderTotal = takings_.orderTotal;
    all.orderOwed = takings_.orderOwed;
    all.money = takings_.total;
    days << takingsDayCells(all);
    fillGrid(days_, days, 1);

    summary_->setText(
        QString("订单数量：%1    订单总计：%2    订单应收：%3    收入合计：%4    "
                "支出合计：%5    净收入：%6    会员储值余额：%7")
            .arg(takings_.orderCount)
            .arg(formatAmount(takings_.orderTotal), formatAmount(takings_.orderOwed),
                 formatAmount(takings_.total.moneyIn()), formatAmount(takings_.total.moneyOut()),
                 formatAmount(takings_.total.net()), formatAmount(takings_.storedValueOwed)));
    fillChart();
}

void TakingsWindow::fillChart() {
    QChart* chart = chart_->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    auto* in = new QBarSet("收入");
    auto* out = new QBarSet("支出");
    QStringList dates;
    double top = 0;
    for (const TakingsDay& d : takings_.days) {
        *in << d.money.moneyIn();
        *out << d.money.moneyOut();
        dates << d.date.mid(5);
        top = qMax(top, qMax(d.money.moneyIn(), d.money.moneyOut()));
    }
    auto* series = new QBarSeries;
    series->append(in);
    series->append(out);
    chart->addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(dates);
    chart->addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QValueAxis;
    y->setRange(0, top > 0 ? top * 1.1 : 1);
    y->applyNiceNumbers();
    // Amounts in their shortest form; whole numbers would repeat on a small scale (0 0 1 1).
    y->setLabelFormat("%g");
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
}

void TakingsWindow::print() {
    if (!context_.print) {
        return;
    }
    ui::guarded(this, [this] {
        context_.print->show(takingsPrintout(takings_, shown_, context_.dm.login().shopName));
    });
}

void TakingsWindow::exportList() {
    ui::exportToSpreadsheet(this, context_.dm.login().shopName, takingsExportSpec(),
                            takingsExportTable(takings_));
}

} // namespace florist::orders
