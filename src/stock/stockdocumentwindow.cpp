#include "stock/stockdocumentwindow.h"

#include "core/db/datamodule.h"
#include "core/text/amount.h"
#include "partners/partnerentrywindow.h"
#include "partners/partnerfinddialog.h"
#include "partners/partners.h"
#include "stock/lotfinddialog.h"
#include "stock/materialfinddialog.h"
#include "stock/stocklistwindow.h"
#include "ui/fields.h"
#include "ui/prompt.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace florist::stock {

namespace {

QLineEdit* readOnlyField(const QString& caption, QWidget* parent) {
    QLineEdit* e = ui::textField(caption, 0, parent);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    return e;
}

// Places caption and field pairs into a grid, perRow pairs to a row.
class PairGrid {
public:
    PairGrid(QGridLayout* grid, int perRow) : grid_(grid), perRow_(perRow) {}
    void add(const QString& caption, QWidget* field, int span = 1) {
        auto* parent = grid_->parentWidget();
        grid_->addWidget(ui::captionLabel(caption, field, parent), row_, col_ * 2);
        grid_->addWidget(field, row_, col_ * 2 + 1, 1, span * 2 - 1);
        col_ += span;
        if (col_ >= perRow_) {
            col_ = 0;
            ++row_;
        }
    }

private:
    QGridLayout* grid_;
    int perRow_;
    int row_ = 0;
    int col_ = 0;
};

} // namespace

StockDocumentWindow::StockDocumentWindow(ui::Context& context, DocumentKind kind, QWidget* parent)
    : QDialog(parent), context_(context), config_(documentConfig(kind)) {
    setObjectName(config_.window);
    setWindowTitle(config_.caption);
    auto* layout = new QVBoxLayout(this);

    grid_ = new DocumentGridWidget(config_, this);
    grid_->setMinimumHeight(config_.hasPartner ? 250 : 330);
    auto* lines = new QGroupBox("花材信息", this);
    lines->setObjectName("grpLines");
    auto* linesLayout = new QVBoxLayout(lines);
    linesLayout->addWidget(grid_);

    if (config_.hasPartner) {
        layout->addWidget(buildPartnerGroup());
        layout->addWidget(buildCheckGroup());
        layout->addWidget(lines, 1);
        layout->addWidget(buildMoneyGroup());
    } else {
        layout->addWidget(buildDocumentGroup());
        layout->addWidget(lines, 1);
    }

    auto* row = new QHBoxLayout;
    row->addStretch();
    const QList<QPushButton*> buttons = ui::addButtons(row, {"保存", "退出"}, this);
    layout->addLayout(row);
    save_ = buttons.at(0);
    connect(save_, &QPushButton::clicked, this, [this] { save(); });
    connect(buttons.at(1), &QPushButton::clicked, this, &QDialog::reject);

    connect(grid_, &DocumentGridWidget::searchRequested, this, &StockDocumentWindow::searchLine);
    connect(grid_, &DocumentGridWidget::totalsChanged, this, &StockDocumentWindow::totalsChanged);
    connect(store_, &QComboBox::activated, this, [this] { storeChosen(); });
    shownStore_ = ui::chosenText(store_);
    resize(config_.hasPartner ? 860 : 840, config_.hasPartner ? 700 : 560);
    if (partner_) {
        partner_->setFocus();
    } else {
        grid_->setFocus();
    }
}

StockDocumentWindow::~StockDocumentWindow() = default;

QComboBox* StockDocumentWindow::staffBox(const QString& caption, QWidget* parent) {
    DataModule& dm = context_.dm;
    return ui::listField(caption, dm.loaders().DBComWorker(dm.login().currentStore), parent);
}

QWidget* StockDocumentWindow::buildPartnerGroup() {
    auto* group = new QGroupBox(config_.firstGroup, this);
    group->setObjectName("grpPartner");
    auto* row = new QHBoxLayout(group);
    date_ = ui::dateField(config_.dateCaption,
                          QDate::fromString(context_.dm.login().businessDate, "yyyy-MM-dd"), group);
    partner_ = ui::textField(config_.partnerCaption, 50, group);
    partner_->setMinimumWidth(260);
    partner_->installEventFilter(this);
    row->addWidget(ui::captionLabel(config_.dateCaption, date_, group));
    row->addWidget(date_);
    row->addSpacing(16);
    row->addWidget(ui::captionLabel(config_.partnerCaption, partner_, group));
    row->addWidget(partner_);
    auto* note = new QLabel("录入单位名称或拼音码按回车...", group);
    note->setObjectName("lblPartnerNote");
    row->addWidget(note);
    row->addStretch();
    return group;
}

QWidget* StockDocumentWindow::buildCheckGroup() {
    auto* group = new QGroupBox("验证信息", this);
    group->setObjectName("grpCheck");
    auto* grid = new QGridLayout(group);
    grid->setVerticalSpacing(4);
    PairGrid pairs(grid, 3);
    const QStringList captions = {"单位分类：", "单位名称：", "联  系  人：",
                                  "电话号码：", "手机号码：", "联系地址：",
                                  "应收金额：", "应付金额：", "备        注："};
    const QStringList headings = partners::partnerFieldHeadings();
    for (int i = 0; i < captions.size(); ++i) {
        QLineEdit* e = readOnlyField(captions.at(i), group);
        check_.insert(headings.at(i), e);
        pairs.add(captions.at(i), e);
    }
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    grid->setColumnStretch(5, 1);
    return group;
}

QWidget* StockDocumentWindow::buildMoneyGroup() {
    DataModule& dm = context_.dm;
    auto* group = new QGroupBox(config_.moneyGroup, this);
    group->setObjectName("grpMoney");
    auto* grid = new QGridLayout(group);
    PairGrid pairs(grid, 4);
    totalQuantity_ = readOnlyField("合计数量：", group);
    totalAmount_ = readOnlyField("合计金额：", group);
    paid_ = ui::textField(config_.paidCaption, 10, group, ui::KeyFilter::Amount);
    owing_ = readOnlyField(config_.owingCaption, group);
    method_ = ui::listField(config_.methodCaption, dm.loaders().DBComSK(), group);
    ui::chooseText(method_, dm.login().defaults.paymentMethod);
    store_ = ui::listField("门店名称：", dm.loaders().DBComWare(), group);
    ui::chooseText(store_, dm.login().currentStore);
    person_ = staffBox(config_.personCaption, group);
    preparer_ = staffBox("制  单  人：", group);
    remark_ = ui::textField("备        注：", 100, group);
    pairs.add("合计数量：", totalQuantity_);
    pairs.add("合计金额：", totalAmount_);
    pairs.add(config_.paidCaption, paid_);
    pairs.add(config_.owingCaption, owing_);
    pairs.add(config_.methodCaption, method_);
    pairs.add("门店名称：", store_);
    pairs.add(config_.personCaption, person_);
    pairs.add("制  单  人：", preparer_);
    pairs.add("备        注：", remark_, 4);
    for (int c = 1; c < 8; c += 2) {
        grid->setColumnStretch(c, 1);
    }
    connect(paid_, &QLineEdit::textChanged, this, &StockDocumentWindow::paidChanged);
    return group;
}

QWidget* StockDocumentWindow::buildDocumentGroup() {
    DataModule& dm = context_.dm;
    auto* group = new QGroupBox(config_.firstGroup, this);
    group->setObjectName("grpDocument");
    auto* grid = new QGridLayout(group);
    PairGrid pairs(grid, 4);
    date_ = ui::dateField(config_.dateCaption,
                          QDate::fromString(dm.login().businessDate, "yyyy-MM-dd"), group);
    store_ = ui::listField("门店名称：", dm.loaders().DBComWare(), group);
    ui::chooseText(store_, dm.login().currentStore);
    person_ = staffBox(config_.personCaption, group);
    preparer_ = staffBox("制  单  人：", group);
    remark_ = ui::textField("备        注：", 100, group);
    pairs.add(config_.dateCaption, date_);
    pairs.add("门店名称：", store_);
    pairs.add(config_.personCaption, person_);
    pairs.add("制  单  人：", preparer_);
    pairs.add("备        注：", remark_, 4);
    for (int c = 1; c < 8; c += 2) {
        grid->setColumnStretch(c, 1);
    }
    return group;
}

bool StockDocumentWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == partner_) {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                searchPartner();
                return true;
            }
        } else if (event->type() == QEvent::MouseButtonDblClick) {
            searchPartner();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void StockDocumentWindow::searchPartner() {
    ui::guarded(this, [&] {
        const QString text = partner_->text();
        const partners::PartnerFindOutcome found =
            partners::findPartner(this, context_.dm, config_.findMode, text);
        if (found.kind == partners::PartnerFindOutcome::Picked) {
            takePartner(found.partner.id, found.partner.fields);
        } else if (found.kind == partners::PartnerFindOutcome::NotFound) {
            // The new partner is not taken: a second Enter finds it.
            partners::enterPartnerFor(this, context_, config_.findMode, text);
        }
    });
}

void StockDocumentWindow::takePartner(qlonglong id, const QVariantMap& fields) {
    partnerId_ = id;
    for (auto it = check_.begin(); it != check_.end(); ++it) {
        it.value()->setText(displayText(fields.value(it.key())));
    }
    grid_->setFocus();
}

void StockDocumentWindow::searchLine(int line, const QString& text) {
    ui::guarded(this, [&] {
        std::optional<DocumentLine> filled;
        if (config_.takesLots) {
            filled = findLot(this, context_.dm, config_.kind, ui::chosenText(store_),
                             grid_->lotsOnOtherLines(line), text);
        } else {
            const MaterialFindOutcome found =
                findMaterial(this, context_.dm, kMaterialCallerPurchase, text);
            if (found.kind == MaterialFindOutcome::Picked) {
                filled =
                    lineFromMaterial(found.material.id, found.material.number, found.material.name,
                                     found.material.unit, found.material.purchasePrice);
            }
        }
        if (filled) {
            grid_->fillLine(line, *filled);
        }
    });
}

void StockDocumentWindow::storeChosen() {
    const QString store = ui::chosenText(store_);
    if (store == shownStore_) {
        return;
    }
    shownStore_ = store;
    const QString person = ui::chosenText(person_);
    const QString preparer = ui::chosenText(preparer_);
    context_.dm.loaders().DBComWorker(store);
    ui::chooseText(person_, person);
    ui::chooseText(preparer_, preparer);
    // Lots belong to one store: an outgoing document drops its lines.
    if (config_.takesLots) {
        grid_->reset();
    }
}

void StockDocumentWindow::totalsChanged() {
    if (!totalQuantity_) {
        return;
    }
    const DocumentTotals t = grid_->totals();
    totalQuantity_->setText(amountText(t.quantity));
    totalAmount_->setText(amountText(t.amount));
    paid_->setText(amountText(t.amount));
}

void StockDocumentWindow::paidChanged() {
    const double total = parseAmount(totalAmount_->text());
    owing_->setText(amountText(total - parseAmount(paid_->text())));
}

StockDocument StockDocumentWindow::document() const {
    StockDocument d;
    d.kind = config_.kind;
    d.date = date_->date().toString("yyyy-MM-dd");
    d.partnerId = partnerId_;
    d.store = ui::chosenText(store_);
    d.paymentMethod = method_ ? ui::chosenText(method_) : QString();
    d.person = ui::chosenText(person_);
    d.preparer = ui::chosenText(preparer_);
    d.remark = remark_->text();
    d.paid = paid_ ? paid_->text() : QString();
    d.lines = grid_->lines();
    return d;
}

bool StockDocumentWindow::save() {
    DocumentSaveResult r;
    if (!ui::guarded(this, [&] { r = saveDocument(context_.dm, document()); })) {
        return false;
    }
    if (!r.done) {
        ui::Prompt::message(this, r.message, ui::PromptIcon::Warning);
        switch (r.focus) {
        case DocumentFocus::Partner:
            partner_->setFocus();
            break;
        case DocumentFocus::Grid:
            grid_->focusCell(0, DocumentGridWidget::Number);
            break;
        case DocumentFocus::Quantity:
            grid_->focusCell(r.line, DocumentGridWidget::Quantity);
            break;
        case DocumentFocus::Price:
            grid_->focusCell(r.line, DocumentGridWidget::Price);
            break;
        case DocumentFocus::LineRemark:
            grid_->focusCell(r.line, DocumentGridWidget::Remark);
            break;
        case DocumentFocus::Paid:
            paid_->setFocus();
            paid_->selectAll();
            break;
        case DocumentFocus::Remark:
            remark_->setFocus();
            break;
        case DocumentFocus::None:
            break;
        }
        return false;
    }
    ui::Prompt::message(this, r.message);
    resetForNext();
    return true;
}

void StockDocumentWindow::resetForNext() {
    grid_->reset();
    remark_->clear();
    if (!config_.hasPartner) {
        store_->setFocus();
        return;
    }
    partnerId_ = 0;
    for (QLineEdit* e : check_) {
        e->clear();
    }
    partner_->clear();
    totalQuantity_->clear();
    totalAmount_->clear();
    paid_->clear();
    owing_->clear();
    partner_->setFocus();
}

void registerStockDocumentWindows() {
    for (DocumentKind kind : allDocumentKinds()) {
        ui::WindowRegistry::add(documentConfig(kind).window,
                                [kind](ui::Context& context, QWidget* parent) {
                                    return new StockDocumentWindow(context, kind, parent);
                                });
    }
    registerStockListWindows();
}

} // namespace florist::stock
