#include "stock/stocklists.h"

#include "core/formoutcome.h"
#include "core/search/builders.h"

namespace florist::stock {

using namespace search::build;
using search::Condition;
using search::SearchDescriptor;

SearchDescriptor stockQuerySpec() {
    SearchDescriptor s;
    s.objectName = "frmUHCKC";
    s.caption = "花材库存查询";
    s.from = "UHCKCVIEW";
    s.fixed = {"AND (theCount > 0) ", {}};
    // Here a changed input does not tick its box: only the person ticks.
    s.conditions = {
        equals(
            "花材分类", "theType", [](Loaders& l) { return l.DBComHCType(); }, false),
        contains("花材编号", {"theNum"}, false),
        contains("花材名称", {"theName", "thePY"}, false),
        equals(
            "花材单位", "theUnit", [](Loaders& l) { return l.DBComHCUnit(); }, false),
        contains("备        注", {"Remark"}, false),
        search::build::store(false, false),
        contains("采购单号", {"CGNum"}, false),
        lastMonth("采购日期", "myDate", false),
    };
    s.columns = {text("门店名称", "WName"),
                 text("采购单号", "CGNum", 120, true),
                 text("采购日期", "myDate", 0, true),
                 text("花材分类", "theType"),
                 text("花材编号", "theNum", 0, true),
                 text("花材名称", "theName"),
                 text("花材单位", "theUnit"),
                 number("采购单价", "thePrice", 80),
                 number("库存数量", "theCount"),
                 text("备注", "Remark"),
                 hidden("ID"),
                 hidden("HCID")};
    s.countCaption = "库存记录：";
    s.totals = {{"库存数量：", "SUM(theCount)", "库存数量", ""}};
    s.exportTitle = "花材库存表";
    return s;
}

namespace {

struct ListWords {
    QString code;   // UJH, ULY, UBS, UXS
    QString word;   // 采购, 领用, 报损, 销售
    QString prefix; // the caption's head: 花材 except for damage
};

ListWords wordsOf(DocumentKind kind) {
    switch (kind) {
    case DocumentKind::Purchase:
        return {"UJH", "采购", "花材"};
    case DocumentKind::Requisition:
        return {"ULY", "领用", "花材"};
    case DocumentKind::Damage:
        return {"UBS", "报损", ""};
    case DocumentKind::Sale:
        break;
    }
    return {"UXS", "销售", "花材"};
}

// The headers with their partner's name: one row per document.
QString headerSource(const DocumentConfig& c) {
    QString cols = "h.ID, h.theDate, h.UName, h.theDel, h.theNum, h.myDate, h.WName, h.theMoney, "
                   "h." +
                   c.personColumn + ", h.theZDR, h.Remark, h.theCount";
    if (!c.hasPartner) {
        return "(SELECT " + cols + " FROM " + c.header + " h) d";
    }
    cols += ", h.WID, h.MType, h.theFK, h.theYF, w.theName";
    return "(SELECT " + cols + " FROM " + c.header + " h LEFT JOIN UWL w ON w.ID = h.WID) d";
}

// The lines with their header's store, date and partner, and their material.
QString lineSource(const DocumentConfig& c) {
    QString cols = "l.ID, l.theNum, l.HCID, l.theCount, l.thePrice, l.Remark, h.theDel, h.WName, "
                   "h.myDate, m.theType, m.theNum AS HCNum, m.theName AS HCName, m.thePY, "
                   "m.theUnit";
    QString joins = " INNER JOIN " + c.header +
                    " h ON h.theNum = l.theNum LEFT JOIN UHC m ON m.ID "
                    "= l.HCID";
    if (c.hasPartner) {
        cols += ", w.theName";
        joins += " LEFT JOIN UWL w ON w.ID = h.WID";
    }
    return "(SELECT " + cols + " FROM " + c.lineTable + " l" + joins + ") d";
}

QString partnerHeading(const DocumentConfig& c) {
    return c.kind == DocumentKind::Purchase ? "供应商" : "客户名称";
}

QString personHeading(const DocumentConfig& c) {
    return fieldName(c.personCaption);
}

} // namespace

DocumentListName documentListName(DocumentKind kind, DocumentList list) {
    const ListWords w = wordsOf(kind);
    switch (list) {
    case DocumentList::Management:
        return {"frm" + w.code + "_M", w.prefix + w.word + "管理"};
    case DocumentList::Query:
        return {"frm" + w.code + "_Q", w.prefix + w.word + "查询"};
    case DocumentList::Lines:
        break;
    }
    return {"frm" + w.code + "_MX", w.prefix + w.word + "明细查询"};
}

SearchDescriptor documentListSpec(DocumentKind kind, DocumentList list) {
    const DocumentConfig& c = documentConfig(kind);
    const ListWords w = wordsOf(kind);
    const DocumentListName name = documentListName(kind, list);
    const QString dateHeading = fieldName(c.dateCaption);
    SearchDescriptor s;
    s.objectName = name.window;
    s.caption = name.caption;
    s.conditions = {search::build::store(false), contains("单        号", {"theNum"}),
                    lastMonth(dateHeading, "myDate")};
    if (c.hasPartner) {
        s.conditions << contains(c.partnerCaption.chopped(1), {"theName"});
    }
    if (list == DocumentList::Lines) {
        s.from = lineSource(c);
        s.conditions << contains("花材编号", {"HCNum"})
                     << contains("花材名称", {"HCName", "thePY"});
        s.columns = {text("门店名称", "WName"), text("单号", "theNum", 120, true),
                     text(dateHeading, "myDate", 0, true)};
        if (c.hasPartner) {
            s.columns << text(partnerHeading(c), "theName", 160);
        }
        s.columns << text("花材分类", "theType") << text("花材编号", "HCNum", 0, true)
                  << text("花材名称", "HCName") << text("花材单位", "theUnit")
                  << number("数量", "theCount", 60) << number("单价", "thePrice", 80)
                  << number("金额", "theCount * thePrice", 100) << text("备注", "Remark", 180)
                  << hidden("ID");
        s.countCaption = "明细数量：";
        s.totals = {{"数量：", "SUM(theCount)", "数量"},
                    {"金额：", "SUM(theCount * thePrice)", "金额"}};
        s.exportTitle = w.word + "明细表";
        return s;
    }
    s.from = headerSource(c);
    s.conditions << contains("备        注", {"Remark"})
                 << equals("录  入  人", "UName", [](Loaders& l) { return l.DBComUser(); });
    s.columns = {text("门店名称", "WName"), text("单号", "theNum", 120, true),
                 text(dateHeading, "myDate", 0, true)};
    if (c.hasPartner) {
        s.columns << text(partnerHeading(c), "theName", 160);
    }
    s.columns << number("合计数量", "theCount", 80) << number("合计金额", "theMoney", 80);
    if (c.hasPartner) {
        s.columns << number(fieldName(c.paidCaption), "theFK", 80)
                  << number(fieldName(c.owingCaption), "theYF", 80)
                  << text(fieldName(c.methodCaption), "MType");
    }
    s.columns << text(personHeading(c), c.personColumn) << text("制单人", "theZDR")
              << text("备注", "Remark", 200) << text("录入日期", "theDate", 0, true)
              << text("录入人", "UName") << hidden("ID");
    s.countCaption = w.word + "单数量：";
    s.totals = {{"合计数量：", "SUM(theCount)", "合计数量"},
                {"合计金额：", "SUM(theMoney)", "合计金额"}};
    if (c.hasPartner) {
        const QString paid = fieldName(c.paidCaption);
        const QString owing = fieldName(c.owingCaption);
        s.totals << search::Total{paid + "：", "SUM(theFK)", paid}
                 << search::Total{owing + "：", "SUM(theYF)", owing};
    }
    s.exportTitle = w.word + "单表";
    return s;
}

} // namespace florist::stock
