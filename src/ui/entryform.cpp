#include "ui/entryform.h"

#include <QDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace florist::ui {

EntryForm::EntryForm(QDialog* window, const QString& groupCaption)
    : QObject(window), window_(window) {
    group_ = new QGroupBox(groupCaption, window);
    grid_ = new QGridLayout(group_);
    grid_->setHorizontalSpacing(8);
    grid_->setVerticalSpacing(6);
    grid_->setColumnStretch(1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    const QList<QPushButton*> made = addButtons(buttons, {"保存", "退出"}, window);
    save_ = made.at(0);
    exit_ = made.at(1);
    for (QPushButton* b : made) {
        b->setAccessibleName(b->text());
    }
    QObject::connect(exit_, &QPushButton::clicked, window, &QDialog::reject);

    auto* layout = new QVBoxLayout(window);
    layout->addWidget(group_);
    layout->addLayout(buttons);
}

void EntryForm::addRow(const QString& caption, QWidget* field) {
    const int row = grid_->rowCount();
    grid_->addWidget(captionLabel(caption, field, group_), row, 0);
    grid_->addWidget(field, row, 1);
    field->installEventFilter(this);
    if (!fields_.isEmpty()) {
        QWidget::setTabOrder(fields_.last(), field);
    }
    fields_ << field;
    QWidget::setTabOrder(field, save_);
    QWidget::setTabOrder(save_, exit_);
}

QLineEdit* EntryForm::addText(const QString& caption, int maxBytes, KeyFilter filter) {
    QLineEdit* edit = textField(caption, maxBytes, group_, filter);
    edit->setMinimumWidth(220);
    addRow(caption, edit);
    return edit;
}

QComboBox* EntryForm::addList(const QString& caption, QStringListModel* model) {
    QComboBox* box = listField(caption, model, group_);
    addRow(caption, box);
    return box;
}

QWidget* EntryForm::field(const QString& name) const {
    for (QWidget* f : fields_) {
        if (f->accessibleName() == name) {
            return f;
        }
    }
    return nullptr;
}

bool EntryForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            // At the counter Enter moves on to the next field, as Tab does.
            const int at = fields_.indexOf(static_cast<QWidget*>(watched));
            QWidget* next = at >= 0 && at + 1 < fields_.size() ? fields_.at(at + 1) : save_;
            next->setFocus();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

} // namespace florist::ui
