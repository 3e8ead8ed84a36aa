#include "FormMain.h"

#include "BrowseLineEdit.h"
#include "CheckedLink.h"
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
#include "InstallRecord.h"
#include "LinkLabel.h"
#include "RunTexts.h"
#include "SettingsFile.h"
#include "SettingsRecord.h"
#include "Strings.h"
#include "Text.h"
#include "WindowPlacement.h"
#include "WizardArt.h"
#include "WrapLabel.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
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
QLabel* TextLabel(QWidget* page, const std::string& text, QRect box) {
    auto* label = new QLabel(Q(text), page);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setGeometry(box);
    return label;
}

// A label whose '&' marks the key that moves the focus to its buddy.
QLabel* BuddyLabel(QWidget* page, const char* text, QPoint at, QWidget* buddy) {
    auto* label = new QLabel(Q(text), page);
    label->setBuddy(buddy);
    label->adjustSize();
    label->move(at);
    return label;
}

QPushButton* WizardButton(QWidget* parent, const char* caption, int left) {
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
    nbWizard = new QStackedWidget(this);
    nbWizard->setGeometry(136, 11, 286, 229);
    for (QWidget* page : {CreateWelcomePage(), CreateFileNamePage(), CreatePageInfoPage(),
                          CreatePageColorPage(), CreateReadyPage(), CreateFinishedPage()})
        nbWizard->addWidget(page);
    auto* bevBotLine = new QFrame(this);
    bevBotLine->setFrameShape(QFrame::HLine);
    bevBotLine->setFrameShadow(QFrame::Sunken);
    bevBotLine->setGeometry(11, 252, 411, 2);
    CreateButtons();
    CreateOptionsMenu();
    SetTabOrder();
    KeepValuesWhole();
    FormCreate();
}

// A line edit cuts its text at 32,767 characters by default, and the cut value would be saved
// back over the whole one.
void FormMain::KeepValuesWhole() {
    for (QLineEdit* edit :
         {static_cast<QLineEdit*>(txtSourceFolder), static_cast<QLineEdit*>(txtFileName),
          txtPageTitle, cmbFontName->lineEdit()})
        edit->setMaxLength(std::numeric_limits<int>::max());
}

FormMain::~FormMain() = default;

void FormMain::CreateSide() {
    auto* panImage = new QFrame(this);
    panImage->setFrameShape(QFrame::Panel);
    panImage->setFrameShadow(QFrame::Sunken);
    panImage->setGeometry(15, 14, 113, 226);
    imgImage = new QLabel(panImage);
    imgImage->setGeometry(1, 1, 111, 224);
    imgImage->setPixmap(WizardArt::SidePicture());
    imgImage->setScaledContents(true);
    imgImage->setCursor(Qt::PointingHandCursor);
    imgImage->installEventFilter(this);
}

void FormMain::CreateButtons() {
    butCancel = WizardButton(this, Strings::CloseCaption, 11);
    butOptions = WizardButton(this, Strings::OptionsCaption, 91);
    butOptions->setIcon(MenuGlyph());
    butOptions->setIconSize(QSize(9, 7));
    butOptions->setLayoutDirection(Qt::RightToLeft);
    butBack = WizardButton(this, Strings::BackCaption, 193);
    butNext = WizardButton(this, Strings::NextCaption, 268);
    butFinish = WizardButton(this, Strings::FinishCaption, 348);
    connect(butCancel, &QPushButton::clicked, this, [this] { butCancelClick(); });
    connect(butOptions, &QPushButton::clicked, this, [this] { butOptionsClick(); });
    connect(butBack, &QPushButton::clicked, this, [this] { butBackClick(); });
    connect(butNext, &QPushButton::clicked, this, [this] { butNextClick(); });
    connect(butFinish, &QPushButton::clicked, this, [this] { butFinishClick(); });
}

QWidget* FormMain::CreateWelcomePage() {
    auto* page = new QWidget;
    lblWelcome = TextLabel(page, "", QRect(10, 10, 266, 105));
    lblVersion = new QLabel(page);
    QFont bold = font();
    bold.setBold(true);
    lblVersion->setFont(bold);
    lblVersion->setGeometry(10, 117, 266, 16);
    TextLabel(page, Strings::FreeSoftware, QRect(10, 139, 249, 31));
    UrlLabel1 = new LinkLabel(page);
    UrlLabel1->SetCaption(std::string(HomePageUrl));
    UrlLabel1->SetURL(std::string(HomePageUrl));
    UrlLabel1->SetFontColor(ColorValue::ToQColor(SystemColor(SystemColorIndex::ActiveCaption)));
    UrlLabel1->SetActiveColor(Qt::blue);
    UrlLabel1->adjustSize();
    UrlLabel1->move(10, 172);
    TextLabel(page, Strings::Copyright, QRect(10, 194, 266, 14));
    TextLabel(page, Strings::Credit, QRect(10, 208, 266, 14));
    return page;
}

QWidget* FormMain::CreateFileNamePage() {
    auto* page = new QWidget;
    lblFileName = TextLabel(page, "", QRect(10, 10, 257, 81));
    txtSourceFolder = new BrowseLineEdit(page);
    txtSourceFolder->setGeometry(10, 131, 267, 21);
    txtSourceFolder->OnButtonClick = [this](QObject*) { txtSourceFolderButtonClick(); };
    BuddyLabel(page, Strings::SourceFolderLabel, QPoint(10, 113), txtSourceFolder);
    chkSubfolders = new QCheckBox(Q(Strings::IncludeSubfolders), page);
    chkSubfolders->setGeometry(10, 155, 142, 17);
    chkSubfolders->setChecked(true);
    txtFileName = new BrowseLineEdit(page);
    txtFileName->setGeometry(10, 196, 267, 21);
    txtFileName->OnButtonClick = [this](QObject*) { txtFileNameButtonClick(); };
    BuddyLabel(page, Strings::OutputFileLabel, QPoint(10, 179), txtFileName);
    return page;
}

QWidget* FormMain::CreatePageInfoPage() {
    auto* page = new QWidget;
    lblPageInfo = TextLabel(page, "", QRect(10, 10, 266, 48));
    txtPageTitle = new QLineEdit(Q("我的书签"), page);
    txtPageTitle->setGeometry(10, 128, 266, 21);
    BuddyLabel(page, Strings::PageTitleLabel, QPoint(10, 110), txtPageTitle);
    cmbFontName = new QComboBox(page);
    cmbFontName->setEditable(true);
    cmbFontName->setInsertPolicy(QComboBox::NoInsert);
    cmbFontName->setGeometry(10, 175, 266, 21);
    cmbFontName->setEditText(Q("宋体"));
    BuddyLabel(page, Strings::PageFontLabel, QPoint(10, 157), cmbFontName);
    chkShowURL = new QCheckBox(Q(Strings::ShowUrl), page);
    chkShowURL->setGeometry(10, 205, 239, 17);
    return page;
}

QWidget* FormMain::CreatePageColorPage() {
    auto* page = new QWidget;
    lblColor = TextLabel(page, "", QRect(10, 10, 263, 117));
    panBack = new ColorPanel(page);
    panBack->setGeometry(10, 140, 266, 79);
    panBack->OnClick = [this] { panBackClick(); };
    lblText = new ColorLabel(Q(Strings::TextColorLabel), panBack);
    lblText->setGeometry(92, 11, 79, 17);
    lblText->SetColor(SystemColor(SystemColorIndex::WindowText));
    lblLink = new ColorLabel(Q(Strings::LinkColorLabel), panBack);
    lblLink->setGeometry(90, 31, 82, 17);
    lblLink->SetColor(0xFF0000);
    lblVLink = new ColorLabel(Q(Strings::VLinkColorLabel), panBack);
    lblVLink->setGeometry(71, 51, 121, 18);
    lblVLink->SetColor(0x800080);
    for (ColorLabel* label : {lblText, lblLink, lblVLink})
        label->OnClick = [this](ColorLabel* clicked) { lblTextClick(clicked); };
    return page;
}

QWidget* FormMain::CreateReadyPage() {
    auto* page = new QWidget;
    lblReadyToFinish = TextLabel(page, "", QRect(10, 10, 260, 177));
    chkLaunchBrowser = new QCheckBox(Q(Strings::LaunchBrowser), page);
    chkLaunchBrowser->setGeometry(10, 202, 256, 20);
    chkLaunchBrowser->setChecked(true);
    return page;
}

QWidget* FormMain::CreateFinishedPage() {
    auto* page = new QWidget;
    lblFinished = new WrapLabel(page);
    lblFinished->setGeometry(10, 10, 266, 208);
    return page;
}

void FormMain::SetTabOrder() {
    const QList<QWidget*> order{butNext,      butFinish,       butCancel,     butOptions,
                                butBack,      txtSourceFolder, chkSubfolders, txtFileName,
                                txtPageTitle, cmbFontName,     chkShowURL,    chkLaunchBrowser};
    for (qsizetype i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// Start-up: the welcome page, the font list, the texts, then the settings file. A settings file
// that cannot be read leaves the window's own values; nothing is said about it at start.
void FormMain::FormCreate() {
    nbWizard->setCurrentIndex(0);
    nbWizardPageChanged();
    FillFontList();
    lblVersion->setText(Q(Strings::VersionLabel()));
    lblWelcome->setText(Q(Strings::Welcome()));
    lblFileName->setText(Q(Strings::FileNameHelp()));
    lblReadyToFinish->setText(Q(Strings::ReadyToFinish()));
    lblPageInfo->setText(Q(Strings::PageInfo()));
    lblColor->setText(Q(Strings::ColorHelp()));
    ReadSettings(globals_.SettingsPath, *this, globals_);
    butNext->setFocus();
}

void FormMain::FillFontList() {
    const QString text = cmbFontName->currentText();
    cmbFontName->clear();
    cmbFontName->addItems(FontList::Families());
    cmbFontName->setEditText(text);
}

int FormMain::PageIndex() const {
    return nbWizard->currentIndex();
}

// Moves to another page; a request for the current page or one outside the book does nothing.
void FormMain::SetPageIndex(int index) {
    if (index == PageIndex() || index < 0 || index >= PageCount)
        return;
    QWidget* focus = QApplication::focusWidget();
    const bool focusOnPage = focus != nullptr && nbWizard->currentWidget()->isAncestorOf(focus);
    nbWizard->setCurrentIndex(index);
    if (focusOnPage)
        FocusFirstControlOf(nbWizard->currentWidget());
    nbWizardPageChanged();
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

void FormMain::butNextClick() {
    SetPageIndex(PageIndex() + 1);
}

void FormMain::butBackClick() {
    SetPageIndex(PageIndex() - 1);
    butFinish->setText(Q(Strings::FinishCaption));
}

void FormMain::butCancelClick() {
    close();
}

// A button that has the focus is already the default for the moment; clearing it first makes
// the new default the one Enter presses once the focus moves on.
void FormMain::SetDefaultButton(QPushButton* button) {
    for (QPushButton* other : {butNext, butFinish})
        other->setDefault(false);
    button->setDefault(true);
}

void FormMain::nbWizardPageChanged() {
    switch (PageIndex()) {
    case 0:
        butBack->setEnabled(false);
        SetDefaultButton(butNext);
        break;
    case 4:
        butNext->setEnabled(false);
        SetDefaultButton(butFinish);
        break;
    case PageCount - 1:
        butBack->setEnabled(true);
        butNext->setEnabled(false);
        break;
    default:
        butNext->setEnabled(true);
        butBack->setEnabled(true);
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

void FormMain::butFinishClick() {
    if (butFinish->text() == Q(Strings::ExitCaption)) {
        close();
        return;
    }
    generating_ = true;
    try {
        GenerationRun(*this, globals_).Run(*this);
    } catch (const std::exception& error) {
        ShowError(RunFailedText(error));
    }
    generating_ = false;
}

void FormMain::CreateOptionsMenu() {
    pmnuOptions = new QMenu(this);
    pmnuOptionsMore = pmnuOptions->addAction(Q(Strings::OptionsMore));
    pmnuOptionsImport = pmnuOptions->addAction(Q(Strings::OptionsImport));
    pmnuOptionsCheckLinks = pmnuOptions->addAction(Q(Strings::OptionsCheckLinks));
    pmnuOptions->addSeparator();
    pmnuOptionsLoad = pmnuOptions->addAction(Q(Strings::OptionsLoad));
    pmnuOptionsSave = pmnuOptions->addAction(Q(Strings::OptionsSave));
    pmnuOptions->addSeparator();
    pmnuOptionsDefault = pmnuOptions->addAction(Q(Strings::OptionsDefault));
    connect(pmnuOptionsMore, &QAction::triggered, this, [this] { pmnuOptionsMoreClick(); });
    connect(pmnuOptionsImport, &QAction::triggered, this, [this] { pmnuOptionsImportClick(); });
    connect(pmnuOptionsCheckLinks, &QAction::triggered, this,
            [this] { pmnuOptionsCheckLinksClick(); });
    connect(pmnuOptionsLoad, &QAction::triggered, this, [this] { pmnuOptionsLoadClick(); });
    connect(pmnuOptionsSave, &QAction::triggered, this, [this] { pmnuOptionsSaveClick(); });
    connect(pmnuOptionsDefault, &QAction::triggered, this, [this] { pmnuOptionsDefaultClick(); });
}

// The menu opens right below the button, left edges aligned.
void FormMain::butOptionsClick() {
    pmnuOptions->popup(butOptions->mapToGlobal(QPoint(0, butOptions->height())));
}

void FormMain::pmnuOptionsMoreClick() {
    ShowForm(
        [this]() -> QWidget* {
            frmOptions = new FormOptions(this, globals_.IgnoreList, globals_.FavoritesFolder);
            if (OnOptionsDialog)
                OnOptionsDialog(*frmOptions);
            return frmOptions;
        },
        this, ShowFormOption::CenterOwner | ShowFormOption::ShowModal, false);
}

// A successful import becomes the folder the page is generated from.
void FormMain::pmnuOptionsImportClick() {
    ShowForm(
        [this]() -> QWidget* {
            auto* dialog =
                new FormImport(this, globals_.FavoritesFolder,
                               [this](const std::function<void()>& work) { Build(work); });
            dialog->OnImported = [this](const std::string& folder) { SetSourceFolder(folder); };
            if (OnImportDialog)
                OnImportDialog(*dialog);
            return dialog;
        },
        this, ShowFormOption::CenterOwner | ShowFormOption::ShowModal, false);
}

// The links are read on a worker, as a page is built, so a large tree does not freeze the
// window; the check then runs in its own window beside the wizard, which stays usable.
void FormMain::pmnuOptionsCheckLinksClick() {
    if (frmCheckLinks) {
        frmCheckLinks->raise();
        frmCheckLinks->activateWindow();
        return;
    }
    const SettingsRecord snapshot = SettingsRecord::SnapshotOf(*this);
    std::vector<CheckedLink> links;
    SetBusyCursor(true);
    setEnabled(false);
    Build([&] { links = CollectLinks(snapshot, globals_); });
    setEnabled(true);
    SetBusyCursor(false);
    if (links.empty()) {
        ShowInfo(NoShortcutText());
        return;
    }
    frmCheckLinks = new FormCheckLinks(this, std::move(links), CheckLinksNetwork);
    CenterOnForm(frmCheckLinks, this);
    frmCheckLinks->show();
}

std::optional<std::string> FormMain::ChooseSettingsFile(bool save) {
    DesktopServices::FileRequest request;
    request.save = save;
    request.filter = Strings::SettingsFilter;
    request.defaultSuffix = TextAfterLast(".lfs", '.');
    return DesktopServices::Current().ChooseFile(this, request);
}

void FormMain::pmnuOptionsLoadClick() {
    const auto path = ChooseSettingsFile(false);
    if (!path)
        return;
    std::string reason;
    if (ReadSettings(*path, *this, globals_, &reason))
        ShowInfo(Strings::SettingsLoaded);
    else
        ShowError(WithReason(SettingsNotLoadedText(*path), reason));
}

// Saving to another file does not make it current: runs keep saving where they did before.
void FormMain::pmnuOptionsSaveClick() {
    const auto path = ChooseSettingsFile(true);
    if (path && !WriteSettings(*path, *this, globals_))
        ShowError(WithReason(SettingsNotSavedText(*path), SystemReason(errno)));
}

void FormMain::pmnuOptionsDefaultClick() {
    ApplyFactoryDefaults(*this, globals_);
    ShowInfo(Strings::DefaultsLoaded);
}

void FormMain::txtSourceFolderButtonClick() {
    FolderPicker dlgBrowseFolder(this);
    dlgBrowseFolder.SetTitle(Strings::PickerTitle);
    dlgBrowseFolder.SetFolder(SpecialFolder::Favorites);
    dlgBrowseFolder.SetFavoritesFolder(globals_.FavoritesFolder);
    dlgBrowseFolder.SetCustomButtonVisible(true);
    dlgBrowseFolder.SetCustomButtonCaption(Strings::PickerCheckBox);
    dlgBrowseFolder.SetSyncCustomButton(false);
    dlgBrowseFolder.SetDirectory(TrimText(txtSourceFolder->Text()));
    dlgBrowseFolder.SetCustomButtonChecked(chkSubfolders->isChecked());
    if (!RunFolderPicker(dlgBrowseFolder))
        return;
    txtSourceFolder->SetText(dlgBrowseFolder.Directory());
    chkSubfolders->setChecked(dlgBrowseFolder.CustomButtonChecked());
}

void FormMain::txtFileNameButtonClick() {
    DesktopServices::FileRequest request;
    request.save = true;
    request.fileName = txtFileName->Text();
    request.filter = Strings::HtmlFilter;
    request.defaultSuffix = "htm";
    if (const auto chosen = DesktopServices::Current().ChooseFile(this, request))
        txtFileName->SetText(*chosen);
}

void FormMain::imgImageClick() {
    DesktopServices::Current().Open(std::string(HomePageUrl));
}

void FormMain::lblTextClick(ColorLabel* label) {
    const auto chosen = ChooseColor(this, label->Color());
    if (!chosen)
        return;
    if (*chosen == panBack->Color()) {
        DesktopServices::Current().Beep();
        return;
    }
    label->SetColor(*chosen);
}

void FormMain::panBackClick() {
    if (const auto chosen = ChooseColor(this, panBack->Color()))
        panBack->SetColor(*chosen);
}

void FormMain::ShowProgress(bool on) {
    if (on) {
        ShowForm(frmProgress, this, ShowFormOption::CenterOwner, false);
        frmProgress->show();
        setEnabled(false);
        return;
    }
    if (frmProgress) {
        frmProgress->hide();
        delete frmProgress;
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
    butFinish->setText(Q(Strings::ExitCaption));
    lblFinished->setText(Q(text));
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
    InstallRecord::Write(programFile_);
    event->accept();
}

// The side picture is a link: only a left click that is pressed and released on it opens the
// home page, as on the link label.
bool FormMain::eventFilter(QObject* watched, QEvent* event) {
    if (watched != imgImage)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        imagePressed_ = static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton;
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        const auto* release = static_cast<QMouseEvent*>(event);
        const bool clicked = imagePressed_ && release->button() == Qt::LeftButton &&
                             imgImage->rect().contains(release->position().toPoint());
        imagePressed_ = false;
        if (clicked)
            imgImageClick();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

std::string FormMain::SourceFolder() const {
    return txtSourceFolder->Text();
}
void FormMain::SetSourceFolder(const std::string& value) {
    txtSourceFolder->SetText(value);
}
bool FormMain::IncludeSubfolders() const {
    return chkSubfolders->isChecked();
}
void FormMain::SetIncludeSubfolders(bool value) {
    chkSubfolders->setChecked(value);
}
std::string FormMain::OutputFile() const {
    return txtFileName->Text();
}
void FormMain::SetOutputFile(const std::string& value) {
    txtFileName->SetText(value);
}
std::string FormMain::PageTitle() const {
    return txtPageTitle->text().toStdString();
}
void FormMain::SetPageTitle(const std::string& value) {
    txtPageTitle->setText(Q(value));
}
std::string FormMain::PageFont() const {
    return cmbFontName->currentText().toStdString();
}
void FormMain::SetPageFont(const std::string& value) {
    cmbFontName->setEditText(Q(value));
}
bool FormMain::ShowURL() const {
    return chkShowURL->isChecked();
}
void FormMain::SetShowURL(bool value) {
    chkShowURL->setChecked(value);
}
StoredColor FormMain::TextColor() const {
    return lblText->Color();
}
void FormMain::SetTextColor(StoredColor value) {
    lblText->SetColor(value);
}
StoredColor FormMain::LinkColor() const {
    return lblLink->Color();
}
void FormMain::SetLinkColor(StoredColor value) {
    lblLink->SetColor(value);
}
StoredColor FormMain::VLinkColor() const {
    return lblVLink->Color();
}
void FormMain::SetVLinkColor(StoredColor value) {
    lblVLink->SetColor(value);
}
StoredColor FormMain::BackColor() const {
    return panBack->Color();
}
void FormMain::SetBackColor(StoredColor value) {
    panBack->SetColor(value);
}
bool FormMain::LaunchBrowser() const {
    return chkLaunchBrowser->isChecked();
}
void FormMain::SetLaunchBrowser(bool value) {
    chkLaunchBrowser->setChecked(value);
}
