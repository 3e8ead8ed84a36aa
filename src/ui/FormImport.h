// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "import/BrowserProfiles.h"
#include "ui/ImportOffer.h"

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
    Q_OBJECT

public:
    FormImport(QWidget* owner, const std::string& favoritesFolder);

    // Runs the folder picker; tests stand in for the user here.
    std::function<bool(FolderPicker& picker)> RunFolderPicker;

signals:
    // The folder a successful import wrote.
    void imported(const std::string& folder);

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private slots:
    void onImportClicked();
    void onBrowseFolder();

private:
    std::optional<BookmarkSource> ChosenSource();
    void Import(const BookmarkSource& source);

    std::vector<ImportOffer::Browser> browsers_;
    std::string favoritesFolder_;
    bool importing_ = false;
    QLabel* sourcesLabel;
    QListWidget* sourceList;
    QLabel* folderLabel;
    BrowseLineEdit* folderEdit;
    QLabel* resultLabel;
    QPushButton* importButton;
    QPushButton* closeButton;
};
