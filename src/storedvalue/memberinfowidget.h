#pragma once

#include "members/memberlookup.h"

#include <QGroupBox>
#include <QMap>

class QLineEdit;

namespace florist::storedvalue {

// The read-only group "会员信息" of the top-up and exchange windows: the twelve fields of the
// member found by the lookup, by their headings ("会员分类" … "账户余额"), amounts in their
// shortest form. The group is disabled: nothing in it can be typed.
class MemberInfoWidget : public QGroupBox {
    Q_OBJECT
public:
    explicit MemberInfoWidget(QWidget* parent = nullptr);

    void showMember(const members::PickedMember& member);
    void clear();
    // The text shown under a heading ("卡号", "积分"); "" for an unknown heading.
    QString text(const QString& heading) const;
    QLineEdit* field(const QString& heading) const { return fields_.value(heading); }

private:
    QMap<QString, QLineEdit*> fields_;
};

} // namespace florist::storedvalue
