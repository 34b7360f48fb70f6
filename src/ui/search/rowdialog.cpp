#include "ui/search/rowdialog.h"

#include "ui/prompt.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace florist::ui {

RowDialog::RowDialog(const QString& objectName, const QString& caption, QWidget* parent)
    : QDialog(parent) {
    setObjectName(objectName);
    setWindowTitle(caption);
    group_ = new QGroupBox(caption, this);
    form_ = new QFormLayout(group_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    const QList<QPushButton*> row = addButtons(buttons, {"保存", "退出"}, this);
    connect(row.at(0), &QPushButton::clicked, this, &RowDialog::save);
    connect(row.at(1), &QPushButton::clicked, this, &QDialog::reject);
    auto* v = new QVBoxLayout(this);
    v->addWidget(group_);
    v->addLayout(buttons);
    setMinimumWidth(320);
}

QLineEdit* RowDialog::addText(const QString& caption, int maxBytes, KeyFilter filter) {
    QLineEdit* edit = textField(caption, maxBytes, group_, filter);
    form_->addRow(captionLabel(caption, edit, group_), edit);
    return edit;
}

QComboBox* RowDialog::addList(const QString& caption, QStringListModel* model) {
    QComboBox* box = listField(caption, model, group_);
    form_->addRow(captionLabel(caption, box, group_), box);
    return box;
}

QDateEdit* RowDialog::addDate(const QString& caption, const QDate& date) {
    QDateEdit* edit = dateField(caption, date, group_);
    form_->addRow(captionLabel(caption, edit, group_), edit);
    return edit;
}

void RowDialog::save() {
    if (!save_) {
        return;
    }
    if (guarded(this, save_)) {
        accept();
    }
}

} // namespace florist::ui
