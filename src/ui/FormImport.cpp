// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormImport.h"

#include "controls/BrowseLineEdit.h"
#include "controls/FolderPicker.h"
#include "generation/GenerationRun.h"
#include "import/BookmarkImport.h"
#include "platform/DesktopServices.h"
#include "ui/BackgroundWork.h"
#include "ui/Strings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel* BuddyLabel(Phrase text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(Translated(text), parent);
    label->setObjectName(buddy->objectName() + "Label");
    label->setBuddy(buddy);
    return label;
}

} // namespace

FormImport::FormImport(QWidget* owner, const std::string& favoritesFolder)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      RunFolderPicker([](FolderPicker& picker) { return picker.Execute(); }),
      browsers_(ImportOffer::FindBrowsers()), favoritesFolder_(favoritesFolder) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("importDialog");
    setWindowTitle(Translated(Strings::ImportCaptionTitle));
    if (owner != nullptr)
        setFont(owner->font());

    sourceList = new QListWidget(this);
    sourceList->setObjectName("sourceList");
    for (const ImportOffer::Browser& browser : browsers_) {
        auto* item = new QListWidgetItem(ImportOffer::Caption(browser), sourceList);
        item->setToolTip(Q(browser.source.path));
    }
    new QListWidgetItem(Translated(Strings::ImportChooseFile), sourceList);
    sourceList->setCurrentRow(0);
    sourcesLabel = BuddyLabel(Strings::ImportSourcesLabel, sourceList, this);

    folderEdit = new BrowseLineEdit(this);
    folderEdit->setObjectName("folderEdit");
    folderEdit->SetText(BookmarkImport::TargetFor(favoritesFolder));
    connect(folderEdit, &BrowseLineEdit::buttonClicked, this, &FormImport::onBrowseFolder);
    folderLabel = BuddyLabel(Strings::ImportFolderLabel, folderEdit, this);
    folderEdit->SetButtonName(QCoreApplication::translate("FormImport", "浏览文件夹..."));

    resultLabel = new QLabel(this);
    resultLabel->setObjectName("resultLabel");
    resultLabel->setWordWrap(true);
    resultLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // The text can be selected, so the label takes the focus, empty or not.
    resultLabel->setAccessibleName(QCoreApplication::translate("FormImport", "导入结果"));

    auto* buttons = new QDialogButtonBox(this);
    importButton =
        buttons->addButton(Translated(Strings::ImportButton), QDialogButtonBox::AcceptRole);
    importButton->setObjectName("importButton");
    closeButton =
        buttons->addButton(Translated(Strings::CloseCaption), QDialogButtonBox::RejectRole);
    closeButton->setObjectName("closeButton");
    importButton->setDefault(true);
    connect(importButton, &QPushButton::clicked, this, &FormImport::onImportClicked);
    connect(closeButton, &QPushButton::clicked, this, &FormImport::close);
    connect(sourceList, &QListWidget::itemDoubleClicked, this, &FormImport::onImportClicked);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sourcesLabel);
    layout->addWidget(sourceList);
    layout->addWidget(folderLabel);
    layout->addWidget(folderEdit);
    layout->addWidget(resultLabel);
    layout->addWidget(buttons);
    resize(420, 320);
}

// A listed profile, or the export file the user now picks (nothing when they cancel).
std::optional<BookmarkSource> FormImport::ChosenSource() {
    const int row = sourceList->currentRow();
    if (row >= 0 && row < static_cast<int>(browsers_.size()))
        return browsers_[static_cast<std::size_t>(row)].source;
    DesktopServices::FileRequest request;
    request.filter = Translated(Strings::BookmarkFilter).toStdString();
    const auto path = DesktopServices::Current().ChooseFile(this, request);
    if (!path)
        return std::nullopt;
    return BrowserProfiles::ForFile(*path);
}

void FormImport::onImportClicked() {
    if (const auto source = ChosenSource())
        Import(*source);
}

void FormImport::Import(const BookmarkSource& source) {
    BookmarkImport import;
    const std::string target = folderEdit->Text();
    Result written;
    importing_ = true;
    setEnabled(false);
    QApplication::setOverrideCursor(Qt::WaitCursor);
    BackgroundWork::RunAndWait([&] { written = import.Run(source, target); });
    QApplication::restoreOverrideCursor();
    setEnabled(true);
    importing_ = false;
    if (!written) {
        resultLabel->clear();
        ShowError(written.failure().Text());
        return;
    }
    resultLabel->setText(Q(import.Summary()));
    emit imported(import.FolderPath());
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

void FormImport::onBrowseFolder() {
    FolderPicker folderPicker(this);
    folderPicker.SetTitle(Translated(Strings::ImportPickerTitle).toStdString());
    folderPicker.SetFolder(SpecialFolder::Computer);
    folderPicker.SetFavoritesFolder(favoritesFolder_);
    folderPicker.SetDirectory(folderEdit->Text());
    if (RunFolderPicker(folderPicker))
        folderEdit->SetText(folderPicker.Directory());
}
