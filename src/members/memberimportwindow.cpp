#include "members/memberimportwindow.h"

#include "members/memberimport.h"

namespace florist::members {

ui::ImportSpec memberImportSpec() {
    ui::ImportSpec spec;
    spec.objectName = "frmMember_D";
    spec.caption = "会员导入";
    spec.hint = memberImportHint();
    spec.headings = memberImportHeadings();
    spec.columnWidths = QList<int>(memberImportHeadings().size(), 80);
    spec.rule = importMemberRow;
    spec.doneMessage = memberImportDoneText;
    return spec;
}

} // namespace florist::members
