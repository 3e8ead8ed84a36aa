// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormMain.h"

#include "check/LinkToCheck.h"
#include "controls/AccessibleNames.h"
#include "controls/BrowseLineEdit.h"
#include "controls/FolderPicker.h"
#include "controls/LinkLabel.h"
#include "controls/PressableAccessible.h"
#include "controls/SpokenCaptions.h"
#include "controls/WindowPlacement.h"
#include "desktop/FontList.h"
#include "generation/BookmarkExport.h"
#include "generation/GenerationRun.h"
#include "generation/RunTexts.h"
#include "import/BookmarkImport.h"
#include "platform/DesktopServices.h"
#include "platform/FileChecks.h"
#include "platform/InstallRecord.h"
#include "platform/SystemctlRunner.h"
#include "refresh/RefreshSetup.h"
#include "settings/FactoryDefaults.h"
#include "settings/SettingsFile.h"
#include "settings/Startup.h"
#include "text/Text.h"
#include "ui/BackgroundWork.h"
#include "ui/ColorLabel.h"
#include "ui/ColorPanel.h"
#include "ui/ColorValue.h"
#include "ui/FormCheckLinks.h"
#include "ui/FormImport.h"
#include "ui/FormOptions.h"
#include "ui/FormProgress.h"
#include "ui/FormRefresh.h"
#include "ui/ImportOffer.h"
#include "ui/Strings.h"
#include "ui/WizardArt.h"
#include "ui/WrapLabel.h"
#include "ui_FormMain.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <limits>

namespace {

// The wizard's face: the SimSun face at 9 points where it is installed, else a CJK face.
QFont WizardFont() {
    QFont font;
    font.setFamilies({"SimSun", "NSimSun", "WenQuanYi Micro Hei", "Noto Sans CJK SC",
                      "Noto Sans SC", "Droid Sans Fallback"});
    font.setPointSize(9);
    return font;
}

// The small triangle that tells the Options button opens a menu.
QIcon MenuGlyph() {
    QPixmap glyph(9, 7);
    glyph.fill(Qt::transparent);
    QPainter painter(&glyph);
    for (int row = 0; row < 4; ++row)
        painter.fillRect(1 + row, 1 + row, 7 - 2 * row, 1, Qt::black);
    return QIcon(glyph);
}

// The colour dialog, starting at a stored colour (a system colour as it looks now).
std::optional<StoredColor> ChooseColor(QWidget* owner, StoredColor initial) {
    const auto chosen =
        DesktopServices::Current().ChooseColor(owner, ColorValue::ToQColor(initial).rgba());
    if (!chosen)
        return std::nullopt;
    return ColorValue::FromQColor(QColor::fromRgba(*chosen));
}

} // namespace

struct FormMain::TreeLinks {
    std::vector<LinkToCheck> links;
    std::vector<IconFetcher::Link> iconless;
};

FormMain::FormMain(Globals& globals, std::string programFile)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      RunFolderPicker([](FolderPicker& picker) { return picker.Execute(); }),
      ui(std::make_unique<Ui::FormMain>()), globals_(globals),
      programFile_(std::move(programFile)) {
    setObjectName("wizard");
    setFont(WizardFont());
    ui->setupUi(this);
    setWindowIcon(WizardArt::WindowIcon());
    SetUpControls();
    CreateOptionsMenu();
    ConnectControls();
    KeepValuesWhole();
    BindSettings();
    StartUp();
}

FormMain::~FormMain() = default;

// What the form file cannot say: pictures drawn by the program, the home page's colours and the
// sizes that follow the texts of the run's language.
void FormMain::SetUpControls() {
    ui->sidePicture->setPixmap(WizardArt::SidePicture());
    ui->sidePicture->installEventFilter(this);
    ui->optionsButton->setIcon(MenuGlyph());
    ui->homePageLink->SetCaption(std::string(HomePageUrl));
    ui->homePageLink->SetURL(std::string(HomePageUrl));
    ui->homePageLink->SetFontColor(
        ColorValue::ToQColor(SystemColor(SystemColorIndex::ActiveCaption)));
    ui->homePageLink->SetActiveColor(Qt::blue);
    for (QLabel* label : {static_cast<QLabel*>(ui->homePageLink), ui->sourceFolderLabel,
                          ui->outputFileLabel, ui->pageTitleLabel, ui->pageFontLabel})
        label->adjustSize();
    ui->importOfferArea->hide();
    SpokenCaptions::Install();
    NameControls();
}

// Names for what a screen reader would otherwise find nameless or name after a value: the
// picture, the browse buttons, the font box and its edit field. The Options button says that it
// opens a menu.
void FormMain::NameControls() {
    PressableAccessible::Expose(ui->sidePicture, QAccessible::Button);
    ui->sidePicture->setAccessibleName(tr("Linkshelf 主页"));
    ui->sourceFolderEdit->SetButtonName(tr("浏览文件夹..."));
    ui->outputFileEdit->SetButtonName(tr("浏览文件..."));
    const QString fontName = AccessibleNames::Spoken(ui->pageFontLabel->text());
    ui->fontBox->setAccessibleName(fontName);
    ui->fontBox->lineEdit()->setAccessibleName(fontName);
    PressableAccessible::Expose(ui->optionsButton, QAccessible::Button);
    PressableAccessible::SetHasPopup(ui->optionsButton, true);
    ui->optionsButton->installEventFilter(this);
}

void FormMain::ConnectControls() {
    connect(ui->closeButton, &QPushButton::clicked, this, &FormMain::close);
    connect(ui->optionsButton, &QPushButton::clicked, this, &FormMain::onOptionsClicked);
    connect(ui->backButton, &QPushButton::clicked, this, &FormMain::onBackClicked);
    connect(ui->nextButton, &QPushButton::clicked, this, &FormMain::onNextClicked);
    connect(ui->finishButton, &QPushButton::clicked, this, &FormMain::onFinishClicked);
    connect(ui->sourceFolderEdit, &BrowseLineEdit::buttonClicked, this,
            &FormMain::onBrowseSourceFolder);
    connect(ui->outputFileEdit, &BrowseLineEdit::buttonClicked, this,
            &FormMain::onBrowseOutputFile);
    connect(ui->backgroundPanel, &ColorPanel::clicked, this, &FormMain::onBackgroundClicked);
    connect(ui->textColorLabel, &ColorLabel::clicked, this, &FormMain::onTextColorClicked);
    connect(ui->linkColorLabel, &ColorLabel::clicked, this, &FormMain::onLinkColorClicked);
    connect(ui->visitedColorLabel, &ColorLabel::clicked, this, &FormMain::onVisitedColorClicked);
    connect(ignoredFoldersAction, &QAction::triggered, this, &FormMain::onIgnoredFoldersTriggered);
    connect(importAction, &QAction::triggered, this, &FormMain::onImportTriggered);
    connect(checkLinksAction, &QAction::triggered, this, &FormMain::onCheckLinksTriggered);
    connect(exportAction, &QAction::triggered, this, &FormMain::onExportTriggered);
    connect(refreshAction, &QAction::triggered, this, &FormMain::onRefreshTriggered);
    connect(loadAction, &QAction::triggered, this, &FormMain::onLoadTriggered);
    connect(saveAction, &QAction::triggered, this, &FormMain::onSaveTriggered);
    connect(defaultsAction, &QAction::triggered, this, &FormMain::onDefaultsTriggered);
}

// A line edit cuts its text at 32,767 characters by default, and the cut value would be saved
// back over the whole one.
void FormMain::KeepValuesWhole() {
    for (QLineEdit* edit :
         {static_cast<QLineEdit*>(ui->sourceFolderEdit),
          static_cast<QLineEdit*>(ui->outputFileEdit), ui->pageTitleEdit, ui->fontBox->lineEdit()})
        edit->setMaxLength(std::numeric_limits<int>::max());
}

// Start-up: the welcome page, the font list, the texts, then the settings file. A settings file
// that cannot be read leaves the initial values; nothing is said about it at start.
void FormMain::StartUp() {
    ui->pages->setCurrentIndex(0);
    onPageChanged();
    ShowResultState(false);
    FillFontList();
    ui->versionLabel->setText(Q(Strings::VersionLabel()));
    SetPageText(ui->welcomeText, Q(Strings::Welcome()));
    SetPageText(ui->folderPageText, Q(Strings::FileNameHelp(globals_.DesktopFolder)));
    SetPageText(ui->readyText, Q(Strings::ReadyToFinish()));
    SetPageText(ui->pageInfoText, Q(Strings::PageInfo()));
    SetPageText(ui->colorPageText, Q(Strings::ColorHelp()));
    static_cast<void>(ReadSettings(globals_.SettingsPath, settings_, globals_));
    ShowSettings();
    OfferImportWhenThereIsNoSource();
    ui->nextButton->setFocus();
}

// On this desktop the bookmarks live in the browsers, not in a Favorites folder: while there is
// no folder of shortcuts, the folder page offers to bring them in with one click.
void FormMain::OfferImportWhenThereIsNoSource() {
    const std::string folder = TrimText(settings_.sourceFolder);
    if (!folder.empty() && QDir(Q(folder)).exists() && !QDir(Q(folder)).isEmpty())
        return;
    offeredBrowsers_ = ImportOffer::FindBrowsers();
    ShowImportOffer({});
    ui->folderPageText->hide();
}

// imported: what the last import did, above the browsers still to offer.
void FormMain::ShowImportOffer(const QString& imported) {
    // The offer being replaced may be the one whose button was just clicked: it goes once its
    // click is over.
    for (auto* old : ui->importOfferArea->findChildren<ImportOffer*>()) {
        ui->importOfferLayout->removeWidget(old);
        old->hide();
        old->setParent(nullptr);
        old->deleteLater();
    }
    auto* offer = new ImportOffer(ui->importOfferArea, offeredBrowsers_, imported);
    ui->importOfferLayout->addWidget(offer);
    connect(offer, &ImportOffer::chosen, this, &FormMain::onImportOfferChosen);
    ui->importOfferArea->show();
}

// The bookmarks go into the Favorites folder (made when missing), and the folder they were
// written to becomes the source.
void FormMain::onImportOfferChosen(const BookmarkSource& source) {
    BookmarkImport import;
    Result written;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const std::string target = BookmarkImport::TargetFor(globals_.FavoritesFolder);
    Build([&] { written = import.Run(source, target); });
    QApplication::restoreOverrideCursor();
    if (!written) {
        ShowError(written.failure().Text());
        return;
    }
    // The Favorites folder exists now: the folder picker starts there.
    if (globals_.FavoritesFolder.empty())
        ReadShellFolders(globals_);
    // The first browser's folder is the source; with a second one beside it, the folder that
    // holds both, so that the page lists every browser imported.
    // Each import says what it wrote and skipped, the earlier ones' lines staying above.
    importSummaries_ << Q(import.Summary());
    if (importSummaries_.size() == 1) {
        settings_.sourceFolder = import.FolderPath();
    } else {
        settings_.sourceFolder = target;
        settings_.includeSubfolders = true;
    }
    ShowSettings();
    std::erase_if(offeredBrowsers_, [&](const ImportOffer::Browser& browser) {
        return browser.source.path == source.path || !browser.links;
    });
    if (!offeredBrowsers_.empty()) {
        ShowImportOffer(importSummaries_.join('\n') + '\n' +
                        QCoreApplication::translate("FormMain", "也导入："));
        return;
    }
    ui->importOfferArea->hide();
    SetPageText(ui->folderPageText, importSummaries_.join('\n'));
    ui->folderPageText->show();
}

// A page's text shows as written, runs of blanks and line breaks included; a screen reader gets
// it as one plain sentence.
void FormMain::SetPageText(QLabel* label, const QString& text) {
    label->setText(text);
    label->setAccessibleName(text.simplified());
    AnnouncePage();
}

void FormMain::FillFontList() {
    const QString text = ui->fontBox->currentText();
    ui->fontBox->clear();
    ui->fontBox->addItems(FontList::Families());
    ui->fontBox->setEditText(text);
}

int FormMain::PageIndex() const {
    return ui->pages->currentIndex();
}

// Moves to another page; a request for the current page or one outside the book does nothing.
void FormMain::SetPageIndex(int index) {
    if (index == PageIndex() || index < 0 || index >= PageCount)
        return;
    // The window's own focus, kept while another window is active; none when disabling the window
    // for a run took it away, and then the new page's first control takes it.
    QWidget* focus = focusWidget();
    const bool focusOnPage = focus == nullptr || ui->pages->currentWidget()->isAncestorOf(focus);
    ui->pages->setCurrentIndex(index);
    if (focusOnPage)
        FocusFirstControlOf(ui->pages->currentWidget());
    onPageChanged();
}

// The focus goes to the page's first control in tab order; a page without one hands it on to
// the next control of the window, as a hidden control cannot keep it.
void FormMain::FocusFirstControlOf(QWidget* page) {
    for (QWidget* next = page->nextInFocusChain(); next != page; next = next->nextInFocusChain()) {
        if (page->isAncestorOf(next) && next->isEnabled() && (next->focusPolicy() & Qt::TabFocus)) {
            next->setFocus(Qt::TabFocusReason);
            return;
        }
    }
    focusNextChild();
}

void FormMain::onNextClicked() {
    SetPageIndex(PageIndex() + 1);
}

void FormMain::onBackClicked() {
    SetPageIndex(PageIndex() - 1);
    ShowResultState(false);
}

// Once a run has shown its result, Finish becomes Exit until the user goes back.
void FormMain::ShowResultState(bool shown) {
    resultShown_ = shown;
    ui->finishButton->setText(Translated(shown ? Strings::ExitCaption : Strings::FinishCaption));
    SpokenCaptions::Name(ui->finishButton, ui->finishButton->text());
}

// A button that has the focus is already the default for the moment; clearing it first makes
// the new default the one Enter presses once the focus moves on.
void FormMain::SetDefaultButton(QPushButton* button) {
    for (QPushButton* other : {ui->nextButton, ui->finishButton})
        other->setDefault(false);
    button->setDefault(true);
}

void FormMain::onPageChanged() {
    switch (PageIndex()) {
    case 0:
        ui->backButton->setEnabled(false);
        SetDefaultButton(ui->nextButton);
        break;
    case 4:
        ui->nextButton->setEnabled(false);
        SetDefaultButton(ui->finishButton);
        break;
    case PageCount - 1:
        ui->backButton->setEnabled(true);
        ui->nextButton->setEnabled(false);
        break;
    default:
        ui->nextButton->setEnabled(true);
        ui->backButton->setEnabled(true);
    }
    UpdateCaption();
    AnnouncePage();
}

// A screen reader hears a new page through the description of the wizard's buttons, where the
// focus stays while the user walks the pages: the page's text, or the result of the run.
void FormMain::AnnouncePage() {
    const QLabel* texts[PageCount] = {ui->welcomeText,   ui->folderPageText, ui->pageInfoText,
                                      ui->colorPageText, ui->readyText,      ui->resultText};
    const QString said = texts[PageIndex()]->text().simplified();
    for (QPushButton* button :
         {ui->closeButton, ui->optionsButton, ui->backButton, ui->nextButton, ui->finishButton})
        button->setAccessibleDescription(said);
}

void FormMain::UpdateCaption() {
    if (globals_.Unattended) {
        QApplication::setApplicationDisplayName(Translated(Strings::WorkingTitle));
        return;
    }
    setWindowTitle(Q(Strings::Caption(PageIndex(), PageCount)));
}

void FormMain::onFinishClicked() {
    if (resultShown_) {
        close();
        return;
    }
    generating_ = true;
    GenerationRun(settings_, globals_).Run(*this);
    generating_ = false;
}

void FormMain::CreateOptionsMenu() {
    optionsMenu = new QMenu(this);
    optionsMenu->setObjectName("optionsMenu");
    ignoredFoldersAction = optionsMenu->addAction(Translated(Strings::OptionsMore));
    importAction = optionsMenu->addAction(Translated(Strings::OptionsImport));
    checkLinksAction = optionsMenu->addAction(Translated(Strings::OptionsCheckLinks));
    exportAction = optionsMenu->addAction(Translated(Strings::OptionsExport));
    refreshAction =
        optionsMenu->addAction(QCoreApplication::translate("FormMain", "自动更新页面(&U)..."));
    optionsMenu->addSeparator();
    loadAction = optionsMenu->addAction(Translated(Strings::OptionsLoad));
    saveAction = optionsMenu->addAction(Translated(Strings::OptionsSave));
    optionsMenu->addSeparator();
    defaultsAction = optionsMenu->addAction(Translated(Strings::OptionsDefault));
    // Tests find the actions by these names.
    const std::pair<QAction*, const char*> names[] = {
        {ignoredFoldersAction, "ignoredFoldersAction"},
        {importAction, "importAction"},
        {checkLinksAction, "checkLinksAction"},
        {exportAction, "exportAction"},
        {refreshAction, "refreshAction"},
        {loadAction, "loadAction"},
        {saveAction, "saveAction"},
        {defaultsAction, "defaultsAction"},
    };
    for (const auto& [action, name] : names)
        action->setObjectName(name);
}

// The menu opens right below the button, left edges aligned; opened from the keyboard, with its
// first item selected, as the arrow keys would have it.
void FormMain::onOptionsClicked() {
    optionsMenu->popup(ui->optionsButton->mapToGlobal(QPoint(0, ui->optionsButton->height())));
    if (!optionsByMouse_)
        optionsMenu->setActiveAction(optionsMenu->actions().constFirst());
}

void FormMain::onIgnoredFoldersTriggered() {
    ShowForm(
        [this]() -> QWidget* {
            optionsDialog = new FormOptions(this, globals_.IgnoreList, globals_.FavoritesFolder);
            if (OnOptionsDialog)
                OnOptionsDialog(*optionsDialog);
            return optionsDialog;
        },
        this, ShowFormOption::CenterOwner | ShowFormOption::ShowModal, false);
}

// A successful import becomes the folder the page is generated from.
void FormMain::onImportTriggered() {
    ShowForm(
        [this]() -> QWidget* {
            auto* dialog = new FormImport(this, globals_.FavoritesFolder);
            connect(dialog, &FormImport::imported, this, &FormMain::onImported);
            if (OnImportDialog)
                OnImportDialog(*dialog);
            return dialog;
        },
        this, ShowFormOption::CenterOwner | ShowFormOption::ShowModal, false);
}

void FormMain::onImported(const std::string& folder) {
    settings_.sourceFolder = folder;
    ShowSettings();
}

// The links are read on a worker, as a page is built, so a large tree does not freeze the
// window; the check then runs in its own window beside the wizard, which stays usable.
void FormMain::onCheckLinksTriggered() {
    if (checkLinksWindow) {
        checkLinksWindow->raise();
        checkLinksWindow->activateWindow();
        return;
    }
    // No folder would mean the current one; one that is not there would be reported as one
    // without shortcuts.
    const std::string source = TrimText(settings_.sourceFolder);
    if (source.empty()) {
        ShowError(NoSourceFolderInWizardText());
        return;
    }
    if (const Result listable = CanListFolder(source); !listable) {
        ShowError(SourceFolderUnusable(source, listable.failure().cause).Text());
        return;
    }
    SetBusyCursor(true);
    setEnabled(false);
    BackgroundWork::RunThen<TreeLinks>(
        this,
        [settings = settings_, globals = globals_] {
            return TreeLinks{CollectLinks(settings, globals),
                             IconFetcher::Collect(settings, globals)};
        },
        [this, source](TreeLinks found) { ShowCheckLinks(source, std::move(found)); });
}

void FormMain::ShowCheckLinks(const std::string& source, TreeLinks found) {
    setEnabled(true);
    SetBusyCursor(false);
    if (found.links.empty()) {
        ShowInfo(NoShortcutText());
        return;
    }
    checkLinksWindow = new FormCheckLinks(this, std::move(found.links), CheckLinksNetwork);
    checkLinksWindow->OfferIconFetch(source, std::move(found.iconless));
    connect(checkLinksWindow, &FormCheckLinks::treeChanged, this, &FormMain::onTreeChanged);
    CenterOnForm(checkLinksWindow, this);
    checkLinksWindow->show();
}

// The tree is walked and the file written on a worker, as a page is built; the file's name
// chooses the format, and a name of neither kind gets the bookmark file browsers import.
void FormMain::onExportTriggered() {
    const std::string source = TrimText(settings_.sourceFolder);
    if (source.empty()) {
        ShowError(NoSourceFolderInWizardText());
        return;
    }
    if (const Result listable = CanListFolder(source); !listable) {
        ShowError(SourceFolderUnusable(source, listable.failure().cause).Text());
        return;
    }
    DesktopServices::FileRequest request;
    request.save = true;
    request.filter = Translated(Strings::ExportFilters).toStdString();
    request.defaultSuffix = "html";
    const std::optional<std::string> path = DesktopServices::Current().ChooseFile(this, request);
    if (!path)
        return;
    const BookmarkExport::Format format =
        BookmarkExport::FormatOfFile(*path).value_or(BookmarkExport::Format::Netscape);
    SetBusyCursor(true);
    setEnabled(false);
    BackgroundWork::RunThen<ResultOf<BookmarkExport::Counts>>(
        this,
        [settings = settings_, globals = globals_, path = *path, format]() mutable {
            return BookmarkExport::Write(settings, globals, path, format);
        },
        [this, path = *path](const ResultOf<BookmarkExport::Counts>& exported) {
            ShowExported(path, exported);
        });
}

void FormMain::ShowExported(const std::string& path,
                            const ResultOf<BookmarkExport::Counts>& exported) {
    setEnabled(true);
    SetBusyCursor(false);
    if (!exported)
        ShowError(exported.failure().Text());
    else if (exported->links == 0)
        ShowInfo(BookmarkExport::NothingToExportText());
    else
        ShowInfo(BookmarkExport::Summary(path, *exported));
}

// With the refresh on the page is kept current anyway, so it is rebuilt at once; otherwise the
// user decides, as a rebuilt page also drops the links the check window moved to the Trash.
void FormMain::onTreeChanged() {
    SystemctlRunner ownSystemctl;
    const bool refreshOn =
        RefreshSetup(Systemctl != nullptr ? *Systemctl : ownSystemctl).Current().on;
    if (!refreshOn &&
        !DesktopServices::Current().Ask(Translated(Strings::CheckLinksTitle).toStdString(),
                                        Translated(Strings::RebuildQuestion).toStdString()))
        return;
    // The page is built from the settings on screen; saved first, as a run saves them, so the
    // next refresh builds the same page rather than the one the settings file named before.
    if (const Result saved = SaveSettingsIfDefault(settings_, globals_); !saved) {
        ShowError(saved.failure().Text());
        return;
    }
    GenerationRun run(settings_, globals_);
    if (const Result rebuilt = run.Rebuild(); !rebuilt)
        ShowError(rebuilt.failure().Text());
    else
        ShowInfo(run.ResultText());
}

void FormMain::onRefreshTriggered() {
    SystemctlRunner ownSystemctl;
    ShowForm(
        [&]() -> QWidget* {
            auto* dialog = new FormRefresh(this, settings_, globals_,
                                           Systemctl != nullptr ? *Systemctl : ownSystemctl);
            if (OnRefreshDialog)
                OnRefreshDialog(*dialog);
            return dialog;
        },
        this, ShowFormOption::CenterOwner | ShowFormOption::ShowModal, false);
}

std::optional<std::string> FormMain::ChooseSettingsFile(FileUse use) {
    DesktopServices::FileRequest request;
    request.save = use == FileUse::SaveAs;
    request.filter = Translated(Strings::SettingsFilter).toStdString();
    request.defaultSuffix = TextAfterLast(".lfs", '.');
    return DesktopServices::Current().ChooseFile(this, request);
}

void FormMain::onLoadTriggered() {
    const auto path = ChooseSettingsFile(FileUse::Open);
    if (!path)
        return;
    const Result read = ReadSettings(*path, settings_, globals_);
    if (!read) {
        ShowError(read.failure().Text());
        return;
    }
    ShowSettings();
    ShowInfo(Translated(Strings::SettingsLoaded).toStdString());
}

// Saving to another file does not make it current: runs keep saving where they did before.
void FormMain::onSaveTriggered() {
    const auto path = ChooseSettingsFile(FileUse::SaveAs);
    if (!path)
        return;
    if (const Result written = WriteSettings(*path, settings_, globals_); !written)
        ShowError(written.failure().Text());
}

void FormMain::onDefaultsTriggered() {
    ApplyFactoryDefaults(settings_, globals_);
    ShowSettings();
    ShowInfo(Translated(Strings::DefaultsLoaded).toStdString());
}

void FormMain::onBrowseSourceFolder() {
    FolderPicker picker(this);
    picker.SetTitle(Translated(Strings::PickerTitle).toStdString());
    picker.SetFolder(SpecialFolder::Favorites);
    picker.SetFavoritesFolder(globals_.FavoritesFolder);
    picker.SetCustomButtonVisible(true);
    picker.SetCustomButtonCaption(Translated(Strings::PickerCheckBox).toStdString());
    picker.SetSyncCustomButton(false);
    picker.SetDirectory(TrimText(ui->sourceFolderEdit->Text()));
    picker.SetCustomButtonChecked(ui->includeSubfoldersBox->isChecked());
    if (!RunFolderPicker(picker))
        return;
    ui->sourceFolderEdit->SetText(picker.Directory());
    ui->includeSubfoldersBox->setChecked(picker.CustomButtonChecked());
}

void FormMain::onBrowseOutputFile() {
    DesktopServices::FileRequest request;
    request.save = true;
    request.fileName = ui->outputFileEdit->Text();
    request.filter = Translated(Strings::HtmlFilter).toStdString();
    request.defaultSuffix = "htm";
    if (const auto chosen = DesktopServices::Current().ChooseFile(this, request))
        ui->outputFileEdit->SetText(*chosen);
}

void FormMain::onSidePictureClicked() {
    DesktopServices::Current().Open(std::string(HomePageUrl));
}

void FormMain::onTextColorClicked() {
    ChooseLabelColor(ui->textColorLabel, settings_.textColor);
}

void FormMain::onLinkColorClicked() {
    ChooseLabelColor(ui->linkColorLabel, settings_.linkColor);
}

void FormMain::onVisitedColorClicked() {
    ChooseLabelColor(ui->visitedColorLabel, settings_.visitedLinkColor);
}

void FormMain::ChooseLabelColor(ColorLabel* label, StoredColor& setting) {
    const auto chosen = ChooseColor(this, label->Color());
    if (!chosen)
        return;
    if (*chosen == ui->backgroundPanel->Color()) {
        DesktopServices::Current().Beep();
        return;
    }
    label->SetColor(*chosen);
    setting = *chosen;
}

void FormMain::onBackgroundClicked() {
    if (const auto chosen = ChooseColor(this, ui->backgroundPanel->Color())) {
        ui->backgroundPanel->SetColor(*chosen);
        settings_.backColor = *chosen;
    }
}

void FormMain::ShowProgress(bool on) {
    if (on) {
        ShowForm(progressWindow, this, ShowFormOption::CenterOwner, false);
        progressWindow->show();
        setEnabled(false);
        return;
    }
    if (progressWindow) {
        progressWindow->hide();
        delete progressWindow;
    }
    setEnabled(true);
}

void FormMain::SetBusyCursor(bool busy) {
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

// The page is built on a worker thread while this thread keeps the progress window moving; the
// main window is disabled meanwhile, so nothing the user does reaches it.
void FormMain::Build(const std::function<void()>& build) {
    BackgroundWork::RunAndWait(build);
}

void FormMain::ShowResult(const std::string& text) {
    ShowResultState(true);
    ui->resultText->setText(Q(text));
    SetPageIndex(PageCount - 1);
}

void FormMain::ProcessPendingEvents() {
    QCoreApplication::processEvents();
}

// Esc closes the wizard the same way as the close box.
void FormMain::reject() {
    close();
}

void FormMain::closeEvent(QCloseEvent* event) {
    if (generating_) {
        event->ignore();
        return;
    }
    // Quietly: a user who may not write the per-machine record closes the wizard as usual.
    static_cast<void>(InstallRecord::Write(programFile_));
    event->accept();
}

// The Options button notes whether the mouse or the keyboard pressed it last. The side picture
// is a link: only a left click that is pressed and released on it opens the home page, as on the
// link label, and so does a screen reader's press.
bool FormMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ui->optionsButton) {
        if (event->type() == QEvent::MouseButtonPress)
            optionsByMouse_ = true;
        else if (event->type() == QEvent::KeyPress || event->type() == QEvent::Shortcut)
            optionsByMouse_ = false;
        return QDialog::eventFilter(watched, event);
    }
    if (watched != ui->sidePicture)
        return QDialog::eventFilter(watched, event);
    // A screen reader's press on the picture.
    if (event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Space) {
        onSidePictureClicked();
        return true;
    }
    if (event->type() == QEvent::MouseButtonPress) {
        picturePressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        const bool clicked = picturePressed_ && release->button() == Qt::LeftButton &&
                             ui->sidePicture->rect().contains(release->position().toPoint());
        picturePressed_ = false;
        if (clicked)
            onSidePictureClicked();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void FormMain::SetSettings(const Settings& settings) {
    settings_ = settings;
    ShowSettings();
}

// Each control writes its value into the record as the user changes it, so the record always
// holds what the ui->pages show.
void FormMain::BindSettings() {
    auto bindText = [this](QLineEdit* edit, std::string Settings::*field, auto read) {
        connect(edit, &QLineEdit::textChanged, this, [this, field, read] {
            if (!showingSettings_)
                settings_.*field = read();
        });
    };
    bindText(ui->sourceFolderEdit, &Settings::sourceFolder,
             [this] { return ui->sourceFolderEdit->Text(); });
    bindText(ui->outputFileEdit, &Settings::outputFile,
             [this] { return ui->outputFileEdit->Text(); });
    bindText(ui->pageTitleEdit, &Settings::pageTitle,
             [this] { return ui->pageTitleEdit->text().toStdString(); });
    bindText(ui->fontBox->lineEdit(), &Settings::pageFont,
             [this] { return ui->fontBox->currentText().toStdString(); });
    auto bindBox = [this](QCheckBox* box, bool Settings::*field) {
        connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
            if (!showingSettings_)
                settings_.*field = on;
        });
    };
    bindBox(ui->includeSubfoldersBox, &Settings::includeSubfolders);
    bindBox(ui->showUrlBox, &Settings::showUrl);
    bindBox(ui->showIconsBox, &Settings::showIcons);
    bindBox(ui->launchBrowserBox, &Settings::launchBrowser);
}

void FormMain::ShowSettings() {
    showingSettings_ = true;
    ui->sourceFolderEdit->SetText(settings_.sourceFolder);
    ui->includeSubfoldersBox->setChecked(settings_.includeSubfolders);
    ui->outputFileEdit->SetText(settings_.outputFile);
    ui->pageTitleEdit->setText(Q(settings_.pageTitle));
    ui->fontBox->setEditText(Q(settings_.pageFont));
    ui->showUrlBox->setChecked(settings_.showUrl);
    ui->showIconsBox->setChecked(settings_.showIcons);
    ui->textColorLabel->SetColor(settings_.textColor);
    ui->linkColorLabel->SetColor(settings_.linkColor);
    ui->visitedColorLabel->SetColor(settings_.visitedLinkColor);
    ui->backgroundPanel->SetColor(settings_.backColor);
    ui->launchBrowserBox->setChecked(settings_.launchBrowser);
    showingSettings_ = false;
}
