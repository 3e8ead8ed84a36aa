// SPDX-License-Identifier: GPL-3.0-or-later
#include "FolderPicker.h"

#include "controls/AccessibleNames.h"
#include "platform/FileChecks.h"
#include "platform/ShellFolders.h"

#include <QApplication>
#include <QCheckBox>
#include <QCollator>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int PathRole = Qt::UserRole;
constexpr int FilledRole = Qt::UserRole + 1;

// Characters, not bytes: a name in Chinese is not shortened earlier than one in Latin letters.
std::size_t CharacterCount(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

std::string JoinParts(const std::vector<std::string>& parts, char separator) {
    std::string joined;
    for (std::size_t index = 0; index < parts.size(); ++index) {
        if (index > 0)
            joined += separator;
        joined += parts[index];
    }
    return joined;
}

std::vector<std::string> SplitParts(const std::string& path, char separator) {
    std::vector<std::string> parts(1);
    for (const char c : path) {
        if (c == separator)
            parts.emplace_back();
        else
            parts.back() += c;
    }
    return parts;
}

// Without "." and ".." steps and without a trailing '/', except for "/" itself.
std::string NormalFolder(const std::string& path) {
    std::string normal = fs::path(path).lexically_normal().string();
    while (normal.size() > 1 && normal.back() == '/')
        normal.pop_back();
    return normal;
}

std::string FromQt(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

QString ToQt(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string ItemPath(const QTreeWidgetItem* item) {
    return item != nullptr ? item->data(0, PathRole).toByteArray().toStdString() : std::string();
}

// Dot folders are hidden, as the desktop's own file dialogs hide them.
std::vector<std::string> Subfolders(const std::string& folder, bool firstOnly) {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(folder, fs::directory_options::skip_permission_denied, error);
         !error && entry != fs::directory_iterator(); entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        std::error_code statError;
        if (name.starts_with('.') || !fs::is_directory(entry->status(statError)))
            continue;
        names.push_back(name);
        if (firstOnly)
            break;
    }
    return names;
}

// Sorted as the user's file manager sorts: by the locale, ignoring case, numbers by value.
void SortNames(std::vector<std::string>& names) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), [&collator](const std::string& a, const std::string& b) {
        return collator.compare(ToQt(a), ToQt(b)) < 0;
    });
}

QTreeWidgetItem* NewFolderItem(const std::string& path, const QString& caption) {
    auto* item = new QTreeWidgetItem(QStringList{caption});
    item->setData(0, PathRole, QByteArray::fromStdString(path));
    item->setChildIndicatorPolicy(Subfolders(path, true).empty()
                                      ? QTreeWidgetItem::DontShowIndicator
                                      : QTreeWidgetItem::ShowIndicator);
    return item;
}

// Folders are listed when their item is first opened, so a large tree costs nothing up front.
void FillChildren(QTreeWidgetItem* item) {
    if (item->data(0, FilledRole).toBool())
        return;
    item->setData(0, FilledRole, true);
    const std::string folder = ItemPath(item);
    std::vector<std::string> names = Subfolders(folder, false);
    SortNames(names);
    for (const std::string& name : names)
        item->addChild(NewFolderItem((fs::path(folder) / name).string(), ToQt(name)));
}

QTreeWidgetItem* ChildNamed(QTreeWidgetItem* item, const std::string& name) {
    FillChildren(item);
    for (int index = 0; index < item->childCount(); ++index) {
        QTreeWidgetItem* child = item->child(index);
        if (fs::path(ItemPath(child)).filename() == name)
            return child;
    }
    return nullptr;
}

} // namespace

std::string ShortenPath(const std::string& path, char separator, const std::string& ellipsis,
                        std::size_t maxLength) {
    if (CharacterCount(path) <= maxLength)
        return path;
    std::vector<std::string> parts = SplitParts(path, separator);
    if (parts.size() < 3)
        return path;
    parts[1] = ellipsis;
    std::string joined = JoinParts(parts, separator);
    while (CharacterCount(joined) > maxLength && parts.size() > 3) {
        parts.erase(parts.begin() + 2);
        joined = JoinParts(parts, separator);
    }
    return joined;
}

FolderPicker::FolderPicker(QObject* owner)
    : QObject(owner),
      customButtonCaption_(
          QCoreApplication::translate("FolderPicker", "包括子文件夹(&S)   ").toStdString()) {}

bool FolderPicker::Execute() {
    QDialog dialog(DialogOwner());
    // The dialog's last events and signals, while it is taken apart, are not the owner's business.
    const auto closed = qScopeGuard([this] {
        dialog_ = nullptr;
        okButton_ = nullptr;
    });
    BuildDialog(dialog);
    Initialize(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    directory_ = selectionPath_;
    return true;
}

std::string FolderPicker::RootFolder() const {
    std::string root;
    switch (folder_) {
    case SpecialFolder::Programs:
    case SpecialFolder::StartMenu:
        root = FromQt(QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation));
        break;
    case SpecialFolder::Favorites:
        root = favoritesFolder_.empty() ? ShellFolders::Read().favorites : favoritesFolder_;
        if (!FolderExists(root))
            root = FromQt(QDir::homePath());
        break;
    case SpecialFolder::Network:
        root = FromQt(QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation)) + "/gvfs";
        break;
    case SpecialFolder::Desktop:
    case SpecialFolder::Computer:
        break;
    }
    return FolderExists(root) ? NormalFolder(root) : "/";
}

QRect FolderPicker::CustomButtonRect(const QRect& okButton, int dotsPerInch) const {
    const int designWidth =
        customButtonType_ == CustomButtonKind::CheckBox ? 125 : customButtonWidth_;
    const int left = static_cast<int>(dotsPerInch * 0.125);
    const int width = static_cast<int>(designWidth / 96.0 * dotsPerInch);
    return {left, okButton.top(), width, okButton.height()};
}

bool FolderPicker::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dialog_)
        emit dialogEvent(dialog_, event);
    if (watched == okButton_ && (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        PlaceCustomButton();
    return false;
}

void FolderPicker::SetCustomButtonEnabled(bool enabled) {
    customButtonEnabled_ = enabled;
    if (customButton_)
        customButton_->setEnabled(enabled);
}

void FolderPicker::SetCustomButtonCaption(const std::string& caption) {
    customButtonCaption_ = caption;
    if (customButton_)
        customButton_->setText(QString::fromStdString(caption));
}

QWidget* FolderPicker::DialogOwner() const {
    if (ownerWindow_)
        return ownerWindow_->window();
    if (auto* owner = qobject_cast<QWidget*>(parent()))
        return owner->window();
    return QApplication::activeWindow();
}

void FolderPicker::BuildDialog(QDialog& dialog) {
    dialog.setWindowTitle(QCoreApplication::translate("FolderPicker", "浏览文件夹"));
    dialog.resize(360, 420);
    auto* column = new QVBoxLayout(&dialog);

    auto* title = new QLabel(QString::fromStdString(title_), &dialog);
    title->setObjectName("title");
    title->setTextFormat(Qt::PlainText);
    title->setWordWrap(true);
    title->setVisible(!title_.empty());
    column->addWidget(title);

    if (flags_.testFlag(BrowseOption::StatusText)) {
        status_ = new QLabel(&dialog);
        status_->setObjectName("status");
        status_->setTextFormat(Qt::PlainText);
        // A long path must not widen the dialog.
        status_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        column->addWidget(status_);
    }

    tree_ = new QTreeWidget(&dialog);
    tree_->setObjectName("folders");
    tree_->setHeaderHidden(true);
    tree_->setAccessibleName(title_.empty()
                                 ? dialog.windowTitle()
                                 : AccessibleNames::Spoken(QString::fromStdString(title_)));
    column->addWidget(tree_, 1);
    connect(tree_, &QTreeWidget::itemExpanded, tree_,
            [](QTreeWidgetItem* item) { FillChildren(item); });
    connect(tree_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* item) { SelectionChanged(item); });

    buttonRow_ = new QHBoxLayout;
    buttonRow_->addStretch();
    okButton_ = new QPushButton(QCoreApplication::translate("FolderPicker", "确定"), &dialog);
    okButton_->setObjectName("okButton");
    okButton_->setDefault(true);
    connect(okButton_, &QPushButton::clicked, this, [this] { OkClicked(); });
    buttonRow_->addWidget(okButton_);
    auto* cancel = new QPushButton(QCoreApplication::translate("FolderPicker", "取消"), &dialog);
    cancel->setObjectName("cancelButton");
    connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    buttonRow_->addWidget(cancel);
    column->addLayout(buttonRow_);
}

void FolderPicker::Initialize(QDialog& dialog) {
    dialog_ = &dialog;
    QTreeWidgetItem* root = AddRootItem();
    tree_->setCurrentItem(root);
    FillChildren(root);
    root->setExpanded(true);
    Preselect();
    if (customButtonVisible_)
        CreateCustomButton();
    emit initialized(&dialog);
}

std::vector<std::string> FolderPicker::Places() const {
    std::vector<std::string> places{RootFolder()};
    if (folder_ != SpecialFolder::Favorites)
        return places;
    for (const std::string& above : {NormalFolder(FromQt(QDir::homePath())), std::string("/")})
        if (std::ranges::find(places, above) == places.end() && FolderExists(above))
            places.push_back(above);
    return places;
}

QTreeWidgetItem* FolderPicker::AddRootItem() {
    const std::vector<std::string> places = Places();
    const std::string home = NormalFolder(FromQt(QDir::homePath()));
    for (const std::string& place : places) {
        const std::string name = fs::path(place).filename().string();
        QString caption = ToQt(name.empty() ? place : name);
        // Below the root, the way up is named for what it is.
        if (&place != &places.front() && place == home)
            caption = QCoreApplication::translate("FolderPicker", "主文件夹");
        else if (&place != &places.front() && place == "/")
            caption = QCoreApplication::translate("FolderPicker", "文件系统");
        tree_->addTopLevelItem(NewFolderItem(place, caption));
    }
    return tree_->topLevelItem(0);
}

namespace {

// The place the directory lies in (the first that holds it), and the way down to it from there.
std::pair<QTreeWidgetItem*, fs::path> PlaceHolding(QTreeWidget* tree,
                                                   const std::string& directory) {
    for (int index = 0; index < tree->topLevelItemCount(); ++index) {
        QTreeWidgetItem* place = tree->topLevelItem(index);
        const fs::path relative =
            fs::path(NormalFolder(directory)).lexically_relative(ItemPath(place));
        if (!relative.empty() && *relative.begin() != "..")
            return {place, relative};
    }
    return {tree->topLevelItem(0), {}};
}

} // namespace

// Opens the tree down to Directory; a folder that is gone selects its nearest existing parent,
// and one outside every place leaves the root selected.
void FolderPicker::Preselect() {
    auto [item, relative] = PlaceHolding(tree_, directory_);
    if (directory_.empty() || relative.empty())
        return;
    for (const fs::path& part : relative) {
        QTreeWidgetItem* child = part == "." ? item : ChildNamed(item, part.string());
        if (child == nullptr)
            break;
        item = child;
    }
    for (QTreeWidgetItem* above = item->parent(); above != nullptr; above = above->parent())
        above->setExpanded(true);
    tree_->setCurrentItem(item);
    tree_->scrollToItem(item);
}

void FolderPicker::SelectionChanged(QTreeWidgetItem* item) {
    if (!dialog_)
        return;
    const std::string path = ItemPath(item);
    selectionPath_ = FolderExists(path) ? path : std::string();
    if (showFullPath_ && status_)
        status_->setText(ToQt(ShortenPath(selectionPath_)));
    const bool isFolder = !selectionPath_.empty();
    okButton_->setEnabled(isFolder);
    if (syncCustomButton_)
        SetCustomButtonEnabled(isFolder);
    emit selectionChanged(dialog_, path, selectionPath_);
}

void FolderPicker::CreateCustomButton() {
    const QString caption = QString::fromStdString(customButtonCaption_);
    if (customButtonType_ == CustomButtonKind::CheckBox) {
        auto* box = new QCheckBox(caption, dialog_);
        box->setChecked(customButtonChecked_);
        customButton_ = box;
    } else {
        customButton_ = new QPushButton(caption, dialog_);
    }
    customButton_->setObjectName("customButton");
    customButton_->setEnabled(customButtonEnabled_);
    connect(customButton_, &QAbstractButton::clicked, this,
            [this] { emit customButtonClicked(dialog_); });
    PlaceCustomButton();
    // Keep OK and Cancel clear of the extra control however the dialog is sized.
    buttonRow_->insertSpacing(0, customButton_->geometry().right() + 1);
    okButton_->installEventFilter(this);
    dialog_->installEventFilter(this);
}

// A check box whose caption is longer than its width (a translation's) is widened rather than
// cut; a push button keeps the width its owner set.
void FolderPicker::PlaceCustomButton() {
    const QRect ok(okButton_->mapTo(dialog_, QPoint(0, 0)), okButton_->size());
    QRect place = CustomButtonRect(ok, dialog_->logicalDpiX());
    if (customButtonType_ == CustomButtonKind::CheckBox)
        place.setWidth(std::max(place.width(), customButton_->sizeHint().width()));
    customButton_->setGeometry(place);
}

// Only OK takes the box's state; Cancel and the close box leave CustomButtonChecked as it was.
void FolderPicker::OkClicked() {
    if (const auto* box = qobject_cast<QCheckBox*>(customButton_))
        customButtonChecked_ = box->isChecked();
    dialog_->accept();
}
