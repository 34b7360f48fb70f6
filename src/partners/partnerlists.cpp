#include "partners/partnerlists.h"

#include "core/db/loaders.h"

namespace florist::partners {

using search::Column;
using search::ColumnKind;
using search::Condition;
using search::InputKind;
using search::Match;
using search::SearchDescriptor;

namespace {

Column column(const QString& heading, const QString& field, int width = 0,
              ColumnKind kind = ColumnKind::Text, bool asText = false) {
    Column c;
    c.heading = heading;
    c.field = field;
    c.width = width;
    c.kind = kind;
    c.exportAsText = asText;
    return c;
}

Condition text(const QString& caption, const QStringList& fields) {
    Condition c;
    c.caption = caption;
    c.kind = InputKind::Text;
    c.match = Match::Contains;
    c.fields = fields;
    return c;
}

Condition list(const QString& caption, const QString& field,
               std::function<QStringListModel*(Loaders&)> loader) {
    Condition c;
    c.caption = caption;
    c.kind = InputKind::List;
    c.match = Match::Equals;
    c.fields = {field};
    c.loader = std::move(loader);
    return c;
}

} // namespace

SearchDescriptor partnerManagementSpec() {
    SearchDescriptor s;
    s.objectName = "frmUWL_M";
    s.caption = "往来单位管理";
    s.from = "UWL";
    s.conditions = {list("单位分类", "theType", [](Loaders& l) { return l.DBComWLType(); }),
                    text("单位名称", {"theName", "thePY"}),
                    text("联  系  人", {"thePro"}),
                    text("电话号码", {"thePhone"}),
                    text("手机号码", {"theMob"}),
                    text("联系地址", {"theAdd"}),
                    text("备        注", {"Remark"}),
                    list("门店名称", "WName", [](Loaders& l) { return l.DBComWare(); })};
    Column id = column("ID", "ID", 0, ColumnKind::Number);
    id.hidden = true;
    // The phone column reads a number with its area code ("0571-88888888") whole.
    s.columns = {column("门店名称", "WName"),
                 column("单位分类", "theType"),
                 column("单位名称", "theName", 160),
                 column("联系人", "thePro", 80),
                 column("电话号码", "thePhone", 110, ColumnKind::Text, true),
                 column("手机号码", "theMob", 100, ColumnKind::Text, true),
                 column("联系地址", "theAdd", 160),
                 column("应收金额", "theYS", 80, ColumnKind::Number),
                 column("应付金额", "theYF", 80, ColumnKind::Number),
                 column("备注", "Remark"),
                 id};
    s.countCaption = "往来单位数量：";
    s.totals = {{"应收金额：", "SUM(theYS)", "应收金额"}, {"应付金额：", "SUM(theYF)", "应付金额"}};
    s.exportTitle = "往来单位表";
    return s;
}

SearchDescriptor partnerQuerySpec() {
    SearchDescriptor s = partnerManagementSpec();
    s.objectName = "frmUWL_Q";
    s.caption = "往来单位查询";
    return s;
}

} // namespace florist::partners
