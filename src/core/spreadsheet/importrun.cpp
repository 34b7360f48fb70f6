#include "core/spreadsheet/importrun.h"

#include "core/db/datamodule.h"

namespace florist {

QString importStoppedText(const ImportResult& r) {
    return QString("导入在EXCEL第 %1 行停止：%2\n此前已导入 %3 条数据。")
        .arg(r.failedRow)
        .arg(r.error)
        .arg(r.inserted);
}

namespace {

bool holdsAll(const Sheet& sheet, const QStringList& required) {
    return missingHeading(sheet, required).isEmpty();
}

} // namespace

QString missingHeading(const Sheet& sheet, const QStringList& required) {
    for (const QString& heading : required) {
        if (sheet.column(heading) < 0) {
            return heading;
        }
    }
    return {};
}

QString sheetLacksHeadingText(const QString& heading) {
    return missingHeadingText(heading) + "，请在表格头部补上该列后重新打开！";
}

bool takeHeadingsBelowTitle(Sheet& sheet, const QStringList& required) {
    if (required.isEmpty() || sheet.titleRows > 0 || sheet.rows.isEmpty() ||
        holdsAll(sheet, required)) {
        return false;
    }
    Sheet below;
    below.headings = sheet.rows.first();
    if (!holdsAll(below, required)) {
        return false;
    }
    below.rows = sheet.rows.mid(1);
    below.titleRows = 1;
    sheet = std::move(below);
    return true;
}

ImportResult runImport(const Sheet& sheet, DataModule& dm, const QStringList& required,
                       const ImportRule& rule, const std::function<void(int)>& progress) {
    ImportResult result;
    const QString missing = missingHeading(sheet, required);
    if (!missing.isEmpty()) {
        result.failedRow = sheet.titleRows + (sheet.rows.isEmpty() ? 1 : 2);
        result.error = missingHeadingText(missing);
        return result;
    }
    for (int i = 0; i < sheet.rows.size(); ++i) {
        const SheetRow row(sheet, i);
        try {
            const bool inserted = dm.db().transaction([&] { return rule(dm, row); });
            if (inserted) {
                ++result.inserted;
            }
        } catch (const Failure& f) {
            result.failedRow = row.sheetRow();
            result.error = f.text();
            return result;
        }
        if (progress) {
            progress(i + 1);
        }
    }
    return result;
}

} // namespace florist
