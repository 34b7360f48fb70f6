#pragma once

#include <QIcon>
#include <QPixmap>

namespace florist::ui {

// The pictures of the toolbar buttons and the window icon, drawn at run time so the program
// carries no image files: a coloured tile with the button's first character.
QIcon toolbarIcon(const QString& caption, int index);
QIcon applicationIcon();
// The picture behind the child windows of the main window.
QPixmap backdrop(const QSize& size, const QString& shopName);

} // namespace florist::ui
