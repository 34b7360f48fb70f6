#pragma once

#include "core/spreadsheet/sheet.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace florist {

enum class SheetFormat { Xlsx, Xls, Csv };

// The kind of a file told by its first bytes, never by its name: a zip archive is an xlsx, an
// OLE2 compound file an xls, anything else csv text.
SheetFormat sniffSheetFormat(const QByteArray& head);

// Told about twenty times a second while a file is read: the share done, 0..1000 (-1 when not
// known yet). Returns false to cancel the reading.
using SheetWait = std::function<bool(int permille)>;

// Reads the sheet "Sheet1" of an xlsx or xls file (a csv file is its own Sheet1) in a helper
// process with its own memory and time limit, so that a damaged or hostile file can neither
// crash nor exhaust the program: a crash, a limit or a timeout there is the damaged-file
// Failure. Raises Failure with a message for the user when the file cannot be read, has no
// sheet Sheet1, is damaged, or exceeds the limits. Returns nothing when wait cancelled it.
std::optional<Sheet> readSheet(const QString& path, const SheetLimits& limits,
                               const SheetWait& wait);
Sheet readSheet(const QString& path, const SheetLimits& limits = {});

// The same reading in this process: what the helper process runs.
Sheet readSheetHere(const QString& path, const SheetLimits& limits = {},
                    const ReadProgress& progress = {});

// The same for a csv text held in memory: UTF-8 with or without BOM, UTF-16 with BOM, or GBK.
Sheet readCsv(const QByteArray& bytes, const SheetLimits& limits = {});

// The helper process: its program file (empty when it cannot be found), and its entry, which
// reads the file named by the arguments and writes the sheet or the failure to stdout.
QString sheetHelperProgram();
// Tests: runs another program as the helper (one that crashes, say); empty restores the
// helper of the build.
void setSheetHelperProgram(const QString& program);
int runSheetHelper(const QStringList& arguments);

// The messages of the readers, shared so that every reader words them alike.
QString unreadableFileText(const QString& path);
QString damagedFileText(const QString& path);
QString oversizedFileText(const QString& path);
QString noSheet1Text();
QString passwordFileText(const QString& path);
QString unterminatedQuoteText(int line);
QString missingHelperText();

} // namespace florist
