#include "members/memberentrywindow.h"

#include "core/db/datamodule.h"
#include "ui/fields.h"
#include "ui/prompt.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace florist::members {

namespace {

struct TextFieldSpec {
    MemberField field;
    const char* caption;
    int bytes;
};

// The text fields in their tab order; the category and the sex drop-downs sit before and
// after the name, the card date picker last.
const TextFieldSpec kCard{MemberField::CardNumber, "卡        号：", 10};
const TextFieldSpec kName{MemberField::Name, "姓        名：", 20};
const TextFieldSpec kBirthday{MemberField::Birthday, "生        日：", 5};
const TextFieldSpec kAfterBirthday[] = {
    {MemberField::Mobile, "手机号码：", 30},      {MemberField::Phone, "电话号码：", 30},
    {MemberField::QQ, "Q   Q   号：", 20},        {MemberField::WeChat, "微  信  号：", 30},
    {MemberField::Preferences, "个人喜好：", 20}, {MemberField::WorkUnit, "单位名称：", 50},
    {MemberField::Address, "联系地址：", 50},     {MemberField::Remark, "备        注：", 100},
};

QPushButton* button(const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setAccessibleName(text);
    return b;
}

} // namespace

MemberEntryWindow::MemberEntryWindow(ui::Context& context, QWidget* parent)
    : QDialog(parent), context_(context) {
    setObjectName("frmMember_In");
    setWindowTitle("会员录入");
    DataModule& dm = context_.dm;
    const LoginValues& login = dm.login();

    auto* group = new QGroupBox("会员信息", this);
    group->setObjectName("grpMember");
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    int row = 0;
    int column = 0;
    // Two columns of fields, filled top to bottom, left column first.
    const int perColumn = 7;
    auto place = [&](const QString& caption, QWidget* field, QWidget* extra = nullptr) {
        grid->addWidget(ui::captionLabel(caption, field, group), row, column * 3);
        if (extra) {
            auto* box = new QHBoxLayout;
            box->addWidget(field);
            box->addWidget(extra);
            box->addStretch(1);
            grid->addLayout(box, row, column * 3 + 1);
        } else {
            grid->addWidget(field, row, column * 3 + 1);
        }
        if (++row == perColumn) {
            row = 0;
            ++column;
        }
    };
    auto addText = [&](const TextFieldSpec& spec, QWidget* extra = nullptr) {
        QLineEdit* edit = ui::textField(QString::fromUtf8(spec.caption), spec.bytes, group);
        edit->setMinimumWidth(180);
        edit->installEventFilter(this);
        texts_.insert(spec.field, edit);
        place(QString::fromUtf8(spec.caption), edit, extra);
        return edit;
    };

    category_ = ui::listField("会员分类：", dm.loaders().DBComMType(), group);
    category_->installEventFilter(this);
    place("会员分类：", category_);
    addText(kCard);
    addText(kName);
    sex_ = ui::listField("性        别：", dm.loaders().DBComSex(), group);
    sex_->installEventFilter(this);
    place("性        别：", sex_);
    auto* example = new QLabel("02-28", group);
    example->setObjectName("lblBirthdayExample");
    QLineEdit* birthday = addText(kBirthday, example);
    // Digits and "-" only; Backspace and Enter are keys, not text, and stay free.
    birthday->setMinimumWidth(0);
    birthday->setFixedWidth(80);
    birthday->setValidator(
        new QRegularExpressionValidator(QRegularExpression("[0-9-]{0,5}"), birthday));
    for (const TextFieldSpec& spec : kAfterBirthday) {
        addText(spec);
    }
    cardDate_ =
        ui::dateField("持卡日期：", QDate::fromString(login.businessDate, "yyyy-MM-dd"), group);
    cardDate_->installEventFilter(this);
    place("持卡日期：", cardDate_);
    grid->setColumnMinimumWidth(2, 16);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(4, 1);

    save_ = button("保存", this);
    exit_ = button("退出", this);
    connect(save_, &QPushButton::clicked, this, [this] { save(); });
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save_);
    buttons->addWidget(exit_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(group);
    layout->addLayout(buttons);

    ui::chooseText(category_, login.defaults.memberCategory);
    ui::chooseText(sex_, login.defaults.sex);
    // Tab order as the fields are listed; Enter walks the same way.
    QList<QWidget*> order = {category_, texts_[MemberField::CardNumber], texts_[MemberField::Name],
                             sex_, texts_[MemberField::Birthday]};
    for (const TextFieldSpec& spec : kAfterBirthday) {
        order << texts_[spec.field];
    }
    order << cardDate_ << save_ << exit_;
    for (int i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }
    texts_[MemberField::CardNumber]->setFocus();
}

MemberEntryWindow::~MemberEntryWindow() = default;

void MemberEntryWindow::editMember(qlonglong id, const QVariantMap& row) {
    editId_ = id;
    callerCode_ = "m";
    const MemberValues v = valuesFromRow(row);
    ui::chooseText(category_, v.category);
    ui::chooseText(sex_, v.sex);
    texts_[MemberField::CardNumber]->setText(v.cardNumber);
    texts_[MemberField::Name]->setText(v.name);
    texts_[MemberField::Birthday]->setText(v.birthday);
    texts_[MemberField::Mobile]->setText(v.mobile);
    texts_[MemberField::Phone]->setText(v.phone);
    texts_[MemberField::QQ]->setText(v.qq);
    texts_[MemberField::WeChat]->setText(v.weChat);
    texts_[MemberField::Preferences]->setText(v.preferences);
    texts_[MemberField::WorkUnit]->setText(v.workUnit);
    texts_[MemberField::Address]->setText(v.address);
    texts_[MemberField::Remark]->setText(v.remark);
    const QDate cardDate = QDate::fromString(v.cardDate, "yyyy-MM-dd");
    if (cardDate.isValid()) {
        cardDate_->setDate(cardDate);
    }
}

void MemberEntryWindow::newForOrder(const QString& cardNumber) {
    editId_ = 0;
    callerCode_ = "o";
    texts_[MemberField::CardNumber]->setText(cardNumber);
}

MemberValues MemberEntryWindow::values() const {
    MemberValues v;
    v.category = ui::chosenText(category_);
    v.sex = ui::chosenText(sex_);
    v.cardNumber = texts_[MemberField::CardNumber]->text();
    v.name = texts_[MemberField::Name]->text();
    v.birthday = texts_[MemberField::Birthday]->text();
    v.mobile = texts_[MemberField::Mobile]->text();
    v.phone = texts_[MemberField::Phone]->text();
    v.qq = texts_[MemberField::QQ]->text();
    v.weChat = texts_[MemberField::WeChat]->text();
    v.preferences = texts_[MemberField::Preferences]->text();
    v.workUnit = texts_[MemberField::WorkUnit]->text();
    v.address = texts_[MemberField::Address]->text();
    v.remark = texts_[MemberField::Remark]->text();
    v.cardDate = cardDate_->date().toString("yyyy-MM-dd");
    return v;
}

bool MemberEntryWindow::save() {
    const MemberValues v = values();
    MemberSaveResult result;
    const bool ran = ui::guarded(this, [&] { result = saveMember(context_.dm, v, editId_); });
    if (!ran) {
        return false;
    }
    if (!result.check.ok()) {
        ui::Prompt::message(this, result.check.message, ui::PromptIcon::Warning);
        focusField(result.check.field);
        return false;
    }
    ui::Prompt::message(this, memberSavedText());
    if (editId_ > 0) {
        if (callerCode_ == "m") {
            emit memberUpdated(editId_);
        }
        accept();
        return true;
    }
    if (callerCode_ == "o") {
        emit memberCreatedForOrder(
            NewMember{result.id, newMemberFields(v, context_.dm.login().businessDate)});
        accept();
        return true;
    }
    clearForNext();
    return true;
}

void MemberEntryWindow::clearForNext() {
    for (QLineEdit* edit : std::as_const(texts_)) {
        edit->clear();
    }
    texts_[MemberField::CardNumber]->setFocus();
}

void MemberEntryWindow::focusField(MemberField field) {
    if (field == MemberField::Category) {
        category_->setFocus();
    } else if (field == MemberField::Sex) {
        sex_->setFocus();
    } else if (QLineEdit* edit = texts_.value(field)) {
        edit->setFocus();
        edit->selectAll();
    }
}

bool MemberEntryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // At the counter Enter moves on to the next field, as Tab does.
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace florist::members
