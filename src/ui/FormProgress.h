// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>

class ProgressAnimation;

// The small window that shows the program is busy while a page is built. It has no buttons
// and cannot be closed by the user; its owner destroys it when the page is done.
class FormProgress : public QDialog {
public:
    explicit FormProgress(QWidget* owner);

    ProgressAnimation* Animation() const { return animation_; }

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    ProgressAnimation* animation_;
};
