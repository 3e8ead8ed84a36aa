// SPDX-License-Identifier: GPL-3.0-or-later
#include "ProgramLayout.h"

#include "platform/FileChecks.h"
#include "platform/UserFolders.h"

#include <QByteArray>
#include <algorithm>
#include <cerrno>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::string_view TemplateName = "Linkshelf.lft";
constexpr std::string_view SubFolder = "linkshelf/";

std::string WithDelimiter(std::string folder) {
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    return folder;
}

// The base folders' rule: a relative path is ignored, as if the variable were unset.
std::string BaseFolder(const std::string& value, const std::string& home,
                       std::string_view fallback) {
    if (value.starts_with('/'))
        return WithDelimiter(value);
    return home.empty() ? std::string() : WithDelimiter(home) + std::string(fallback);
}

std::vector<std::string> SystemDataFolders(const std::string& dataDirs) {
    std::vector<std::string> folders;
    std::string_view rest(dataDirs);
    while (!rest.empty()) {
        const std::size_t colon = std::min(rest.find(':'), rest.size());
        const std::string folder(rest.substr(0, colon));
        if (folder.starts_with('/'))
            folders.push_back(WithDelimiter(folder));
        rest.remove_prefix(std::min(colon + 1, rest.size()));
    }
    if (folders.empty())
        folders = {"/usr/local/share/", "/usr/share/"};
    return folders;
}

// <prefix>/share/ for a program in <prefix>/bin/, so that an installation under any prefix finds
// its own files even when $XDG_DATA_DIRS does not name that prefix.
std::string ShareBesideProgram(const std::string& programFolder) {
    const std::string_view folder(programFolder);
    if (!folder.ends_with("/bin/"))
        return {};
    return std::string(folder.substr(0, folder.size() - 4)) + "share/";
}

bool IsWritableFolder(const std::string& folder) {
    return FolderExists(folder) && access(folder.c_str(), W_OK) == 0;
}

} // namespace

ProgramLayout::Environment ProgramLayout::Environment::Current() {
    return {UserFolders::Home(), qgetenv("XDG_CONFIG_HOME").toStdString(),
            qgetenv("XDG_DATA_HOME").toStdString(), qgetenv("XDG_DATA_DIRS").toStdString()};
}

ProgramLayout ProgramLayout::Portable(const std::string& programFolder) {
    return {Kind::Portable, programFolder, {programFolder}};
}

ProgramLayout ProgramLayout::Installed(const std::string& programFolder,
                                       const Environment& environment) {
    ProgramLayout layout{Kind::Installed, {}, {}};
    const auto addDataFolder = [&layout](const std::string& folder) {
        std::vector<std::string>& folders = layout.dataFolders;
        if (std::find(folders.begin(), folders.end(), folder) == folders.end())
            folders.push_back(folder);
    };
    const std::string configHome = BaseFolder(environment.configHome, environment.home, ".config/");
    if (!configHome.empty())
        layout.settingsFolder = configHome + std::string(SubFolder);

    std::vector<std::string> bases = SystemDataFolders(environment.dataDirs);
    const std::string dataHome =
        BaseFolder(environment.dataHome, environment.home, ".local/share/");
    if (!dataHome.empty())
        bases.insert(bases.begin(), dataHome);
    if (const std::string share = ShareBesideProgram(programFolder); !share.empty())
        bases.push_back(share);
    for (const std::string& base : bases)
        addDataFolder(base + std::string(SubFolder));
    // A copy unpacked where the user may not write keeps its shipped files beside it.
    addDataFolder(programFolder);
    return layout;
}

ProgramLayout ProgramLayout::Choose(const std::string& programFolder) {
    if (IsWritableFolder(programFolder) &&
        RegularFileExists(programFolder + std::string(TemplateName)))
        return Portable(programFolder);
    return Installed(programFolder, Environment::Current());
}

std::string ProgramLayout::DataFile(const std::string& name) const {
    for (const std::string& folder : dataFolders)
        if (RegularFileExists(folder + name))
            return folder + name;
    return dataFolders.empty() ? name : dataFolders.front() + name;
}

bool ProgramLayout::MakeSettingsFolder() const {
    if (settingsFolder.empty())
        return false;
    for (std::size_t end = settingsFolder.find('/', 1); end != std::string::npos;
         end = settingsFolder.find('/', end + 1)) {
        // Folders holding settings are the user's own: private, as the base-folder rule asks.
        const std::string folder = settingsFolder.substr(0, end);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
    }
    return IsWritableFolder(settingsFolder);
}
