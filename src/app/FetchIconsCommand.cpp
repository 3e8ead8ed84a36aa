// SPDX-License-Identifier: GPL-3.0-or-later
#include "FetchIconsCommand.h"

#include "ConsoleDesktop.h"
#include "FileChecks.h"
#include "FilledText.h"
#include "IconFetcher.h"
#include "RunTexts.h"
#include "Settings.h"
#include "SettingsFile.h"
#include "Text.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

constexpr int ExitFetched = 0;
constexpr int ExitNotRun = 1;

void Complain(const std::string& text) {
    std::fprintf(stderr, "Linkshelf: %s\n", text.c_str());
}

// The settings file named, the default one when none is; nothing (and why, on standard error)
// when the arguments are wrong.
std::optional<std::string> SettingsPathOf(const std::vector<std::string>& arguments,
                                          const std::string& defaultPath) {
    if (arguments.size() > 2 || (arguments.size() == 2 && arguments[1].starts_with("-"))) {
        Complain(QCoreApplication::translate("FetchIconsCommand",
                                             "用法：linkshelf --fetch-icons [设置文件.lfs]")
                     .toStdString());
        return std::nullopt;
    }
    if (arguments.size() == 1)
        return defaultPath;
    if (!FileExists(arguments[1])) {
        Complain(
            FilledText(QCoreApplication::translate("FetchIconsCommand", "设置文件 \"%1\" 不存在。"),
                       arguments[1]));
        return std::nullopt;
    }
    return arguments[1];
}

// A count on standard error while the sites are asked, when someone is watching.
void RunUntilFinished(IconFetcher& fetcher) {
    QEventLoop waiting;
    const bool shown = isatty(STDERR_FILENO) == 1;
    QObject::connect(
        &fetcher, &IconFetcher::Progress, &waiting, [shown](qsizetype done, qsizetype total) {
            if (shown)
                std::fprintf(stderr, "\r\033[K%s",
                             FilledText(QCoreApplication::translate("FetchIconsCommand",
                                                                    "正在获取网站图标 %1/%2"),
                                        static_cast<long long>(done), static_cast<long long>(total))
                                 .c_str());
        });
    QObject::connect(&fetcher, &IconFetcher::Finished, &waiting, &QEventLoop::quit);
    fetcher.Start();
    if (!fetcher.IsFinished())
        waiting.exec();
    if (shown)
        std::fputs("\n", stderr);
}

} // namespace

bool IsFetchIconsCommand(const std::vector<std::string>& arguments) {
    return !arguments.empty() && arguments.front() == "--fetch-icons";
}

int RunFetchIconsCommand(const std::vector<std::string>& arguments, Globals& globals,
                         QNetworkAccessManager* network, LinkChecker::Limits limits) {
    const std::optional<std::string> path =
        SettingsPathOf(arguments, globals.DefaultSettingsPath());
    if (!path)
        return ExitNotRun;
    ConsoleDesktop console;
    Settings settings;
    // As for an unattended run: settings that cannot be read, or a source folder they name that
    // is not there, stop it before any request is made.
    if (const Result read = ReadSettings(*path, settings, globals); !read) {
        console.ShowMessage(DesktopServices::Icon::Error, std::string(MessageCaption),
                            read.failure().Text());
        return ExitNotRun;
    }
    const std::string source = TrimText(settings.sourceFolder);
    if (const auto& folder = globals.UnusableSourceFolder; folder || source.empty()) {
        console.ShowMessage(DesktopServices::Icon::Error, std::string(MessageCaption),
                            folder ? SourceFolderUnusable(folder->path, folder->error).Text()
                                   : NoSourceFolderText());
        return ExitNotRun;
    }
    IconFetcher fetcher(source, IconFetcher::Collect(settings, globals), limits, network);
    RunUntilFinished(fetcher);
    std::printf("%s\n", IconFetcher::Summary(fetcher.Result()).toStdString().c_str());
    return ExitFetched;
}
