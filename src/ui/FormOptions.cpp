// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormOptions.h"

#include "controls/FolderPicker.h"
#include "controls/ReorderableList.h"
#include "platform/DesktopServices.h"
#include "text/Text.h"
#include "ui/Strings.h"
#include "ui_FormOptions.h"

#include <QPushButton>

namespace {

// A folder's own name: the part of its path after the last '/'.
std::string FolderName(std::string path) {
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return TextAfterLast(path, '/');
}

} // namespace

FormOptions::FormOptions(QWidget* owner, std::vector<std::string>& ignoreList,
                         const std::string& favoritesFolder)
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      RunFolderPicker([](FolderPicker& picker) { return picker.Execute(); }),
      ui(std::make_unique<Ui::FormOptions>()), ignoreList_(ignoreList) {
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName("optionsDialog");
    if (owner != nullptr)
        setFont(owner->font());
    ui->setupUi(this);
    ui->ignoredFolders->SetItemHeight(13);
    ui->ignoredFolders->setAccessibleName(ui->tabs->tabText(0));
    ui->tabs->setAccessibleName(windowTitle());
    connect(ui->addButton, &QPushButton::clicked, this, &FormOptions::onAddClicked);
    connect(ui->removeButton, &QPushButton::clicked, this, &FormOptions::onRemoveClicked);
    connect(ui->okButton, &QPushButton::clicked, this, &FormOptions::onOkClicked);
    connect(ui->cancelButton, &QPushButton::clicked, this, &FormOptions::reject);
    CreateFolderPicker(favoritesFolder);
    ui->ignoredFolders->SetItems(ignoreList_);
}

FormOptions::~FormOptions() = default;

void FormOptions::CreateFolderPicker(const std::string& favoritesFolder) {
    folderPicker_ = new FolderPicker(this);
    folderPicker_->SetFolder(SpecialFolder::Favorites);
    folderPicker_->SetFavoritesFolder(favoritesFolder);
    folderPicker_->SetCustomButtonVisible(false);
    folderPicker_->SetCustomButtonCaption(Translated(Strings::PickerCheckBox).toStdString());
    folderPicker_->SetSyncCustomButton(false);
}

void FormOptions::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    ui->okButton->setFocus();
}

void FormOptions::onAddClicked() {
    if (!RunFolderPicker(*folderPicker_))
        return;
    if (!ui->ignoredFolders->AddUniqueItem(FolderName(folderPicker_->Directory())))
        DesktopServices::Current().Beep();
}

void FormOptions::onRemoveClicked() {
    ui->ignoredFolders->DeleteSelectedItems();
}

void FormOptions::onOkClicked() {
    ignoreList_ = ui->ignoredFolders->Items();
    accept();
}
