#pragma once

#include "core/db/datamodule.h"
#include "reports/pagebuilder.h"

#include <QObject>
#include <functional>

namespace florist {

// Document is any other printout the preview shows (the delivery sheet, a card, the takings).
enum class ReceiptKind { Order, TopUp, Exchange, Document };

// A receipt ready for the preview: the page and the preview window's title.
struct Receipt {
    ReceiptKind kind = ReceiptKind::Order;
    QString number;
    reports::Page page;
    // The pages after the first of a printout that runs longer.
    QList<reports::Page> following;
    QString title;
    // false when no document has the number: the page then shows the frame with empty fields.
    bool found = false;
    // A printout laid out for the paper chosen in page set-up (the enclosure card) builds itself
    // anew for it; empty: its paper is fixed.
    std::function<Receipt(const QSizeF& paperMm)> refit;

    QList<reports::Page> pages() const { return QList<reports::Page>{page} + following; }
};

// The print module frmDMP: one query per row source and one layout per receipt. A print
// operation loads the rows its receipt reads, builds the page anew and hands it to the
// presenter, which the user interface sets to its preview window (tests set their own).
// Provider errors raise DbError before anything is presented.
class PrintModule : public QObject {
    Q_OBJECT
public:
    using Presenter = std::function<void(const Receipt&)>;

    explicit PrintModule(DataModule& data, QObject* parent = nullptr);

    void setPresenter(Presenter presenter) { presenter_ = std::move(presenter); }
    bool hasPresenter() const { return bool(presenter_); }

    // Fills frxDB_Dept with the shop row.
    void PrintDept();
    // Fills frxDB_DJ with receipt title row titleRow (1 order, 2 top-up, 3 exchange).
    void PrintDJ(int titleRow);

    // Build and present the order, top-up and exchange receipt of a document number.
    void PrintDD_Pos(const QString& number) { print(ReceiptKind::Order, number); }
    void PrintCZ_Pos(const QString& number) { print(ReceiptKind::TopUp, number); }
    void PrintDH_Pos(const QString& number) { print(ReceiptKind::Exchange, number); }
    void print(ReceiptKind kind, const QString& number);
    // Hands a printout built elsewhere to the presenter.
    void show(const Receipt& receipt);

    // Loads the rows and builds the receipt without presenting it.
    Receipt build(ReceiptKind kind, const QString& number);

    // The row sources as the last operation left them.
    const ResultSet& frxDB_DD() const { return dd_; }
    const ResultSet& frxDB_CZ() const { return cz_; }
    const ResultSet& frxDB_DH() const { return dh_; }
    const ResultSet& frxDB_Dept() const { return dept_; }
    const ResultSet& frxDB_DJ() const { return dj_; }

    DataModule& data() { return data_; }

private:
    DataModule& data_;
    Presenter presenter_;
    ResultSet dd_;
    ResultSet cz_;
    ResultSet dh_;
    ResultSet dept_;
    ResultSet dj_;
};

} // namespace florist
