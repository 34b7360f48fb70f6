#include "partners/partners.h"

#include "core/db/datamodule.h"
#include "core/db/resultset.h"
#include "core/save/saverunner.h"
#include "core/text/amount.h"
#include "core/text/gbk.h"
#include "core/text/numberinput.h"
#include "core/text/pinyin.h"
#include "stock/livekey.h"

namespace florist::partners {

namespace {

const QString kInsert =
    "INSERT INTO UWL (theType, theName, thePro, thePhone, theMob, theAdd, theYS, theYF, Remark, "
    "thePY, theDel, WName ) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '否', ?) ";

const QString kUpdate =
    "UPDATE UWL SET theType = ?, theName = ?, thePro = ?, thePhone = ?, theMob = ?, "
    "theAdd = ?, theYS = ?, theYF = ?, Remark = ?, thePY = ? WHERE (ID = ?) ";

struct Limit {
    QString word;
    int bytes;
    QString PartnerValues::*value;
};

const QList<Limit>& limits() {
    static const QList<Limit> list = {
        {"单位名称", 50, &PartnerValues::name},    {"联系人", 20, &PartnerValues::contact},
        {"电话号码", 30, &PartnerValues::phone},   {"手机号码", 30, &PartnerValues::mobile},
        {"联系地址", 50, &PartnerValues::address}, {"应收金额", 10, &PartnerValues::receivable},
        {"应付金额", 10, &PartnerValues::payable}, {"备注", 50, &PartnerValues::remark}};
    return list;
}

bool balanceReads(const QString& text) {
    return text.trimmed().isEmpty() || (isTypedNumber(text) && !text.contains('-'));
}

QString pinyinOf(const QString& name) {
    return GetPY(name, kPinyinMarkUnread, 255);
}

} // namespace

bool isDocumentMode(const QString& mode) {
    return mode == kModePurchase || mode == kModeSale || mode == kModeCollection ||
           mode == kModePayment;
}

QString presetType(const QString& mode) {
    if (mode == kModePurchase || mode == kModePayment) {
        return kSupplier;
    }
    if (mode == kModeSale || mode == kModeCollection) {
        return kCustomer;
    }
    return {};
}

const QStringList& partnerFieldHeadings() {
    static const QStringList headings = {"单位分类", "单位名称", "联系人",   "电话号码", "手机号码",
                                         "联系地址", "应收金额", "应付金额", "备注"};
    return headings;
}

FormOutcome checkPartner(const PartnerValues& v) {
    if (v.type.isEmpty()) {
        return FormOutcome::refused(emptyChoiceMessage("单位分类"), "单位分类");
    }
    if (v.name.isEmpty()) {
        return FormOutcome::refused(emptyTextMessage("单位名称"), "单位名称");
    }
    for (const Limit& limit : limits()) {
        if (gbkLength(v.*limit.value) > limit.bytes) {
            return FormOutcome::refused(tooLongMessage(limit.word, limit.bytes), limit.word);
        }
    }
    for (const auto& [word, text] : {std::pair{QString("应收金额"), v.receivable},
                                     std::pair{QString("应付金额"), v.payable}}) {
        if (!balanceReads(text)) {
            return FormOutcome::refused(notNumberMessage(word), word);
        }
    }
    return FormOutcome::success();
}

bool partnerNameTaken(DataModule& dm, const QString& name) {
    return stock::liveKeyTaken(dm.db(), "UWL", "theName", name);
}

qlonglong insertPartner(DataModule& dm, const PartnerValues& v, double receivable, double payable) {
    return dm
        .insert(kInsert, {v.type, v.name, v.contact, v.phone, v.mobile, v.address, receivable,
                          payable, v.remark, pinyinOf(v.name), dm.login().currentStore})
        .toLongLong();
}

PartnerSaveResult savePartner(DataModule& dm, const PartnerValues& v, qlonglong editId,
                              const QString& mode) {
    PartnerSaveResult result;
    result.outcome = checkPartner(v);
    if (!result.outcome.done) {
        return result;
    }
    result.receivable = parseTypedNumber(v.receivable, "应收金额");
    result.payable = parseTypedNumber(v.payable, "应付金额");
    runSave(dm, [&](Save& s) {
        if (editId > 0) {
            s.db().exec(kUpdate,
                        {v.type, v.name, v.contact, v.phone, v.mobile, v.address, result.receivable,
                         result.payable, v.remark, pinyinOf(v.name), editId});
            result.id = editId;
            return;
        }
        if (partnerNameTaken(dm, v.name)) {
            result.outcome = FormOutcome::refused("单位名称 重复，请重新录入！", "单位名称");
            return;
        }
        result.id = insertPartner(dm, v, result.receivable, result.payable);
    });
    if (result.outcome.done && mode.isEmpty()) {
        result.outcome.message = partnerSavedText();
    }
    return result;
}

void deletePartner(DataModule& dm, qlonglong id) {
    dm.myESQL("UPDATE UWL SET theDel = '是' WHERE (ID = ?)", {id});
}

PartnerValues partnerValuesFromRow(const QVariantMap& row) {
    QVariantMap folded;
    for (auto it = row.begin(); it != row.end(); ++it) {
        folded.insert(it.key().toLower(), it.value());
    }
    auto text = [&](const QString& heading) {
        return displayText(folded.value(heading.toLower()));
    };
    PartnerValues v;
    v.type = text("单位分类");
    v.name = text("单位名称");
    v.contact = text("联系人");
    v.phone = text("电话号码");
    v.mobile = text("手机号码");
    v.address = text("联系地址");
    v.receivable = text("应收金额");
    v.payable = text("应付金额");
    v.remark = text("备注");
    return v;
}

QVariantMap partnerFields(const PartnerValues& v, double receivable, double payable) {
    return {{"单位分类", v.type},
            {"单位名称", v.name},
            {"联系人", v.contact},
            {"电话号码", v.phone},
            {"手机号码", v.mobile},
            {"联系地址", v.address},
            {"应收金额", formatAmount(receivable)},
            {"应付金额", formatAmount(payable)},
            {"备注", v.remark}};
}

QString partnerSavedText() {
    return savedMessage("往来单位信息");
}

} // namespace florist::partners
