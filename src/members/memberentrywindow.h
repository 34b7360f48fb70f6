#pragma once

#include "ui/windowregistry.h"

#include "members/memberentry.h"

#include <QDialog>
#include <QMap>
#include <QVariantMap>

class QComboBox;
class QDateEdit;
class QLineEdit;
class QPushButton;

namespace florist::members {

// The member just created for an order (caller code "o"): its identity from the insert and the
// fields as typed, by their headings ("会员分类", "卡号", "姓名", …).
struct NewMember {
    qlonglong id = 0;
    QVariantMap fields;
};

// frmMember_In "会员录入": from the menu it creates members one after another; opened by member
// management it edits one member (caller code "m"); opened by order entry it creates the member
// whose card number was not found (caller code "o") and hands it back.
class MemberEntryWindow : public QDialog {
    Q_OBJECT
public:
    explicit MemberEntryWindow(ui::Context& context, QWidget* parent = nullptr);
    ~MemberEntryWindow() override;

    // Caller code "m": every field from the management grid's row (headings → values).
    void editMember(qlonglong id, const QVariantMap& row);
    // Caller code "o": the card number as typed in the order window.
    void newForOrder(const QString& cardNumber);

signals:
    // After a save in edit mode; the management window refreshes with its kept filter.
    void memberUpdated(qlonglong id);
    // After a save in order mode, before the window closes.
    void memberCreatedForOrder(const florist::members::NewMember& member);

public:
    // The caller code: "" from the menu, "m" editing, "o" for an order.
    const QString& callerCode() const { return callerCode_; }
    // "保存"; false when a check or the database refused.
    bool save();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    MemberValues values() const;
    void clearForNext();
    void focusField(MemberField field);

    ui::Context& context_;
    qlonglong editId_ = 0;
    QString callerCode_;
    QComboBox* category_;
    QComboBox* sex_;
    QDateEdit* cardDate_;
    QMap<MemberField, QLineEdit*> texts_;
    QPushButton* save_;
    QPushButton* exit_;
};

} // namespace florist::members
