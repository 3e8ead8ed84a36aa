// SPDX-License-Identifier: GPL-3.0-or-later
#include "ImportCommand.h"

#include "BookmarkImport.h"
#include "ConsoleDesktop.h"

#include <cstdio>

namespace {

constexpr int ExitWritten = 0;
constexpr int ExitFailed = 1;

constexpr const char* Usage =
    "用法：linkshelf --import 来源 [文件夹]\n"
    "来源是书签文件（浏览器导出的 HTML、Chromium 的 Bookmarks、Firefox 的 places.sqlite），"
    "或 firefox、chromium、chrome、brave、edge、vivaldi 之一（该浏览器的默认配置）。"
    "书签写入文件夹（默认为收藏夹文件夹）中以来源命名的子文件夹。";

int Fail(const std::string& text) {
    ConsoleDesktop().ShowMessage(DesktopServices::Icon::Error, "Linkshelf", text);
    return ExitFailed;
}

} // namespace

bool ImportCommand::Requested(const std::vector<std::string>& arguments) {
    return !arguments.empty() && arguments.front() == "--import";
}

int ImportCommand::Run(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2 || arguments.size() > 3)
        return Fail(Usage);
    std::string error;
    const std::optional<BookmarkSource> source = BrowserProfiles::Resolve(arguments[1], error);
    if (!source)
        return Fail(error);
    BookmarkImport import;
    const Result written =
        import.Run(*source, arguments.size() == 3 ? arguments[2] : BookmarkImport::DefaultTarget());
    if (!written)
        return Fail(written.failure().Text());
    std::printf("%s\n", import.Summary().c_str());
    return ExitWritten;
}
