#include "ui/filechooser.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QUrl>

namespace florist::ui {

namespace {

FileChooser::Handler& handler() {
    static FileChooser::Handler h;
    return h;
}

FileChooser::DesktopHandler& desktopHandler() {
    static FileChooser::DesktopHandler h;
    return h;
}

QString choose(const FileRequest& r) {
    if (handler()) {
        return handler()(r);
    }
    if (r.kind == FileRequest::Save) {
        return QFileDialog::getSaveFileName(r.parent, r.caption, r.path, r.filter);
    }
    return QFileDialog::getOpenFileName(r.parent, r.caption, r.path, r.filter);
}

} // namespace

QString FileChooser::openFile(QWidget* parent, const QString& caption, const QString& filter,
                              const QString& folder) {
    return choose({FileRequest::Open, parent, caption, folder, filter});
}

QString FileChooser::saveFile(QWidget* parent, const QString& caption, const QString& suggested,
                              const QString& filter) {
    return choose({FileRequest::Save, parent, caption, suggested, filter});
}

bool FileChooser::openWithDesktop(const QString& path) {
    if (desktopHandler()) {
        return desktopHandler()(path);
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void FileChooser::setHandler(Handler h) {
    handler() = std::move(h);
}

void FileChooser::setDesktopHandler(DesktopHandler h) {
    desktopHandler() = std::move(h);
}

} // namespace florist::ui
