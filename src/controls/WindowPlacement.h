// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFlags>
#include <QPointer>
#include <QWidget>
#include <concepts>
#include <cstdint>
#include <functional>

// How ShowForm treats the form it makes; the flags combine with |.
enum class ShowFormOption : std::uint8_t {
    CenterScreen = 1, // centre on the primary screen
    CenterOwner = 2,  // centre over the owner; applied after CenterScreen, so it wins
    Show = 4,         // show without waiting
    ShowModal = 8,    // run modally and give back the modal result
};
using ShowFormOptions = QFlags<ShowFormOption>;
Q_DECLARE_OPERATORS_FOR_FLAGS(ShowFormOptions)

// Makes a new Form on every call (owned by owner, so it is freed with it at the latest), keeps it
// in formRef, positions and shows it as the options ask, and gives back the modal result with
// ShowFormOption::ShowModal, else 0. With busyCursor the busy cursor shows until the form is shown
// or closed. Ending the form is up to the form or the caller; formRef turns null when the form is
// freed.
template <std::derived_from<QWidget> Form>
std::int32_t ShowForm(QPointer<Form>& formRef, QWidget* owner, ShowFormOptions options,
                      bool busyCursor);

// The same for a form made by createForm.
std::int32_t ShowForm(const std::function<QWidget*()>& createForm, QWidget* owner,
                      ShowFormOptions options, bool busyCursor);

// Both routines measure and place windows by their client area (QWidget::geometry and
// setGeometry): the window manager adds the frame only when a window is first shown, so a new
// form's frame is not known yet, and the frames of a form and its owner are alike anyway.
// Division truncates, and nothing keeps the result on the screen: a form centred over an owner
// near an edge may lie partly off it.

// Centres form on the whole primary screen, task bars included; nothing for no form.
void CenterOnScreen(QWidget* form);
// Centres form over the window of owner; nothing for no owner.
void CenterOnForm(QWidget* form, QWidget* owner);

template <std::derived_from<QWidget> Form>
std::int32_t ShowForm(QPointer<Form>& formRef, QWidget* owner, ShowFormOptions options,
                      bool busyCursor) {
    return ShowForm(
        [&formRef, owner]() -> QWidget* {
            formRef = new Form(owner);
            return formRef;
        },
        owner, options, busyCursor);
}
