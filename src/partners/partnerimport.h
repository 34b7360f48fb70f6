#pragma once

#include <QString>
#include <QStringList>

namespace florist {
class DataModule;
class SheetRow;
} // namespace florist

namespace florist::partners {

// The nine headings a partner sheet carries, in the order the hint names them.
const QStringList& partnerImportHeadings();
// The instruction above "打开".
QString partnerImportHint();
// "成功导入往来单位数据 <count> 条！"
QString partnerImportDoneText(int count);

// One sheet row: skipped (false) when its name is empty or held by a live partner, otherwise
// inserted as a partner of the logged-in store with the sheet's balances (empty: 0) and counted.
// A balance that is not a number raises Failure naming the column.
bool importPartnerRow(DataModule& dm, const SheetRow& row);

} // namespace florist::partners
