#include "QtDesktop.h"

#include <QApplication>
#include <QMessageBox>

namespace {

bool CanOwnMessages(const QWidget* window) {
    const Qt::WindowType type = window->windowType();
    return window->isVisible() && window->isEnabled() && (type == Qt::Window || type == Qt::Dialog);
}

// The window a message box belongs to: the active one, else, when that has just gone (the
// progress window at the end of a run), a window of the program that still takes input, an
// owned window such as the progress window before the one that owns it.
QWidget* MessageOwner() {
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    if (QWidget* active = QApplication::activeWindow())
        return active;
    QWidget* owner = nullptr;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!CanOwnMessages(window))
            continue;
        if (owner == nullptr || window->parentWidget() != nullptr)
            owner = window;
    }
    return owner;
}

} // namespace

void QtDesktop::Beep() {
    QApplication::beep();
}

void QtDesktop::ShowMessage(Icon icon, const std::string& caption, const std::string& text) {
    QMessageBox box(icon == Icon::Error ? QMessageBox::Critical : QMessageBox::Information,
                    QString::fromStdString(caption), QString::fromStdString(text), QMessageBox::Ok,
                    MessageOwner());
    box.exec();
}
