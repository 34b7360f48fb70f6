#include "partners/partnerpaymentwindow.h"

#include "core/db/datamodule.h"
#include "partners/partnerentrywindow.h"
#include "partners/partnerfinddialog.h"
#include "partners/partners.h"
#include "ui/fields.h"
#include "ui/prompt.h"
#include "ui/search/searchwindow.h"

#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace florist::partners {

PaymentEntryWindow::PaymentEntryWindow(ui::Context& context, Direction direction, QWidget* parent)
    : QDialog(parent), context_(context), config_(paymentConfig(direction)) {
    setObjectName(config_.entryWindow);
    setWindowTitle(config_.entryCaption);
    DataModule& dm = context_.dm;
    const LoginValues& login = dm.login();
    auto* layout = new QVBoxLayout(this);

    auto* first = new QGroupBox(config_.firstGroup, this);
    first->setObjectName("grpPartner");
    auto* firstRow = new QHBoxLayout(first);
    date_ = ui::dateField(config_.dateCaption, QDate::fromString(login.businessDate, "yyyy-MM-dd"),
                          first);
    partner_ = ui::textField(config_.partnerCaption, 50, first);
    partner_->setMinimumWidth(220);
    partner_->installEventFilter(this);
    firstRow->addWidget(ui::captionLabel(config_.dateCaption, date_, first));
    firstRow->addWidget(date_);
    firstRow->addSpacing(12);
    firstRow->addWidget(ui::captionLabel(config_.partnerCaption, partner_, first));
    firstRow->addWidget(partner_);
    firstRow->addWidget(new QLabel("录入单位名称或拼音码按回车...", first));
    firstRow->addStretch();
    layout->addWidget(first);

    auto* check = new QGroupBox("验证信息", this);
    check->setObjectName("grpCheck");
    auto* checkGrid = new QGridLayout(check);
    const QStringList captions = {"单位分类：", "单位名称：", "联  系  人：",
                                  "电话号码：", "手机号码：", "联系地址：",
                                  "应收金额：", "应付金额：", "备        注："};
    const QStringList headings = partnerFieldHeadings();
    for (int i = 0; i < captions.size(); ++i) {
        QLineEdit* e = ui::textField(captions.at(i), 0, check);
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        check_.insert(headings.at(i), e);
        checkGrid->addWidget(ui::captionLabel(captions.at(i), e, check), i / 3, (i % 3) * 2);
        checkGrid->addWidget(e, i / 3, (i % 3) * 2 + 1);
    }
    for (int c = 1; c < 6; c += 2) {
        checkGrid->setColumnStretch(c, 1);
    }
    layout->addWidget(check);

    auto* money = new QGroupBox(config_.moneyGroup, this);
    money->setObjectName("grpMoney");
    auto* moneyGrid = new QGridLayout(money);
    amount_ = ui::textField(config_.amountCaption, 10, money, ui::KeyFilter::Amount);
    method_ = ui::listField(config_.methodCaption, dm.loaders().DBComSK(), money);
    ui::chooseText(method_, login.defaults.paymentMethod);
    person_ =
        ui::listField(config_.personCaption, dm.loaders().DBComWorker(login.currentStore), money);
    preparer_ = ui::listField("制  单  人：", dm.loaders().DBComWorker(login.currentStore), money);
    remark_ = ui::textField("备        注：", 100, money);
    const QList<QPair<QString, QWidget*>> fields = {{config_.amountCaption, amount_},
                                                    {config_.methodCaption, method_},
                                                    {config_.personCaption, person_},
                                                    {"制  单  人：", preparer_}};
    for (int i = 0; i < fields.size(); ++i) {
        moneyGrid->addWidget(ui::captionLabel(fields.at(i).first, fields.at(i).second, money),
                             i / 2, (i % 2) * 2);
        moneyGrid->addWidget(fields.at(i).second, i / 2, (i % 2) * 2 + 1);
    }
    moneyGrid->addWidget(ui::captionLabel("备        注：", remark_, money), 2, 0);
    moneyGrid->addWidget(remark_, 2, 1, 1, 3);
    moneyGrid->setColumnStretch(1, 1);
    moneyGrid->setColumnStretch(3, 1);
    layout->addWidget(money);
    // Extra height goes below the groups, not into them.
    layout->addStretch(1);

    auto* row = new QHBoxLayout;
    row->addStretch();
    const QList<QPushButton*> buttons = ui::addButtons(row, {"保存", "退出"}, this);
    layout->addLayout(row);
    connect(buttons.at(0), &QPushButton::clicked, this, [this] { save(); });
    connect(buttons.at(1), &QPushButton::clicked, this, &QDialog::reject);
    resize(720, 360);
    partner_->setFocus();
}

PaymentEntryWindow::~PaymentEntryWindow() = default;

bool PaymentEntryWindow::eventFilter(QObject* watched, QEvent* event) {
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

void PaymentEntryWindow::searchPartner() {
    ui::guarded(this, [&] {
        const QString text = partner_->text();
        const PartnerFindOutcome found = findPartner(this, context_.dm, config_.mode, text);
        if (found.kind == PartnerFindOutcome::Picked) {
            takePartner(found.partner.id, found.partner.fields);
        } else if (found.kind == PartnerFindOutcome::NotFound) {
            if (const auto added = enterPartnerFor(this, context_, config_.mode, text)) {
                takePartner(added->id, added->fields);
            }
        }
    });
}

void PaymentEntryWindow::takePartner(qlonglong id, const QVariantMap& fields) {
    partnerId_ = id;
    for (auto it = check_.begin(); it != check_.end(); ++it) {
        it.value()->setText(displayText(fields.value(it.key())));
    }
    amount_->setFocus();
}

bool PaymentEntryWindow::save() {
    PaymentValues v;
    v.date = date_->date().toString("yyyy-MM-dd");
    v.partnerId = partnerId_;
    v.amount = amount_->text();
    v.method = ui::chosenText(method_);
    v.person = ui::chosenText(person_);
    v.preparer = ui::chosenText(preparer_);
    v.remark = remark_->text();
    PaymentSaveResult r;
    if (!ui::guarded(this, [&] { r = savePayment(context_.dm, config_.direction, v); })) {
        return false;
    }
    if (!r.done) {
        ui::Prompt::message(this, r.message, ui::PromptIcon::Warning);
        QLineEdit* focus = r.focus == PaymentFocus::Partner  ? partner_
                           : r.focus == PaymentFocus::Amount ? amount_
                                                             : remark_;
        focus->setFocus();
        focus->selectAll();
        return false;
    }
    ui::Prompt::message(this, r.message);
    resetForNext();
    return true;
}

void PaymentEntryWindow::resetForNext() {
    partnerId_ = 0;
    for (QLineEdit* e : check_) {
        e->clear();
    }
    partner_->clear();
    amount_->clear();
    remark_->clear();
    partner_->setFocus();
}

namespace {

void deleteRow(Direction direction, ui::SearchWindow& window, int row) {
    if (!ui::Prompt::confirmDelete(&window)) {
        return;
    }
    if (!deletePayment(window.context().dm, direction, window.value(row, "ID").toLongLong())) {
        ui::Prompt::message(&window, alreadyDeletedText(), ui::PromptIcon::Warning);
    }
    window.refresh();
}

} // namespace

void registerPaymentWindows() {
    for (Direction d : {Direction::Collection, Direction::Payment}) {
        const PaymentConfig& c = paymentConfig(d);
        ui::WindowRegistry::add(c.entryWindow, [d](ui::Context& context, QWidget* parent) {
            return new PaymentEntryWindow(context, d, parent);
        });
        ui::registerSearchWindow(c.managementWindow, [d](ui::Context& context) {
            // "打印 &P" prints nothing: these documents have no receipt.
            return ui::SearchWindowSpec{
                paymentListSpec(d, true, context.dm.login().currentStore),
                {ui::RowAction{"打印 &P", [](ui::SearchWindow&, int) {}},
                 ui::RowAction{"删除 &D",
                               [d](ui::SearchWindow& w, int row) { deleteRow(d, w, row); }}}};
        });
        ui::registerSearchWindow(c.queryWindow, [d](ui::Context& context) {
            return ui::SearchWindowSpec{paymentListSpec(d, false, context.dm.login().currentStore),
                                        {}};
        });
    }
}

} // namespace florist::partners
