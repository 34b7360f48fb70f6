#pragma once

#include "core/formoutcome.h"

#include <QString>
#include <QVariantMap>

namespace florist {
class DataModule;
}

namespace florist::partners {

// How the partner entry window was opened: from the menu (""), by management to edit ("m"), or by
// a document window whose partner search found nothing: purchase "JH", sale "XS", collection
// "SK", payment "FK".
inline const QString kModeMenu = QString();
inline const QString kModeEdit = QStringLiteral("m");
inline const QString kModePurchase = QStringLiteral("JH");
inline const QString kModeSale = QStringLiteral("XS");
inline const QString kModeCollection = QStringLiteral("SK");
inline const QString kModePayment = QStringLiteral("FK");

inline const QString kSupplier = QStringLiteral("供应商");
inline const QString kCustomer = QStringLiteral("客户");

// Whether the mode is one of the four document windows.
bool isDocumentMode(const QString& mode);
// The type a document mode presets (and locks): "供应商" for purchase and payment, "客户" for
// sale and collection; "" for the menu and edit.
QString presetType(const QString& mode);

// What the partner entry window holds, as typed; the balances are the texts of their fields.
struct PartnerValues {
    QString type;
    QString name;
    QString contact;
    QString phone;
    QString mobile;
    QString address;
    QString receivable;
    QString payable;
    QString remark;
};

// The nine headings of a partner as the document windows show it ("单位分类" … "备注").
const QStringList& partnerFieldHeadings();

// The checks of "保存" in their order: type, name, the byte limits the fields keep while typing,
// then the two balances, which must read as numbers (empty is 0). A refusal names the field to
// focus by its accessibleName ("单位名称").
FormOutcome checkPartner(const PartnerValues& values);

// Whether a live partner of any store holds the name.
bool partnerNameTaken(DataModule& dm, const QString& name);

// Inserts a partner of the logged-in store with the name's initials; returns its own ID.
qlonglong insertPartner(DataModule& dm, const PartnerValues& values, double receivable,
                        double payable);

struct PartnerSaveResult {
    FormOutcome outcome; // not done: nothing was written
    qlonglong id = 0;    // the partner edited, or the identity of the new row
    double receivable = 0;
    double payable = 0;
};

// "保存" of frmUWL_In: the checks, then the update (editId > 0: no duplicate test, the typed
// balances replace the stored ones) or the duplicate test and the insert. The initials are
// computed again either way. The success message is set only for the menu mode.
PartnerSaveResult savePartner(DataModule& dm, const PartnerValues& values, qlonglong editId,
                              const QString& mode);

// "删除 &D": the partner is flagged; its balances and documents stay.
void deletePartner(DataModule& dm, qlonglong id);

// The values of a grid row read by the partner headings (edit from management).
PartnerValues partnerValuesFromRow(const QVariantMap& row);
// The nine fields by heading as saved, balances in their shortest form.
QVariantMap partnerFields(const PartnerValues& values, double receivable, double payable);

// "恭喜！恭喜！ 往来单位信息 保存成功！"
QString partnerSavedText();

} // namespace florist::partners
