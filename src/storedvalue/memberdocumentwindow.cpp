#include "storedvalue/memberdocumentwindow.h"

#include "core/db/datamodule.h"
#include "members/memberfinddialog.h"
#include "storedvalue/memberinfowidget.h"
#include "storedvalue/topup.h"
#include "ui/fields.h"
#include "ui/prompt.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace florist::storedvalue {

namespace {
constexpr int kSearchBytes = 20;
}

MemberDocumentWindow::MemberDocumentWindow(ui::Context& context, const Captions& captions,
                                           QWidget* parent)
    : QDialog(parent), context_(context), callerCode_(captions.callerCode) {
    setObjectName(captions.objectName);
    setWindowTitle(captions.title);

    auto* first = new QGroupBox(captions.firstGroup, this);
    auto* firstGrid = new QGridLayout(first);
    search_ = ui::textField("卡        号：", kSearchBytes, first);
    search_->setPlaceholderText("录入会员卡号或手机号码按回车...");
    search_->setMinimumWidth(260);
    search_->installEventFilter(this);
    connect(search_, &QLineEdit::returnPressed, this, [this] { lookup(); });
    date_ = ui::dateField(captions.dateCaption,
                          QDate::fromString(context_.dm.login().businessDate, "yyyy-MM-dd"), first);
    firstGrid->addWidget(ui::captionLabel("卡        号：", search_, first), 0, 0);
    firstGrid->addWidget(search_, 0, 1);
    firstGrid->addWidget(ui::captionLabel(captions.dateCaption, date_, first), 0, 2);
    firstGrid->addWidget(date_, 0, 3);
    firstGrid->setColumnStretch(4, 1);
    firstGrid->setColumnMinimumWidth(2, 90);

    info_ = new MemberInfoWidget(this);

    layout_ = new QVBoxLayout(this);
    layout_->addWidget(first);
    layout_->addWidget(info_);

    auto* row = new QHBoxLayout;
    row->addStretch();
    const QList<QPushButton*> buttons = ui::addButtons(row, {"保存", "退出"}, this);
    save_ = buttons[0];
    exit_ = buttons[1];
    connect(save_, &QPushButton::clicked, this, [this] { save(); });
    connect(exit_, &QPushButton::clicked, this, &QDialog::reject);
    layout_->addLayout(row);
    search_->setFocus();
}

MemberDocumentWindow::~MemberDocumentWindow() = default;

void MemberDocumentWindow::addOwnGroup(QGroupBox* group) {
    layout_->insertWidget(2, group);
}

void MemberDocumentWindow::place(QGridLayout* grid, int row, int column, const QString& caption,
                                 QWidget* field, int fieldColumns) {
    grid->addWidget(ui::captionLabel(caption, field, field->parentWidget()), row, column * 2);
    grid->addWidget(field, row, column * 2 + 1, 1, fieldColumns * 2 - 1);
    field->installEventFilter(this);
}

bool MemberDocumentWindow::lookup() {
    members::MemberFindOutcome outcome;
    const bool ran = ui::guarded(this, [&] {
        outcome = members::findMember(this, context_.dm, callerCode_, search_->text());
    });
    if (!ran || outcome.kind == members::MemberFindOutcome::NotFound) {
        search_->setFocus();
        return false;
    }
    if (outcome.kind == members::MemberFindOutcome::Cancelled) {
        return false;
    }
    memberId_ = outcome.member.id;
    info_->showMember(outcome.member);
    memberTaken();
    return true;
}

void MemberDocumentWindow::focusField(const QString& name) {
    if (name == kSearchField) {
        search_->setFocus();
    }
}

void MemberDocumentWindow::forgetMember() {
    search_->clear();
    memberId_ = 0;
    info_->clear();
    search_->setFocus();
}

void MemberDocumentWindow::refuse(const QString& message, const QString& field) {
    ui::Prompt::message(this, message, ui::PromptIcon::Warning);
    focusField(field);
}

bool MemberDocumentWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == search_ && event->type() == QEvent::MouseButtonDblClick) {
        lookup();
        return true;
    }
    if (watched != search_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // At the counter Enter moves on to the next field, as Tab does.
            focusNextChild();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace florist::storedvalue
