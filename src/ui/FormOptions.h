// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QPushButton;
class QTabWidget;
class FolderPicker;
class ReorderableList;

// The dialog where the user keeps the names of the folders the scan skips. It edits a copy of
// the list and writes it back only on OK; it frees itself once closed.
class FormOptions : public QDialog {
public:
    FormOptions(QWidget* owner, std::vector<std::string>& ignoreList,
                const std::string& favoritesFolder);
    ~FormOptions() override;

    void onAddClicked();
    void onRemoveClicked();
    void onOkClicked();
    void onCancelClicked();

    // Runs the folder picker; tests stand in for the user here.
    std::function<bool(FolderPicker& picker)> RunFolderPicker;

    QTabWidget* tabs;
    ReorderableList* ignoredFolders{};
    QPushButton* addButton{};
    QPushButton* removeButton{};
    QPushButton* okButton;
    QPushButton* cancelButton;
    FolderPicker* dlgBrowseFolder{};

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* CreateIgnoredFoldersTab();
    void CreateFolderPicker(const std::string& favoritesFolder);

    std::vector<std::string>& ignoreList_;
};
