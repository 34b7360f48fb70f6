#include "stock/stockdocument.h"

#include "core/db/datamodule.h"
#include "core/formoutcome.h"
#include "core/save/decrement.h"
#include "core/save/saverunner.h"
#include "core/search/searchdescriptor.h"
#include "core/text/amount.h"
#include "core/text/gbk.h"
#include "core/text/numberinput.h"

#include <QHash>
#include <QRegularExpression>

namespace florist::stock {

namespace {

DocumentConfig purchase() {
    DocumentConfig c;
    c.kind = DocumentKind::Purchase;
    c.window = "frmUJH_In";
    c.caption = "花材采购录入";
    c.header = "UCG";
    c.lineTable = "UCG_List";
    c.prefix = "CG";
    c.personColumn = "theFKR";
    c.subject = "花材采购";
    c.findMode = "JH";
    c.hasPartner = true;
    c.partnerWord = "供应商";
    c.excludedType = "客户";
    c.balanceColumn = "theYF";
    c.catalogPriceColumn = "theCG";
    c.priceEditable = true;
    c.firstGroup = "供应商信息";
    c.dateCaption = "采购日期：";
    c.partnerCaption = "供  应  商：";
    c.personCaption = "付  款  人：";
    c.moneyGroup = "付款信息";
    c.paidCaption = "付款金额：";
    c.owingCaption = "应付金额：";
    c.methodCaption = "付款方式：";
    return c;
}

DocumentConfig requisition() {
    DocumentConfig c;
    c.kind = DocumentKind::Requisition;
    c.window = "frmULY_In";
    c.caption = "花材领用录入";
    c.header = "ULY";
    c.lineTable = "ULY_List";
    c.prefix = "LY";
    c.personColumn = "theLYR";
    c.subject = "花材领用";
    c.findMode = "LY";
    c.takesLots = true;
    c.firstGroup = "领用信息";
    c.dateCaption = "领用日期：";
    c.personCaption = "领  用  人：";
    c.lotPriceField = "thePrice";
    c.lotPriceHeading = "采购单价";
    return c;
}

DocumentConfig damage() {
    DocumentConfig c = requisition();
    c.kind = DocumentKind::Damage;
    c.window = "frmUBS_In";
    c.caption = "报损录入";
    c.header = "UBS";
    c.lineTable = "UBS_List";
    c.prefix = "BS";
    c.personColumn = "theBSR";
    c.subject = "花材报损";
    c.findMode = "BS";
    c.firstGroup = "报损信息";
    c.dateCaption = "报损日期：";
    c.personCaption = "报  损  人：";
    return c;
}

DocumentConfig sale() {
    DocumentConfig c = purchase();
    c.kind = DocumentKind::Sale;
    c.window = "frmUXS_In";
    c.caption = "花材销售录入";
    c.header = "UXS";
    c.lineTable = "UXS_List";
    c.prefix = "XS";
    c.personColumn = "theSKR";
    c.subject = "花材销售";
    c.findMode = "XS";
    c.partnerWord = "客户";
    c.excludedType = "供应商";
    c.balanceColumn = "theYS";
    c.catalogPriceColumn = "theXS";
    c.takesLots = true;
    c.firstGroup = "客户信息";
    c.dateCaption = "销售日期：";
    c.partnerCaption = "客户名称：";
    c.personCaption = "收  款  人：";
    c.moneyGroup = "收款信息";
    c.paidCaption = "收款金额：";
    c.owingCaption = "应收金额：";
    c.methodCaption = "收款方式：";
    c.lotPriceField = "theXS";
    c.lotPriceHeading = "销售单价";
    return c;
}

QString captionWord(const QString& caption) {
    return fieldName(caption);
}

// A quantity is a whole number of digits (the cell takes nothing else); a price digits with at
// most one ".". Text that reached a cell otherwise counts as not a number.
bool isWholeNumber(const QString& text) {
    static const QRegularExpression digits("^[0-9]+$");
    return text.trimmed().isEmpty() || digits.match(text.trimmed()).hasMatch();
}

bool isUnsignedNumber(const QString& text) {
    const QString t = text.trimmed();
    return t.isEmpty() || (!t.startsWith('-') && isTypedNumber(t));
}

DocumentSaveResult refused(const QString& message, DocumentFocus focus, int line = -1) {
    DocumentSaveResult r;
    r.message = message;
    r.focus = focus;
    r.line = line;
    return r;
}

struct LineValues {
    int index;
    double quantity;
    double price;
};

} // namespace

const DocumentConfig& documentConfig(DocumentKind kind) {
    static const QHash<int, DocumentConfig> configs{{int(DocumentKind::Purchase), purchase()},
                                                    {int(DocumentKind::Requisition), requisition()},
                                                    {int(DocumentKind::Damage), damage()},
                                                    {int(DocumentKind::Sale), sale()}};
    return *configs.find(int(kind));
}

const QList<DocumentKind>& allDocumentKinds() {
    static const QList<DocumentKind> kinds{DocumentKind::Purchase, DocumentKind::Requisition,
                                           DocumentKind::Damage, DocumentKind::Sale};
    return kinds;
}

DocumentLine lineFromMaterial(qlonglong id, const QString& number, const QString& name,
                              const QString& unit, double purchasePrice) {
    DocumentLine l;
    l.materialId = id;
    l.materialNumber = number;
    l.materialName = name;
    l.unit = unit;
    l.quantity = "1";
    l.price = displayText(purchasePrice);
    return l;
}

DocumentLine lineFromLot(DocumentKind kind, const QVariantMap& row) {
    DocumentLine l;
    l.materialId = row.value("HCID").toLongLong();
    l.lotId = row.value("ID").toLongLong();
    l.lotQuantity = row.value("库存数量").toDouble();
    l.materialNumber = displayText(row.value("花材编号"));
    l.materialName = displayText(row.value("花材名称"));
    l.unit = displayText(row.value("花材单位"));
    l.quantity = "1";
    l.price = displayText(row.value(documentConfig(kind).lotPriceHeading));
    return l;
}

double lineAmount(const DocumentLine& line) {
    return parseAmount(line.quantity) * parseAmount(line.price);
}

QString amountText(double amount) {
    return QString::number(amount, 'g', 15);
}

DocumentTotals documentTotals(const QList<DocumentLine>& lines) {
    DocumentTotals t;
    for (const DocumentLine& l : lines) {
        if (l.filled()) {
            t.quantity += parseAmount(l.quantity);
            t.amount += lineAmount(l);
        }
    }
    return t;
}

DocumentSaveResult saveDocument(DataModule& dm, const StockDocument& doc) {
    const DocumentConfig& c = documentConfig(doc.kind);
    if (c.hasPartner && doc.partnerId == 0) {
        return refused(emptyChoiceMessage(c.partnerWord), DocumentFocus::Partner);
    }
    QList<LineValues> values;
    for (int i = 0; i < doc.lines.size() && i < kLineCount; ++i) {
        const DocumentLine& l = doc.lines.at(i);
        if (!l.filled()) {
            continue;
        }
        const QString head = l.materialNumber + " " + l.materialName + " ";
        if (!isWholeNumber(l.quantity)) {
            return refused(notNumberMessage(head + "数量"), DocumentFocus::Quantity, i);
        }
        if (!isUnsignedNumber(l.price)) {
            return refused(notNumberMessage(head + "单价"), DocumentFocus::Price, i);
        }
        if (gbkLength(l.remark) > kLineRemarkBytes) {
            return refused(tooLongMessage(head + "备注", kLineRemarkBytes),
                           DocumentFocus::LineRemark, i);
        }
        values << LineValues{i, parseAmount(l.quantity), parseAmount(l.price)};
    }
    if (values.isEmpty()) {
        return refused("花材信息 不能为空！请重新选择！", DocumentFocus::Grid);
    }
    if (c.takesLots) {
        // The quantity seen when the lot was picked; the save checks the lot again as it is then.
        for (const LineValues& v : values) {
            const DocumentLine& l = doc.lines.at(v.index);
            if (v.quantity > l.lotQuantity) {
                return refused(l.materialNumber + " " + l.materialName + " 库存不足！",
                               DocumentFocus::Quantity, v.index);
            }
        }
    }
    double paid = 0;
    if (c.hasPartner) {
        const QString word = captionWord(c.paidCaption);
        if (gbkLength(doc.paid) > 10) {
            return refused(tooLongMessage(word, 10), DocumentFocus::Paid);
        }
        if (!isUnsignedNumber(doc.paid)) {
            return refused(notNumberMessage(word), DocumentFocus::Paid);
        }
        paid = parseAmount(doc.paid);
    }
    if (gbkLength(doc.remark) > 100) {
        return refused(tooLongMessage("备注", 100), DocumentFocus::Remark);
    }

    double totalQuantity = 0;
    double totalAmount = 0;
    for (const LineValues& v : values) {
        totalQuantity += v.quantity;
        totalAmount += v.quantity * v.price;
    }
    const double owing = totalAmount - paid;
    const QString capital = dm.NumToChar(totalAmount);
    const LoginValues& login = dm.login();

    DocumentSaveResult result;
    try {
        result.number = runSave(dm, [&](Save& s) {
            Database& db = s.db();
            const QString number = s.number(c.header, c.prefix);
            for (const LineValues& v : values) {
                const DocumentLine& l = doc.lines.at(v.index);
                db.exec("INSERT INTO " + c.lineTable +
                            " (theNum, HCID, theCount, thePrice, Remark) VALUES (?, ?, ?, ?, ?) ",
                        {number, l.materialId, v.quantity, v.price, l.remark});
                if (c.takesLots) {
                    withdrawLot(db, l.lotId, v.quantity, l.materialNumber, l.materialName);
                } else {
                    db.exec("INSERT INTO UHCKC (WName, CGNum, HCID, theCount, thePrice, myDate) "
                            "VALUES (?, ?, ?, ?, ?, ?) ",
                            {doc.store, number, l.materialId, v.quantity, v.price, doc.date});
                }
                if (!c.catalogPriceColumn.isEmpty()) {
                    db.exec("UPDATE UHC SET " + c.catalogPriceColumn + " = ? WHERE (ID = ?)",
                            {v.price, l.materialId});
                }
            }
            if (c.hasPartner) {
                db.exec("UPDATE UWL SET " + c.balanceColumn + " = " + c.balanceColumn +
                            " + ? WHERE (ID = ?) ",
                        {owing, doc.partnerId});
                db.exec("INSERT INTO " + c.header +
                            " (theDate, UName, theDel, theNum, myDate, WID, WName, theMoney, "
                            "MType, " +
                            c.personColumn +
                            ", theZDR, Remark, theDX, theCount, theFK, theYF ) VALUES (?, ?, "
                            "'否', ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) ",
                        {login.businessDate, login.currentUser, number, doc.date, doc.partnerId,
                         doc.store, totalAmount, doc.paymentMethod, doc.person, doc.preparer,
                         doc.remark, capital, totalQuantity, paid, owing});
            } else {
                db.exec("INSERT INTO " + c.header +
                            " (theDate, UName, theDel, theNum, myDate, WName, theMoney, " +
                            c.personColumn +
                            ", theZDR, Remark, theDX, theCount ) VALUES (?, ?, '否', ?, ?, ?, ?, "
                            "?, ?, ?, ?, ?) ",
                        {login.businessDate, login.currentUser, number, doc.date, doc.store,
                         totalAmount, doc.person, doc.preparer, doc.remark, capital,
                         totalQuantity});
            }
            return number;
        });
    } catch (const Shortfall& s) {
        // Another station took the lot meanwhile: the whole save was rolled back.
        for (const LineValues& v : values) {
            if (doc.lines.at(v.index).lotId == s.rowId()) {
                return refused(s.text(), DocumentFocus::Quantity, v.index);
            }
        }
        return refused(s.text(), DocumentFocus::Grid);
    }
    result.done = true;
    result.message = savedMessage(c.subject);
    return result;
}

ResultSet lotSearch(Database& db, DocumentKind kind, const QString& store,
                    const QList<qlonglong>& excludedLots, const QString& text) {
    const DocumentConfig& c = documentConfig(kind);
    const Dialect& d = db.dialect();
    QVariantList params{store};
    QString exclusion;
    if (!excludedLots.isEmpty()) {
        exclusion = " AND (ID NOT IN (" + QStringList(excludedLots.size(), "?").join(", ") + "))";
        for (qlonglong id : excludedLots) {
            params << id;
        }
    }
    const QString pattern = search::containsPattern(text);
    params << pattern << pattern << pattern;
    return db.select("SELECT WName AS 门店名称, CGNum AS 采购单号, myDate AS 采购日期, theType AS "
                     "花材分类, theNum AS 花材编号, theName AS 花材名称, theUnit AS 花材单位, " +
                         c.lotPriceField + " AS " + c.lotPriceHeading +
                         ", theCount AS 库存数量, Remark AS 备注, ID, HCID FROM UHCKCVIEW WHERE "
                         "(theDel = '否') AND (theCount > 0) AND (WName = ?) " +
                         exclusion + "AND ((" + search::likeTerm("theName", d) + ") OR (" +
                         search::likeTerm("thePY", d) + ") OR (" + search::likeTerm("theNum", d) +
                         ")) ",
                     params);
}

} // namespace florist::stock
