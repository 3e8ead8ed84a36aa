// SPDX-License-Identifier: GPL-3.0-or-later
#include "BookmarkImport.h"

#include "ChromiumReader.h"
#include "EpiphanyReader.h"
#include "ExportFileReader.h"
#include "FalkonReader.h"
#include "FirefoxBackupReader.h"
#include "FirefoxReader.h"
#include "ImportTexts.h"
#include "QutebrowserReader.h"
#include "ShellFolders.h"
#include "WholeFile.h"
#include "XbelReader.h"

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

namespace {

template <typename Reader>
ResultOf<BookmarkFolder> ReadWith(std::string_view bytes, const std::string& path) {
    return Reader().ReadBytes(bytes, path);
}

// Every format read from the file's bytes, each asked in turn whether the bytes are its own:
// Falkon's file and Firefox's JSON backups are JSON objects that the Chromium reader would
// take, and qutebrowser's plain lines are asked for last.
struct Format {
    bool (*recognises)(std::string_view bytes);
    ResultOf<BookmarkFolder> (*read)(std::string_view bytes, const std::string& path);
};
constexpr Format Formats[] = {
    {FirefoxBackupReader::Recognises, FirefoxBackupReader::Read},
    {EpiphanyReader::Recognises, EpiphanyReader::Read},
    {XbelReader::Recognises, XbelReader::Read},
    {FalkonReader::Recognises, FalkonReader::Read},
    {ExportFileReader::Recognises, ReadWith<ExportFileReader>},
    {ChromiumReader::Recognises, ReadWith<ChromiumReader>},
    {QutebrowserReader::Recognises, QutebrowserReader::Read},
};

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

ResultOf<BookmarkFolder> BookmarkImport::Read(const std::string& path) {
    if (IsFolder(path) && QutebrowserReader::HoldsBookmarks(path))
        return QutebrowserReader::ReadFolder(path);
    char start[16] = {};
    std::ifstream file(path, std::ios::binary);
    file.read(start, sizeof start);
    if (FirefoxReader::Recognises(std::string_view(start, sizeof start)))
        return FirefoxReader().Read(path);
    // A copy in memory: a browser that rewrites the file later changes nothing read, and one
    // caught halfway leaves a file cut off, which the readers refuse.
    const ResultOf<std::string> bytes = WholeFile::Read(path);
    if (!bytes)
        return bytes.failure();
    for (const Format& format : Formats)
        if (format.recognises(*bytes))
            return format.read(*bytes, path);
    return Failure{ImportTexts::NotBookmarks(path), path, ""};
}

std::string BookmarkImport::DefaultTarget() {
    std::string favorites = ShellFolders::Read().favorites;
    if (!favorites.empty())
        return favorites;
    const char* home = std::getenv("HOME");
    return std::string(home != nullptr ? home : "") + "/Favorites";
}

std::string BookmarkImport::TargetFor(const std::string& favoritesFolder) {
    return favoritesFolder.empty() ? DefaultTarget() : favoritesFolder;
}

// The readers' and the writer's failures already name the file and the cause.
Result BookmarkImport::Run(const BookmarkSource& source, const std::string& targetFolder) {
    const ResultOf<BookmarkFolder> tree = Read(source.path);
    if (!tree)
        return tree.failure();
    return writer_.Write(*tree, targetFolder, source.name);
}

std::string BookmarkImport::Summary() const {
    const ShortcutTreeWriter::Counts& counts = Written();
    return ImportTexts::Written(FolderPath(), counts.links, counts.folders, counts.skipped);
}
