#pragma once

#include "core/search/searchdescriptor.h"

#include <QString>

namespace florist {
class DataModule;
}

namespace florist::partners {

// Money collected from a partner (lowers its receivable theYS) or paid to it (lowers its payable
// theYF). The two directions are one family: the same windows with these differences as data.
enum class Direction { Collection, Payment };

struct PaymentConfig {
    Direction direction;
    QString entryWindow;       // frmUSK_In
    QString entryCaption;      // 往来单位收款录入
    QString managementWindow;  // frmUSK_M
    QString managementCaption; // 往来单位收款管理
    QString queryWindow;       // frmUSK_Q
    QString queryCaption;      // 往来单位收款查询
    QString table;             // USK
    QString view;              // USKVIEW
    QString prefix;            // SK
    QString personColumn;      // theSKR
    QString balanceColumn;     // theYS
    QString excludedType;      // the partner type the search leaves out: 供应商
    QString presetType;        // the type of a partner added from the window: 客户
    QString mode;              // SK
    QString partnerWord;       // 客户: "客户 不能为空，请重新选择！"
    QString subject;           // 往来单位收款
    // Entry captions.
    QString firstGroup;     // 客户信息
    QString dateCaption;    // 收款日期：
    QString partnerCaption; // 客户名称：
    QString moneyGroup;     // 收款信息
    QString amountCaption;  // 收款金额：
    QString methodCaption;  // 收款方式：
    QString personCaption;  // 收  款  人：
    // List headings and captions.
    QString dateHeading;      // 收款日期
    QString partnerHeading;   // 客户名称
    QString amountHeading;    // 收款金额
    QString methodHeading;    // 收款方式
    QString personHeading;    // 收款人
    QString partnerCondition; // 客户名称 / 供  应  商
    QString personCondition;  // 收  款  人
    QString countCaption;     // 收款数量：
    QString exportTitle;      // 收款表
};

const PaymentConfig& paymentConfig(Direction direction);

// What the entry window holds when "保存" is pressed.
struct PaymentValues {
    QString date; // 'yyyy-mm-dd'
    qlonglong partnerId = 0;
    QString amount; // as typed
    QString method;
    QString person;
    QString preparer;
    QString remark;
};

enum class PaymentFocus { None, Partner, Amount, Remark };

struct PaymentSaveResult {
    bool done = false;
    QString message;
    PaymentFocus focus = PaymentFocus::None;
    QString number;
};

// The checks in their order, then in one transaction: the number, the balance update, the
// insert (store: the logged-in store). Database failures reach the caller.
PaymentSaveResult savePayment(DataModule& dm, Direction direction, const PaymentValues& v);

// Deletes one document: its amount back on the partner the row names, then the flag, in one
// transaction. A row already deleted (by another station since the list was read) gives
// nothing back: false, and nothing is written.
bool deletePayment(DataModule& dm, Direction direction, qlonglong id);
QString alreadyDeletedText();

// The list of the management and query windows: conditions, columns, count and total, export.
// The staff drop-downs list the staff of store.
search::SearchDescriptor paymentListSpec(Direction direction, bool management,
                                         const QString& store);

} // namespace florist::partners
