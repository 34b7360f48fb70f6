#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace florist {
class DataModule;
class PrintModule;
} // namespace florist

namespace florist::ui {

// What every window is built with.
struct Context {
    DataModule& dm;
    PrintModule* print = nullptr; // frmDMP: the receipts
};

// Builds the window a menu entry opens: a QDialog for modal entries, a plain widget for child
// windows. The window's objectName is its documented name (frmOrder_In).
using WindowFactory = std::function<QWidget*(Context& context, QWidget* parent)>;

class WindowRegistry {
public:
    static void add(const QString& window, WindowFactory factory);
    // Empty when no window of that name exists yet.
    static WindowFactory find(const QString& window);
};

} // namespace florist::ui
