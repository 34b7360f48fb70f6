#pragma once

#include <QList>
#include <QString>

namespace florist {

class Database;

enum class WindowKind { None, Modal, Child };

// One entry of the main menu. The position of an entry is its permission code, so the order of
// the table is stored data (SLevel, SMenu) and must not change.
struct MenuEntry {
    QString caption; // "&" marks the keyboard letter; "-" is a separator
    QString window;  // objectName of the window it opens; empty: opens nothing
    WindowKind kind = WindowKind::None;
    QString windowCaption; // the caption of the window it opens
    bool shown = false;    // visible for every user, before any right is applied
    bool isSeparator() const { return caption == "-"; }
};

struct TopMenu {
    QString caption;
    bool shown = false;
    QList<MenuEntry> entries;
};

// The menu bar in order: index 0 "文件【&F】" … index 8 "帮助【&H】".
const QList<TopMenu>& menuTable();

// The code AABB of an entry (menu index, entry index, two digits each).
QString menuCode(int menu, int entry);
// Parses a right code; false when its first four characters are not two two-digit numbers.
bool parseMenuCode(const QString& code, int* menu, int* entry);

// The name stored in SMenu for a caption: cut after its first blank when that blank stands
// beyond the third GBK byte ("退出 &X" becomes "退出 ").
QString menuCodeName(const QString& caption);

struct MenuCodeRow {
    QString code;
    QString name;
};
// The rows UpMenu writes: every entry of the first eight menus, separators included.
QList<MenuCodeRow> menuCodeRows();
// Refills SMenu from the menu table, in one transaction.
void UpMenu(Database& db);

// Which menus and entries a user sees: the designed state plus what the rights make visible.
struct MenuVisibility {
    QList<bool> menus;
    QList<QList<bool>> entries;
    bool entryReachable(int menu, int entry) const {
        return menus.value(menu) && entries.value(menu).value(entry);
    }
};
MenuVisibility designedVisibility();
// Applies granted codes (rights only add); malformed or unknown codes are ignored.
void applyRights(MenuVisibility& visibility, const QStringList& codes);

} // namespace florist
