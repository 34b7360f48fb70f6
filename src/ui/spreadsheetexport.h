#pragma once

#include "core/spreadsheet/xlsxexport.h"

#include <QDate>

class QWidget;

namespace florist::ui {

// Where an export is offered to be saved: <documents>/<shop name><title word><yyyy-mm-dd>.xlsx.
QString suggestedExportPath(const QString& shopName, const ExportSpec& spec,
                            const QDate& date = QDate::currentDate());

// The "Excel" button of a management window: asks where to save the workbook, writes it and
// opens it with the desktop's spreadsheet program. A file that cannot be written, or that no
// program opens, is reported by name. Returns the file written; empty when the choice was
// cancelled or writing failed.
QString exportToSpreadsheet(QWidget* parent, const QString& shopName, const ExportSpec& spec,
                            const ExportTable& table);
QString exportToSpreadsheet(QWidget* parent, const QString& shopName, const ExportSpec& spec,
                            const ResultSet& rows, const ResultSet& totals = {});

} // namespace florist::ui
