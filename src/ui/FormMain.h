#pragma once

#include "GenerationRun.h"
#include "Globals.h"
#include "SettingsHolders.h"

#include <QDialog>
#include <QPointer>
#include <functional>
#include <optional>

class ColorLabel;
class ColorPanel;
class FormImport;
class FormCheckLinks;
class FormOptions;
class FormProgress;
class QAction;
class QMenu;
class QNetworkAccessManager;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class FolderPicker;
class BrowseLineEdit;
class LinkLabel;

// The wizard: six pages that lead from the welcome page to a finished link page. The settings
// live in the controls that show them, so the window is also the settings' holder.
class FormMain : public QDialog, public SettingsHolders, private RunView {
public:
    static constexpr int PageCount = 6;

    // Builds the window and starts it: welcome page, font list, texts, then the settings of
    // globals.SettingsPath.
    FormMain(Globals& globals, std::string programFile);
    ~FormMain() override;

    void butNextClick();
    void butBackClick();
    void butCancelClick();
    void butFinishClick();
    void butOptionsClick();
    void pmnuOptionsMoreClick();
    void pmnuOptionsImportClick();
    void pmnuOptionsCheckLinksClick();
    void pmnuOptionsLoadClick();
    void pmnuOptionsSaveClick();
    void pmnuOptionsDefaultClick();
    void txtSourceFolderButtonClick();
    void txtFileNameButtonClick();
    void imgImageClick();
    void lblTextClick(ColorLabel* label);
    void panBackClick();
    void nbWizardPageChanged();
    void UpdateCaption();
    void ShowProgress(bool on) override;
    int PageIndex() const;
    void SetPageIndex(int index);

    std::string SourceFolder() const override;
    void SetSourceFolder(const std::string& value) override;
    bool IncludeSubfolders() const override;
    void SetIncludeSubfolders(bool value) override;
    std::string OutputFile() const override;
    void SetOutputFile(const std::string& value) override;
    std::string PageTitle() const override;
    void SetPageTitle(const std::string& value) override;
    std::string PageFont() const override;
    void SetPageFont(const std::string& value) override;
    bool ShowURL() const override;
    void SetShowURL(bool value) override;
    StoredColor TextColor() const override;
    void SetTextColor(StoredColor value) override;
    StoredColor LinkColor() const override;
    void SetLinkColor(StoredColor value) override;
    StoredColor VLinkColor() const override;
    void SetVLinkColor(StoredColor value) override;
    StoredColor BackColor() const override;
    void SetBackColor(StoredColor value) override;
    bool LaunchBrowser() const override;
    void SetLaunchBrowser(bool value) override;

    // Runs the folder picker; tests stand in for the user here.
    std::function<bool(FolderPicker& picker)> RunFolderPicker;
    // Called with each new Options dialog before it runs; tests stand in for the user here.
    std::function<void(FormOptions& dialog)> OnOptionsDialog;
    // The same for each new import dialog.
    std::function<void(FormImport& dialog)> OnImportDialog;
    // The network the link check goes through (its own when null); tests put a loopback one here.
    QNetworkAccessManager* CheckLinksNetwork = nullptr;

    QLabel* imgImage{};
    QStackedWidget* nbWizard;
    QPushButton* butCancel{};
    QPushButton* butOptions{};
    QPushButton* butBack{};
    QPushButton* butNext{};
    QPushButton* butFinish{};
    QLabel* lblWelcome{};
    QLabel* lblVersion{};
    LinkLabel* UrlLabel1{};
    QLabel* lblFileName{};
    BrowseLineEdit* txtSourceFolder{};
    QCheckBox* chkSubfolders{};
    BrowseLineEdit* txtFileName{};
    QLabel* lblPageInfo{};
    QLineEdit* txtPageTitle{};
    QComboBox* cmbFontName{};
    QCheckBox* chkShowURL{};
    QLabel* lblColor{};
    ColorPanel* panBack{};
    ColorLabel* lblText{};
    ColorLabel* lblLink{};
    ColorLabel* lblVLink{};
    QLabel* lblReadyToFinish{};
    QCheckBox* chkLaunchBrowser{};
    QLabel* lblFinished{};
    QPointer<FormProgress> frmProgress;
    QPointer<FormOptions> frmOptions;
    QPointer<FormCheckLinks> frmCheckLinks;
    QMenu* pmnuOptions{};
    QAction* pmnuOptionsMore{};
    QAction* pmnuOptionsImport{};
    QAction* pmnuOptionsCheckLinks{};
    QAction* pmnuOptionsLoad{};
    QAction* pmnuOptionsSave{};
    QAction* pmnuOptionsDefault{};

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void CreateSide();
    void CreateButtons();
    void CreateOptionsMenu();
    std::optional<std::string> ChooseSettingsFile(bool save);
    QWidget* CreateWelcomePage();
    QWidget* CreateFileNamePage();
    QWidget* CreatePageInfoPage();
    QWidget* CreatePageColorPage();
    QWidget* CreateReadyPage();
    QWidget* CreateFinishedPage();
    void SetTabOrder();
    void KeepValuesWhole();
    void FormCreate();
    void FillFontList();
    void SetDefaultButton(QPushButton* button);
    void FocusFirstControlOf(QWidget* page);

    void SetBusyCursor(bool busy) override;
    void Build(const std::function<void()>& build) override;
    void ShowResult(const std::string& text) override;
    void ProcessPendingEvents() override;

    Globals& globals_;
    const std::string programFile_;
    bool generating_ = false;
    bool imagePressed_ = false;
};
