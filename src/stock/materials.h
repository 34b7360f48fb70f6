#pragma once

#include "core/formoutcome.h"

#include <QString>
#include <QVariantMap>

namespace florist {
class DataModule;
}

namespace florist::stock {

// What the material entry window holds, as typed. The prices are the texts of their fields.
struct MaterialValues {
    QString type;
    QString number;
    QString name;
    QString unit;
    QString purchasePrice;
    QString salePrice;
    QString remark;
};

// The checks of "保存" before anything is read, in their order: type, number, name, unit, the
// byte limits the fields keep while typing, then the two prices, which must read as numbers
// (empty is 0). A refusal names the field to focus by its accessibleName ("花材编号").
FormOutcome checkMaterial(const MaterialValues& values);

// Whether a live material holds the number (deleted materials do not count).
bool materialNumberTaken(DataModule& dm, const QString& number);

// Inserts a new material with the name's pinyin initials; prices already read; returns its ID.
qlonglong insertMaterial(DataModule& dm, const MaterialValues& values, double purchasePrice,
                         double salePrice);

struct MaterialSaveResult {
    FormOutcome outcome; // not done: nothing was written
    qlonglong id = 0;
};

// "保存" of frmUHC_In: the checks, then the update (editId > 0, no duplicate test) or the
// duplicate test among live materials and the insert; the initials are computed again either way.
MaterialSaveResult saveMaterial(DataModule& dm, const MaterialValues& values, qlonglong editId);

// "删除 &D": the material is flagged and leaves every list and picker.
void deleteMaterial(DataModule& dm, qlonglong id);

// The values of a grid row read by the catalogue headings (edit from management).
MaterialValues materialValuesFromRow(const QVariantMap& row);

// "恭喜！恭喜！ 花材信息 保存成功！"
QString materialSavedText();

} // namespace florist::stock
