// SPDX-License-Identifier: GPL-3.0-or-later
#include "Trash.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr std::string_view InfoEnding = ".trashinfo";
// A longer ending after the last dot is taken for part of the name, not its extension.
constexpr std::size_t MaxExtension = 10;
// Names tried in one Trash, each taken by an earlier file of the same name, before a move gives
// up rather than search on.
constexpr int MostNames = 10000;

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

std::string BaseName(const std::string& path) {
    return path.substr(path.rfind('/') + 1);
}

// The .trashinfo of a file at place, which is TRASH/files/NAME.
std::string InfoOf(const std::string& place) {
    const std::string files = FolderOf(place);
    const std::string trash = FolderOf(files.substr(0, files.size() - 1));
    return trash + "info/" + BaseName(place) + std::string(InfoEnding);
}

std::string TextOf(const char* text) {
    return QCoreApplication::translate("Trash", text).toStdString();
}

// $XDG_DATA_HOME/Trash, by default ~/.local/share/Trash.
std::string HomeTrash() {
    return QFile::encodeName(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
               .toStdString() +
           "/Trash";
}

// The path from the root, which a file manager puts the file back at whatever folder it runs in.
std::string Absolute(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

// A folder of a Trash, made for the user alone when it is missing; false, with errno set, when
// there is none to be had.
bool Made(const std::string& folder) {
    if (mkdir(folder.c_str(), 0700) == 0)
        return true;
    struct stat info {};
    if (errno != EEXIST || stat(folder.c_str(), &info) != 0)
        return false;
    if (S_ISDIR(info.st_mode))
        return true;
    errno = ENOTDIR;
    return false;
}

// The user's Trash at the top of a file system others share: the user's own folder, not a
// symbolic link that someone else could point at a folder of theirs.
bool MadeForUser(const std::string& folder) {
    struct stat info {};
    return Made(folder) && lstat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == getuid();
}

// The top of the file system that holds the folder: the highest folder above it, symbolic links
// resolved, that is still on the same device; empty when the folder cannot be resolved.
std::string TopOf(const std::string& folder, dev_t device) {
    std::error_code error;
    std::string top = std::filesystem::canonical(folder, error).string();
    if (error)
        return {};
    while (top.size() > 1) {
        const std::string parent = top.substr(0, std::max<std::size_t>(top.rfind('/'), 1));
        struct stat info {};
        if (stat(parent.c_str(), &info) != 0 || info.st_dev != device)
            break;
        top = parent;
    }
    return top;
}

// The Trash for a file of the folder: the home Trash when the folder is on its file system, so
// that the move is a rename; on another file system the Trash at its top, where the desktop
// looks for it: the user's folder in a .Trash an administrator made (sticky, not a symbolic
// link), else .Trash-UID. Without either, the home Trash, and the move fails with the reason.
std::string TrashFor(const std::string& folder) {
    std::string home = HomeTrash();
    struct stat here {};
    struct stat there {};
    if (stat(folder.c_str(), &here) != 0 || stat(FolderOf(home).c_str(), &there) != 0 ||
        here.st_dev == there.st_dev)
        return home;
    std::string top = TopOf(folder, here.st_dev);
    if (top.empty())
        return home;
    if (top == "/")
        top.clear();
    const std::string user = std::to_string(getuid());
    const std::string shared = top + "/.Trash";
    struct stat info {};
    if (lstat(shared.c_str(), &info) == 0 && S_ISDIR(info.st_mode) &&
        (info.st_mode & S_ISVTX) != 0 && MadeForUser(shared + "/" + user))
        return shared + "/" + user;
    if (MadeForUser(top + "/.Trash-" + user))
        return top + "/.Trash-" + user;
    return home;
}

// The file's name in the Trash: its own, or with a number before its extension when that is
// taken; its stem cut short, between characters, where the name of its .trashinfo would be
// longer than a file system allows.
std::string NameInTrash(const std::string& name, int number) {
    std::size_t dot = name.rfind('.');
    if (dot == 0 || dot == std::string::npos || name.size() - dot > MaxExtension)
        dot = name.size();
    const std::string ending =
        (number > 1 ? "." + std::to_string(number) : std::string()) + name.substr(dot);
    std::size_t cut = std::min(dot, NAME_MAX - InfoEnding.size() - ending.size());
    while (cut > 0 && cut < dot && (static_cast<unsigned char>(name[cut]) & 0xC0) == 0x80)
        --cut;
    return name.substr(0, cut) + ending;
}

// What the .trashinfo of a file moved now from original says: the path percent-encoded (every
// byte but letters, digits, "-._~" and "/"), as file managers read it, and the local time.
std::string InfoText(const std::string& original) {
    return "[Trash Info]\nPath=" +
           QByteArray::fromStdString(original).toPercentEncoding("/").toStdString() +
           "\nDeletionDate=" +
           QDateTime::currentDateTime().toString(u"yyyy-MM-dd'T'hh:mm:ss").toStdString() + "\n";
}

// Writes the text whole and on to the disk before the file follows it, so that no file in the
// Trash is without its .trashinfo; 0, or the reason.
int Written(int fd, const std::string& text) {
    const ssize_t written = write(fd, text.data(), text.size());
    int cause = 0;
    if (written != static_cast<ssize_t>(text.size()))
        cause = written < 0 ? errno : ENOSPC;
    else if (fdatasync(fd) != 0)
        cause = errno;
    if (close(fd) != 0 && cause == 0)
        cause = errno;
    return cause;
}

// Renames unless the new name is taken; 0, or the reason (EEXIST when taken).
int MoveWithoutReplacing(const std::string& from, const std::string& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL)
        return errno;
    // The file system cannot refuse to replace: the name is looked at first.
    if (access(to.c_str(), F_OK) == 0)
        return EEXIST;
    return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Claims the name in the Trash by making its .trashinfo, which must be new, then moves the file
// there unless a file already has that name; 0, EEXIST when the name is taken, or the reason.
int MoveAs(const std::string& path, const std::string& original, const std::string& trash,
           const std::string& name) {
    const std::string info = trash + "/info/" + name + std::string(InfoEnding);
    const int fd = open(info.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return errno;
    int cause = Written(fd, InfoText(original));
    if (cause == 0)
        cause = MoveWithoutReplacing(path, trash + "/files/" + name);
    if (cause != 0)
        unlink(info.c_str());
    return cause;
}

// Where a .trashinfo says its file came from, and when it went.
struct TrashedFrom {
    // Path= percent-decoded, and as it stands.
    std::string path;
    std::string written;
    QDateTime deleted;
};

bool ReadInfo(const std::filesystem::path& infoPath, TrashedFrom& from) {
    std::ifstream info(infoPath, std::ios::binary);
    for (std::string line; std::getline(info, line);) {
        const QByteArray value = QByteArray::fromStdString(line).trimmed();
        if (value.startsWith("Path=")) {
            from.written = value.mid(5).toStdString();
            from.path = QByteArray::fromPercentEncoding(value.mid(5)).toStdString();
        } else if (value.startsWith("DeletionDate=")) {
            from.deleted = QDateTime::fromString(QString::fromLatin1(value.mid(13)), Qt::ISODate);
        }
    }
    return !from.written.empty();
}

} // namespace

Result Trash::Move(const std::string& path, std::string& place) {
    const std::string message = TextOf(QT_TRANSLATE_NOOP("Trash", "不能移到回收站。"));
    // A file the user keeps from changes stays where it is, though its folder would let it go.
    if (access(path.c_str(), W_OK) != 0 || access(FolderOf(path).c_str(), W_OK) != 0)
        return Failure::FromErrno(message, path, errno);
    const std::string original = Absolute(path);
    std::error_code ignored;
    std::filesystem::create_directories(FolderOf(HomeTrash()), ignored);
    const std::string trash = TrashFor(FolderOf(original));
    if (!Made(trash) || !Made(trash + "/files") || !Made(trash + "/info"))
        return Failure::FromErrno(message, path, errno);
    for (int number = 1; number <= MostNames; ++number) {
        const std::string name = NameInTrash(BaseName(original), number);
        const int cause = MoveAs(path, original, trash, name);
        if (cause == 0) {
            place = trash + "/files/" + name;
            return {};
        }
        if (cause != EEXIST)
            return Failure::FromErrno(message, path, cause);
    }
    return Failure::FromErrno(message, path, EEXIST);
}

Result Trash::Restore(const std::string& place, const std::string& path) {
    const std::string message = TextOf(QT_TRANSLATE_NOOP("Trash", "不能从回收站还原。"));
    std::error_code ignored;
    std::filesystem::create_directories(FolderOf(path), ignored);
    // The name may have been taken meanwhile: the file there is not replaced.
    if (const int cause = MoveWithoutReplacing(place, path); cause != 0)
        return Failure::FromErrno(message, path, cause);
    // Without its file, the .trashinfo would show the file manager an entry it cannot restore.
    unlink(InfoOf(place).c_str());
    return {};
}

std::vector<std::string> Trash::Find(const std::string& path, const QDateTime& since) {
    const std::string trash = HomeTrash();
    std::vector<std::pair<QDateTime, std::string>> found;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(trash + "/info", error)) {
        const std::string name = entry.path().filename().string();
        TrashedFrom from;
        if (!name.ends_with(InfoEnding) || !ReadInfo(entry.path(), from) ||
            (from.path != path && from.written != path) ||
            (since.isValid() && from.deleted.isValid() && from.deleted < since.addSecs(-1)))
            continue;
        found.emplace_back(from.deleted,
                           trash + "/files/" + name.substr(0, name.size() - InfoEnding.size()));
    }
    std::ranges::stable_sort(found, [](const auto& a, const auto& b) {
        return a.first.isValid() && (!b.first.isValid() || a.first > b.first);
    });
    std::vector<std::string> places;
    places.reserve(found.size());
    for (auto& [deleted, place] : found)
        places.push_back(std::move(place));
    return places;
}
