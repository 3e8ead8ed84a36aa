// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BrowserProfiles.h"
#include "ImportOffer.h"

#include <QDialog>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;
class FolderPicker;
class BrowseLineEdit;

// The dialog that imports a browser's bookmarks into a shortcut folder: it lists the browser
// profiles found on this machine and an export file of the user's choice, imports the one
// chosen into the Favorites folder (or a folder the user picks) and shows what was written. It
// frees itself once closed.
class FormImport : public QDialog {
public:
    // Runs work away from the window's thread and returns when it is done; the wizard's own
    // helper, so that the window keeps drawing while thousands of files are written.
    using Worker = std::function<void(const std::function<void()>& work)>;

    FormImport(QWidget* owner, const std::string& favoritesFolder, Worker worker);

    void onImportClicked();
    void onBrowseFolder();

    // Runs the folder picker; tests stand in for the user here.
    std::function<bool(FolderPicker& picker)> RunFolderPicker;
    // Called with the folder each successful import wrote.
    std::function<void(const std::string& folder)> OnImported;

    QLabel* sourcesLabel;
    QListWidget* sourceList;
    QLabel* folderLabel;
    BrowseLineEdit* folderEdit;
    QLabel* resultLabel;
    QPushButton* importButton;
    QPushButton* closeButton;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    std::optional<BookmarkSource> ChosenSource();
    void Import(const BookmarkSource& source);

    std::vector<ImportOffer::Browser> browsers_;
    std::string favoritesFolder_;
    Worker worker_;
    bool importing_ = false;
};
