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
bool AttachChromiumIcons(const std::string& bookmarksPath, BookmarkFolder& tree) {
    const std::string path =
        QFileInfo(QString::fromStdString(bookmarksPath)).dir().filePath("Favicons").toStdString();
    if (!QFileInfo::exists(QString::fromStdString(path)))
        return true;
    SiteIcons icons;
    const Result read = ChromiumIcons::Read(path, icons);
    icons.Attach(tree);
    return static_cast<bool>(read);
}

} // namespace

BookmarkFolder BookmarkImport::Read(const std::string& path, std::string& error, bool* iconsLost) {
    char start[16] = {};
    std::ifstream file(path, std::ios::binary);
    file.read(start, sizeof start);
    if (FirefoxReader::Recognises(std::string_view(start, sizeof start))) {
        FirefoxReader reader;
        BookmarkFolder tree = reader.Read(path, iconsLost != nullptr);
        error = reader.ErrorString();
        if (iconsLost != nullptr)
            *iconsLost = reader.IconsLost();
        return tree;
    }
    std::string bytes;
    if (!WholeFile::Read(path, bytes, error))
        return {};
    std::unique_ptr<BookmarkReader> reader;
    if (ExportFileReader::Recognises(bytes))
        reader = std::make_unique<ExportFileReader>();
    else if (ChromiumReader::Recognises(bytes))
        reader = std::make_unique<ChromiumReader>();
    if (!reader) {
        error = ImportTexts::NotBookmarks(path);
        return {};
    }
    BookmarkFolder tree = reader->ReadBytes(bytes, path);
    error = reader->ErrorString();
    if (iconsLost != nullptr && error.empty() && dynamic_cast<ChromiumReader*>(reader.get()))
        *iconsLost = !AttachChromiumIcons(path, tree);
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

// The readers' and the writer's texts already name the file and the cause.
Result BookmarkImport::Run(const BookmarkSource& source, const std::string& targetFolder) {
    std::string error;
    iconsLost_ = false;
    const BookmarkFolder tree = Read(source.path, error, &iconsLost_);
    if (!error.empty())
        return Failure{error, source.path, ""};
    if (!writer_.Write(tree, targetFolder, source.name))
        return Failure{writer_.ErrorString(), targetFolder, ""};
    return {};
}

std::string BookmarkImport::Summary() const {
    const ShortcutTreeWriter::Counts& counts = Written();
    return ImportTexts::Written(FolderPath(), counts.links, counts.folders, counts.skipped) +
           ImportTexts::IconsWritten(counts.withIcon, counts.iconsRefused, iconsLost_);
}
