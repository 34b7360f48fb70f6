#include "core/spreadsheet/celltext.h"
#include "core/spreadsheet/readers.h"
#include "core/spreadsheet/sheetreader.h"

#include <QFile>
#include <freexl.h>

namespace florist::detail {

namespace {

class XlsHandle {
public:
    ~XlsHandle() {
        if (handle) {
            freexl_close(handle);
        }
    }
    const void* handle = nullptr;
};

QString cellText(const FreeXL_CellValue& v) {
    switch (v.type) {
    case FREEXL_CELL_INT:
        return QString::number(v.value.int_value);
    case FREEXL_CELL_DOUBLE:
        return numberText(v.value.double_value);
    case FREEXL_CELL_TEXT:
    case FREEXL_CELL_SST_TEXT:
    case FREEXL_CELL_DATE:
    case FREEXL_CELL_DATETIME:
    case FREEXL_CELL_TIME:
        return v.value.text_value ? QString::fromUtf8(v.value.text_value) : QString();
    default:
        return QString();
    }
}

} // namespace

Sheet readXls(const QString& path, const SheetLimits& limits) {
    XlsHandle xls;
    const int opened = freexl_open(QFile::encodeName(path).constData(), &xls.handle);
    if (opened == FREEXL_FILE_NOT_FOUND) {
        throw Failure(unreadableFileText(path));
    }
    if (opened != FREEXL_OK) {
        throw Failure(damagedFileText(path));
    }
    unsigned int password = 0;
    if (freexl_get_info(xls.handle, FREEXL_BIFF_PASSWORD, &password) == FREEXL_OK &&
        password == FREEXL_BIFF_OBFUSCATED) {
        throw Failure(damagedFileText(path));
    }
    unsigned int sheets = 0;
    if (freexl_get_info(xls.handle, FREEXL_BIFF_SHEET_COUNT, &sheets) != FREEXL_OK) {
        throw Failure(damagedFileText(path));
    }
    int found = -1;
    for (unsigned int i = 0; i < sheets && i <= 0xFFFF && found < 0; ++i) {
        const char* name = nullptr;
        if (freexl_get_worksheet_name(xls.handle, (unsigned short)i, &name) == FREEXL_OK && name &&
            QString::fromUtf8(name).compare("Sheet1", Qt::CaseInsensitive) == 0) {
            found = int(i);
        }
    }
    if (found < 0) {
        throw Failure(noSheet1Text());
    }
    unsigned int rows = 0;
    unsigned short columns = 0;
    if (freexl_select_active_worksheet(xls.handle, (unsigned short)found) != FREEXL_OK ||
        freexl_worksheet_dimensions(xls.handle, &rows, &columns) != FREEXL_OK) {
        throw Failure(damagedFileText(path));
    }
    if (qint64(rows) * qint64(columns) > limits.maxCells) {
        throw Failure(oversizedFileText(path));
    }
    SheetBuilder builder(limits);
    for (unsigned int r = 0; r < rows; ++r) {
        for (unsigned int c = 0; c < columns; ++c) {
            FreeXL_CellValue v;
            if (freexl_get_cell_value(xls.handle, r, (unsigned short)c, &v) == FREEXL_OK) {
                builder.set(int(r), int(c), cellText(v));
            }
        }
    }
    return builder.take();
}

} // namespace florist::detail
