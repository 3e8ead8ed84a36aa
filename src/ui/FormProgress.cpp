// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormProgress.h"

#include "ui/ProgressAnimation.h"
#include "ui_FormProgress.h"

#include <QCloseEvent>
#include <QKeyEvent>

FormProgress::FormProgress(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      ui(std::make_unique<Ui::FormProgress>()) {
    setObjectName("progressWindow");
    ui->setupUi(this);
}

FormProgress::~FormProgress() = default;

ProgressAnimation* FormProgress::Animation() const {
    return ui->animation;
}

void FormProgress::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui->animation->Start();
}

void FormProgress::closeEvent(QCloseEvent* event) {
    event->ignore();
}

// Esc would close a dialog; this one stays until the page is built.
void FormProgress::keyPressEvent(QKeyEvent* event) {
    event->accept();
}
