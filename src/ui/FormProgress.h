// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <memory>

class ProgressAnimation;

namespace Ui {
class FormProgress;
}

// The small window that shows the program is busy while a page is built. It has no buttons
// and cannot be closed by the user; its owner destroys it when the page is done.
class FormProgress : public QDialog {
    Q_OBJECT

public:
    explicit FormProgress(QWidget* owner);
    ~FormProgress() override;

    ProgressAnimation* Animation() const;

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::unique_ptr<Ui::FormProgress> ui;
};
