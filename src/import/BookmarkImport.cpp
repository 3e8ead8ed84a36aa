// SPDX-License-Identifier: GPL-3.0-or-later
#include "BookmarkImport.h"

#include "ChromiumIcons.h"
#include "ChromiumReader.h"
#include "ExportFileReader.h"
#include "FirefoxReader.h"
#include "ImportTexts.h"
#include "ShellFolders.h"
#include "SiteIcons.h"
#include "WholeFile.h"

#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <memory>

namespace {

// A Chromium-family profile keeps its icons in Favicons beside Bookmarks; without that file
// there are none to read.
Result AttachChromiumIcons(const std::string& bookmarksPath, BookmarkFolder& tree) {
    const std::string path =
        QFileInfo(QString::fromStdString(bookmarksPath)).dir().filePath("Favicons").toStdString();
    if (!QFileInfo::exists(QString::fromStdString(path)))
        return {};
    const ResultOf<SiteIcons> icons = ChromiumIcons::Read(path);
    if (!icons)
        return icons.failure();
    icons->Attach(tree);
    return {};
}

} // namespace

ResultOf<BookmarkFolder> BookmarkImport::Read(const std::string& path, Result* icons) {
    char start[16] = {};
    std::ifstream file(path, std::ios::binary);
    file.read(start, sizeof start);
    if (FirefoxReader::Recognises(std::string_view(start, sizeof start)))
        return FirefoxReader().Read(path, icons);
    const ResultOf<std::string> bytes = WholeFile::Read(path);
    if (!bytes)
        return bytes.failure();
    std::unique_ptr<BookmarkReader> reader;
    if (ExportFileReader::Recognises(*bytes))
        reader = std::make_unique<ExportFileReader>();
    else if (ChromiumReader::Recognises(*bytes))
        reader = std::make_unique<ChromiumReader>();
    if (!reader)
        return Failure{ImportTexts::NotBookmarks(path), path, ""};
    ResultOf<BookmarkFolder> tree = reader->ReadBytes(*bytes, path);
    if (tree && icons != nullptr && dynamic_cast<ChromiumReader*>(reader.get()) != nullptr)
        *icons = AttachChromiumIcons(path, *tree);
    return tree;
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
    icons_ = {};
    const ResultOf<BookmarkFolder> tree = Read(source.path, &icons_);
    if (!tree)
        return tree.failure();
    return writer_.Write(*tree, targetFolder, source.name);
}

std::string BookmarkImport::Summary() const {
    const ShortcutTreeWriter::Counts& counts = Written();
    return ImportTexts::Written(FolderPath(), counts.links, counts.folders, counts.skipped) +
           ImportTexts::IconsWritten(counts.withIcon, counts.iconsRefused, icons_);
}
