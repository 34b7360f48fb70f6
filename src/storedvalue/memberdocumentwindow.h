#pragma once

#include "ui/windowregistry.h"

#include <QDialog>

class QDateEdit;
class QGroupBox;
class QGridLayout;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace florist::storedvalue {

class MemberInfoWidget;

// What the top-up and exchange entry windows share: a first group with the card number search
// field and the document date, the read-only "会员信息" group filled by the member lookup, the
// window's own group below, and "保存" / "退出". Enter or a double click in the search field
// runs the lookup with the window's caller code; Enter in the window's own fields moves on.
class MemberDocumentWindow : public QDialog {
    Q_OBJECT
public:
    struct Captions {
        QString objectName;  // frmStore_In
        QString title;       // 储值录入
        QString callerCode;  // "cz"
        QString firstGroup;  // 储值信息
        QString dateCaption; // 储值日期：
    };

    ~MemberDocumentWindow() override;

    // The member lookup of the search field; false when no member was taken.
    bool lookup();
    // "保存"; false when a check or the database refused.
    virtual bool save() = 0;

    QLineEdit* searchField() const { return search_; }
    QDateEdit* dateField() const { return date_; }
    MemberInfoWidget* memberInfo() const { return info_; }
    qlonglong memberId() const { return memberId_; }

protected:
    MemberDocumentWindow(ui::Context& context, const Captions& captions, QWidget* parent);

    // Called by the subclass's constructor: its group goes below "会员信息", then the buttons.
    void addOwnGroup(QGroupBox* group);
    // Adds a caption and its field to a grid of caption/field pairs (the field over fieldColumns
    // grid columns); Enter in it moves on.
    void place(QGridLayout* grid, int row, int column, const QString& caption, QWidget* field,
               int fieldColumns = 1);
    // After a member was taken: the focus goes to the window's first field.
    virtual void memberTaken() = 0;
    // Puts the focus on an input by accessibleName; the search field is "卡号" (kSearchField).
    virtual void focusField(const QString& name);
    // The search field, the member and its twelve fields emptied; the focus on the search field.
    void forgetMember();
    // Shows the message of a refused check and focuses its field.
    void refuse(const QString& message, const QString& field);

    bool eventFilter(QObject* watched, QEvent* event) override;

    ui::Context& context_;

private:
    QString callerCode_;
    QLineEdit* search_;
    QDateEdit* date_;
    MemberInfoWidget* info_;
    QVBoxLayout* layout_;
    QPushButton* save_;
    QPushButton* exit_;
    qlonglong memberId_ = 0;
};

} // namespace florist::storedvalue
