#pragma once

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QStringListModel>
#include <QValidator>

class QBoxLayout;
class QLabel;
class QPushButton;

namespace florist::ui {

// What a field accepts as typed: anything, amounts (digits and "."), or digits only.
enum class KeyFilter { Any, Amount, Digits };

// Refuses an edit that brings a key the field's filter does not accept. Text longer than
// maxBytes GBK bytes that the person types, pastes or commits by an input method into the field
// (its parent, holding the focus) is cut to what fits, at a character boundary, as
// length-limited boxes do. A longer text a window sets is left whole for the check at save.
// maxBytes 0 means no limit.
class FieldValidator : public QValidator {
public:
    FieldValidator(int maxBytes, KeyFilter filter, QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;
    int maxBytes() const { return maxBytes_; }

    // Cuts input to maxBytes: the text before the cursor pos (the new text) loses its end, the
    // text after it is kept; pos moves to the end of what was kept of the new text.
    static void fitInto(QString& input, int& pos, int maxBytes);

private:
    int maxBytes_;
    KeyFilter filter_;
};

// The name a black-box script finds an input by: its caption without blanks and colon
// ("卡        号：" → "卡号").
QString accessibleFromCaption(const QString& caption);

// A text field limited in GBK bytes, named after its caption.
QLineEdit* textField(const QString& caption, int maxBytes, QWidget* parent = nullptr,
                     KeyFilter filter = KeyFilter::Any);
// A password box: at most maxBytes, every character shown as "@", bold.
QLineEdit* passwordField(const QString& caption, int maxBytes, QWidget* parent = nullptr);
// A date picker showing 'yyyy-mm-dd'.
QDateEdit* dateField(const QString& caption, const QDate& date, QWidget* parent = nullptr);

// A date picker that Tab leaves for the next field in one press (not year, month, day in
// turn), and whose date the arrow keys, Page Up/Down and the wheel change only after the person
// has clicked or typed into it since it took the focus, so a stray key cannot move the date
// unseen.
class DeliberateDateEdit : public QDateEdit {
public:
    using QDateEdit::QDateEdit;
    // Whether the person has clicked or typed into the box since it took the focus.
    bool engaged() const { return engaged_; }
    void stepBy(int steps) override;

protected:
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool engaged_ = false;
};
// dateField as a DeliberateDateEdit: for a date that everything after it carries (the
// business date of the login).
QDateEdit* deliberateDateField(const QString& caption, const QDate& date,
                               QWidget* parent = nullptr);
// A drop-down that lists a loader's shared model; choose only from the list.
QComboBox* listField(const QString& caption, QStringListModel* model, QWidget* parent = nullptr);
// The caption label of a field, as the windows lay them out.
QLabel* captionLabel(const QString& caption, QWidget* buddy, QWidget* parent = nullptr);

// Buttons with these captions added to a row in order, none taking Enter from the fields (Enter
// moves between fields; a button runs only when clicked or reached by Tab).
QList<QPushButton*> addButtons(QBoxLayout* row, const QStringList& captions, QWidget* parent);

// Sets a drop-down to a value of its list; an empty or unknown value leaves nothing chosen.
void chooseText(QComboBox* box, const QString& text);
// The text of the chosen item, "" when nothing is chosen.
QString chosenText(const QComboBox* box);

} // namespace florist::ui
