#pragma once

#include "ui/fields.h"

#include <QObject>

class QDialog;
class QGridLayout;
class QGroupBox;
class QPushButton;

namespace florist::ui {

// The form of a small entry window: one group of captioned fields, one a row, and the buttons
// "保存" and "退出" below it. Enter in a field moves to the next one, as Tab does; the tab order is
// the order the fields were added, then the buttons.
class EntryForm : public QObject {
    Q_OBJECT
public:
    EntryForm(QDialog* window, const QString& groupCaption);

    QLineEdit* addText(const QString& caption, int maxBytes, KeyFilter filter = KeyFilter::Any);
    QComboBox* addList(const QString& caption, QStringListModel* model);
    // Any other input under its caption.
    void addRow(const QString& caption, QWidget* field);

    QGroupBox* group() const { return group_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* exitButton() const { return exit_; }
    // The input named by its accessibleName ("花材编号"); nullptr if none.
    QWidget* field(const QString& name) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QDialog* window_;
    QGroupBox* group_;
    QGridLayout* grid_;
    QList<QWidget*> fields_;
    QPushButton* save_;
    QPushButton* exit_;
};

} // namespace florist::ui
