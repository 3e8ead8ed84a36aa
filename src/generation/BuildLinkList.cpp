// SPDX-License-Identifier: GPL-3.0-or-later
#include "BuildLinkList.h"

#include "generation/ShortcutBatchReader.h"
#include "platform/FileChecks.h"
#include "platform/FolderListing.h"
#include "platform/NameCollator.h"
#include "platform/ShortcutFile.h"
#include "text/Text.h"

#include <QScopeGuard>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <span>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::string_view CrLf = "\r\n";

// Names and addresses come from the file system and may hold markup; on the page they must
// read as text and never open a tag or end a comment.
constexpr std::array<bool, 256> MarkupBytes = [] {
    std::array<bool, 256> markup{};
    for (const unsigned char c : {'&', '<', '>', '"'})
        markup[c] = true;
    return markup;
}();

// Sixteen bytes at once; the compiler turns the comparisons into the processor's vector
// instructions where it has them.
using Bytes16 = unsigned char __attribute__((vector_size(16)));

// Whether any of the sixteen bytes at text[at] is a markup byte. Names and addresses seldom
// hold markup, so the common text is checked in blocks and appended whole.
bool HoldsMarkup(std::string_view text, std::size_t at) {
    Bytes16 bytes;
    std::memcpy(&bytes, text.data() + at, sizeof bytes);
    const auto hits = (bytes == '&') | (bytes == '<') | (bytes == '>') | (bytes == '"');
    std::uint64_t halves[2];
    std::memcpy(halves, &hits, sizeof halves);
    return (halves[0] | halves[1]) != 0;
}

std::size_t FirstMarkupByte(std::string_view text) {
    constexpr std::size_t block = sizeof(Bytes16);
    std::size_t from = 0;
    if (text.size() >= block) {
        while (from + block <= text.size() && !HoldsMarkup(text, from))
            from += block;
        // The last bytes are checked as one block too, overlapping the ones before.
        if (from + block > text.size() && !HoldsMarkup(text, text.size() - block))
            return text.size();
    }
    for (; from < text.size(); ++from)
        if (MarkupBytes[static_cast<unsigned char>(text[from])])
            break;
    return from;
}

} // namespace

void AppendEscaped(std::string& html, std::string_view text) {
    for (std::size_t markup = FirstMarkupByte(text); markup < text.size();
         markup = FirstMarkupByte(text)) {
        html.append(text.substr(0, markup));
        switch (text[markup]) {
        case '&':
            html.append("&amp;");
            break;
        case '<':
            html.append("&lt;");
            break;
        case '>':
            html.append("&gt;");
            break;
        default:
            html.append("&quot;");
        }
        text.remove_prefix(markup + 1);
    }
    html.append(text);
}

namespace {

// One pass to trim, one to drop the empty entries: a settings file may hold a list of any
// length, and erasing entries one by one would take time growing with its square.
void TidyIgnoreList(std::vector<std::string>& ignoreList) {
    for (std::string& entry : ignoreList)
        entry = TrimText(entry);
    std::erase_if(ignoreList, [](const std::string& entry) { return entry.empty(); });
}

// How many levels of the tree the scan keeps open at once: half the descriptors the process
// may have, so the rest of the program keeps what it needs, and at most 256, deeper than trees
// of real bookmarks go, so that they are scanned without opening any folder twice.
std::size_t OpenLevels() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) != 0)
        return 16;
    return static_cast<std::size_t>(std::clamp<rlim_t>(limit.rlim_cur / 2, 2, 256));
}

// One scan of the tree, appending to the link list as it goes, or handing what it meets to a
// visitor instead.
class TreeScan {
public:
    TreeScan(const Settings& settings, Globals& globals, std::string& html,
             LinkTreeVisitor* visit = nullptr, LinkIcons* icons = nullptr)
        : globals_(globals), html_(html), showUrl_(settings.showUrl),
          includeSubfolders_(settings.includeSubfolders), visit_(visit), icons_(icons) {
        if (wantsTimes_)
            reader_.emplace();
        if (reader_ && !reader_->Running())
            reader_.reset();
    }

    void ScanSource(const std::string& path) {
        const int fd = open(path.empty() ? "." : path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        struct stat info {};
        if (fd >= 0)
            EnterFolder(fd, fstat(fd, &info) == 0 ? &info : nullptr, {}, 0);
    }

private:
    struct FolderId {
        dev_t device;
        ino_t inode;
        bool operator==(const FolderId&) const = default;
    };

    // A folder on the path from the source folder down to the one being scanned.
    struct Level {
        FolderId id;
        // Its name in the folder above; a listed name, followed by a NUL byte.
        std::string_view name;
        // Closed (-1) while the scan is further down, deep in the tree.
        int fd;
    };

    // Scans the folder open as fd, which fstat told about as info (nothing when it could not),
    // then closes it. A folder already being scanned higher up the path (reached again through
    // a symbolic link) is not entered again, so a loop in the tree cannot make the scan endless.
    void EnterFolder(int fd, const struct stat* info, std::string_view name, std::int32_t level) {
        const FolderId id = info != nullptr ? FolderId{info->st_dev, info->st_ino} : FolderId{};
        if (info == nullptr ||
            std::ranges::any_of(path_, [&](const Level& open) { return open.id == id; })) {
            close(fd);
            return;
        }
        path_.push_back({id, name, fd});
        ScanFolder(level);
        LeaveFolder();
    }

    // Deep in the tree, the folder above was closed while this one was scanned. It is opened
    // again from here through "..", one step instead of a walk from the top, unless this
    // folder was reached through a symbolic link and its ".." is another folder.
    void LeaveFolder() {
        const Level left = path_.back();
        path_.pop_back();
        if (left.fd < 0)
            return;
        if (!path_.empty() && path_.back().fd < 0)
            path_.back().fd = OpenSame(left.fd, "..", path_.back().id);
        close(left.fd);
    }

    void ScanFolder(std::int32_t level) {
        const int fd = path_.back().fd;
        FolderListing listing = FolderListing::Read(fd);
        const std::string tabs = TabIndent(level);
        if (!listing.shortcuts.empty()) {
            collator_.Sort(listing.shortcuts);
            WriteLinks(fd, listing.shortcuts, tabs);
        }
        if (!listing.folders.empty() && includeSubfolders_) {
            collator_.Sort(listing.folders);
            for (const std::string_view name : listing.folders)
                WriteFolder(name, level, tabs);
        }
    }

    // With a second reader, it reads the second half of the folder's shortcuts while this
    // thread reads the first (a lone shortcut is read here).
    void WriteLinks(int folderFd, const std::vector<std::string_view>& names,
                    const std::string& tabs) {
        const std::size_t own = reader_ && names.size() > 1 ? names.size() / 2 : names.size();
        if (own < names.size())
            reader_->Start(folderFd, std::span(names).subspan(own));
        // The reader's names and folder must outlast its run, whatever happens here.
        const auto waitForReader = qScopeGuard([&] {
            if (own < names.size())
                reader_->Wait();
        });
        for (std::size_t i = 0; i < own; ++i) {
            ShortcutFile::ReadAddress(folderFd, names[i].data(), address_,
                                      icons_ || visit_ ? &iconFile_ : nullptr,
                                      wantsTimes_ ? &modified_ : nullptr);
            WriteLink(folderFd, names[i], tabs, address_, iconFile_, modified_);
        }
        if (own == names.size())
            return;
        const std::vector<ShortcutBatchReader::Shortcut>& read = reader_->Wait();
        for (std::size_t i = own; i < names.size(); ++i) {
            const ShortcutBatchReader::Shortcut& shortcut = read[i - own];
            WriteLink(folderFd, names[i], tabs, shortcut.address, shortcut.iconFile,
                      shortcut.modified);
        }
    }

    // Opens a subfolder of the folder being scanned. One descriptor per level would run out
    // in a tree deeper than the open-file limit, so below the first levels a folder is closed
    // once its subfolder is open, and opened again only when another subfolder follows.
    int OpenSubfolder(std::string_view name) {
        Level& current = path_.back();
        if (current.fd < 0)
            current.fd = ReopenCurrent();
        if (current.fd < 0)
            return -1;
        const int fd = openat(current.fd, name.data(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0 && path_.size() >= openLevels_) {
            close(current.fd);
            current.fd = -1;
        }
        return fd;
    }

    // Opens the folder being scanned again, name by name from the nearest folder above it that
    // is still open: its whole path may be longer than the system takes in one call. The source
    // folder always stays open.
    int ReopenCurrent() const {
        auto above = path_.end() - 1;
        while (above->fd < 0)
            --above;
        int fd = above->fd;
        for (auto next = above + 1; next + 1 != path_.end() && fd >= 0; ++next) {
            const int below = openat(fd, next->name.data(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd != above->fd)
                close(fd);
            fd = below;
        }
        if (fd < 0)
            return -1;
        const int current = OpenSame(fd, path_.back().name.data(), path_.back().id);
        if (fd != above->fd)
            close(fd);
        return current;
    }

    // Opens name in the folder open as folderFd when it is still the folder known as id; -1
    // when it is gone or another folder stands in its place.
    static int OpenSame(int folderFd, const char* name, const FolderId& id) {
        const int fd = openat(folderFd, name, O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        struct stat info {};
        if (fd >= 0 && (fstat(fd, &info) != 0 || FolderId{info.st_dev, info.st_ino} != id)) {
            close(fd);
            return -1;
        }
        return fd;
    }

    // Writes the link of the shortcut name, whose file was read for address, icon and time.
    void WriteLink(int folderFd, std::string_view name, const std::string& tabs,
                   const std::string& address, const std::string& iconFile,
                   const std::optional<std::int64_t>& modified) {
        if (address.empty())
            return;
        ++globals_.LinkCount;
        if (icons_)
            icons_->Add(address, iconFile, folderNames_);
        if (visit_) {
            visit_->Link({name.substr(0, name.size() - 4), address, folderNames_, name, iconFile,
                          folderFd, modified});
            return;
        }
        html_.append(CrLf).append(tabs).append("<DT><A HREF=\"");
        AppendEscaped(html_, address);
        html_.append("\">");
        AppendEscaped(html_, name.substr(0, name.size() - 4));
        html_.append("</A>");
        if (showUrl_) {
            html_.append(" - ");
            AppendEscaped(html_, address);
        }
    }

    void WriteFolder(std::string_view name, std::int32_t level, const std::string& tabs) {
        if (!globals_.IgnoreList.empty() &&
            IsIgnoredFolder(std::string(name), globals_.IgnoreList)) {
            ++globals_.IgnoredCount;
            return;
        }
        const int fd = OpenSubfolder(name);
        struct stat info {};
        const bool known = fd >= 0 && fstat(fd, &info) == 0;
        if (visit_)
            visit_->FolderStart(name,
                                known ? std::optional<std::int64_t>(info.st_mtime) : std::nullopt);
        else
            OpenBlock(name, tabs);
        const bool named = visit_ || icons_;
        if (named)
            folderNames_.push_back(name);
        if (fd >= 0)
            EnterFolder(fd, known ? &info : nullptr, name, level + 1);
        if (named)
            folderNames_.pop_back();
        if (visit_)
            visit_->FolderEnd();
        else
            CloseBlock(name, tabs);
    }

    void OpenBlock(std::string_view name, const std::string& tabs) {
        html_.append(CrLf).append(tabs).append("<!-- Start of ");
        AppendEscaped(html_, name);
        html_.append(" -->").append(CrLf).append(tabs).append("<DT><H4>");
        AppendEscaped(html_, name);
        html_.append("</H4>").append(CrLf).append(tabs).append("<DL>");
    }

    void CloseBlock(std::string_view name, const std::string& tabs) {
        html_.append(CrLf).append(tabs).append("</DL>").append(CrLf).append(tabs);
        html_.append("<!-- End of ");
        AppendEscaped(html_, name);
        html_.append(" -->");
    }

    Globals& globals_;
    std::string& html_;
    const bool showUrl_;
    const bool includeSubfolders_;
    const std::size_t openLevels_ = OpenLevels();
    LinkTreeVisitor* visit_;
    const bool wantsTimes_ = visit_ != nullptr && visit_->WantsTimes();
    // A walk that wants times reads on two threads, where it can have a second one.
    std::optional<ShortcutBatchReader> reader_;
    LinkIcons* icons_;
    // The folders from the source folder down, kept only while someone walks the links or
    // gathers their icons.
    std::vector<std::string_view> folderNames_;
    NameCollator collator_;
    std::vector<Level> path_;
    // One buffer for every address and icon read, so reading allocates nothing per shortcut.
    std::string address_;
    std::string iconFile_;
    std::optional<std::int64_t> modified_;
};

} // namespace

bool IsIgnoredFolder(const std::string& name, const std::vector<std::string>& ignoreList) {
    for (const std::string& entry : ignoreList)
        if (SameTextNoCase(name, entry))
            return true;
    return false;
}

void BuildLinkList(const Settings& settings, Globals& globals, std::string& html,
                   LinkIcons* icons) {
    TidyIgnoreList(globals.IgnoreList);
    html = "<DL>";
    TreeScan scan(settings, globals, html, nullptr, icons);
    scan.ScanSource(AddTrailingPathDelimiter(TrimText(settings.sourceFolder)));
    html.append("</DL>").append(CrLf);
}

void WalkLinkTree(const Settings& settings, Globals& globals, LinkTreeVisitor& visitor) {
    // Without a source folder there is nothing to walk: an empty path would be the current folder.
    if (TrimText(settings.sourceFolder).empty())
        return;
    TidyIgnoreList(globals.IgnoreList);
    // The walk follows the page's rules and counts as the page does, but writes no list.
    std::string html;
    TreeScan scan(settings, globals, html, &visitor);
    scan.ScanSource(AddTrailingPathDelimiter(TrimText(settings.sourceFolder)));
}

namespace {

// Hands a walk's links to a function and passes over its folders.
class LinkVisitor : public LinkTreeVisitor {
public:
    explicit LinkVisitor(const std::function<void(const ScannedLink&)>& visit) : visit_(&visit) {}

    void Link(const ScannedLink& link) override { (*visit_)(link); }
    void FolderStart(std::string_view /*name*/, std::optional<std::int64_t> /*modified*/) override {
    }
    void FolderEnd() override {}

private:
    const std::function<void(const ScannedLink&)>* visit_;
};

} // namespace

void WalkLinkList(const Settings& settings, Globals& globals,
                  const std::function<void(const ScannedLink&)>& visit) {
    LinkVisitor visitor(visit);
    WalkLinkTree(settings, globals, visitor);
}
