// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormProgress.h"

#include "ProgressAnimation.h"
#include "Strings.h"

#include <QCloseEvent>
#include <QKeyEvent>

FormProgress::FormProgress(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      animation_(new ProgressAnimation(this)) {
    setWindowTitle(Q(Strings::ProgressCaption));
    setFixedSize(146, 90);
    animation_->move(width() / 2 - animation_->width() / 2,
                     height() / 2 - animation_->height() / 2);
}

void FormProgress::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    animation_->Start();
}

void FormProgress::closeEvent(QCloseEvent* event) {
    event->ignore();
}

// Esc would close a dialog; this one stays until the page is built.
void FormProgress::keyPressEvent(QKeyEvent* event) {
    event->accept();
}
