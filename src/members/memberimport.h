#pragma once

#include <QString>
#include <QStringList>

namespace florist {
class DataModule;
class SheetRow;
} // namespace florist

namespace florist::members {

// The eighteen headings a member sheet must carry, in the order the hint names them.
const QStringList& memberImportHeadings();
// The instruction above "打开": the sheet's name and every heading.
QString memberImportHint();
// "成功导入会员数据 <count> 条！"
QString memberImportDoneText(int count);

// One sheet row: skipped (false) when its card number is empty or held by a live member,
// otherwise inserted as a member of the current store with the sheet's points, purchase count,
// balance and last purchase date. A number column that is not a number, or a birthday that is
// not a month and day, raises Failure naming the column.
bool importMemberRow(DataModule& dm, const SheetRow& row);

} // namespace florist::members
