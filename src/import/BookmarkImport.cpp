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

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sys/stat.h>

namespace {

// The readers that answer with a TreeResult, asked before the export-file and Chromium readers:
// Falkon's file and Firefox's JSON backups are JSON objects that the Chromium reader would take.
struct Format {
    bool (*recognises)(std::string_view bytes);
    TreeResult (*read)(std::string_view bytes, const std::string& path);
};
constexpr Format Formats[] = {
    {FirefoxBackupReader::Recognises, FirefoxBackupReader::Read},
    {EpiphanyReader::Recognises, EpiphanyReader::Read},
    {XbelReader::Recognises, XbelReader::Read},
    {FalkonReader::Recognises, FalkonReader::Read},
};

BookmarkFolder Unpacked(TreeResult read, std::string& error) {
    if (!read) {
        error = read.failure().Text();
        return {};
    }
    error.clear();
    return std::move(read.tree());
}

bool IsFolder(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

} // namespace

BookmarkFolder BookmarkImport::Read(const std::string& path, std::string& error) {
    if (IsFolder(path) && QutebrowserReader::HoldsBookmarks(path))
        return Unpacked(QutebrowserReader::ReadFolder(path), error);
    char start[16] = {};
    std::ifstream file(path, std::ios::binary);
    file.read(start, sizeof start);
    if (FirefoxReader::Recognises(std::string_view(start, sizeof start))) {
        FirefoxReader reader;
        BookmarkFolder tree = reader.Read(path);
        error = reader.ErrorString();
        return tree;
    }
    // A copy in memory: a browser that rewrites the file later changes nothing read, and one
    // caught halfway leaves a file cut off, which the readers refuse.
    std::string bytes;
    if (!WholeFile::Read(path, bytes, error))
        return {};
    for (const Format& format : Formats)
        if (format.recognises(bytes))
            return Unpacked(format.read(bytes, path), error);
    std::unique_ptr<BookmarkReader> reader;
    if (ExportFileReader::Recognises(bytes))
        reader = std::make_unique<ExportFileReader>();
    else if (ChromiumReader::Recognises(bytes))
        reader = std::make_unique<ChromiumReader>();
    if (reader) {
        BookmarkFolder tree = reader->ReadBytes(bytes, path);
        error = reader->ErrorString();
        return tree;
    }
    if (QutebrowserReader::Recognises(bytes))
        return Unpacked(QutebrowserReader::Read(bytes, path), error);
    error = ImportTexts::NotBookmarks(path);
    return {};
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

// The readers' and the writer's texts already name the file and the cause.
Result BookmarkImport::Run(const BookmarkSource& source, const std::string& targetFolder) {
    std::string error;
    const BookmarkFolder tree = Read(source.path, error);
    if (!error.empty())
        return Failure{error, source.path, ""};
    if (!writer_.Write(tree, targetFolder, source.name))
        return Failure{writer_.ErrorString(), targetFolder, ""};
    return {};
}

std::string BookmarkImport::Summary() const {
    const ShortcutTreeWriter::Counts& counts = Written();
    return ImportTexts::Written(FolderPath(), counts.links, counts.folders, counts.skipped);
}
