// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowPlacement.h"

#include <QCoreApplication>
#include <QDialog>
#include <QGuiApplication>
#include <QScopeGuard>
#include <QScreen>

namespace {

// A dialog has a modal result of its own; any other window is shown modally and waited for until
// it is closed, and has none.
std::int32_t RunModal(QWidget* form) {
    if (auto* dialog = qobject_cast<QDialog*>(form))
        return dialog->exec();
    const QPointer<QWidget> alive(form);
    form->setWindowModality(Qt::ApplicationModal);
    form->show();
    while (alive && alive->isVisible())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return 0;
}

} // namespace

std::int32_t ShowForm(const std::function<QWidget*()>& createForm, QWidget* owner,
                      ShowFormOptions options, bool busyCursor) {
    if (busyCursor)
        QGuiApplication::setOverrideCursor(Qt::BusyCursor);
    // Also when making or showing the form fails, the user gets the cursor back.
    const auto restoreCursor = qScopeGuard([busyCursor] {
        if (busyCursor)
            QGuiApplication::restoreOverrideCursor();
    });
    QWidget* form = createForm();
    // A form made with its owner as parent would otherwise sit inside the owner as a child.
    if (!form->isWindow())
        form->setWindowFlag(Qt::Window);
    if (options.testFlag(ShowFormOption::CenterScreen))
        CenterOnScreen(form);
    if (options.testFlag(ShowFormOption::CenterOwner))
        CenterOnForm(form, owner);
    if (options.testFlag(ShowFormOption::Show))
        form->show();
    if (options.testFlag(ShowFormOption::ShowModal))
        return RunModal(form);
    return 0;
}

void CenterOnScreen(QWidget* form) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (form == nullptr || screen == nullptr)
        return;
    const QRect area = screen->geometry();
    const QRect bounds = form->geometry();
    form->setGeometry(area.left() + area.width() / 2 - bounds.width() / 2,
                      area.top() + area.height() / 2 - bounds.height() / 2, bounds.width(),
                      bounds.height());
}

void CenterOnForm(QWidget* form, QWidget* owner) {
    if (form == nullptr || owner == nullptr)
        return;
    const QRect outer = owner->window()->geometry();
    const QRect bounds = form->geometry();
    form->setGeometry(outer.left() + outer.width() / 2 - bounds.width() / 2,
                      outer.top() + outer.height() / 2 - bounds.height() / 2, bounds.width(),
                      bounds.height());
}
