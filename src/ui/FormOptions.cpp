// SPDX-License-Identifier: GPL-3.0-or-later
#include "FormOptions.h"

#include "DesktopServices.h"
#include "FolderPicker.h"
#include "ReorderableList.h"
#include "Strings.h"
#include "Text.h"

#include <QPushButton>
#include <QTabWidget>

namespace {

QPushButton* DialogButton(QWidget* parent, Phrase caption, QRect box) {
    auto* button = new QPushButton(Q(caption), parent);
    button->setGeometry(box);
    return button;
}

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
      ignoreList_(ignoreList) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(Q(Strings::OptionsCaptionTitle));
    if (owner != nullptr)
        setFont(owner->font());
    setFixedSize(316, 267);
    tabs = new QTabWidget(this);
    tabs->setGeometry(7, 8, 301, 221);
    tabs->addTab(CreateIgnoredFoldersTab(), Q(Strings::IgnoredFoldersTab));
    okButton = DialogButton(this, Strings::OkCaption, QRect(152, 235, 75, 23));
    cancelButton = DialogButton(this, Strings::CancelCaption, QRect(233, 235, 75, 23));
    okButton->setDefault(true);
    connect(okButton, &QPushButton::clicked, this, [this] { onOkClicked(); });
    connect(cancelButton, &QPushButton::clicked, this, [this] { onCancelClicked(); });
    CreateFolderPicker(favoritesFolder);
    setTabOrder(okButton, cancelButton);
    setTabOrder(cancelButton, tabs);
    setTabOrder(tabs, ignoredFolders);
    setTabOrder(ignoredFolders, addButton);
    setTabOrder(addButton, removeButton);
    ignoredFolders->SetItems(ignoreList_);
}

FormOptions::~FormOptions() = default;

QWidget* FormOptions::CreateIgnoredFoldersTab() {
    auto* tab = new QWidget;
    ignoredFolders = new ReorderableList(tab);
    ignoredFolders->setGeometry(7, 6, 200, 178);
    ignoredFolders->SetItemHeight(13);
    addButton = DialogButton(tab, Strings::AddCaption, QRect(212, 6, 75, 23));
    removeButton = DialogButton(tab, Strings::RemoveCaption, QRect(212, 34, 75, 23));
    connect(addButton, &QPushButton::clicked, this, [this] { onAddClicked(); });
    connect(removeButton, &QPushButton::clicked, this, [this] { onRemoveClicked(); });
    return tab;
}

void FormOptions::CreateFolderPicker(const std::string& favoritesFolder) {
    dlgBrowseFolder = new FolderPicker(this);
    dlgBrowseFolder->SetFolder(SpecialFolder::Favorites);
    dlgBrowseFolder->SetFavoritesFolder(favoritesFolder);
    dlgBrowseFolder->SetCustomButtonVisible(false);
    dlgBrowseFolder->SetCustomButtonCaption(Q(Strings::PickerCheckBox).toStdString());
    dlgBrowseFolder->SetSyncCustomButton(false);
}

void FormOptions::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    okButton->setFocus();
}

void FormOptions::onAddClicked() {
    if (!RunFolderPicker(*dlgBrowseFolder))
        return;
    if (!ignoredFolders->AddUniqueItem(FolderName(dlgBrowseFolder->Directory())))
        DesktopServices::Current().Beep();
}

void FormOptions::onRemoveClicked() {
    ignoredFolders->DeleteSelectedItems();
}

void FormOptions::onOkClicked() {
    ignoreList_ = ignoredFolders->Items();
    accept();
}

void FormOptions::onCancelClicked() {
    reject();
}
