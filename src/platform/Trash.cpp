// SPDX-License-Identifier: GPL-3.0-or-later
#include "Trash.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <unistd.h>

namespace {

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
    return trash + "info/" + BaseName(place) + ".trashinfo";
}

std::string TextOf(const char* text) {
    return QCoreApplication::translate("Trash", text).toStdString();
}

// The original path and the time a .trashinfo records.
bool ReadInfo(const QString& infoPath, std::string& path, QDateTime& deleted) {
    QFile info(infoPath);
    if (!info.open(QIODevice::ReadOnly))
        return false;
    path.clear();
    while (!info.atEnd()) {
        const QByteArray line = info.readLine(qint64{64} * 1024).trimmed();
        if (line.startsWith("Path="))
            path = QByteArray::fromPercentEncoding(line.mid(5)).toStdString();
        else if (line.startsWith("DeletionDate="))
            deleted = QDateTime::fromString(QString::fromLatin1(line.mid(13)), Qt::ISODate);
    }
    return !path.empty();
}

} // namespace

Result Trash::Move(const std::string& path, std::string& place) {
    // A file the user keeps from changes stays where it is, though its folder would let it go.
    if (access(path.c_str(), W_OK) != 0 || access(FolderOf(path).c_str(), W_OK) != 0)
        return Failure::FromErrno(TextOf(QT_TRANSLATE_NOOP("Trash", "不能移到回收站。")), path,
                                  errno);
    // Qt makes the home Trash only inside an existing data folder; without one it would put the
    // file in a Trash of the current folder.
    QDir().mkpath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation));
    QFile file(QFile::decodeName(QByteArray::fromStdString(path)));
    if (!file.moveToTrash())
        return Failure{TextOf(QT_TRANSLATE_NOOP("Trash", "不能移到回收站。")), path,
                       file.errorString().toStdString()};
    place = QFile::encodeName(QFileInfo(file.fileName()).absoluteFilePath()).toStdString();
    return {};
}

Result Trash::Restore(const std::string& place, const std::string& path) {
    const std::string message = TextOf(QT_TRANSLATE_NOOP("Trash", "不能从回收站还原。"));
    std::error_code ignored;
    std::filesystem::create_directories(FolderOf(path), ignored);
    // The name may have been taken meanwhile: the file there is not replaced.
    if (renameat2(AT_FDCWD, place.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE) != 0) {
        if (errno != EINVAL)
            return Failure::FromErrno(message, path, errno);
        if (access(path.c_str(), F_OK) == 0)
            return Failure::FromErrno(message, path, EEXIST);
        if (std::rename(place.c_str(), path.c_str()) != 0)
            return Failure::FromErrno(message, path, errno);
    }
    // Without its file, the .trashinfo would show the file manager an entry it cannot restore.
    unlink(InfoOf(place).c_str());
    return {};
}

std::string Trash::Find(const std::string& path, const QDateTime& since) {
    const QString trash =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Trash/";
    std::string found;
    QDateTime newest;
    const QDir info(trash + "info");
    for (const QString& name : info.entryList({"*.trashinfo"}, QDir::Files | QDir::Hidden)) {
        std::string original;
        QDateTime deleted;
        if (!ReadInfo(info.filePath(name), original, deleted) || original != path ||
            (since.isValid() && deleted.isValid() && deleted < since.addSecs(-1)))
            continue;
        if (found.empty() || !newest.isValid() || (deleted.isValid() && deleted >= newest)) {
            newest = deleted;
            found = QFile::encodeName(trash + "files/" + name.chopped(10)).toStdString();
        }
    }
    return found;
}
