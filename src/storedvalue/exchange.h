#pragma once

#include "core/formoutcome.h"

#include <QString>

namespace florist {
class DataModule;
}

namespace florist::storedvalue {

// The names of the exchange window's inputs a refused save focuses (accessibleNames); the card
// number search field of "兑换信息" is kSearchField (topup.h).
inline const QString kGiftListField = QStringLiteral("礼品名称");
inline const QString kCountField = QStringLiteral("数量");

// What frmExchange_In holds at "保存": the member found by the lookup, its points as shown
// then, and the typed and chosen values.
struct ExchangeValues {
    qlonglong memberId = 0; // 0 while no member is found
    QString cardNumber;     // "卡号" of the "会员信息" group
    QString shownPoints;    // "积分" of the "会员信息" group, read at the lookup
    QString date;           // 'yyyy-mm-dd'
    QString gift;
    QString price; // "所需积分": the gift's points price; empty counts as 0
    QString count; // as typed
    QString receptionist;
    QString remark;
};

// The points a gift costs: price times count.
double pointsNeeded(const ExchangeValues& values);
// "<card> 积分不足 不能兑换，请重新选择！"
QString tooFewPointsText(const QString& cardNumber);

// The checks of "保存" in their order: a member, a gift, the count filled, not the text "0"
// and digits only, then the points shown at the lookup against the points needed (exactly
// enough passes). A refusal names the field to focus.
FormOutcome checkExchange(const ExchangeValues& values);

// "保存" after the checks, in one transaction: the points taken off the member on the value
// the database holds now (never below zero: points spent at another station since the lookup
// refuse the save with the too-few-points message), the number "DH…", the UExchange row with
// the member's ID and the price as chosen. Raises Failure (a Shortfall for too few points).
// Returns the number for the receipt.
QString saveExchange(DataModule& dm, const ExchangeValues& values);

// "删除 &D", in one transaction: the document's price times count given back to the member it
// debited (see documentMember), then the document flagged deleted. Raises Failure when another
// station deleted it meanwhile; nothing changes then.
void deleteExchange(DataModule& dm, qlonglong id);

} // namespace florist::storedvalue
