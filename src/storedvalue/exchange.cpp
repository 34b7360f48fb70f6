#include "storedvalue/exchange.h"

#include "core/db/datamodule.h"
#include "core/save/decrement.h"
#include "core/save/saverunner.h"
#include "core/text/numberinput.h"
#include "storedvalue/documentmember.h"
#include "storedvalue/topup.h"

#include <QRegularExpression>

namespace florist::storedvalue {

namespace {

// The price comes from the gift list, the points from the member row: both are numbers as
// stored, shown in their shortest form; anything else counts as 0.
double shownNumber(const QString& text) {
    return isTypedNumber(text) ? text.trimmed().toDouble() : 0.0;
}

bool digitsOnly(const QString& text) {
    static const QRegularExpression digits("^[0-9]+$");
    return digits.match(text).hasMatch();
}

} // namespace

double pointsNeeded(const ExchangeValues& v) {
    return shownNumber(v.price) * v.count.toDouble();
}

QString tooFewPointsText(const QString& cardNumber) {
    return cardNumber + " 积分不足 不能兑换，请重新选择！";
}

FormOutcome checkExchange(const ExchangeValues& v) {
    if (v.memberId <= 0) {
        return FormOutcome::refused(emptyChoiceMessage("会员信息"), kSearchField);
    }
    if (v.gift.isEmpty()) {
        return FormOutcome::refused(emptyChoiceMessage(kGiftListField), kGiftListField);
    }
    if (v.count.isEmpty()) {
        return FormOutcome::refused(emptyTextMessage(kCountField), kCountField);
    }
    if (v.count == "0") {
        return FormOutcome::refused(zeroMessage(kCountField), kCountField);
    }
    // The field lets only digits through.
    if (!digitsOnly(v.count)) {
        return FormOutcome::refused(notNumberMessage(kCountField), kCountField);
    }
    // Points are unrounded divisions: a balance that shows as exactly the points needed passes.
    if (shownNumber(v.shownPoints) < pointsNeeded(v) - 1e-6) {
        return FormOutcome::refused(tooFewPointsText(v.cardNumber), kSearchField);
    }
    return FormOutcome::success();
}

QString saveExchange(DataModule& dm, const ExchangeValues& v) {
    const FormOutcome check = checkExchange(v);
    if (!check.done) {
        throw Failure(check.message);
    }
    const double price = shownNumber(v.price);
    const double count = v.count.toDouble();
    const LoginValues& login = dm.login();
    return runSave(dm, [&](Save& s) {
        debitPoints(s.db(), v.memberId, price * count, v.cardNumber);
        const QString number = s.number("UExchange", "DH");
        s.db().exec("INSERT INTO UExchange (theDate, UName, theDel, theNum, myDate, MNum, GName, "
                    "thePrice, theCount, theJDR, Remark, WName, MID ) VALUES (?, ?, '否', ?, ?, "
                    "?, ?, ?, ?, ?, ?, ?, ? ) ",
                    {login.businessDate, login.currentUser, number, v.date, v.cardNumber, v.gift,
                     price, count, v.receptionist, v.remark, login.currentStore, v.memberId});
        return number;
    });
}

void deleteExchange(DataModule& dm, qlonglong id) {
    runSave(dm, [&](Save& s) {
        const ResultSet doc = s.db().select("SELECT theNum, MNum, thePrice * theCount AS points, "
                                            "MID FROM UExchange WHERE (ID = ?) ",
                                            {id});
        if (doc.isEmpty()) {
            return;
        }
        const qlonglong member = documentMember(s.db(), doc.value(0, "MID"), doc.text(0, "MNum"));
        if (member > 0) {
            s.db().exec("UPDATE UMember SET theJF = theJF + ? WHERE (ID = ?) ",
                        {doc.value(0, "points").toDouble(), member});
        }
        // Only a live document is deleted: a second deletion from another station finds it
        // gone and rolls its own reversal back.
        if (s.db().exec("UPDATE UExchange SET theDel = '是' WHERE (ID = ?) AND (theDel = '否') ",
                        {id}) == 0) {
            throw Failure(alreadyDeletedText(doc.text(0, "theNum")));
        }
    });
}

} // namespace florist::storedvalue
