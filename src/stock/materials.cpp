#include "stock/materials.h"

#include "core/db/datamodule.h"
#include "core/db/resultset.h"
#include "core/errors.h"
#include "core/save/saverunner.h"
#include "core/text/gbk.h"
#include "core/text/numberinput.h"
#include "core/text/pinyin.h"
#include "stock/livekey.h"

namespace florist::stock {

namespace {

const QString kInsert =
    "INSERT INTO UHC (theType, theNum, theName, theUnit, theCG, theXS, Remark, thePY, theDel) "
    "VALUES (?, ?, ?, ?, ?, ?, ?, ?, '否') ";

const QString kUpdate = "UPDATE UHC SET theType = ?, theNum = ?, theName = ?, theUnit = ?, "
                        "theCG = ?, theXS = ?, Remark = ?, thePY = ? WHERE (ID = ?) ";

struct Limit {
    QString word;
    int bytes;
    QString MaterialValues::*value;
};

const QList<Limit>& limits() {
    static const QList<Limit> list = {{"花材编号", 14, &MaterialValues::number},
                                      {"花材名称", 20, &MaterialValues::name},
                                      {"采购单价", 10, &MaterialValues::purchasePrice},
                                      {"销售单价", 10, &MaterialValues::salePrice},
                                      {"备注", 50, &MaterialValues::remark}};
    return list;
}

QString pinyinOf(const QString& name) {
    return GetPY(name, kPinyinMarkUnread, 255);
}

// A price as its field takes it: empty, or digits with at most one "." (no sign: the field's
// keys have none).
bool priceReads(const QString& text) {
    return text.trimmed().isEmpty() || (isTypedNumber(text) && !text.contains('-'));
}

} // namespace

FormOutcome checkMaterial(const MaterialValues& v) {
    if (v.type.isEmpty()) {
        return FormOutcome::refused(emptyChoiceMessage("花材分类"), "花材分类");
    }
    if (v.number.isEmpty()) {
        return FormOutcome::refused(emptyTextMessage("花材编号"), "花材编号");
    }
    if (v.name.isEmpty()) {
        return FormOutcome::refused(emptyTextMessage("花材名称"), "花材名称");
    }
    if (v.unit.isEmpty()) {
        return FormOutcome::refused(emptyChoiceMessage("花材单位"), "花材单位");
    }
    for (const Limit& limit : limits()) {
        if (gbkLength(v.*limit.value) > limit.bytes) {
            return FormOutcome::refused(tooLongMessage(limit.word, limit.bytes), limit.word);
        }
    }
    for (const auto& [word, text] : {std::pair{QString("采购单价"), v.purchasePrice},
                                     std::pair{QString("销售单价"), v.salePrice}}) {
        if (!priceReads(text)) {
            return FormOutcome::refused(notNumberMessage(word), word);
        }
    }
    return FormOutcome::success();
}

bool materialNumberTaken(DataModule& dm, const QString& number) {
    return liveKeyTaken(dm.db(), "UHC", "theNum", number);
}

qlonglong insertMaterial(DataModule& dm, const MaterialValues& v, double purchasePrice,
                         double salePrice) {
    return dm
        .insert(kInsert, {v.type, v.number, v.name, v.unit, purchasePrice, salePrice, v.remark,
                          pinyinOf(v.name)})
        .toLongLong();
}

MaterialSaveResult saveMaterial(DataModule& dm, const MaterialValues& v, qlonglong editId) {
    MaterialSaveResult result;
    result.outcome = checkMaterial(v);
    if (!result.outcome.done) {
        return result;
    }
    const double purchase = parseTypedNumber(v.purchasePrice, "采购单价");
    const double sale = parseTypedNumber(v.salePrice, "销售单价");
    runSave(dm, [&](Save& s) {
        if (editId > 0) {
            s.db().exec(kUpdate, {v.type, v.number, v.name, v.unit, purchase, sale, v.remark,
                                  pinyinOf(v.name), editId});
            result.id = editId;
            return;
        }
        if (materialNumberTaken(dm, v.number)) {
            result.outcome = FormOutcome::refused("花材编号 重复，请重新录入！", "花材编号");
            return;
        }
        result.id = insertMaterial(dm, v, purchase, sale);
    });
    if (result.outcome.done) {
        result.outcome.message = materialSavedText();
    }
    return result;
}

void deleteMaterial(DataModule& dm, qlonglong id) {
    dm.myESQL("UPDATE UHC SET theDel = '是' WHERE (ID = ?)", {id});
}

MaterialValues materialValuesFromRow(const QVariantMap& row) {
    QVariantMap folded;
    for (auto it = row.begin(); it != row.end(); ++it) {
        folded.insert(it.key().toLower(), it.value());
    }
    auto text = [&](const QString& heading) {
        return displayText(folded.value(heading.toLower()));
    };
    MaterialValues v;
    v.type = text("花材分类");
    v.number = text("花材编号");
    v.name = text("花材名称");
    v.unit = text("花材单位");
    v.purchasePrice = text("采购单价");
    v.salePrice = text("销售单价");
    v.remark = text("备注");
    return v;
}

QString materialSavedText() {
    return savedMessage("花材信息");
}

} // namespace florist::stock
