#include "partners/partnerpayment.h"

#include "core/db/datamodule.h"
#include "core/formoutcome.h"
#include "core/save/saverunner.h"
#include "core/search/builders.h"
#include "core/text/gbk.h"
#include "core/text/numberinput.h"

namespace florist::partners {

namespace {

PaymentConfig collection() {
    PaymentConfig c;
    c.direction = Direction::Collection;
    c.entryWindow = "frmUSK_In";
    c.entryCaption = "往来单位收款录入";
    c.managementWindow = "frmUSK_M";
    c.managementCaption = "往来单位收款管理";
    c.queryWindow = "frmUSK_Q";
    c.queryCaption = "往来单位收款查询";
    c.table = "USK";
    c.view = "USKVIEW";
    c.prefix = "SK";
    c.personColumn = "theSKR";
    c.balanceColumn = "theYS";
    c.excludedType = "供应商";
    c.presetType = "客户";
    c.mode = "SK";
    c.partnerWord = "客户";
    c.subject = "往来单位收款";
    c.firstGroup = "客户信息";
    c.dateCaption = "收款日期：";
    c.partnerCaption = "客户名称：";
    c.moneyGroup = "收款信息";
    c.amountCaption = "收款金额：";
    c.methodCaption = "收款方式：";
    c.personCaption = "收  款  人：";
    c.dateHeading = "收款日期";
    c.partnerHeading = "客户名称";
    c.amountHeading = "收款金额";
    c.methodHeading = "收款方式";
    c.personHeading = "收款人";
    c.partnerCondition = "客户名称";
    c.personCondition = "收  款  人";
    c.countCaption = "收款数量：";
    c.exportTitle = "收款表";
    return c;
}

PaymentConfig payment() {
    PaymentConfig c;
    c.direction = Direction::Payment;
    c.entryWindow = "frmUFK_In";
    c.entryCaption = "往来单位付款录入";
    c.managementWindow = "frmUFK_M";
    c.managementCaption = "往来单位付款管理";
    c.queryWindow = "frmUFK_Q";
    c.queryCaption = "往来单位付款查询";
    c.table = "UFK";
    c.view = "UFKVIEW";
    c.prefix = "FK";
    c.personColumn = "theFKR";
    c.balanceColumn = "theYF";
    c.excludedType = "客户";
    c.presetType = "供应商";
    c.mode = "FK";
    c.partnerWord = "供应商";
    c.subject = "往来单位付款";
    c.firstGroup = "供应商信息";
    c.dateCaption = "付款日期：";
    c.partnerCaption = "供  应  商：";
    c.moneyGroup = "付款信息";
    c.amountCaption = "付款金额：";
    c.methodCaption = "付款方式：";
    c.personCaption = "付  款  人：";
    c.dateHeading = "付款日期";
    c.partnerHeading = "供应商";
    c.amountHeading = "付款金额";
    c.methodHeading = "付款方式";
    c.personHeading = "付款人";
    c.partnerCondition = "供  应  商";
    c.personCondition = "付  款  人";
    c.countCaption = "付款数量：";
    c.exportTitle = "付款表";
    return c;
}

PaymentSaveResult refused(const QString& message, PaymentFocus focus) {
    PaymentSaveResult r;
    r.message = message;
    r.focus = focus;
    return r;
}

} // namespace

const PaymentConfig& paymentConfig(Direction direction) {
    static const PaymentConfig c = collection();
    static const PaymentConfig p = payment();
    return direction == Direction::Collection ? c : p;
}

PaymentSaveResult savePayment(DataModule& dm, Direction direction, const PaymentValues& v) {
    const PaymentConfig& c = paymentConfig(direction);
    const QString word = fieldName(c.amountCaption);
    if (v.partnerId == 0) {
        return refused(emptyChoiceMessage(c.partnerWord), PaymentFocus::Partner);
    }
    if (v.amount.isEmpty()) {
        return refused(emptyTextMessage(word), PaymentFocus::Amount);
    }
    if (v.amount == "0") {
        return refused(zeroMessage(word), PaymentFocus::Amount);
    }
    // The field takes 10 bytes of digits and "."; text that reached it otherwise is refused.
    if (gbkLength(v.amount) > 10) {
        return refused(tooLongMessage(word, 10), PaymentFocus::Amount);
    }
    if (v.amount.trimmed().startsWith('-') || !isTypedNumber(v.amount)) {
        return refused(notNumberMessage(word), PaymentFocus::Amount);
    }
    if (gbkLength(v.remark) > 100) {
        return refused(tooLongMessage("备注", 100), PaymentFocus::Remark);
    }
    const double amount = v.amount.trimmed().toDouble();
    const QString capital = dm.NumToChar(amount);
    const LoginValues& login = dm.login();

    PaymentSaveResult r;
    r.number = runSave(dm, [&](Save& s) {
        const QString number = s.number(c.table, c.prefix);
        s.db().exec("UPDATE UWL SET " + c.balanceColumn + " = " + c.balanceColumn +
                        " - ? WHERE (ID = ?) ",
                    {amount, v.partnerId});
        s.db().exec("INSERT INTO " + c.table +
                        " (theDate, UName, theDel, theNum, myDate, WID, WName, theMoney, MType, " +
                        c.personColumn +
                        ", theZDR, Remark, theDX ) VALUES (?, ?, '否', ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                        "? ) ",
                    {login.businessDate, login.currentUser, number, v.date, v.partnerId,
                     login.currentStore, amount, v.method, v.person, v.preparer, v.remark,
                     capital});
        return number;
    });
    r.done = true;
    r.message = savedMessage(c.subject);
    return r;
}

QString alreadyDeletedText() {
    return "该单据已被删除！";
}

bool deletePayment(DataModule& dm, Direction direction, qlonglong id) {
    const PaymentConfig& c = paymentConfig(direction);
    struct AlreadyDeleted {};
    try {
        runSave(dm, [&](Save& s) {
            Database& db = s.db();
            const ResultSet row = db.select("SELECT theMoney, WID FROM " + c.table +
                                                " WHERE (ID = ?) AND (theDel = '否')",
                                            {id});
            if (row.isEmpty()) {
                throw AlreadyDeleted{};
            }
            db.exec("UPDATE UWL SET " + c.balanceColumn + " = " + c.balanceColumn +
                        " + ? WHERE (ID = ?) ",
                    {row.value(0, 0).toDouble(), row.value(0, 1).toLongLong()});
            // Guarded on the flag as it is now: when another station deleted the row since it
            // was read, nothing is flagged and the amount given back above is rolled back.
            if (db.exec("UPDATE " + c.table +
                            " SET theDel = '是' WHERE (ID = ?) AND (theDel = '否')",
                        {id}) == 0) {
                throw AlreadyDeleted{};
            }
        });
    } catch (const AlreadyDeleted&) {
        return false;
    }
    return true;
}

search::SearchDescriptor paymentListSpec(Direction direction, bool management,
                                         const QString& store) {
    using namespace search::build;
    const PaymentConfig& c = paymentConfig(direction);
    search::SearchDescriptor s;
    s.objectName = management ? c.managementWindow : c.queryWindow;
    s.caption = management ? c.managementCaption : c.queryCaption;
    s.from = c.view;
    s.conditions = {
        search::build::store(true),
        contains("单        号", {"theNum"}),
        lastMonth(c.dateHeading, "myDate"),
        contains(c.partnerCondition, {"theName"}),
        equals(c.methodHeading, "MType", [](Loaders& l) { return l.DBComSK(); }),
        staff(c.personCondition, c.personColumn, store),
        staff("制  单  人", "theZDR", store),
        contains("备        注", {"Remark"}),
        equals("录  入  人", "UName", [](Loaders& l) { return l.DBComUser(); }),
    };
    s.columns = {text("门店名称", "WName"),
                 text("单号", "theNum", 120, true),
                 text(c.dateHeading, "myDate", 0, true),
                 text(c.partnerHeading, "theName", 160),
                 number(c.amountHeading, "theMoney", 80),
                 text(c.methodHeading, "MType"),
                 text(c.personHeading, c.personColumn),
                 text("制单人", "theZDR"),
                 text("备注", "Remark", 200),
                 text("录入日期", "theDate", 0, true),
                 text("录入人", "UName"),
                 hidden("ID"),
                 hidden("WID")};
    s.countCaption = c.countCaption;
    s.totals = {{c.amountCaption, "SUM(theMoney)", c.amountHeading}};
    s.exportTitle = c.exportTitle;
    return s;
}

} // namespace florist::partners
