#include "storedvalue/topup.h"

#include "core/db/datamodule.h"
#include "core/save/saverunner.h"
#include "core/text/gbk.h"
#include "core/text/numberinput.h"
#include "members/memberlookup.h"
#include "storedvalue/documentmember.h"

namespace florist::storedvalue {

FormOutcome checkTopUp(const TopUpValues& v) {
    if (v.memberId <= 0) {
        return FormOutcome::refused(emptyChoiceMessage("会员信息"), kSearchField);
    }
    if (v.stored.isEmpty()) {
        return FormOutcome::refused(emptyTextMessage(kStoredField), kStoredField);
    }
    if (v.stored == "0") {
        return FormOutcome::refused(zeroMessage(kStoredField), kStoredField);
    }
    for (const auto& [text, word] : {std::pair{v.stored, kStoredField}, {v.gift, kGiftField}}) {
        // The field lets only digits and "." through, so a sign or a second "." is no amount.
        if (!text.isEmpty() && (!isTypedNumber(text) || text.startsWith('-'))) {
            return FormOutcome::refused(notNumberMessage(word), word);
        }
        if (gbkLength(text) > kAmountBytes) {
            return FormOutcome::refused(tooLongMessage(word, kAmountBytes), word);
        }
    }
    if (gbkLength(v.remark) > kTopUpRemarkBytes) {
        return FormOutcome::refused(tooLongMessage(kRemarkField, kTopUpRemarkBytes), kRemarkField);
    }
    return FormOutcome::success();
}

TopUpAmounts topUpAmounts(const DataModule& dm, const TopUpValues& v) {
    TopUpAmounts a;
    a.stored = parseTypedNumber(v.stored, kStoredField, EmptyText::Refused);
    a.gift = parseTypedNumber(v.gift, kGiftField);
    a.total = a.stored + a.gift;
    a.capitals = dm.NumToChar(a.stored);
    return a;
}

QString saveTopUp(DataModule& dm, const TopUpValues& v) {
    const FormOutcome check = checkTopUp(v);
    if (!check.done) {
        throw Failure(check.message);
    }
    const TopUpAmounts a = topUpAmounts(dm, v);
    const LoginValues& login = dm.login();
    return runSave(dm, [&](Save& s) {
        // A member deleted at another station since the lookup receives nothing.
        if (s.db().exec("UPDATE UMember SET theMoney = theMoney + ? WHERE (ID = ?) AND "
                        "(theDel = '否') ",
                        {a.total, v.memberId}) == 0) {
            throw Failure(members::memberNotFoundText());
        }
        const QString number = s.number("UStore", "CZ");
        s.db().exec("INSERT INTO UStore (theDate, UName, theDel, theNum, myDate, MNum, M1, M2, "
                    "MType, theDX, theSKR, Remark, WName, MID ) VALUES (?, ?, '否', ?, ?, ?, ?, "
                    "?, ?, ?, ?, ?, ?, ? ) ",
                    {login.businessDate, login.currentUser, number, v.date, v.cardNumber, a.stored,
                     a.gift, v.method, a.capitals, v.receiver, v.remark, login.currentStore,
                     v.memberId});
        return number;
    });
}

void deleteTopUp(DataModule& dm, qlonglong id) {
    runSave(dm, [&](Save& s) {
        const ResultSet doc = s.db().select(
            "SELECT theNum, MNum, M1 + M2 AS total, MID FROM UStore WHERE (ID = ?) ", {id});
        if (doc.isEmpty()) {
            return;
        }
        const QString number = doc.text(0, "theNum");
        const qlonglong member = documentMember(s.db(), doc.value(0, "MID"), doc.text(0, "MNum"));
        if (member > 0) {
            s.db().exec("UPDATE UMember SET theMoney = theMoney - ? WHERE (ID = ?) ",
                        {doc.value(0, "total").toDouble(), member});
        }
        // Only a live document is deleted: a second deletion from another station finds it
        // gone and rolls its own reversal back.
        if (s.db().exec("UPDATE UStore SET theDel = '是' WHERE (ID = ?) AND (theDel = '否') ",
                        {id}) == 0) {
            throw Failure(alreadyDeletedText(number));
        }
    });
}

} // namespace florist::storedvalue
