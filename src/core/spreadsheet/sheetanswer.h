#pragma once

#include "core/spreadsheet/sheet.h"

#include <QByteArray>
#include <QIODevice>
#include <optional>

namespace florist::detail {

// The helper's answer on its standard output: a sheet in its compact buffers, or a failure's
// text. The sheet goes out as the buffers stand and comes in straight into buffers of the
// sizes announced first, so neither side holds it twice.
bool writeSheetAnswer(QIODevice& out, const Sheet& sheet);
void writeFailureAnswer(QIODevice& out, const QString& text);

// Takes the answer in pieces as they arrive. Sizes beyond the limits, or buffers that do not
// fit together, make it damaged.
class SheetAnswerReader {
public:
    explicit SheetAnswerReader(const SheetLimits& limits) : limits_(limits) {}
    // Takes the next bytes; false once the answer is damaged (the rest is then ignored).
    bool feed(const char* data, qsizetype size);
    // At the end of the output: the sheet, or raises the failure the helper told, or nothing
    // when the answer is incomplete or damaged.
    std::optional<Sheet> finish();

private:
    enum class Stage {
        Head,
        FailureLength,
        FailureText,
        Sizes,
        Headings,
        RowStarts,
        Ends,
        Text,
        Done,
        Damaged
    };
    // Where the bytes of the current stage go, and how many it still wants.
    void enter(Stage stage, char* target, qint64 size);
    bool advance();

    SheetLimits limits_;
    Stage stage_ = Stage::Head;
    char* target_ = nullptr;
    qint64 wanted_ = 0;
    QByteArray small_; // the fixed fields, the failure text, the headings
    qint64 rows_ = 0;
    qint64 cells_ = 0;
    qint64 textBytes_ = 0;
    qint64 headingBytes_ = 0;
    qint64 titleRows_ = 0;
    qint64 width_ = 0;
    qint64 firstRow_ = 0;
    bool failed_ = false;
    QString failure_;
    SheetRows::Storage storage_;
};

} // namespace florist::detail
