// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/LinkToCheck.h"
#include "generation/BookmarkExport.h"
#include "generation/RunView.h"
#include "settings/Globals.h"
#include "settings/Settings.h"
#include "ui/ImportOffer.h"

#include <QDialog>
#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class ColorLabel;
class FolderPicker;
class FormCheckLinks;
class FormImport;
class FormOptions;
class FormProgress;
class FormRefresh;
struct BookmarkSource;
class QAction;
class QLabel;
class QMenu;
class QNetworkAccessManager;
class QPushButton;
class SystemctlRunner;

namespace Ui {
class FormMain;
}

// The wizard: six pages that lead from the welcome page to a finished link page. Its pages show
// and edit one Settings record, which every run, save and check reads at the moment of use.
// Its controls are laid out in FormMain.ui; tests find them by their object names.
class FormMain : public QDialog, private RunView {
    Q_OBJECT

public:
    static constexpr int PageCount = 6;

    // Builds the window and starts it: welcome page, font list, texts, then the settings of
    // globals.SettingsPath.
    FormMain(Globals& globals, std::string programFile);
    ~FormMain() override;

    const Settings& CurrentSettings() const { return settings_; }
    // Puts settings into the record and shows them on the pages.
    void SetSettings(const Settings& settings);

    int PageIndex() const;
    void SetPageIndex(int index);

    // Runs the folder picker; tests stand in for the user here.
    std::function<bool(FolderPicker& picker)> RunFolderPicker;
    // Called with each new Options dialog before it runs; tests stand in for the user here.
    std::function<void(FormOptions& dialog)> OnOptionsDialog;
    // The same for each new import dialog.
    std::function<void(FormImport& dialog)> OnImportDialog;
    // The network the link check goes through (its own when null); tests put a loopback one here.
    QNetworkAccessManager* CheckLinksNetwork = nullptr;
    // The same for each new dialog of the page's automatic refresh.
    std::function<void(FormRefresh& dialog)> OnRefreshDialog;
    // Where the refresh asks the user's service manager (the real systemctl when null).
    SystemctlRunner* Systemctl = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private slots:
    void onNextClicked();
    void onBackClicked();
    void onFinishClicked();
    void onOptionsClicked();
    void onIgnoredFoldersTriggered();
    void onImportTriggered();
    void onImported(const std::string& folder);
    void onCheckLinksTriggered();
    void onExportTriggered();
    void onTreeChanged();
    void onRefreshTriggered();
    void onLoadTriggered();
    void onSaveTriggered();
    void onDefaultsTriggered();
    void onBrowseSourceFolder();
    void onBrowseOutputFile();
    void onTextColorClicked();
    void onLinkColorClicked();
    void onVisitedColorClicked();
    void onBackgroundClicked();
    void onImportOfferChosen(const BookmarkSource& source);

private:
    void SetUpControls();
    void NameControls();
    void SetPageText(QLabel* label, const QString& text);
    void AnnouncePage();
    void CreateOptionsMenu();
    void ConnectControls();
    enum class FileUse { Open, SaveAs };
    std::optional<std::string> ChooseSettingsFile(FileUse use);
    void BindSettings();
    void ShowSettings();
    void KeepValuesWhole();
    void StartUp();
    void FillFontList();
    void SetDefaultButton(QPushButton* button);
    void ShowResultState(bool shown);
    void FocusFirstControlOf(QWidget* page);
    void onPageChanged();
    void onSidePictureClicked();
    void ChooseLabelColor(ColorLabel* label, StoredColor& setting);
    // What the check-links window gets from the tree: its links, and those without a site icon.
    struct TreeLinks;
    void ShowCheckLinks(const std::string& source, TreeLinks found);
    void ShowExported(const std::string& path, const ResultOf<BookmarkExport::Counts>& exported);
    void OfferImportWhenThereIsNoSource();
    void ShowImportOffer(const QString& imported);
    void UpdateCaption();

    void SetBusyCursor(bool busy) override;
    void ShowProgress(bool on) override;
    void Build(const std::function<void()>& build) override;
    void ShowResult(const std::string& text) override;
    void ProcessPendingEvents() override;

    std::unique_ptr<Ui::FormMain> ui;
    Globals& globals_;
    const std::string programFile_;
    Settings settings_;
    bool generating_ = false;
    // A run has shown its result on the last page, and Finish has become Exit.
    bool resultShown_ = false;
    bool picturePressed_ = false;
    // The Options button was last pressed with the mouse, not from the keyboard.
    bool optionsByMouse_ = false;
    std::vector<ImportOffer::Browser> offeredBrowsers_;
    // What each import from the offer wrote, in turn.
    QStringList importSummaries_;
    // While the pages are filled from the record, their change signals must not write back.
    bool showingSettings_ = false;

    QPointer<FormProgress> progressWindow;
    QPointer<FormOptions> optionsDialog;
    QPointer<FormCheckLinks> checkLinksWindow;
    QMenu* optionsMenu{};
    QAction* ignoredFoldersAction{};
    QAction* importAction{};
    QAction* checkLinksAction{};
    QAction* exportAction{};
    QAction* refreshAction{};
    QAction* loadAction{};
    QAction* saveAction{};
    QAction* defaultsAction{};
};
