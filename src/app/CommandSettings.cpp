// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandSettings.h"

#include "generation/RunTexts.h"
#include "platform/FileChecks.h"
#include "platform/FilledText.h"
#include "settings/SettingsFile.h"
#include "text/Text.h"

#include <QCoreApplication>

namespace {

bool EndsInLfs(const std::string& path) {
    return path.size() >= 4 && SameTextNoCase(path.substr(path.size() - 4), ".lfs");
}

} // namespace

Result CommandSettings::Read(const std::string& path, SettingsSource source, Settings& settings,
                             Globals& globals) {
    if (source == SettingsSource::CommandLine && !FileExists(path))
        return Failure{
            FilledText(QCoreApplication::translate("main", "设置文件 \"%1\" 不存在。"), path), path,
            ""};
    if (source == SettingsSource::CommandLine && !EndsInLfs(path))
        return Failure{"\"" + path + "\": " + NotSettingsFileReason(), path, ""};
    if (Result read = ReadSettings(path, settings, globals); !read)
        return read;
    if (const auto& folder = globals.UnusableSourceFolder)
        return SourceFolderUnusable(folder->path, folder->cause);
    const std::string folder = TrimText(settings.sourceFolder);
    // An empty source would be the folder the program happens to run in.
    if (folder.empty())
        return Failure{NoSourceFolderText(), "", ""};
    if (const Result listable = CanListFolder(folder); !listable)
        return SourceFolderUnusable(folder, listable.failure().cause);
    return {};
}
