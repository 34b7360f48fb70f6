#include "orders/orderentrywindow.h"

#include "core/db/datamodule.h"
#include "core/errors.h"
#include "members/memberentrywindow.h"
#include "members/memberfinddialog.h"
#include "orders/orderhistorydialog.h"
#include "reports/printmodule.h"
#include "ui/outcome.h"
#include "ui/prompt.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace florist::orders {

namespace {

// Lays a group out in rows of up to five caption-and-field pairs.
class RowPlacer {
public:
    explicit RowPlacer(QGroupBox* group) : grid_(new QGridLayout(group)), group_(group) {
        grid_->setHorizontalSpacing(6);
        grid_->setVerticalSpacing(4);
        grid_->setContentsMargins(8, 4, 8, 6);
        for (int c = 0; c < 5; ++c) {
            grid_->setColumnStretch(c * 2 + 1, 1);
        }
    }
    // span counts pairs: a field spanning two pairs takes the next caption's place too.
    void add(const QString& caption, QWidget* field, int span = 1) {
        if (column_ + span > 5) {
            newRow();
        }
        grid_->addWidget(ui::captionLabel(caption, field, group_), row_, column_ * 2);
        grid_->addWidget(field, row_, column_ * 2 + 1, 1, span * 2 - 1);
        column_ += span;
    }
    void addWidget(QWidget* widget, Qt::Alignment alignment = {}) {
        if (column_ >= 5) {
            newRow();
        }
        grid_->addWidget(widget, row_, column_ * 2, 1, 2, alignment);
        ++column_;
    }
    void newRow() {
        ++row_;
        column_ = 0;
    }

private:
    QGridLayout* grid_;
    QGroupBox* group_;
    int row_ = 0;
    int column_ = 0;
};

// The fifteen panel fields: caption and the heading of the member selects.
const std::pair<const char*, const char*> kPanel[] = {
    {"会员分类：", "会员分类"}, {"卡        号：", "卡号"}, {"姓        名：", "姓名"},
    {"持卡日期：", "持卡日期"}, {"性        别：", "性别"}, {"生        日：", "生日"},
    {"手机号码：", "手机号码"}, {"电话号码：", "电话号码"}, {"Q   Q   号：", "QQ号"},
    {"微  信  号：", "微信号"}, {"个人喜好：", "个人喜好"}, {"积        分：", "积分"},
    {"消费日期：", "消费日期"}, {"消费次数：", "消费次数"}, {"账户余额：", "账户余额"},
};

const QString kDate = QStringLiteral("yyyy-MM-dd");

} // namespace

OrderEntryWindow::OrderEntryWindow(ui::Context& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("frmOrder_In");
    setWindowTitle("订单录入");

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 6, 8, 6);
    layout->setSpacing(4);
    layout->addWidget(buildOrderGroup());
    layout->addWidget(buildMemberGroup());
    layout->addWidget(buildRecipientGroup());
    layout->addWidget(buildSenderGroup());
    layout->addWidget(buildPaymentGroup());

    auto* bottom = new QHBoxLayout;
    for (const char* caption :
         {"开发票", "花器回收", "送达通知", "送达结款", "来年同日提醒", "本单不积分"}) {
        auto* box = new QCheckBox(QString::fromUtf8(caption), this);
        box->setAccessibleName(box->text());
        checks_.insert(box->text(), box);
        bottom->addWidget(box);
    }
    bottom->addStretch();
    const QList<QPushButton*> buttons = ui::addButtons(bottom, {"保存", "退出"}, this);
    save_ = buttons[0];
    exit_ = buttons[1];
    connect(save_, &QPushButton::clicked, this, [this] { save(); });
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
    layout->addLayout(bottom);

    wireArithmetic();
    setDefaults();
    resize(1180, sizeHint().height());
    texts_["卡号"]->setFocus();
}

OrderEntryWindow::~OrderEntryWindow() = default;

QLineEdit* OrderEntryWindow::addText(const QString& caption, int bytes, QWidget* parent,
                                     ui::KeyFilter filter) {
    QLineEdit* edit = ui::textField(caption, bytes, parent, filter);
    edit->installEventFilter(this);
    texts_.insert(edit->accessibleName(), edit);
    return edit;
}

QComboBox* OrderEntryWindow::addList(const QString& caption, QStringListModel* model,
                                     QWidget* parent) {
    QComboBox* box = ui::listField(caption, model, parent);
    box->installEventFilter(this);
    lists_.insert(box->accessibleName(), box);
    return box;
}

QGroupBox* OrderEntryWindow::buildOrderGroup() {
    auto* group = new QGroupBox("订单信息", this);
    RowPlacer rows(group);
    const QDate business = QDate::fromString(context_.dm.login().businessDate, kDate);
    orderDate_ = ui::dateField("订单日期：", business, group);
    orderDate_->installEventFilter(this);
    rows.add("订单日期：", orderDate_);
    rows.add("联盟单位：", addList("联盟单位：", context_.dm.loaders().DBComSAlliance(), group));
    QLineEdit* card = addText("卡        号：", 20, group);
    rows.add("卡        号：", card);
    auto* hint = new QLabel("录入会员卡号按回车键...", group);
    hint->setObjectName("lblCardHint");
    rows.addWidget(hint);
    history_ = new QPushButton("历史订单", group);
    history_->setAutoDefault(false);
    history_->setEnabled(false);
    connect(history_, &QPushButton::clicked, this, [this] { showHistory(); });
    rows.addWidget(history_, Qt::AlignLeft);
    return group;
}

QGroupBox* OrderEntryWindow::buildMemberGroup() {
    auto* group = new QGroupBox("会员验证信息", this);
    group->setObjectName("grpMember");
    RowPlacer rows(group);
    for (const auto& [caption, heading] : kPanel) {
        auto* edit = new QLineEdit(group);
        edit->setReadOnly(true);
        edit->setObjectName(QString("pnl") + QString::fromUtf8(heading));
        edit->setAccessibleName(ui::accessibleFromCaption(QString::fromUtf8(caption)));
        panel_.insert(QString::fromUtf8(heading), edit);
        rows.add(QString::fromUtf8(caption), edit);
    }
    group->setEnabled(false);
    return group;
}

QGroupBox* OrderEntryWindow::buildRecipientGroup() {
    auto* group = new QGroupBox("收花信息", this);
    RowPlacer rows(group);
    DataModule& dm = context_.dm;
    rows.add("收  花  人：", addText("收  花  人：", 20, group));
    rows.add("收花性别：", addList("收花性别：", dm.loaders().DBComSex(), group));
    deliveryDate_ =
        ui::dateField("送达日期：", QDate::fromString(dm.login().businessDate, kDate), group);
    deliveryDate_->installEventFilter(this);
    rows.add("送达日期：", deliveryDate_);
    rows.add("送达时段：", addList("送达时段：", dm.loaders().DBComSD(), group));
    rows.add("送达时间：", addText("送达时间：", 10, group));
    rows.add("收花电话：", addText("收花电话：", 30, group));
    area_ = new QComboBox(group);
    area_->setEditable(true);
    area_->setInsertPolicy(QComboBox::NoInsert);
    area_->setAccessibleName("送达区域");
    area_->addItems(dm.loaders().ComSArea());
    area_->lineEdit()->setValidator(new ui::FieldValidator(12, ui::KeyFilter::Any, area_));
    area_->setCurrentIndex(-1);
    area_->setEditText("");
    area_->installEventFilter(this);
    area_->lineEdit()->installEventFilter(this);
    rows.add("送达区域：", area_);
    rows.add("送达地址：", addText("送达地址：", 100, group), 3);
    return group;
}

QGroupBox* OrderEntryWindow::buildSenderGroup() {
    auto* group = new QGroupBox("送花信息", this);
    RowPlacer rows(group);
    Loaders& loaders = context_.dm.loaders();
    rows.add("送  花  人：", addText("送  花  人：", 20, group));
    rows.add("送花性别：", addList("送花性别：", loaders.DBComSex(), group));
    rows.add("送花电话：", addText("送花电话：", 30, group));
    rows.add("送花用途：", addList("送花用途：", loaders.DBComUse(), group));
    rows.add("送花对象：", addList("送花对象：", loaders.DBComObject(), group));
    return group;
}

QGroupBox* OrderEntryWindow::buildPaymentGroup() {
    auto* group = new QGroupBox("收款信息", this);
    RowPlacer rows(group);
    DataModule& dm = context_.dm;
    Loaders& loaders = dm.loaders();
    const auto amount = ui::KeyFilter::Amount;
    rows.add("商品名称：", addList("商品名称：", loaders.DBComHX(), group));
    rows.add("商品单价：", addText("商品单价：", 10, group, amount));
    rows.add("折        扣：", addText("折        扣：", 3, group, ui::KeyFilter::Digits));
    rows.add("折后单价：", addText("折后单价：", 10, group, amount));
    rows.add("速  递  费：", addText("速  递  费：", 10, group, amount));
    rows.add("代  金  券：", addText("代  金  券：", 10, group, amount));
    QLineEdit* total = addText("总        计：", 0, group);
    total->setReadOnly(true);
    rows.add("总        计：", total);
    rows.add("收款金额：", addText("收款金额：", 10, group, amount));
    // The payment method with the card box beside it.
    auto* method = new QWidget(group);
    auto* methodRow = new QHBoxLayout(method);
    methodRow->setContentsMargins(0, 0, 0, 0);
    methodRow->addWidget(addList("收款方式：", loaders.DBComSK(), method), 1);
    cardPay_ = new QCheckBox("会员储值卡", method);
    cardPay_->setAccessibleName("会员储值卡");
    cardPay_->installEventFilter(this);
    methodRow->addWidget(cardPay_);
    rows.add("收款方式：", method);
    QLineEdit* receivable = addText("应收金额：", 0, group);
    receivable->setReadOnly(true);
    rows.add("应收金额：", receivable);
    QStringListModel* staff = loaders.DBComWorker(dm.login().currentStore);
    for (const char* caption : {"收   款  人：", "接  待  人：", "花  艺  师：", "递  送  人："}) {
        rows.add(QString::fromUtf8(caption), addList(QString::fromUtf8(caption), staff, group));
    }
    rows.add("订单类型：", addList("订单类型：", loaders.DBComDType(), group));
    rows.add("订单状态：", addList("订单状态：", loaders.DBComSState(), group));
    rows.add("备        注：", addText("备        注：", 100, group), 4);
    return group;
}

void OrderEntryWindow::setDefaults() {
    const StoreDefaults& d = context_.dm.login().defaults;
    const QString user = context_.dm.login().currentUser;
    ui::chooseText(lists_["收花性别"], d.sex);
    ui::chooseText(lists_["送花性别"], d.sex);
    ui::chooseText(lists_["送达时段"], d.timeSlot);
    ui::chooseText(lists_["商品名称"], d.product);
    ui::chooseText(lists_["收款方式"], d.paymentMethod);
    ui::chooseText(lists_["订单状态"], d.orderState);
    ui::chooseText(lists_["订单类型"], d.orderType);
    ui::chooseText(lists_["接待人"], user);
    ui::chooseText(lists_["花艺师"], user);
    updating_ = true;
    texts_["折扣"]->setText("100");
    texts_["速递费"]->setText("0");
    texts_["代金券"]->setText("0");
    updating_ = false;
}

void OrderEntryWindow::wireArithmetic() {
    auto onEdit = [this](const QString& name, PriceRule rule) {
        connect(texts_[name], &QLineEdit::textChanged, this, [this, name, rule] {
            if (!updating_) {
                recompute(rule, name);
            }
        });
    };
    onEdit("商品单价", PriceRule::PriceOrDiscount);
    onEdit("折扣", PriceRule::PriceOrDiscount);
    onEdit("折后单价", PriceRule::Charges);
    onEdit("速递费", PriceRule::Charges);
    onEdit("代金券", PriceRule::Charges);
    onEdit("收款金额", PriceRule::Received);
    connect(lists_["联盟单位"], &QComboBox::activated, this, [this] { allianceChosen(); });
    connect(area_, &QComboBox::editTextChanged, this, [this](const QString& text) {
        if (!updating_) {
            areaChanged(text);
        }
    });
}

PriceFields OrderEntryWindow::priceFields() const {
    PriceFields f;
    f.price = texts_["商品单价"]->text();
    f.discount = texts_["折扣"]->text();
    f.discounted = texts_["折后单价"]->text();
    f.fee = texts_["速递费"]->text();
    f.voucher = texts_["代金券"]->text();
    f.total = texts_["总计"]->text();
    f.received = texts_["收款金额"]->text();
    f.receivable = texts_["应收金额"]->text();
    return f;
}

void OrderEntryWindow::showPriceFields(const PriceFields& f) {
    updating_ = true;
    auto set = [this](const QString& name, const QString& text) {
        QLineEdit* edit = texts_[name];
        if (edit->text() != text) {
            // Keep the cursor where the person is typing.
            const int cursor = edit->cursorPosition();
            edit->setText(text);
            edit->setCursorPosition(qMin(cursor, int(text.size())));
        }
    };
    set("商品单价", f.price);
    set("折扣", f.discount);
    set("折后单价", f.discounted);
    set("速递费", f.fee);
    set("代金券", f.voucher);
    set("总计", f.total);
    set("收款金额", f.received);
    set("应收金额", f.receivable);
    updating_ = false;
}

void OrderEntryWindow::recompute(PriceRule rule, const QString& changed) {
    PriceFields f = priceFields();
    if (!changed.isEmpty() && isUnfinishedNumber(texts_[changed]->text())) {
        return;
    }
    FormOutcome outcome;
    if (!ui::guarded(this, [&] { outcome = orders::recompute(f, rule); })) {
        return;
    }
    if (!outcome.done) {
        ui::showOutcome(this, outcome);
        return;
    }
    showPriceFields(f);
}

} // namespace florist::orders
