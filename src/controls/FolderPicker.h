// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFlags>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class QAbstractButton;
class QDialog;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Dialog options; the flags combine with |. Only StatusText changes anything here: it adds the
// status line. Every item of the tree is a real folder, so FoldersOnly asks for nothing more,
// and the domain, ancestor, computer and printer options have no meaning on this desktop.
enum class BrowseOption : std::uint8_t {
    FoldersOnly = 1,
    DontGoBelowDomain = 2,
    StatusText = 4,
    FileSystemAncestors = 8,
    BrowseForComputer = 16,
    BrowseForPrinter = 32,
};
using BrowseOptions = QFlags<BrowseOption>;
Q_DECLARE_OPERATORS_FOR_FLAGS(BrowseOptions)

// The root of the folder tree. On this desktop: Desktop and Computer are the whole file system
// ("/"); Programs and StartMenu the user's applications folder (~/.local/share/applications);
// Favorites the Favorites folder of the user-dirs file (or the one the owner sets), else the home
// folder; Network the desktop's network mounts (/run/user/<id>/gvfs). A root that does not exist
// is replaced by "/".
enum class SpecialFolder { Desktop, Programs, Favorites, StartMenu, Computer, Network };

enum class CustomButtonKind { PushButton, CheckBox };

// Path shortened for a status line: when it is longer than maxLength characters and has at least
// three parts, the second part becomes the ellipsis and the parts after it are dropped, nearest
// first, until it fits or only the first, the ellipsis and the last remain.
std::string ShortenPath(const std::string& path, char separator = '/',
                        const std::string& ellipsis = "...", std::size_t maxLength = 35);

// Lets the user choose a folder in a modal dialog: a tree of folders under a chosen root, the
// selected folder's path on a status line, OK only for a folder that exists, and optionally one
// extra check box or push button level with OK at the dialog's left edge. Owned by a form, with
// no window of its own. The dialog's parts are named
// title, status, folders, okButton, cancelButton and customButton (the extra control).
class FolderPicker : public QObject {
    Q_OBJECT

public:
    explicit FolderPicker(QObject* owner = nullptr);

    // True when the user chose a folder with OK; Directory and SelectionPath then hold its path.
    bool Execute();
    // The selected folder while the dialog is open, the chosen one after OK.
    const std::string& SelectionPath() const { return selectionPath_; }
    // The window the dialog belongs to; when none is set (or it is gone), the owner's window,
    // else the active window.
    QWidget* OwnerWindow() const { return ownerWindow_; }
    void SetOwnerWindow(QWidget* window) { ownerWindow_ = window; }
    // The folder the tree starts at, as Folder asks.
    std::string RootFolder() const;
    // The folders the tree lists at its top: the root, and for Favorites the way up from it,
    // the home folder and the whole file system.
    std::vector<std::string> Places() const;
    // Where the extra control goes: level with and as high as the OK button, an eighth of an
    // inch from the left edge, 125 pixels (check box) or CustomButtonWidth pixels wide at 96 dots
    // per inch.
    QRect CustomButtonRect(const QRect& okButton, int dotsPerInch) const;

    bool eventFilter(QObject* watched, QEvent* event) override;

    const std::string& Directory() const { return directory_; }
    void SetDirectory(const std::string& directory) { directory_ = directory; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    BrowseOptions Flags() const { return flags_; }
    void SetFlags(BrowseOptions flags) { flags_ = flags; }
    bool ShowFullPath() const { return showFullPath_; }
    void SetShowFullPath(bool show) { showFullPath_ = show; }
    SpecialFolder Folder() const { return folder_; }
    void SetFolder(SpecialFolder folder) { folder_ = folder; }
    bool CustomButtonVisible() const { return customButtonVisible_; }
    void SetCustomButtonVisible(bool visible) { customButtonVisible_ = visible; }
    bool CustomButtonEnabled() const { return customButtonEnabled_; }
    void SetCustomButtonEnabled(bool enabled);
    const std::string& CustomButtonCaption() const { return customButtonCaption_; }
    void SetCustomButtonCaption(const std::string& caption);
    CustomButtonKind CustomButtonType() const { return customButtonType_; }
    void SetCustomButtonType(CustomButtonKind type) { customButtonType_ = type; }
    bool CustomButtonChecked() const { return customButtonChecked_; }
    void SetCustomButtonChecked(bool checked) { customButtonChecked_ = checked; }
    int CustomButtonWidth() const { return customButtonWidth_; }
    void SetCustomButtonWidth(int width) { customButtonWidth_ = width > 0 ? width : 75; }
    bool SyncCustomButton() const { return syncCustomButton_; }
    void SetSyncCustomButton(bool sync) { syncCustomButton_ = sync; }
    // The Favorites folder that SpecialFolder::Favorites starts at; empty means the user-dirs
    // file's.
    const std::string& FavoritesFolder() const { return favoritesFolder_; }
    void SetFavoritesFolder(const std::string& folder) { favoritesFolder_ = folder; }

signals:
    // The dialog exists and is set up, with Directory selected.
    void initialized(QWidget* dialog);
    // item is the selected item's path; directory the same when it is an existing folder, else
    // empty.
    void selectionChanged(QWidget* dialog, const std::string& item, const std::string& directory);
    void customButtonClicked(QWidget* dialog);
    // Every event that reaches the dialog, before the dialog handles it; only while the extra
    // control is there.
    void dialogEvent(QWidget* dialog, QEvent* event);

private:
    QWidget* DialogOwner() const;
    void BuildDialog(QDialog& dialog);
    void Initialize(QDialog& dialog);
    QTreeWidgetItem* AddRootItem();
    void Preselect();
    void SelectionChanged(QTreeWidgetItem* item);
    void CreateCustomButton();
    void PlaceCustomButton();
    void OkClicked();

    std::string directory_;
    std::string title_;
    BrowseOptions flags_ = BrowseOption::FoldersOnly | BrowseOption::StatusText;
    bool showFullPath_ = true;
    SpecialFolder folder_ = SpecialFolder::Desktop;
    bool customButtonVisible_ = false;
    bool customButtonEnabled_ = true;
    std::string customButtonCaption_;
    CustomButtonKind customButtonType_ = CustomButtonKind::CheckBox;
    bool customButtonChecked_ = false;
    int customButtonWidth_ = 75;
    bool syncCustomButton_ = false;
    std::string favoritesFolder_;

    std::string selectionPath_;
    QPointer<QWidget> ownerWindow_;
    // Parts of the dialog, while it is open.
    QPointer<QDialog> dialog_;
    QPointer<QTreeWidget> tree_;
    QPointer<QLabel> status_;
    QPointer<QPushButton> okButton_;
    QPointer<QHBoxLayout> buttonRow_;
    QPointer<QAbstractButton> customButton_;
};
