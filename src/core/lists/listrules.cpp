#include "core/lists/listrules.h"

#include "core/db/datamodule.h"
#include "core/text/gbk.h"
#include "core/text/pinyin.h"

#include <QLocale>
#include <cmath>

namespace florist::lists {

bool readNumber(const QString& text, double* number) {
    bool ok = false;
    const double v = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok || !std::isfinite(v)) {
        return false;
    }
    *number = v;
    return true;
}

bool keysAccept(Keys keys, const QString& text) {
    for (QChar c : text) {
        const bool digit = c >= '0' && c <= '9';
        if ((keys == Keys::Digits && !digit) || (keys == Keys::Amount && !digit && c != '.')) {
            return false;
        }
    }
    return true;
}

ListRules::ListRules(DataModule& dm, const ListDescriptor& descriptor) : dm_(dm), d_(descriptor) {}

QVariant ListRules::bound(const QString& t, const ListEntry& e, const QList<double>& n) const {
    if (t == token::name) {
        return e.name;
    }
    if (t == token::remark) {
        return e.remark;
    }
    if (t == token::store) {
        return dm_.login().currentStore;
    }
    if (t == token::pinyin) {
        return GetPY(e.name, kPinyinMarkUnread, 255);
    }
    for (int i = 0; i < n.size(); ++i) {
        if (t == token::value(i)) {
            return n.at(i);
        }
    }
    return QVariant();
}

QVariantList ListRules::params(const QStringList& tokens, const ListEntry& entry,
                               const QList<double>& numbers) const {
    QVariantList out;
    for (const QString& t : tokens) {
        out << bound(t, entry, numbers);
    }
    return out;
}

ResultSet ListRules::rows() {
    return dm_.db().select(d_.select, params(d_.selectParams, {}));
}

FormOutcome ListRules::save(const ListEntry& entry) {
    if (entry.name.isEmpty()) {
        return FormOutcome::refused(emptyTextMessage(d_.word), d_.nameField());
    }
    // The limits and keys the fields hold while typing hold for text put there by other means.
    if (gbkLength(entry.name) > d_.nameLimit) {
        return FormOutcome::refused(tooLongMessage(d_.word, d_.nameLimit), d_.nameField());
    }
    if (d_.takenBeforeValues && nameTaken(entry)) {
        return takenOutcome();
    }
    QList<double> numbers;
    for (int i = 0; i < d_.values.size(); ++i) {
        const ExtraValue& v = d_.values.at(i);
        const QString text = entry.values.value(i);
        if (text.isEmpty()) {
            return FormOutcome::refused(emptyTextMessage(v.word), d_.valueField(i));
        }
        if (v.limit > 0 && gbkLength(text) > v.limit) {
            return FormOutcome::refused(tooLongMessage(v.word, v.limit), d_.valueField(i));
        }
        if (v.check == ValueCheck::NotZeroText && text == "0") {
            return FormOutcome::refused(zeroMessage(v.word), d_.valueField(i));
        }
        double number = 0;
        if (!keysAccept(v.keys, text) || !readNumber(text, &number)) {
            return FormOutcome::refused(notNumberMessage(v.word), d_.valueField(i));
        }
        if (v.check == ValueCheck::NotZeroNumber && number == 0) {
            return FormOutcome::refused(zeroMessage(v.word), d_.valueField(i));
        }
        numbers << number;
    }
    if (gbkLength(entry.remark) > d_.remarkLimit) {
        return FormOutcome::refused(tooLongMessage("备注", d_.remarkLimit), d_.remarkField());
    }
    if (!d_.takenBeforeValues && nameTaken(entry)) {
        return takenOutcome();
    }
    dm_.myESQL(d_.insertSql, params(d_.insertParams, entry, numbers));
    reloadLoader();
    return FormOutcome::success(savedMessage(d_.successWord), d_.nameField());
}

bool ListRules::nameTaken(const ListEntry& entry) {
    return dm_.myRetSC(d_.existsSql, params(d_.existsParams, entry)) > 0;
}

FormOutcome ListRules::takenOutcome() const {
    return FormOutcome::refused(takenMessage(d_.word),
                                d_.takenFocusesName ? d_.nameField() : QString());
}

void ListRules::remove(qlonglong id) {
    dm_.myESQL("DELETE FROM " + d_.table + " WHERE (ID = ?) ", {id});
    reloadLoader();
}

void ListRules::reloadLoader() {
    if (!d_.loader.isEmpty()) {
        dm_.loaders().reload(d_.loader);
    }
}

} // namespace florist::lists
