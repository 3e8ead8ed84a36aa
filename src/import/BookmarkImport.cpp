// SPDX-License-Identifier: GPL-3.0-or-later
#include "BookmarkImport.h"

#include "import/BrowserIcons.h"
#include "import/ChromiumReader.h"
#include "import/EpiphanyReader.h"
#include "import/ExportFileReader.h"
#include "import/FalkonReader.h"
#include "import/FirefoxBackupReader.h"
#include "import/FirefoxReader.h"
#include "import/ImportTexts.h"
#include "import/QutebrowserReader.h"
#include "import/WholeFile.h"
#include "import/XbelReader.h"
#include "platform/FileChecks.h"
#include "platform/ShellFolders.h"
#include "platform/UserFolders.h"

#include <fstream>

namespace {

template <typename Reader>
ResultOf<BookmarkFolder> ReadWith(std::string_view bytes, const std::string& path) {
    return Reader().ReadBytes(bytes, path);
}

// Every format read from the file's bytes, each asked in turn whether the bytes are its own:
// Falkon's file and Firefox's JSON backups are JSON objects that the Chromium reader would
// take, and qutebrowser's plain lines are asked for last.
// Each comes with where its browser keeps the site icons (an export file carries its own).
struct Format {
    bool (*recognises)(std::string_view bytes);
    ResultOf<BookmarkFolder> (*read)(std::string_view bytes, const std::string& path);
    BrowserIcons::Store icons;
};
using Store = BrowserIcons::Store;
constexpr Format Formats[] = {
    {FirefoxBackupReader::Recognises, FirefoxBackupReader::Read, Store::None},
    {EpiphanyReader::Recognises, EpiphanyReader::Read, Store::Epiphany},
    {XbelReader::Recognises, XbelReader::Read, Store::Kio},
    {FalkonReader::Recognises, FalkonReader::Read, Store::Falkon},
    {ExportFileReader::Recognises, ReadWith<ExportFileReader>, Store::None},
    {ChromiumReader::Recognises, ReadWith<ChromiumReader>, Store::Chromium},
    {QutebrowserReader::Recognises, QutebrowserReader::Read, Store::Qutebrowser},
};

} // namespace

ResultOf<BookmarkFolder> BookmarkImport::Read(const std::string& path, Result* icons) {
    if (FolderExists(path) && QutebrowserReader::HoldsBookmarks(path)) {
        ResultOf<BookmarkFolder> tree = QutebrowserReader::ReadFolder(path);
        if (tree && icons != nullptr)
            *icons = BrowserIcons::Attach(Store::Qutebrowser, path, *tree);
        return tree;
    }
    char start[16] = {};
    std::ifstream file(path, std::ios::binary);
    file.read(start, sizeof start);
    if (FirefoxReader::Recognises(std::string_view(start, sizeof start)))
        return FirefoxReader().Read(path, icons);
    // A copy in memory: a browser that rewrites the file later changes nothing read, and one
    // caught halfway leaves a file cut off, which the readers refuse.
    const ResultOf<std::string> bytes = WholeFile::Read(path);
    if (!bytes)
        return bytes.failure();
    for (const Format& format : Formats) {
        if (!format.recognises(*bytes))
            continue;
        ResultOf<BookmarkFolder> tree = format.read(*bytes, path);
        if (tree && icons != nullptr)
            *icons = BrowserIcons::Attach(format.icons, path, *tree);
        return tree;
    }
    return Failure{ImportTexts::NotBookmarks(path), path, ""};
}

std::string BookmarkImport::DefaultTarget() {
    std::string favorites = ShellFolders::Read().favorites;
    if (!favorites.empty())
        return favorites;
    return UserFolders::Home() + "/Favorites";
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
