// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkToCheck.h"

#include "generation/BuildLinkList.h"
#include "platform/FileChecks.h"
#include "text/Text.h"

#include <sys/stat.h>

FileStamp FileStamp::Of(const std::string& path) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        return {};
    return {static_cast<std::int64_t>(info.st_size),
            static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1'000'000'000 + info.st_mtim.tv_nsec};
}

std::vector<LinkToCheck> CollectLinks(const Settings& settings, const Globals& globals) {
    Globals scanGlobals = globals;
    const std::string source = AddTrailingPathDelimiter(TrimText(settings.sourceFolder));
    std::vector<LinkToCheck> links;
    WalkLinkList(settings, scanGlobals, [&](const ScannedLink& link) {
        std::string folder(link.folders.empty() ? "/" : "");
        std::string file = source;
        for (const std::string_view name : link.folders) {
            folder.append("/").append(name);
            file.append(name).append("/");
        }
        file.append(link.fileName);
        FileStamp stamp = FileStamp::Of(file);
        links.push_back({std::string(link.address), std::string(link.name), std::move(folder),
                         std::move(file), stamp});
    });
    return links;
}
