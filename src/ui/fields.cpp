#include "ui/fields.h"

#include "core/formoutcome.h"
#include "core/text/gbk.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPushButton>

namespace florist::ui {

FieldValidator::FieldValidator(int maxBytes, KeyFilter filter, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes), filter_(filter) {}

QValidator::State FieldValidator::validate(QString& input, int&) const {
    for (QChar c : input) {
        const bool digit = c >= '0' && c <= '9';
        if (filter_ == KeyFilter::Digits && !digit) {
            return Invalid;
        }
        if (filter_ == KeyFilter::Amount && !digit && c != '.') {
            return Invalid;
        }
    }
    if (maxBytes_ > 0 && gbkLength(input) > maxBytes_) {
        return Invalid;
    }
    return Acceptable;
}

QString accessibleFromCaption(const QString& caption) {
    return fieldName(caption);
}

QLineEdit* textField(const QString& caption, int maxBytes, QWidget* parent, KeyFilter filter) {
    auto* edit = new QLineEdit(parent);
    edit->setAccessibleName(accessibleFromCaption(caption));
    edit->setValidator(new FieldValidator(maxBytes, filter, edit));
    return edit;
}

QLineEdit* passwordField(const QString& caption, int maxBytes, QWidget* parent) {
    QLineEdit* edit = textField(caption, maxBytes, parent);
    edit->setEchoMode(QLineEdit::Password);
    edit->setStyleSheet("QLineEdit { lineedit-password-character: 64; font-weight: bold; }");
    return edit;
}

QDateEdit* dateField(const QString& caption, const QDate& date, QWidget* parent) {
    auto* edit = new QDateEdit(date, parent);
    edit->setAccessibleName(accessibleFromCaption(caption));
    edit->setDisplayFormat("yyyy-MM-dd");
    edit->setCalendarPopup(true);
    return edit;
}

QComboBox* listField(const QString& caption, QStringListModel* model, QWidget* parent) {
    auto* box = new QComboBox(parent);
    box->setAccessibleName(accessibleFromCaption(caption));
    box->setEditable(false);
    if (model) {
        box->setModel(model);
    }
    box->setCurrentIndex(-1);
    return box;
}

QLabel* captionLabel(const QString& caption, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(caption, parent);
    label->setBuddy(buddy);
    return label;
}

void chooseText(QComboBox* box, const QString& text) {
    box->setCurrentIndex(text.isEmpty() ? -1 : box->findText(text));
}

QString chosenText(const QComboBox* box) {
    return box->currentIndex() < 0 ? QString("") : box->currentText();
}

QList<QPushButton*> addButtons(QBoxLayout* row, const QStringList& captions, QWidget* parent) {
    QList<QPushButton*> buttons;
    for (const QString& caption : captions) {
        auto* b = new QPushButton(caption, parent);
        b->setAutoDefault(false);
        row->addWidget(b);
        buttons << b;
    }
    return buttons;
}

} // namespace florist::ui
