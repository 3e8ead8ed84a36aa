// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormMain.h"

#include "BookmarkImport.h"
#include "BrowseLineEdit.h"
#include "ColorLabel.h"
#include "ColorPanel.h"
#include "ColorValue.h"
#include "DesktopServices.h"
#include "FactoryDefaults.h"
#include "FileChecks.h"
#include "FolderPicker.h"
#include "FontList.h"
#include "FormCheckLinks.h"
#include "FormImport.h"
#include "FormOptions.h"
#include "FormProgress.h"
#include "FormRefresh.h"
#include "GenerationRun.h"
#include "ImportOffer.h"
#include "InstallRecord.h"
#include "LinkLabel.h"
#include "LinkToCheck.h"
#include "RunTexts.h"
#include "SettingsFile.h"
#include "Startup.h"
#include "Strings.h"
#include "SystemctlRunner.h"
#include "Text.h"
#include "WindowPlacement.h"
#include "WizardArt.h"
#include "WrapLabel.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <cerrno>
#include <exception>
#include <limits>
#include <thread>

namespace {

// The wizard's face: the SimSun face at 9 points where it is installed, else a CJK face.
QFont WizardFont() {
    QFont font;
    font.setFamilies({"SimSun", "NSimSun", "WenQuanYi Micro Hei", "Noto Sans CJK SC",
                      "Noto Sans SC", "Droid Sans Fallback"});
    font.setPointSize(9);
    return font;
}

// An explanatory label: wrapped, and shown exactly as written (an '&' is an ampersand).
QLabel* TextLabel(QWidget* page, const QString& text, QRect box) {
    auto* label = new QLabel(text, page);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(box);
    return label;
}

// A label whose '&' marks the key that moves the focus to its buddy.
QLabel* BuddyLabel(QWidget* page, Phrase text, QPoint at, QWidget* buddy) {
    auto* label = new QLabel(Q(text), page);
    label->setBuddy(buddy);
    label->adjustSize();
    label->move(at);
    return label;
}

QPushButton* WizardButton(QWidget* parent, Phrase caption, int left) {
    auto* button = new QPushButton(Q(caption), parent);
    button->setGeometry(left, 266, 75, 23);
    button->setAutoDefault(true);
    return button;
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

FormMain::FormMain(Globals& globals, std::string programFile)
    : QDialog(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      RunFolderPicker([](FolderPicker& picker) { return picker.Execute(); }), globals_(globals),
      programFile_(std::move(programFile)) {
    setFont(WizardFont());
    setFixedSize(433, 299);
    setWindowIcon(WizardArt::WindowIcon());
    CreateSide();
    pages = new QStackedWidget(this);
    pages->setGeometry(136, 11, 286, 229);
    for (QWidget* page : {CreateWelcomePage(), CreateFileNamePage(), CreatePageInfoPage(),
                          CreatePageColorPage(), CreateReadyPage(), CreateFinishedPage()})
        pages->addWidget(page);
    auto* bottomLine = new QFrame(this);
    bottomLine->setFrameShape(QFrame::HLine);
    bottomLine->setFrameShadow(QFrame::Sunken);
    bottomLine->setGeometry(11, 252, 411, 2);
    CreateButtons();
    CreateOptionsMenu();
    SetTabOrder();
    KeepValuesWhole();
    NameControls();
    BindSettings();
    StartUp();
}

// A line edit cuts its text at 32,767 characters by default, and the cut value would be saved
// back over the whole one.
void FormMain::KeepValuesWhole() {
    for (QLineEdit* edit :
         {static_cast<QLineEdit*>(sourceFolderEdit), static_cast<QLineEdit*>(outputFileEdit),
          pageTitleEdit, fontBox->lineEdit()})
        edit->setMaxLength(std::numeric_limits<int>::max());
}

FormMain::~FormMain() = default;

void FormMain::CreateSide() {
    auto* picturePanel = new QFrame(this);
    picturePanel->setFrameShape(QFrame::Panel);
    picturePanel->setFrameShadow(QFrame::Sunken);
    picturePanel->setGeometry(15, 14, 113, 226);
    sidePicture = new QLabel(picturePanel);
    sidePicture->setGeometry(1, 1, 111, 224);
    sidePicture->setPixmap(WizardArt::SidePicture());
    sidePicture->setScaledContents(true);
    sidePicture->setCursor(Qt::PointingHandCursor);
    sidePicture->installEventFilter(this);
}

void FormMain::CreateButtons() {
    closeButton = WizardButton(this, Strings::CloseCaption, 11);
    optionsButton = WizardButton(this, Strings::OptionsCaption, 91);
    optionsButton->setIcon(MenuGlyph());
    optionsButton->setIconSize(QSize(9, 7));
    optionsButton->setLayoutDirection(Qt::RightToLeft);
    backButton = WizardButton(this, Strings::BackCaption, 193);
    nextButton = WizardButton(this, Strings::NextCaption, 268);
    finishButton = WizardButton(this, Strings::FinishCaption, 348);
    connect(closeButton, &QPushButton::clicked, this, [this] { onCloseClicked(); });
    connect(optionsButton, &QPushButton::clicked, this, [this] { onOptionsClicked(); });
    connect(backButton, &QPushButton::clicked, this, [this] { onBackClicked(); });
    connect(nextButton, &QPushButton::clicked, this, [this] { onNextClicked(); });
    connect(finishButton, &QPushButton::clicked, this, [this] { onFinishClicked(); });
}

QWidget* FormMain::CreateWelcomePage() {
    auto* page = new QWidget;
    welcomeText = TextLabel(page, QString(), QRect(10, 10, 266, 105));
    versionLabel = new QLabel(page);
    QFont bold = font();
    bold.setBold(true);
    versionLabel->setFont(bold);
    versionLabel->setGeometry(10, 117, 266, 16);
    TextLabel(page, Q(Strings::FreeSoftware), QRect(10, 139, 249, 31));
    homePageLink = new LinkLabel(page);
    homePageLink->SetCaption(std::string(HomePageUrl));
    homePageLink->SetURL(std::string(HomePageUrl));
    homePageLink->SetFontColor(ColorValue::ToQColor(SystemColor(SystemColorIndex::ActiveCaption)));
    homePageLink->SetActiveColor(Qt::blue);
    homePageLink->adjustSize();
    homePageLink->move(10, 172);
    TextLabel(page, Q(Strings::Copyright), QRect(10, 194, 266, 14));
    TextLabel(page, Q(Strings::Credit), QRect(10, 208, 266, 14));
    return page;
}

QWidget* FormMain::CreateFileNamePage() {
    auto* page = new QWidget;
    folderPageText = TextLabel(page, QString(), QRect(10, 10, 257, 81));
    sourceFolderEdit = new BrowseLineEdit(page);
    sourceFolderEdit->setGeometry(10, 131, 267, 21);
    sourceFolderEdit->OnButtonClick = [this](QObject*) { onBrowseSourceFolder(); };
    BuddyLabel(page, Strings::SourceFolderLabel, QPoint(10, 113), sourceFolderEdit);
    includeSubfoldersBox = new QCheckBox(Q(Strings::IncludeSubfolders), page);
    includeSubfoldersBox->setGeometry(10, 155, 142, 17);
    outputFileEdit = new BrowseLineEdit(page);
    outputFileEdit->setGeometry(10, 196, 267, 21);
    outputFileEdit->OnButtonClick = [this](QObject*) { onBrowseOutputFile(); };
    BuddyLabel(page, Strings::OutputFileLabel, QPoint(10, 179), outputFileEdit);
    return page;
}

QWidget* FormMain::CreatePageInfoPage() {
    auto* page = new QWidget;
    pageInfoText = TextLabel(page, QString(), QRect(10, 10, 266, 48));
    pageTitleEdit = new QLineEdit(page);
    pageTitleEdit->setGeometry(10, 128, 266, 21);
    BuddyLabel(page, Strings::PageTitleLabel, QPoint(10, 110), pageTitleEdit);
    fontBox = new QComboBox(page);
    fontBox->setEditable(true);
    fontBox->setInsertPolicy(QComboBox::NoInsert);
    fontBox->setGeometry(10, 175, 266, 21);
    BuddyLabel(page, Strings::PageFontLabel, QPoint(10, 157), fontBox);
    showUrlBox = new QCheckBox(Q(Strings::ShowUrl), page);
    showUrlBox->setGeometry(10, 205, 239, 17);
    return page;
}

QWidget* FormMain::CreatePageColorPage() {
    auto* page = new QWidget;
    colorPageText = TextLabel(page, QString(), QRect(10, 10, 263, 117));
    backgroundPanel = new ColorPanel(page);
    backgroundPanel->setGeometry(10, 140, 266, 79);
    backgroundPanel->OnClick = [this] { onBackgroundClicked(); };
    textColorLabel = new ColorLabel(Q(Strings::TextColorLabel), backgroundPanel);
    textColorLabel->setGeometry(92, 11, 79, 17);
    linkColorLabel = new ColorLabel(Q(Strings::LinkColorLabel), backgroundPanel);
    linkColorLabel->setGeometry(90, 31, 82, 17);
    visitedColorLabel = new ColorLabel(Q(Strings::VLinkColorLabel), backgroundPanel);
    visitedColorLabel->setGeometry(71, 51, 121, 18);
    for (ColorLabel* label : {textColorLabel, linkColorLabel, visitedColorLabel})
        label->OnClick = [this](ColorLabel* clicked) { onColorLabelClicked(clicked); };
    return page;
}

QWidget* FormMain::CreateReadyPage() {
    auto* page = new QWidget;
    readyText = TextLabel(page, QString(), QRect(10, 10, 260, 177));
    launchBrowserBox = new QCheckBox(Q(Strings::LaunchBrowser), page);
    launchBrowserBox->setGeometry(10, 202, 256, 20);
    return page;
}

QWidget* FormMain::CreateFinishedPage() {
    auto* page = new QWidget;
    resultText = new WrapLabel(page);
    resultText->setGeometry(10, 10, 266, 208);
    return page;
}

void FormMain::SetTabOrder() {
    const QList<QWidget*> order{
        nextButton,    finishButton,     closeButton,          optionsButton,
        backButton,    sourceFolderEdit, includeSubfoldersBox, outputFileEdit,
        pageTitleEdit, fontBox,          showUrlBox,           launchBrowserBox};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// Start-up: the welcome page, the font list, the texts, then the settings file. A settings file
// that cannot be read leaves the initial values; nothing is said about it at start.
void FormMain::StartUp() {
    pages->setCurrentIndex(0);
    onPageChanged();
    FillFontList();
    versionLabel->setText(Q(Strings::VersionLabel()));
    welcomeText->setText(Q(Strings::Welcome()));
    folderPageText->setText(Q(Strings::FileNameHelp()));
    readyText->setText(Q(Strings::ReadyToFinish()));
    pageInfoText->setText(Q(Strings::PageInfo()));
    colorPageText->setText(Q(Strings::ColorHelp()));
    static_cast<void>(ReadSettings(globals_.SettingsPath, settings_, globals_));
    ShowSettings();
    OfferImportWhenThereIsNoSource();
    nextButton->setFocus();
}

// On this desktop the bookmarks live in the browsers, not in a Favorites folder: while there is
// no folder of shortcuts, the folder page offers to bring them in with one click.
void FormMain::OfferImportWhenThereIsNoSource() {
    const std::string folder = TrimText(settings_.sourceFolder);
    if (!folder.empty() && QDir(Q(folder)).exists() && !QDir(Q(folder)).isEmpty())
        return;
    importOffer = new ImportOffer(folderPageText->parentWidget(), ImportOffer::FindBrowsers());
    importOffer->setGeometry(folderPageText->x(), folderPageText->y(), 267, 100);
    importOffer->OnChosen = [this](const BookmarkSource& chosen) { ImportFromOffer(chosen); };
    folderPageText->hide();
}

// The bookmarks go into the Favorites folder (made when missing), and the folder they were
// written to becomes the source.
void FormMain::ImportFromOffer(const BookmarkSource& source) {
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
    settings_.sourceFolder = import.FolderPath();
    ShowSettings();
    importOffer->hide();
    folderPageText->setText(Q(import.Summary()));
    folderPageText->show();
}

void FormMain::FillFontList() {
    const QString text = fontBox->currentText();
    fontBox->clear();
    fontBox->addItems(FontList::Families());
    fontBox->setEditText(text);
}

int FormMain::PageIndex() const {
    return pages->currentIndex();
}

// Moves to another page; a request for the current page or one outside the book does nothing.
void FormMain::SetPageIndex(int index) {
    if (index == PageIndex() || index < 0 || index >= PageCount)
        return;
    QWidget* focus = QApplication::focusWidget();
    const bool focusOnPage = focus != nullptr && pages->currentWidget()->isAncestorOf(focus);
    pages->setCurrentIndex(index);
    if (focusOnPage)
        FocusFirstControlOf(pages->currentWidget());
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
    finishButton->setText(Q(Strings::FinishCaption));
}

void FormMain::onCloseClicked() {
    close();
}

// A button that has the focus is already the default for the moment; clearing it first makes
// the new default the one Enter presses once the focus moves on.
void FormMain::SetDefaultButton(QPushButton* button) {
    for (QPushButton* other : {nextButton, finishButton})
        other->setDefault(false);
    button->setDefault(true);
}

void FormMain::onPageChanged() {
    switch (PageIndex()) {
    case 0:
        backButton->setEnabled(false);
        SetDefaultButton(nextButton);
        break;
    case 4:
        nextButton->setEnabled(false);
        SetDefaultButton(finishButton);
        break;
    case PageCount - 1:
        backButton->setEnabled(true);
        nextButton->setEnabled(false);
        break;
    default:
        nextButton->setEnabled(true);
        backButton->setEnabled(true);
    }
    UpdateCaption();
}

void FormMain::UpdateCaption() {
    if (globals_.Unattended) {
        QApplication::setApplicationDisplayName(Q(Strings::WorkingTitle));
        return;
    }
    setWindowTitle(Q(Strings::Caption(PageIndex(), PageCount)));
}

void FormMain::onFinishClicked() {
    if (finishButton->text() == Q(Strings::ExitCaption)) {
        close();
        return;
    }
    generating_ = true;
    GenerationRun(settings_, globals_).Run(*this);
    generating_ = false;
}

void FormMain::CreateOptionsMenu() {
    optionsMenu = new QMenu(this);
    ignoredFoldersAction = optionsMenu->addAction(Q(Strings::OptionsMore));
    importAction = optionsMenu->addAction(Q(Strings::OptionsImport));
    checkLinksAction = optionsMenu->addAction(Q(Strings::OptionsCheckLinks));
    refreshAction =
        optionsMenu->addAction(QCoreApplication::translate("FormMain", "自动更新页面(&U)..."));
    optionsMenu->addSeparator();
    loadAction = optionsMenu->addAction(Q(Strings::OptionsLoad));
    saveAction = optionsMenu->addAction(Q(Strings::OptionsSave));
    optionsMenu->addSeparator();
    defaultsAction = optionsMenu->addAction(Q(Strings::OptionsDefault));
    connect(ignoredFoldersAction, &QAction::triggered, this,
            [this] { onIgnoredFoldersTriggered(); });
    connect(importAction, &QAction::triggered, this, [this] { onImportTriggered(); });
    connect(checkLinksAction, &QAction::triggered, this, [this] { onCheckLinksTriggered(); });
    connect(refreshAction, &QAction::triggered, this, [this] { onRefreshTriggered(); });
    connect(loadAction, &QAction::triggered, this, [this] { onLoadTriggered(); });
    connect(saveAction, &QAction::triggered, this, [this] { onSaveTriggered(); });
    connect(defaultsAction, &QAction::triggered, this, [this] { onDefaultsTriggered(); });
}

// The menu opens right below the button, left edges aligned.
void FormMain::onOptionsClicked() {
    optionsMenu->popup(optionsButton->mapToGlobal(QPoint(0, optionsButton->height())));
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
            auto* dialog =
                new FormImport(this, globals_.FavoritesFolder,
                               [this](const std::function<void()>& work) { Build(work); });
            dialog->OnImported = [this](const std::string& folder) {
                settings_.sourceFolder = folder;
                ShowSettings();
            };
            if (OnImportDialog)
                OnImportDialog(*dialog);
            return dialog;
        },
        this, ShowFormOption::CenterOwner | ShowFormOption::ShowModal, false);
}

// The links are read on a worker, as a page is built, so a large tree does not freeze the
// window; the check then runs in its own window beside the wizard, which stays usable.
void FormMain::onCheckLinksTriggered() {
    if (checkLinksWindow) {
        checkLinksWindow->raise();
        checkLinksWindow->activateWindow();
        return;
    }
    const Settings snapshot = settings_;
    std::vector<LinkToCheck> links;
    SetBusyCursor(true);
    setEnabled(false);
    Build([&] { links = CollectLinks(snapshot, globals_); });
    setEnabled(true);
    SetBusyCursor(false);
    if (links.empty()) {
        ShowInfo(NoShortcutText());
        return;
    }
    checkLinksWindow = new FormCheckLinks(this, std::move(links), CheckLinksNetwork);
    CenterOnForm(checkLinksWindow, this);
    checkLinksWindow->show();
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

std::optional<std::string> FormMain::ChooseSettingsFile(bool save) {
    DesktopServices::FileRequest request;
    request.save = save;
    request.filter = Q(Strings::SettingsFilter).toStdString();
    request.defaultSuffix = TextAfterLast(".lfs", '.');
    return DesktopServices::Current().ChooseFile(this, request);
}

void FormMain::onLoadTriggered() {
    const auto path = ChooseSettingsFile(false);
    if (!path)
        return;
    const Result read = ReadSettings(*path, settings_, globals_);
    if (!read) {
        ShowError(read.failure().Text());
        return;
    }
    ShowSettings();
    ShowInfo(Q(Strings::SettingsLoaded).toStdString());
}

// Saving to another file does not make it current: runs keep saving where they did before.
void FormMain::onSaveTriggered() {
    const auto path = ChooseSettingsFile(true);
    if (!path)
        return;
    if (const Result written = WriteSettings(*path, settings_, globals_); !written)
        ShowError(written.failure().Text());
}

void FormMain::onDefaultsTriggered() {
    ApplyFactoryDefaults(settings_, globals_);
    ShowSettings();
    ShowInfo(Q(Strings::DefaultsLoaded).toStdString());
}

void FormMain::onBrowseSourceFolder() {
    FolderPicker picker(this);
    picker.SetTitle(Q(Strings::PickerTitle).toStdString());
    picker.SetFolder(SpecialFolder::Favorites);
    picker.SetFavoritesFolder(globals_.FavoritesFolder);
    picker.SetCustomButtonVisible(true);
    picker.SetCustomButtonCaption(Q(Strings::PickerCheckBox).toStdString());
    picker.SetSyncCustomButton(false);
    picker.SetDirectory(TrimText(sourceFolderEdit->Text()));
    picker.SetCustomButtonChecked(includeSubfoldersBox->isChecked());
    if (!RunFolderPicker(picker))
        return;
    sourceFolderEdit->SetText(picker.Directory());
    includeSubfoldersBox->setChecked(picker.CustomButtonChecked());
}

void FormMain::onBrowseOutputFile() {
    DesktopServices::FileRequest request;
    request.save = true;
    request.fileName = outputFileEdit->Text();
    request.filter = Q(Strings::HtmlFilter).toStdString();
    request.defaultSuffix = "htm";
    if (const auto chosen = DesktopServices::Current().ChooseFile(this, request))
        outputFileEdit->SetText(*chosen);
}

void FormMain::onSidePictureClicked() {
    DesktopServices::Current().Open(std::string(HomePageUrl));
}

void FormMain::onColorLabelClicked(ColorLabel* label) {
    const auto chosen = ChooseColor(this, label->Color());
    if (!chosen)
        return;
    if (*chosen == backgroundPanel->Color()) {
        DesktopServices::Current().Beep();
        return;
    }
    label->SetColor(*chosen);
    StoredColor& setting = label == textColorLabel   ? settings_.textColor
                           : label == linkColorLabel ? settings_.linkColor
                                                     : settings_.visitedLinkColor;
    setting = *chosen;
}

void FormMain::onBackgroundClicked() {
    if (const auto chosen = ChooseColor(this, backgroundPanel->Color())) {
        backgroundPanel->SetColor(*chosen);
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
    QEventLoop waiting;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            build();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&waiting, &QEventLoop::quit, Qt::QueuedConnection);
    });
    waiting.exec();
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
}

void FormMain::ShowResult(const std::string& text) {
    finishButton->setText(Q(Strings::ExitCaption));
    resultText->setText(Q(text));
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

// The side picture is a link: only a left click that is pressed and released on it opens the
// home page, as on the link label.
bool FormMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched != sidePicture)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        picturePressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        const bool clicked = picturePressed_ && release->button() == Qt::LeftButton &&
                             sidePicture->rect().contains(release->position().toPoint());
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
// holds what the pages show.
void FormMain::BindSettings() {
    auto bindText = [this](QLineEdit* edit, std::string Settings::*field, auto read) {
        connect(edit, &QLineEdit::textChanged, this, [this, field, read] {
            if (!showingSettings_)
                settings_.*field = read();
        });
    };
    bindText(sourceFolderEdit, &Settings::sourceFolder,
             [this] { return sourceFolderEdit->Text(); });
    bindText(outputFileEdit, &Settings::outputFile, [this] { return outputFileEdit->Text(); });
    bindText(pageTitleEdit, &Settings::pageTitle,
             [this] { return pageTitleEdit->text().toStdString(); });
    bindText(fontBox->lineEdit(), &Settings::pageFont,
             [this] { return fontBox->currentText().toStdString(); });
    auto bindBox = [this](QCheckBox* box, bool Settings::*field) {
        connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
            if (!showingSettings_)
                settings_.*field = on;
        });
    };
    bindBox(includeSubfoldersBox, &Settings::includeSubfolders);
    bindBox(showUrlBox, &Settings::showUrl);
    bindBox(launchBrowserBox, &Settings::launchBrowser);
}

void FormMain::ShowSettings() {
    showingSettings_ = true;
    sourceFolderEdit->SetText(settings_.sourceFolder);
    includeSubfoldersBox->setChecked(settings_.includeSubfolders);
    outputFileEdit->SetText(settings_.outputFile);
    pageTitleEdit->setText(Q(settings_.pageTitle));
    fontBox->setEditText(Q(settings_.pageFont));
    showUrlBox->setChecked(settings_.showUrl);
    textColorLabel->SetColor(settings_.textColor);
    linkColorLabel->SetColor(settings_.linkColor);
    visitedColorLabel->SetColor(settings_.visitedLinkColor);
    backgroundPanel->SetColor(settings_.backColor);
    launchBrowserBox->setChecked(settings_.launchBrowser);
    showingSettings_ = false;
}

// Tests and accessibility tools find the controls by these names.
void FormMain::NameControls() {
    const std::pair<QObject*, const char*> names[] = {
        {sidePicture, "sidePicture"},
        {pages, "pages"},
        {closeButton, "closeButton"},
        {optionsButton, "optionsButton"},
        {backButton, "backButton"},
        {nextButton, "nextButton"},
        {finishButton, "finishButton"},
        {welcomeText, "welcomeText"},
        {versionLabel, "versionLabel"},
        {homePageLink, "homePageLink"},
        {folderPageText, "folderPageText"},
        {sourceFolderEdit, "sourceFolderEdit"},
        {includeSubfoldersBox, "includeSubfoldersBox"},
        {outputFileEdit, "outputFileEdit"},
        {pageInfoText, "pageInfoText"},
        {pageTitleEdit, "pageTitleEdit"},
        {fontBox, "fontBox"},
        {showUrlBox, "showUrlBox"},
        {colorPageText, "colorPageText"},
        {backgroundPanel, "backgroundPanel"},
        {textColorLabel, "textColorLabel"},
        {linkColorLabel, "linkColorLabel"},
        {visitedColorLabel, "visitedColorLabel"},
        {readyText, "readyText"},
        {launchBrowserBox, "launchBrowserBox"},
        {resultText, "resultText"},
        {optionsMenu, "optionsMenu"},
        {ignoredFoldersAction, "ignoredFoldersAction"},
        {importAction, "importAction"},
        {checkLinksAction, "checkLinksAction"},
        {refreshAction, "refreshAction"},
        {loadAction, "loadAction"},
        {saveAction, "saveAction"},
        {defaultsAction, "defaultsAction"},
    };
    for (const auto& [control, name] : names)
        control->setObjectName(name);
}
