// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class FolderPicker;

namespace Ui {
class FormOptions;
}

// The dialog where the user keeps the names of the folders the scan skips. It edits a copy of
// the list and writes it back only on OK; it frees itself once closed.
class FormOptions : public QDialog {
    Q_OBJECT

public:
    FormOptions(QWidget* owner, std::vector<std::string>& ignoreList,
                const std::string& favoritesFolder);
    ~FormOptions() override;

    // Runs the folder picker; tests stand in for the user here.
    std::function<bool(FolderPicker& picker)> RunFolderPicker;

protected:
    void showEvent(QShowEvent* event) override;

private slots:
    void onAddClicked();
    void onRemoveClicked();
    void onOkClicked();

private:
    void CreateFolderPicker(const std::string& favoritesFolder);

    std::unique_ptr<Ui::FormOptions> ui;
    std::vector<std::string>& ignoreList_;
    FolderPicker* folderPicker_{};
};
