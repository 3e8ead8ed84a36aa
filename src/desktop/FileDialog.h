// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileDialog>

// The file dialog of the program: a file to save must go into a folder that exists, as the
// dialog promises, so a mistyped folder is refused here instead of failing at the end of a run.
class FileDialog : public QFileDialog {
public:
    explicit FileDialog(QWidget* owner);

    void accept() override;

private:
    bool SaveFolderMissing() const;
};
