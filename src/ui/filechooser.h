#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace florist::ui {

struct FileRequest {
    enum Kind { Open, Save };
    Kind kind = Open;
    QWidget* parent = nullptr;
    QString caption;
    QString path;   // the folder to start in, or the suggested file for Save
    QString filter; // Qt's form: "Excel文件(*.xls);;Excel文件(*.xlsx)"
};

// The file dialogs of the application and the hand-over of a file to the desktop's program for
// it. Tests replace both, so none of them waits for a person or starts another program.
class FileChooser {
public:
    // Returns the chosen file, or empty when the choice was cancelled.
    using Handler = std::function<QString(const FileRequest&)>;
    // Returns whether some program took the file.
    using DesktopHandler = std::function<bool(const QString& path)>;

    static QString openFile(QWidget* parent, const QString& caption, const QString& filter,
                            const QString& folder = {});
    static QString saveFile(QWidget* parent, const QString& caption, const QString& suggested,
                            const QString& filter);
    // Opens the file with the desktop's default program for its kind.
    static bool openWithDesktop(const QString& path);

    // Replace the dialogs and the desktop (tests); an empty handler restores them.
    static void setHandler(Handler handler);
    static void setDesktopHandler(DesktopHandler handler);
};

} // namespace florist::ui
