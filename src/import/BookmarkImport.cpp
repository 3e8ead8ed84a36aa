// SPDX-License-Identifier: GPL-3.0-or-later
#include "BookmarkImport.h"

#include "ChromiumReader.h"
#include "ExportFileReader.h"
#include "FirefoxReader.h"
#include "ImportTexts.h"
#include "ShellFolders.h"
#include "WholeFile.h"
#include "XbelReader.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <memory>

ResultOf<BookmarkFolder> BookmarkImport::Read(const std::string& path) {
    char start[16] = {};
    std::ifstream file(path, std::ios::binary);
    file.read(start, sizeof start);
    if (FirefoxReader::Recognises(std::string_view(start, sizeof start)))
        return FirefoxReader().Read(path);
    const ResultOf<std::string> bytes = WholeFile::Read(path);
    if (!bytes)
        return bytes.failure();
    std::unique_ptr<BookmarkReader> reader;
    if (XbelReader::Recognises(*bytes))
        reader = std::make_unique<XbelReader>();
    else if (ExportFileReader::Recognises(*bytes))
        reader = std::make_unique<ExportFileReader>();
    else if (ChromiumReader::Recognises(*bytes))
        reader = std::make_unique<ChromiumReader>();
    if (!reader)
        return Failure{ImportTexts::NotBookmarks(path), path, ""};
    return reader->ReadBytes(*bytes, path);
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
