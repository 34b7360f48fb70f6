#include "storedvalue/memberinfowidget.h"

#include "core/db/resultset.h"
#include "ui/fields.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace florist::storedvalue {

namespace {

// Four to a row, in the order the lookup hands them over.
const char* const kCaptions[] = {"会员分类：", "卡        号：", "姓        名：",
                                 "持卡日期：", "性        别：", "生        日：",
                                 "手机号码：", "电话号码：",     "积        分：",
                                 "消费日期：", "消费次数：",     "账户余额："};
constexpr int kPerRow = 4;

} // namespace

MemberInfoWidget::MemberInfoWidget(QWidget* parent) : QGroupBox("会员信息", parent) {
    setObjectName("grpMemberInfo");
    auto* grid = new QGridLayout(this);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);
    int i = 0;
    for (const char* c : kCaptions) {
        const QString caption = QString::fromUtf8(c);
        auto* edit = new QLineEdit(this);
        edit->setReadOnly(true);
        edit->setAccessibleName(ui::accessibleFromCaption(caption));
        edit->setMinimumWidth(110);
        fields_.insert(edit->accessibleName(), edit);
        const int row = i / kPerRow;
        const int column = (i % kPerRow) * 2;
        grid->addWidget(ui::captionLabel(caption, edit, this), row, column);
        grid->addWidget(edit, row, column + 1);
        grid->setColumnStretch(column + 1, 1);
        ++i;
    }
    setEnabled(false);
}

void MemberInfoWidget::showMember(const members::PickedMember& member) {
    for (auto it = fields_.begin(); it != fields_.end(); ++it) {
        it.value()->setText(displayText(member.fields.value(it.key())));
    }
}

void MemberInfoWidget::clear() {
    for (QLineEdit* edit : std::as_const(fields_)) {
        edit->clear();
    }
}

QString MemberInfoWidget::text(const QString& heading) const {
    const QLineEdit* edit = fields_.value(heading);
    return edit ? edit->text() : QString();
}

} // namespace florist::storedvalue
