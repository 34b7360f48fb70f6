#include "ui/spreadsheetexport.h"

#include "ui/filechooser.h"
#include "ui/prompt.h"

#include <QDir>
#include <QRegularExpression>
#include <QStandardPaths>

namespace florist::ui {

QString suggestedExportPath(const QString& shopName, const ExportSpec& spec, const QDate& date) {
    QString name = shopName + spec.titleWord + date.toString("yyyy-MM-dd");
    // A shop name may hold characters that no file name can.
    name.replace(QRegularExpression(R"([\\/:*?"<>|\x00-\x1f])"), "_");
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty()) {
        folder = QDir::homePath();
    }
    return QDir(folder).filePath(name + ".xlsx");
}

QString exportToSpreadsheet(QWidget* parent, const QString& shopName, const ExportSpec& spec,
                            const ExportTable& table) {
    QString path = FileChooser::saveFile(parent, "导出到EXCEL", suggestedExportPath(shopName, spec),
                                         "Excel文件(*.xlsx)");
    if (path.isEmpty()) {
        return {};
    }
    if (!path.endsWith(".xlsx", Qt::CaseInsensitive)) {
        path += ".xlsx";
    }
    const bool written = guarded(parent, [&] { writeXlsx(path, shopName, spec, table); });
    if (!written) {
        return {};
    }
    if (!FileChooser::openWithDesktop(path)) {
        Prompt::message(parent,
                        QString("文件 %1 已保存，但没有找到能打开它的电子表格程序，请手动打开。")
                            .arg(QDir::toNativeSeparators(path)),
                        PromptIcon::Warning);
    }
    return path;
}

QString exportToSpreadsheet(QWidget* parent, const QString& shopName, const ExportSpec& spec,
                            const ResultSet& rows, const ResultSet& totals) {
    return exportToSpreadsheet(parent, shopName, spec, exportTable(spec, rows, totals));
}

} // namespace florist::ui
