#pragma once

#include "core/formoutcome.h"

#include <QString>

namespace florist {
class DataModule;
}

namespace florist::storedvalue {

// The names of the entry window's inputs a refused save focuses (their accessibleNames); the
// card number search field of "储值信息" is kSearchField.
inline const QString kSearchField = QStringLiteral("卡号");
inline const QString kStoredField = QStringLiteral("储值金额");
inline const QString kGiftField = QStringLiteral("赠送金额");
inline const QString kRemarkField = QStringLiteral("备注");

// Byte limits the entry window's fields keep while typing; checked again at save.
constexpr int kAmountBytes = 10;
constexpr int kTopUpRemarkBytes = 100;

// What frmStore_In holds at "保存": the member found by the lookup and the typed values.
struct TopUpValues {
    qlonglong memberId = 0; // 0 while no member is found
    QString cardNumber;     // "卡号" of the "会员信息" group
    QString date;           // 'yyyy-mm-dd'
    QString stored;         // as typed
    QString gift;           // as typed; empty counts as 0
    QString method;
    QString receiver;
    QString remark;
};

// The checks of "保存" in their order: a member, the stored amount filled and not the text
// "0", both amounts numbers within their limits, the remark within its limit. A refusal names
// the field to focus.
FormOutcome checkTopUp(const TopUpValues& values);

// The amounts as stored: M1, M2 ("" is 0), their sum for the balance and the capital numerals
// of M1 for the receipt.
struct TopUpAmounts {
    double stored = 0;
    double gift = 0;
    double total = 0;
    QString capitals;
};
TopUpAmounts topUpAmounts(const DataModule& dm, const TopUpValues& values);

// "保存" after the checks, in one transaction: the member's balance credited with stored plus
// gift, the number "CZ…", the UStore row with the member's ID. Raises Failure when a check
// refuses, and "会员 不存在，请重新录入！" when the member was deleted since the lookup.
// Returns the number for the receipt.
QString saveTopUp(DataModule& dm, const TopUpValues& values);

// "删除 &D", in one transaction: the document's stored plus gift taken back off the member it
// credited (see documentMember), even below zero, then the document flagged deleted. Raises
// Failure when another station deleted it meanwhile; nothing changes then.
void deleteTopUp(DataModule& dm, qlonglong id);

} // namespace florist::storedvalue
