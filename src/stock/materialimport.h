#pragma once

#include <QString>
#include <QStringList>

namespace florist {
class DataModule;
class SheetRow;
} // namespace florist

namespace florist::stock {

// The seven headings a material sheet carries, in the order the hint names them.
const QStringList& materialImportHeadings();
// The instruction above "打开".
QString materialImportHint();
// "成功导入花材数据 <count> 条！"
QString materialImportDoneText(int count);

// One sheet row: skipped (false) when its number is empty or held by a live material, otherwise
// inserted with the name's initials and counted. An empty price is 0; a price that is not a
// number raises Failure naming the column, so the import stops at that row.
bool importMaterialRow(DataModule& dm, const SheetRow& row);

} // namespace florist::stock
