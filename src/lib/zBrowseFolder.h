#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

class QAbstractButton;
class QDialog;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// Dialog options; the flags combine with |. Only bfStatusText changes anything here: it adds the
// status line. Every item of the tree is a real folder, so bfFileSysDirsOnly asks for nothing
// more, and the domain, ancestor, computer and printer flags have no meaning on this desktop.
enum TBrowseInfoFlag : std::uint8_t {
    bfFileSysDirsOnly = 1,
    bfDontGoBelowDomain = 2,
    bfStatusText = 4,
    bfFileSysAncestors = 8,
    bfBrowseForComputer = 16,
    bfBrowseForPrinter = 32,
};
using TBrowseInfoFlagSet = std::uint8_t;

// The root of the folder tree. On this desktop: foDesktop and foMyComputer are the whole file
// system ("/"); foPrograms and foStartMenu the user's applications folder
// (~/.local/share/applications); foFavorites the Favorites folder of the user-dirs file (or the
// one the owner sets); foNetwork the desktop's network mounts (/run/user/<id>/gvfs). A root that
// does not exist is replaced by "/".
enum TSHFolders { foDesktop, foPrograms, foFavorites, foStartMenu, foMyComputer, foNetwork };

enum TCustomButtonType { btPushButton, btCheckBox };

// Path shortened for a status line: when it is longer than maxLength characters and has at least
// three parts, the second part becomes the ellipsis and the parts after it are dropped, nearest
// first, until it fits or only the first, the ellipsis and the last remain.
std::string ShortenPath(const std::string& path, char separator = '/',
                        const std::string& ellipsis = "...", std::size_t maxLength = 35);

// Lets the user choose a folder in a modal dialog: a tree of folders under a chosen root, the
// selected folder's path on a status line, OK only for a folder that exists, and optionally one
// extra check box or push button level with OK at the dialog's left edge. Owned by a form, with
// no window of its own; TzBrowseFolder makes its settings public. The dialog's parts are named
// lblTitle, lblStatus, tvFolders, butOK, butCancel and butCustom (the extra control).
class TzCustomBrowseFolder : public QObject {
public:
    explicit TzCustomBrowseFolder(QObject* owner = nullptr);

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
    // Where the extra control goes: level with and as high as the OK button, an eighth of an
    // inch from the left edge, 125 pixels (check box) or CustomButtonWidth pixels wide at 96 dots
    // per inch.
    QRect CustomButtonRect(const QRect& okButton, int dotsPerInch) const;

    bool eventFilter(QObject* watched, QEvent* event) override;

protected:
    const std::string& Directory() const { return directory_; }
    void SetDirectory(const std::string& directory) { directory_ = directory; }
    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title) { title_ = title; }
    TBrowseInfoFlagSet Flags() const { return flags_; }
    void SetFlags(TBrowseInfoFlagSet flags) { flags_ = flags; }
    bool ShowFullPath() const { return showFullPath_; }
    void SetShowFullPath(bool show) { showFullPath_ = show; }
    TSHFolders Folder() const { return folder_; }
    void SetFolder(TSHFolders folder) { folder_ = folder; }
    bool CustomButtonVisible() const { return customButtonVisible_; }
    void SetCustomButtonVisible(bool visible) { customButtonVisible_ = visible; }
    bool CustomButtonEnabled() const { return customButtonEnabled_; }
    void SetCustomButtonEnabled(bool enabled);
    const std::string& CustomButtonCaption() const { return customButtonCaption_; }
    void SetCustomButtonCaption(const std::string& caption);
    TCustomButtonType CustomButtonType() const { return customButtonType_; }
    void SetCustomButtonType(TCustomButtonType type) { customButtonType_ = type; }
    bool CustomButtonChecked() const { return customButtonChecked_; }
    void SetCustomButtonChecked(bool checked) { customButtonChecked_ = checked; }
    int CustomButtonWidth() const { return customButtonWidth_; }
    void SetCustomButtonWidth(int width) { customButtonWidth_ = width > 0 ? width : 75; }
    bool SyncCustomButton() const { return syncCustomButton_; }
    void SetSyncCustomButton(bool sync) { syncCustomButton_ = sync; }
    // The Favorites folder that foFavorites starts at; empty means the user-dirs file's.
    const std::string& FavoritesFolder() const { return favoritesFolder_; }
    void SetFavoritesFolder(const std::string& folder) { favoritesFolder_ = folder; }

    // The dialog exists and is set up, with Directory selected.
    std::function<void(QObject* sender, QWidget* dialog)> OnInitialized;
    // item is the selected item's path; directory the same when it is an existing folder, else
    // empty.
    std::function<void(QObject* sender, QWidget* dialog, const std::string& item,
                       const std::string& directory)>
        OnSelectionChanged;
    std::function<void(QObject* sender, QWidget* dialog)> OnCustomButtonClick;
    // Every event that reaches the dialog, before the dialog handles it; only while the extra
    // control is there.
    std::function<void(QObject* sender, QWidget* window, QEvent* event)> OnWndProc;

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
    TBrowseInfoFlagSet flags_ = bfFileSysDirsOnly | bfStatusText;
    bool showFullPath_ = true;
    TSHFolders folder_ = foDesktop;
    bool customButtonVisible_ = false;
    bool customButtonEnabled_ = true;
    std::string customButtonCaption_;
    TCustomButtonType customButtonType_ = btCheckBox;
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

// The folder picker with every setting and event public.
class TzBrowseFolder : public TzCustomBrowseFolder {
public:
    using TzCustomBrowseFolder::TzCustomBrowseFolder;

    using TzCustomBrowseFolder::CustomButtonCaption;
    using TzCustomBrowseFolder::CustomButtonChecked;
    using TzCustomBrowseFolder::CustomButtonEnabled;
    using TzCustomBrowseFolder::CustomButtonType;
    using TzCustomBrowseFolder::CustomButtonVisible;
    using TzCustomBrowseFolder::CustomButtonWidth;
    using TzCustomBrowseFolder::Directory;
    using TzCustomBrowseFolder::FavoritesFolder;
    using TzCustomBrowseFolder::Flags;
    using TzCustomBrowseFolder::Folder;
    using TzCustomBrowseFolder::OnCustomButtonClick;
    using TzCustomBrowseFolder::OnInitialized;
    using TzCustomBrowseFolder::OnSelectionChanged;
    using TzCustomBrowseFolder::OnWndProc;
    using TzCustomBrowseFolder::SetCustomButtonCaption;
    using TzCustomBrowseFolder::SetCustomButtonChecked;
    using TzCustomBrowseFolder::SetCustomButtonEnabled;
    using TzCustomBrowseFolder::SetCustomButtonType;
    using TzCustomBrowseFolder::SetCustomButtonVisible;
    using TzCustomBrowseFolder::SetCustomButtonWidth;
    using TzCustomBrowseFolder::SetDirectory;
    using TzCustomBrowseFolder::SetFavoritesFolder;
    using TzCustomBrowseFolder::SetFlags;
    using TzCustomBrowseFolder::SetFolder;
    using TzCustomBrowseFolder::SetShowFullPath;
    using TzCustomBrowseFolder::SetSyncCustomButton;
    using TzCustomBrowseFolder::SetTitle;
    using TzCustomBrowseFolder::ShowFullPath;
    using TzCustomBrowseFolder::SyncCustomButton;
    using TzCustomBrowseFolder::Title;
};
