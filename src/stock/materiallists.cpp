#include "stock/materiallists.h"

#include "core/db/loaders.h"

namespace florist::stock {

using search::Column;
using search::ColumnKind;
using search::Condition;
using search::InputKind;
using search::Match;
using search::SearchDescriptor;

namespace {

Column column(const QString& heading, const QString& field, int width = 0,
              ColumnKind kind = ColumnKind::Text) {
    Column c;
    c.heading = heading;
    c.field = field;
    c.width = width;
    c.kind = kind;
    return c;
}

Condition condition(const QString& caption, InputKind kind, Match match,
                    const QStringList& fields) {
    Condition c;
    c.caption = caption;
    c.kind = kind;
    c.match = match;
    c.fields = fields;
    return c;
}

} // namespace

SearchDescriptor materialManagementSpec() {
    SearchDescriptor s;
    s.objectName = "frmUHC_M";
    s.caption = "花材管理";
    s.from = "UHC";
    Condition type = condition("花材分类", InputKind::List, Match::Equals, {"theType"});
    type.loader = [](Loaders& l) { return l.DBComHCType(); };
    Condition unit = condition("花材单位", InputKind::List, Match::Equals, {"theUnit"});
    unit.loader = [](Loaders& l) { return l.DBComHCUnit(); };
    s.conditions = {type, condition("花材编号", InputKind::Text, Match::Contains, {"theNum"}),
                    condition("花材名称", InputKind::Text, Match::Contains, {"theName", "thePY"}),
                    unit, condition("备        注", InputKind::Text, Match::Contains, {"Remark"})};
    Column number = column("花材编号", "theNum");
    number.exportAsText = true;
    Column id = column("ID", "ID", 0, ColumnKind::Number);
    id.hidden = true;
    // The name column reads a name of 20 bytes (ten characters) whole.
    s.columns = {column("花材分类", "theType"),
                 number,
                 column("花材名称", "theName", 140),
                 column("花材单位", "theUnit"),
                 column("采购单价", "theCG", 80, ColumnKind::Number),
                 column("销售单价", "theXS", 80, ColumnKind::Number),
                 column("备注", "Remark"),
                 id};
    s.countCaption = "花材数量：";
    s.exportTitle = "花材表";
    s.exportLandscape = false;
    return s;
}

SearchDescriptor materialQuerySpec() {
    SearchDescriptor s = materialManagementSpec();
    s.objectName = "frmUHC_Q";
    s.caption = "花材查询";
    return s;
}

} // namespace florist::stock
