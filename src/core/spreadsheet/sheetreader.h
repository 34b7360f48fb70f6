#pragma once

#include "core/spreadsheet/sheet.h"

#include <QByteArray>
#include <QString>

namespace florist {

enum class SheetFormat { Xlsx, Xls, Csv };

// The kind of a file told by its first bytes, never by its name: a zip archive is an xlsx, an
// OLE2 compound file an xls, anything else csv text.
SheetFormat sniffSheetFormat(const QByteArray& head);

// Reads the sheet "Sheet1" of an xlsx or xls file (a csv file is its own Sheet1). Raises
// Failure with a message for the user when the file cannot be read, has no sheet Sheet1, is
// damaged, or exceeds the limits.
Sheet readSheet(const QString& path, const SheetLimits& limits = {});

// The same for a csv text held in memory: UTF-8 with or without BOM, or GBK.
Sheet readCsv(const QByteArray& bytes, const SheetLimits& limits = {});

// The messages of the readers, shared so that every reader words them alike.
QString unreadableFileText(const QString& path);
QString damagedFileText(const QString& path);
QString oversizedFileText(const QString& path);
QString noSheet1Text();

} // namespace florist
