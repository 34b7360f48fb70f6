#pragma once

#include <QString>
#include <QVariantMap>
#include <optional>

class QWidget;

namespace florist {
class DataModule;
}
namespace florist::ui {
struct Context;
}

namespace florist::partners {

// A partner taken by a document window: its identity and the nine fields of "验证信息" by
// their headings ("单位分类", "单位名称", "联系人", "电话号码", "手机号码", "联系地址",
// "应收金额", "应付金额", "备注").
struct PickedPartner {
    qlonglong id = 0;
    QVariantMap fields;
};

QStringList partnerFieldHeadings();

struct PartnerPickOutcome {
    enum Kind { NotFound, Picked, Cancelled };
    Kind kind = NotFound;
    PickedPartner partner;
};

// The partner search of a document window with its partner field's text, in its mode ("JH",
// "XS", "SK", "FK"): the partners of the logged-in store but the type the mode leaves out. One
// is taken at once, several show frmFindWL.
PartnerPickOutcome findPartnerFor(QWidget* parent, DataModule& dm, const QString& mode,
                                  const QString& text);

// No partner found: the partner entry frmUWL_In in the mode, its type preset and locked and its
// name preset. "SK" and "FK" receive the new partner; "JH" and "XS" nothing.
std::optional<PickedPartner> addPartnerFor(QWidget* parent, ui::Context& context,
                                           const QString& mode, const QString& name);

} // namespace florist::partners
