#include "FormImport.h"

#include "BookmarkImport.h"
#include "BrowseLineEdit.h"
#include "DesktopServices.h"
#include "FolderPicker.h"
#include "GenerationRun.h"
#include "Strings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* BuddyLabel(const char* text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(Q(text), parent);
    label->setBuddy(buddy);
    return label;
}

} // namespace

FormImport::FormImport(QWidget* owner, const std::string& favoritesFolder, Worker worker)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      RunFolderPicker([](FolderPicker& picker) { return picker.Execute(); }),
      sources_(BrowserProfiles::Find()), favoritesFolder_(favoritesFolder),
      worker_(std::move(worker)) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("frmImport");
    setWindowTitle(Q(Strings::ImportCaptionTitle));
    if (owner != nullptr)
        setFont(owner->font());

    lstSources = new QListWidget(this);
    lstSources->setObjectName("lstSources");
    for (const BookmarkSource& source : sources_) {
        auto* item = new QListWidgetItem(Q(source.name), lstSources);
        item->setToolTip(Q(source.path));
    }
    new QListWidgetItem(Q(Strings::ImportChooseFile), lstSources);
    lstSources->setCurrentRow(0);
    lblSources = BuddyLabel(Strings::ImportSourcesLabel, lstSources, this);

    txtFolder = new BrowseLineEdit(this);
    txtFolder->setObjectName("txtFolder");
    txtFolder->SetText(favoritesFolder.empty() ? BookmarkImport::DefaultTarget() : favoritesFolder);
    txtFolder->OnButtonClick = [this](QObject*) { txtFolderButtonClick(); };
    lblFolder = BuddyLabel(Strings::ImportFolderLabel, txtFolder, this);

    lblResult = new QLabel(this);
    lblResult->setObjectName("lblResult");
    lblResult->setWordWrap(true);
    lblResult->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* buttons = new QDialogButtonBox(this);
    butImport = buttons->addButton(Q(Strings::ImportButton), QDialogButtonBox::AcceptRole);
    butImport->setObjectName("butImport");
    butClose = buttons->addButton(Q(Strings::CloseCaption), QDialogButtonBox::RejectRole);
    butClose->setObjectName("butClose");
    butImport->setDefault(true);
    connect(butImport, &QPushButton::clicked, this, &FormImport::butImportClick);
    connect(butClose, &QPushButton::clicked, this, &FormImport::close);
    connect(lstSources, &QListWidget::itemDoubleClicked, this, &FormImport::butImportClick);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSources);
    layout->addWidget(lstSources);
    layout->addWidget(lblFolder);
    layout->addWidget(txtFolder);
    layout->addWidget(lblResult);
    layout->addWidget(buttons);
    resize(420, 320);
}

// A listed profile, or the export file the user now picks (nothing when they cancel).
std::optional<BookmarkSource> FormImport::ChosenSource() {
    const int row = lstSources->currentRow();
    if (row >= 0 && row < static_cast<int>(sources_.size()))
        return sources_[static_cast<std::size_t>(row)];
    DesktopServices::FileRequest request;
    request.filter = Strings::BookmarkFilter;
    const auto path = DesktopServices::Current().ChooseFile(this, request);
    if (!path)
        return std::nullopt;
    return BrowserProfiles::ForFile(*path);
}

void FormImport::butImportClick() {
    if (const auto source = ChosenSource())
        Import(*source);
}

void FormImport::Import(const BookmarkSource& source) {
    BookmarkImport import;
    const std::string target = txtFolder->Text();
    bool written = false;
    importing_ = true;
    setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    worker_([&] { written = import.Run(source, target); });
    QApplication::restoreOverrideCursor();
    setEnabled(true);
    importing_ = false;
    if (!written) {
        lblResult->clear();
        ShowError(import.ErrorString());
        return;
    }
    lblResult->setText(Q(import.Summary()));
    if (OnImported)
        OnImported(import.FolderPath());
}

// While an import runs the dialog stays: its files are still being written.
void FormImport::closeEvent(QCloseEvent* event) {
    if (importing_)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void FormImport::reject() {
    if (!importing_)
        QDialog::reject();
}

void FormImport::txtFolderButtonClick() {
    FolderPicker dlgBrowseFolder(this);
    dlgBrowseFolder.SetTitle(Strings::ImportPickerTitle);
    dlgBrowseFolder.SetFolder(SpecialFolder::Computer);
    dlgBrowseFolder.SetFavoritesFolder(favoritesFolder_);
    dlgBrowseFolder.SetDirectory(txtFolder->Text());
    if (RunFolderPicker(dlgBrowseFolder))
        txtFolder->SetText(dlgBrowseFolder.Directory());
}
