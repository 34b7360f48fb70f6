#include "ui/fields.h"

#include "core/formoutcome.h"
#include "core/text/gbk.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

namespace florist::ui {

FieldValidator::FieldValidator(int maxBytes, KeyFilter filter, QObject* parent)
    : QValidator(parent), maxBytes_(maxBytes), filter_(filter) {}

QValidator::State FieldValidator::validate(QString& input, int& pos) const {
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
        // Typing, pasting and an input method's commit happen in the field that has the focus.
        // Text a window puts into a field (a stored value longer than the limit) is shown whole,
        // so that the check at save names it instead of it being cut unseen.
        const auto* field = qobject_cast<const QWidget*>(parent());
        if (!field || !field->hasFocus()) {
            return Invalid;
        }
        fitInto(input, pos, maxBytes_);
    }
    return Acceptable;
}

void FieldValidator::fitInto(QString& input, int& pos, int maxBytes) {
    // The new text ends at the cursor (typing, pasting and an input method's commit all leave
    // it there); the text after the cursor was in the field before and stays whole. What does
    // not fit is cut from the end of the new text, at a character boundary.
    const int at = std::clamp(pos, 0, int(input.size()));
    const QString after = input.mid(at);
    const int room = maxBytes - gbkLength(after);
    if (room < 0) {
        input = gbkLeft(input, maxBytes);
        pos = int(input.size());
        return;
    }
    const QString before = gbkLeft(input.left(at), room);
    input = before + after;
    pos = int(before.size());
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

namespace {

QDateEdit* styledDate(QDateEdit* edit, const QString& caption) {
    edit->setAccessibleName(accessibleFromCaption(caption));
    edit->setDisplayFormat("yyyy-MM-dd");
    edit->setCalendarPopup(true);
    return edit;
}

} // namespace

QDateEdit* dateField(const QString& caption, const QDate& date, QWidget* parent) {
    return styledDate(new QDateEdit(date, parent), caption);
}

QDateEdit* deliberateDateField(const QString& caption, const QDate& date, QWidget* parent) {
    return styledDate(new DeliberateDateEdit(date, parent), caption);
}

void DeliberateDateEdit::stepBy(int steps) {
    if (engaged_) {
        QDateEdit::stepBy(steps);
    }
}

bool DeliberateDateEdit::focusNextPrevChild(bool next) {
    // The next field, not the next part of the date.
    return QAbstractSpinBox::focusNextPrevChild(next);
}

void DeliberateDateEdit::focusInEvent(QFocusEvent* event) {
    engaged_ = false; // a click that gave the focus engages it right after
    QDateEdit::focusInEvent(event);
}

void DeliberateDateEdit::mousePressEvent(QMouseEvent* event) {
    engaged_ = true;
    QDateEdit::mousePressEvent(event);
}

void DeliberateDateEdit::keyPressEvent(QKeyEvent* event) {
    const bool typing = (!event->text().isEmpty() && event->text().at(0).isPrint()) ||
                        event->key() == Qt::Key_Backspace || event->key() == Qt::Key_Delete;
    if (typing) {
        engaged_ = true;
    }
    QDateEdit::keyPressEvent(event);
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
