// SPDX-License-Identifier: GPL-3.0-or-later
#include "RefreshPlanner.h"

#include "generation/BuildLinkList.h"
#include "generation/GenerationRun.h"
#include "generation/RunTexts.h"
#include "import/BrowserProfiles.h"
#include "platform/FileChecks.h"
#include "platform/FolderListing.h"
#include "platform/UserFolders.h"
#include "settings/SettingsFile.h"
#include "text/Text.h"

#include <QCoreApplication>
#include <algorithm>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

// An absolute path without a trailing '/', a relative one taken from the home folder.
std::string Absolute(const std::string& path) {
    std::string absolute = path.starts_with('/') ? path : UserFolders::Home() + "/" + path;
    while (absolute.size() > 1 && absolute.ends_with('/'))
        absolute.pop_back();
    return absolute;
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The folders directly in folder, by name, but the ignored ones; the import's work folders are
// not the user's.
std::vector<std::string> Subfolders(const std::string& folder,
                                    const std::vector<std::string>& ignoreList) {
    const int folderFd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0)
        return {};
    const FolderListing listing = FolderListing::Read(folderFd);
    close(folderFd);
    std::vector<std::string> names;
    for (const std::string_view name : listing.folders)
        if (!IsIgnoredFolder(std::string(name), ignoreList))
            names.emplace_back(name);
    std::sort(names.begin(), names.end());
    return names;
}

// What starts a refresh when it changes. An imported folder is replaced whole by each refresh,
// which would start the next one: its browser's bookmark file is watched instead. Otherwise the
// folder of shortcuts and the folders directly in it, as far as the manager's means go.
std::vector<std::string> Watched(const std::string& source, const Settings& settings,
                                 const std::optional<RefreshImport>& import,
                                 const std::vector<std::string>& ignoreList) {
    if (import)
        return {import->bookmarks};
    std::vector<std::string> paths{source};
    if (settings.includeSubfolders)
        for (const std::string& name : Subfolders(source, ignoreList))
            paths.push_back(source + "/" + name);
    if (paths.size() > RefreshPlanner::MostWatched)
        paths.resize(RefreshPlanner::MostWatched);
    return paths;
}

// A rebuild writes the page and the settings file (with its lock file) into their folders: a
// watched folder among them would start the next rebuild, and so on without end.
Result CheckNoLoop(const std::vector<std::string>& watched,
                   const std::vector<std::string>& written) {
    for (const std::string& file : written)
        if (std::find(watched.begin(), watched.end(), FolderOf(file)) != watched.end())
            return Failure{
                QCoreApplication::translate(
                    "RefreshPlanner",
                    "文件 \"%1\" 在受监视的文件夹 \"%2\" 里：每次更新都会改写它，从而"
                    "再次引发更新。请把页面保存到别的文件夹，或者只按时更新。")
                    .arg(QString::fromStdString(file), QString::fromStdString(FolderOf(file)))
                    .toStdString(),
                file, ""};
    return {};
}

std::vector<std::string> TidyIgnoreList(const std::vector<std::string>& ignoreList) {
    std::vector<std::string> tidy;
    for (const std::string& entry : ignoreList)
        if (!TrimText(entry).empty())
            tidy.push_back(TrimText(entry));
    return tidy;
}

} // namespace

std::optional<RefreshImport> RefreshPlanner::ImportFor(const std::string& folder) {
    const std::string name = folder.substr(folder.find_last_of('/') + 1);
    for (const std::string& browser : BrowserProfiles::Browsers())
        if (const auto source = BrowserProfiles::Find(browser); source && source->name == name)
            return RefreshImport{browser, source->name, FolderOf(folder), source->path};
    return std::nullopt;
}

Result RefreshPlanner::Complete(RefreshPlan& plan, const std::string& settingsPath,
                                const Globals& globals) {
    Globals read = globals;
    Settings settings;
    if (Result result = ReadSettings(settingsPath, settings, read); !result)
        return result;
    return Complete(plan, settings, read);
}

Result RefreshPlanner::Complete(RefreshPlan& plan, const Settings& settings,
                                const Globals& globals) {
    plan.pagePath =
        Absolute(GenerationRun::OutputPathFor(settings.outputFile, globals.DesktopFolder));
    plan.import.reset();
    plan.watched.clear();
    if (const auto& folder = globals.UnusableSourceFolder)
        return SourceFolderUnusable(folder->path, folder->cause);
    if (const auto& pageTemplate = globals.UnusableTemplate)
        return TemplateUnusable(pageTemplate->path, pageTemplate->cause);
    if (TrimText(settings.sourceFolder).empty())
        return Failure{NoSourceFolderText(), "", ""};
    const std::string source = Absolute(TrimText(settings.sourceFolder));
    if (const Result listable = CanListFolder(source); !listable)
        return SourceFolderUnusable(source, listable.failure().cause);

    plan.import = ImportFor(source);
    if (!plan.onChange)
        return {};
    plan.watched = Watched(source, settings, plan.import, TidyIgnoreList(globals.IgnoreList));
    return CheckNoLoop(plan.watched, {plan.pagePath, Absolute(globals.SettingsPath)});
}
