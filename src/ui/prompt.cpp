#include "ui/prompt.h"

#include <QApplication>
#include <QMessageBox>
#include <new>

namespace florist::ui {

namespace {

Prompt::Handler& handler() {
    static Prompt::Handler h;
    return h;
}

QMessageBox::Icon boxIcon(PromptIcon icon) {
    switch (icon) {
    case PromptIcon::Information:
        return QMessageBox::Information;
    case PromptIcon::Warning:
        return QMessageBox::Warning;
    case PromptIcon::Critical:
        return QMessageBox::Critical;
    case PromptIcon::Question:
        return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void Prompt::setHandler(Handler h) {
    handler() = std::move(h);
}

bool Prompt::show(const PromptRequest& r) {
    if (handler()) {
        return handler()(r);
    }
    QMessageBox box(boxIcon(r.icon), r.title, r.text, QMessageBox::NoButton, r.parent);
    if (r.question) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    return box.exec() == QMessageBox::Yes;
}

void Prompt::message(QWidget* parent, const QString& text, PromptIcon icon, const QString& title) {
    PromptRequest r;
    r.parent = parent;
    r.title = title.isEmpty() ? QStringLiteral("青禾花店管理系统") : title;
    r.text = text;
    r.icon = icon;
    show(r);
}

QString unexpectedErrorText(const std::exception* e) {
    if (dynamic_cast<const std::bad_alloc*>(e)) {
        return QString("内存不足，操作没有完成！请关闭其他程序或窗口后重试。");
    }
    const QString detail = e ? QString::fromLocal8Bit(e->what()) : QString();
    return detail.isEmpty() ? QString("操作因意外错误而停止，没有完成！")
                            : QString("操作因意外错误而停止，没有完成！\n%1").arg(detail);
}

void Prompt::failure(QWidget* parent, const Failure& f) {
    message(parent, f.text(), PromptIcon::Warning);
}

bool Prompt::question(QWidget* parent, const QString& title, const QString& text) {
    PromptRequest r;
    r.parent = parent;
    r.title = title;
    r.text = text;
    r.icon = PromptIcon::Question;
    r.question = true;
    return show(r);
}

bool Prompt::confirmDelete(QWidget* parent) {
    return question(parent, "删除", "确认要删除吗？该删除将不可恢复！");
}

} // namespace florist::ui
