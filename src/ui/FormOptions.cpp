#include "FormOptions.h"

#include "DesktopServices.h"
#include "FolderPicker.h"
#include "ReorderableList.h"
#include "Strings.h"
#include "Text.h"

#include <QPushButton>
#include <QTabWidget>

namespace {

QPushButton* DialogButton(QWidget* parent, const char* caption, QRect box) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
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
    setWindowTitle(QString::fromUtf8(Strings::OptionsCaptionTitle));
    if (owner != nullptr)
        setFont(owner->font());
    setFixedSize(316, 267);
    pagOptions = new QTabWidget(this);
    pagOptions->setGeometry(7, 8, 301, 221);
    pagOptions->addTab(CreateIgnoredFoldersTab(), QString::fromUtf8(Strings::IgnoredFoldersTab));
    butOK = DialogButton(this, Strings::OkCaption, QRect(152, 235, 75, 23));
    butCancel = DialogButton(this, Strings::CancelCaption, QRect(233, 235, 75, 23));
    butOK->setDefault(true);
    connect(butOK, &QPushButton::clicked, this, [this] { butOKClick(); });
    connect(butCancel, &QPushButton::clicked, this, [this] { butCancelClick(); });
    CreateFolderPicker(favoritesFolder);
    setTabOrder(butOK, butCancel);
    setTabOrder(butCancel, pagOptions);
    setTabOrder(pagOptions, lbIgnoredFolders);
    setTabOrder(lbIgnoredFolders, butIgnFolderAdd);
    setTabOrder(butIgnFolderAdd, butIgnFolderRemove);
    lbIgnoredFolders->SetItems(ignoreList_);
}

FormOptions::~FormOptions() = default;

QWidget* FormOptions::CreateIgnoredFoldersTab() {
    auto* tab = new QWidget;
    lbIgnoredFolders = new ReorderableList(tab);
    lbIgnoredFolders->setGeometry(7, 6, 200, 178);
    lbIgnoredFolders->SetItemHeight(13);
    butIgnFolderAdd = DialogButton(tab, Strings::AddCaption, QRect(212, 6, 75, 23));
    butIgnFolderRemove = DialogButton(tab, Strings::RemoveCaption, QRect(212, 34, 75, 23));
    connect(butIgnFolderAdd, &QPushButton::clicked, this, [this] { butIgnFolderAddClick(); });
    connect(butIgnFolderRemove, &QPushButton::clicked, this, [this] { butIgnFolderRemoveClick(); });
    return tab;
}

void FormOptions::CreateFolderPicker(const std::string& favoritesFolder) {
    dlgBrowseFolder = new FolderPicker(this);
    dlgBrowseFolder->SetFolder(SpecialFolder::Favorites);
    dlgBrowseFolder->SetFavoritesFolder(favoritesFolder);
    dlgBrowseFolder->SetCustomButtonVisible(false);
    dlgBrowseFolder->SetCustomButtonCaption(Strings::PickerCheckBox);
    dlgBrowseFolder->SetSyncCustomButton(false);
}

void FormOptions::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    butOK->setFocus();
}

void FormOptions::butIgnFolderAddClick() {
    if (!RunFolderPicker(*dlgBrowseFolder))
        return;
    if (!lbIgnoredFolders->AddUniqueItem(FolderName(dlgBrowseFolder->Directory())))
        DesktopServices::Current().Beep();
}

void FormOptions::butIgnFolderRemoveClick() {
    lbIgnoredFolders->DeleteSelectedItems();
}

void FormOptions::butOKClick() {
    ignoreList_ = lbIgnoredFolders->Items();
    accept();
}

void FormOptions::butCancelClick() {
    reject();
}
