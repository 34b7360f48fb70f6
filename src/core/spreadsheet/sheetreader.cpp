#include "core/spreadsheet/sheetreader.h"

#include "core/spreadsheet/readers.h"

#include <QDir>
#include <QFile>

namespace florist {

namespace {

QString shown(const QString& path) {
    return QDir::toNativeSeparators(path);
}

} // namespace

QString unreadableFileText(const QString& path) {
    return QString("无法打开文件 %1，请确认文件存在且没有被其他程序占用！").arg(shown(path));
}

QString damagedFileText(const QString& path) {
    return QString("无法读取文件 %1，文件已损坏或不是EXCEL文件！").arg(shown(path));
}

QString oversizedFileText(const QString& path) {
    return QString("文件 %1 的内容过大，无法读取！").arg(shown(path));
}

QString noSheet1Text() {
    return QString("找不到工作表 Sheet1，请确认文件中有名为 Sheet1 的工作表！");
}

SheetFormat sniffSheetFormat(const QByteArray& head) {
    if (head.startsWith("PK\x03\x04") || head.startsWith("PK\x05\x06")) {
        return SheetFormat::Xlsx;
    }
    if (head.startsWith(QByteArray::fromHex("d0cf11e0a1b11ae1"))) {
        return SheetFormat::Xls;
    }
    return SheetFormat::Csv;
}

QString passwordFileText(const QString& path) {
    return QString("文件 %1 设有密码，无法读取！请在EXCEL中取消密码并保存后再打开。")
        .arg(shown(path));
}

QString missingHelperText() {
    return QString("找不到读取EXCEL文件的辅助程序 florist-sheet，请重新安装本程序！");
}

Sheet readSheetHere(const QString& path, const SheetLimits& limits, const ReadProgress& progress) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw Failure(unreadableFileText(path));
    }
    const SheetFormat format = sniffSheetFormat(file.peek(8));
    switch (format) {
    case SheetFormat::Xlsx:
        file.close();
        return detail::readXlsx(path, limits, progress);
    case SheetFormat::Xls:
        file.close();
        return detail::readXls(path, limits, progress);
    case SheetFormat::Csv:
        break;
    }
    if (file.size() > limits.maxEntryBytes) {
        throw Failure(oversizedFileText(path));
    }
    const QByteArray bytes = file.readAll();
    if (bytes.size() != file.size()) {
        throw Failure(unreadableFileText(path));
    }
    // A text file has no NUL bytes; anything with them is some other binary file.
    const bool utf16 = bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF");
    if (!utf16 && bytes.left(8192).contains('\0')) {
        throw Failure(damagedFileText(path));
    }
    return readCsv(bytes, limits);
}

} // namespace florist
