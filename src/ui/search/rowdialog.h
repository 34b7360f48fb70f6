#pragma once

#include "ui/fields.h"

#include <QDialog>
#include <functional>

class QFormLayout;
class QGroupBox;

namespace florist::ui {

// The small modal dialog a list's context action opens on one row ("<单号> 已送"): one group
// box with captioned fields, "保存" and "退出". The caption and the group caption are the same
// text. "保存" runs the save under ui::guarded; the dialog closes only when the save returned,
// so after a message it stays open with the focus where the save put it.
class RowDialog : public QDialog {
    Q_OBJECT
public:
    RowDialog(const QString& objectName, const QString& caption, QWidget* parent = nullptr);

    QLineEdit* addText(const QString& caption, int maxBytes, KeyFilter filter = KeyFilter::Any);
    QComboBox* addList(const QString& caption, QStringListModel* model);
    QDateEdit* addDate(const QString& caption, const QDate& date);

    void setSave(std::function<void()> save) { save_ = std::move(save); }
    // "保存", as a click runs it.
    void save();

private:
    QGroupBox* group_ = nullptr;
    QFormLayout* form_ = nullptr;
    std::function<void()> save_;
};

} // namespace florist::ui
