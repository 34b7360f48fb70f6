#include "core/menu/menutable.h"

#include "core/db/database.h"
#include "core/text/gbk.h"

namespace florist {

namespace {

MenuEntry modal(const char* caption, const char* window, const char* windowCaption,
                bool shown = false) {
    return {caption, window, WindowKind::Modal, windowCaption, shown};
}

MenuEntry child(const char* caption, const char* window, const char* windowCaption,
                bool shown = false) {
    return {caption, window, WindowKind::Child, windowCaption, shown};
}

MenuEntry nothing(const char* caption, bool shown = false) {
    return {caption, QString(), WindowKind::None, QString(), shown};
}

MenuEntry separator(bool shown = false) {
    return nothing("-", shown);
}

QList<TopMenu> buildMenu() {
    return {
        {"文件【&F】",
         true,
         {modal("花店设置", "frmDept", "花店设置"),
          modal("门店设置", "frmWare", "门店设置"),
          modal("用户设置", "frmUser", "用户设置"),
          modal("员工设置", "frmWorker", "员工设置", true),
          separator(),
          modal("修改密码", "frmCPass", "修改密码"),
          separator(true),
          {"退出 &X", "exit", WindowKind::None, QString(), true}}},
        {"订单【&O】",
         false,
         {modal("订单录入", "frmOrder_In", "订单录入"), child("订单管理", "frmOrder_M", "订单管理"),
          child("订单查询", "frmOrder_Q", "订单查询"), separator(),
          child("未送订单提醒", "frmOrder_WS", "未送订单提醒"),
          child("应收订单提醒", "frmOrder_YS", "应收订单提醒"),
          child("未取订单提醒", "frmOrder_WQ", "未取订单提醒"),
          child("花器回收提醒", "frmOrder_HQ", "花器回收提醒", true), separator(),
          child("订单收款查询", "frmOrder_SKQ", "订单收款查询"),
          child("来年同日提醒", "frmOrder_LN", "来年同日提醒")}},
        {"会员【&M】",
         false,
         {modal("会员分类设置", "frmMType", "会员类别设置"), separator(),
          modal("会员录入", "frmMember_In", "会员录入"),
          modal("会员导入", "frmMember_D", "会员导入"),
          child("会员管理", "frmMember_M", "会员管理"),
          child("会员查询", "frmMember_Q", "会员查询"), separator(),
          child("生日提醒", "frmMember_SR", "会员生日提醒"),
          child("未消费提醒", "frmMember_WXF", "会员未消费提醒"), separator(),
          child("积分清零", "frmMember_JFQL", "会员积分清零")}},
        {"储值【&A】",
         false,
         {modal("储值录入", "frmStore_In", "储值录入"), child("储值管理", "frmStore_M", "储值管理"),
          child("储值查询", "frmStore_Q", "储值查询")}},
        {"兑换【&E】",
         false,
         {modal("兑换录入", "frmExchange_In", "兑换录入"),
          child("兑换管理", "frmExchange_M", "兑换管理"),
          child("兑换查询", "frmExchange_Q", "兑换查询")}},
        {"花材【&H】",
         false,
         {child("花材库存查询", "frmUHCKC", "花材库存查询"),
          separator(),
          modal("采购录入", "frmUJH_In", "花材采购录入"),
          child("采购管理", "frmUJH_M", "花材采购管理"),
          child("采购查询", "frmUJH_Q", "花材采购查询"),
          child("采购明细查询", "frmUJH_MX", "花材采购明细查询"),
          separator(),
          modal("领用录入", "frmULY_In", "花材领用录入"),
          child("领用管理", "frmULY_M", "花材领用管理"),
          child("领用查询", "frmULY_Q", "花材领用查询"),
          child("领用明细查询", "frmULY_MX", "花材领用明细查询"),
          separator(),
          modal("报损录入", "frmUBS_In", "报损录入"),
          child("报损管理", "frmUBS_M", "报损管理"),
          child("报损查询", "frmUBS_Q", "报损查询"),
          child("报损明细查询", "frmUBS_MX", "报损明细查询"),
          separator(),
          modal("销售录入", "frmUXS_In", "花材销售录入"),
          child("销售管理", "frmUXS_M", "花材销售管理"),
          child("销售查询", "frmUXS_Q", "花材销售查询"),
          child("销售明细查询", "frmUXS_MX", "花材销售明细查询"),
          separator(),
          modal("花材录入", "frmUHC_In", "花材录入"),
          modal("花材导入", "frmUHC_D", "花材导入"),
          child("花材管理", "frmUHC_M", "花材管理"),
          child("花材查询", "frmUHC_Q", "花材查询"),
          separator(),
          modal("花材分类设置", "frmSHCType", "花材分类设置"),
          modal("花材单位设置", "frmSHCUnit", "花材单位设置")}},
        {"往来【&W】",
         false,
         {modal("收款录入", "frmUSK_In", "往来单位收款录入"),
          child("收款管理", "frmUSK_M", "往来单位收款管理"),
          child("收款查询", "frmUSK_Q", "往来单位收款查询"), separator(),
          modal("付款录入", "frmUFK_In", "往来单位付款录入"),
          child("付款管理", "frmUFK_M", "往来单位付款管理"),
          child("付款查询", "frmUFK_Q", "往来单位付款查询"), separator(),
          modal("往来单位录入", "frmUWL_In", "往来单位录入"),
          modal("往来单位导入", "frmUWL_D", "往来单位导入"),
          child("往来单位管理", "frmUWL_M", "往来单位管理"),
          child("往来单位查询", "frmUWL_Q", "往来单位查询")}},
        {"基础设置【&B】",
         false,
         {modal("收付款方式设置", "frmSSK", "收付款方式设置"),
          modal("性别设置", "frmSSex", "性别设置"), separator(),
          modal("联盟单位设置", "frmSAlliance", "联盟单位设置"),
          modal("送达时段设置", "frmSSD", "送达时段设置"),
          modal("送达区域设置", "frmSArea", "送花区域设置"),
          modal("送花用途设置", "frmSUse", "送花用途设置", true),
          modal("送花对象设置", "frmSObject", "送花对象设置", true),
          modal("商品名称设置", "frmHX", "商品名称设置"),
          modal("订单类型设置", "frmDType", "订单类型"), separator(),
          modal("礼品设置", "frmSGift", "礼品设置"), separator(),
          modal("默认项设置", "frmMRX", "默认项设置")}},
        {"帮助【&H】",
         true,
         {nothing("帮助 &H", true), separator(true),
          modal("关于 &A", "frmAbout", "关于...", true)}},
    };
}

} // namespace

const QList<TopMenu>& menuTable() {
    static const QList<TopMenu> table = buildMenu();
    return table;
}

QString menuCode(int menu, int entry) {
    return QString("%1%2").arg(menu, 2, 10, QChar('0')).arg(entry, 2, 10, QChar('0'));
}

bool parseMenuCode(const QString& code, int* menu, int* entry) {
    if (code.size() < 4) {
        return false;
    }
    for (int i = 0; i < 4; ++i) {
        if (!code.at(i).isDigit() || code.at(i).unicode() > '9') {
            return false;
        }
    }
    *menu = code.left(2).toInt();
    *entry = code.mid(2, 2).toInt();
    return true;
}

QString menuCodeName(const QString& caption) {
    const int blank = caption.indexOf(' ');
    if (blank < 0) {
        return caption;
    }
    // Byte position of the blank in the GBK text, counted from 1.
    const int bytePos = gbkLength(caption.left(blank)) + 1;
    return bytePos > 3 ? caption.left(blank + 1) : caption;
}

QList<MenuCodeRow> menuCodeRows() {
    QList<MenuCodeRow> rows;
    const auto& table = menuTable();
    for (int aa = 0; aa < table.size() - 1 && aa < 10; ++aa) {
        const auto& entries = table.at(aa).entries;
        for (int bb = 0; bb < entries.size(); ++bb) {
            rows.append({menuCode(aa, bb), menuCodeName(entries.at(bb).caption)});
        }
    }
    return rows;
}

void UpMenu(Database& db) {
    db.transaction([&] {
        db.exec("TRUNCATE TABLE SMenu");
        for (const auto& row : menuCodeRows()) {
            db.exec("INSERT INTO SMenu (MNum, MName) VALUES (?, ?)", {row.code, row.name});
        }
    });
}

MenuVisibility designedVisibility() {
    MenuVisibility v;
    for (const auto& menu : menuTable()) {
        v.menus << menu.shown;
        QList<bool> entries;
        for (const auto& e : menu.entries) {
            entries << e.shown;
        }
        v.entries << entries;
    }
    return v;
}

void applyRights(MenuVisibility& v, const QStringList& codes) {
    for (const QString& code : codes) {
        int menu = 0;
        int entry = 0;
        if (!parseMenuCode(code, &menu, &entry)) {
            continue;
        }
        if (menu < 0 || menu >= v.menus.size() || entry < 0 || entry >= v.entries[menu].size()) {
            continue;
        }
        v.menus[menu] = true;
        v.entries[menu][entry] = true;
    }
}

} // namespace florist
