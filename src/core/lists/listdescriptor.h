#pragma once

#include "core/formoutcome.h"

#include <QList>
#include <QPair>
#include <QSize>
#include <QString>
#include <QStringList>

namespace florist::lists {

// Which keys an input takes while typing.
enum class Keys { Any, Amount, Digits };

// How a value beside the name is checked at save. Every value is written as a bare number, so
// text that does not read as one is refused in every case.
enum class ValueCheck {
    Number,        // a number, nothing more
    NotZeroText,   // also refused when typed as exactly "0" (0.0 and 00 pass and store zero)
    NotZeroNumber, // also refused when it reads as zero in any form (a divisor)
};

struct ExtraValue {
    QString label; // "递  送  费："
    QString word;  // "递送费", in the messages
    int limit = 0; // GBK bytes
    Keys keys = Keys::Any;
    ValueCheck check = ValueCheck::NotZeroText;
};

// The tokens a statement's "?" placeholders are bound from, in order.
namespace token {
inline const QString name = "name";
inline const QString remark = "remark";
inline const QString store = "store";   // the current store
inline const QString pinyin = "pinyin"; // initials of the name
inline QString value(int i) {
    return "value" + QString::number(i);
}
} // namespace token

// One list editor as data: a grid of the list's rows above a box for one new row (name, the
// extra values, remark) and the buttons "新增", "保存", "退出"; rows are removed from the grid's
// pop-up "删除 &D". Rows are only added and removed.
struct ListDescriptor {
    QString window;  // objectName, frmSSex
    QString caption; // window caption
    QSize size;
    QString table;
    QString word;        // the name's word in the messages
    QString nameLabel;   // "性        别："
    int nameLimit = 12;  // GBK bytes
    QString group;       // group box caption
    QString successWord; // "恭喜！恭喜！ <successWord> 保存成功！"
    QList<ExtraValue> values;
    QString remarkLabel = "备        注：";
    int remarkLimit = 50;
    QString select; // the grid; its aliases are the headings, its ID column is hidden
    QStringList selectParams;
    QList<QPair<int, int>> columnWidths; // column index, pixels
    QString existsSql;                   // more than 0 rows: the name is taken
    bool takenFocusesName = false; // after "已存在": the name, or (false) where the focus was
    // The duplicate test right after the name's checks, before the values' (member categories);
    // otherwise it runs last.
    bool takenBeforeValues = false;
    QStringList existsParams;
    QString insertSql;
    QStringList insertParams;
    QString loader; // the loader table reloaded after a change, so open drop-downs see it

    QString nameField() const { return fieldName(nameLabel); }
    QString valueField(int i) const { return fieldName(values.at(i).label); }
    QString remarkField() const { return fieldName(remarkLabel); }
};

// What one save of a new row got from the window.
struct ListEntry {
    QString name;
    QStringList values; // in the order of the descriptor's values
    QString remark;
};

} // namespace florist::lists
