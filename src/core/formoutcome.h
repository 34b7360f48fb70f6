#pragma once

#include <QString>

namespace florist {

// The result of a window's save or removal as its rules decide it: the message to show (empty:
// none) and, when a check refused the input, the accessibleName of the field to put the focus in.
struct FormOutcome {
    bool done = false;
    QString message;
    QString focus;

    static FormOutcome refused(const QString& message, const QString& focus = {}) {
        return {false, message, focus};
    }
    static FormOutcome success(const QString& message = {}, const QString& focus = {}) {
        return {true, message, focus};
    }
};

// The messages of the input checks, in the system's wording.
inline QString emptyTextMessage(const QString& word) {
    return word + " 不能为空，请重新录入！";
}
inline QString emptyChoiceMessage(const QString& word) {
    return word + " 不能为空，请重新选择！";
}
inline QString zeroMessage(const QString& word) {
    return word + " 不能为零，请重新录入！";
}
inline QString takenMessage(const QString& word) {
    return word + " 已存在，请重新录入！";
}
inline QString notNumberMessage(const QString& word) {
    return word + " 不是有效的数字，请重新录入！";
}
// A text longer than its field takes, in GBK bytes (a field's limit is checked again at save).
inline QString tooLongMessage(const QString& word, int bytes) {
    return word + " 超过 " + QString::number(bytes) + " 个字节，请重新录入！";
}
inline QString savedMessage(const QString& subject) {
    return "恭喜！恭喜！ " + subject + " 保存成功！";
}

// The name a script finds an input by: its caption without blanks, colon and "&".
QString fieldName(const QString& caption);

} // namespace florist
