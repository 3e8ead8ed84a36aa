// SPDX-License-Identifier: GPL-3.0-or-later
#include "FetchIconsCommand.h"

#include "app/CommandSettings.h"
#include "app/ConsoleDesktop.h"
#include "check/IconFetcher.h"
#include "platform/FilledText.h"
#include "platform/Language.h"
#include "settings/Settings.h"
#include "text/Text.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <cstdio>
#include <unistd.h>

namespace {

constexpr int ExitFetched = 0;
constexpr int ExitNotRun = 1;
// There were sites to ask, and not one of them could be reached (the network is down, say).
constexpr int ExitNoSiteReached = 4;

// A count on standard error while the sites are asked, when someone is watching.
void RunUntilFinished(IconFetcher& fetcher) {
    QEventLoop waiting;
    const bool shown = isatty(STDERR_FILENO) == 1;
    QObject::connect(
        &fetcher, &IconFetcher::progressed, &waiting, [shown](qsizetype done, qsizetype total) {
            if (shown)
                std::fprintf(stderr, "\r\033[K%s",
                             FilledText(QCoreApplication::translate("FetchIconsCommand",
                                                                    "正在获取网站图标 %1/%2"),
                                        static_cast<long long>(done), static_cast<long long>(total))
                                 .c_str());
        });
    QObject::connect(&fetcher, &IconFetcher::finished, &waiting, &QEventLoop::quit);
    fetcher.Start();
    if (!fetcher.IsFinished())
        waiting.exec();
    if (shown)
        std::fputs("\n", stderr);
}

} // namespace

int FetchIconsCommand::Run(const Invocation& invocation) {
    const QCoreApplication application(*invocation.argc, invocation.argv);
    Language::Install(Language::OfUser());
    return Fetch(invocation);
}

int FetchIconsCommand::Fetch(const Invocation& invocation, QNetworkAccessManager* network,
                             LinkChecker::Limits limits) {
    Globals& globals = *invocation.globals;
    const SettingsSource source =
        !invocation.operands.empty() ? SettingsSource::CommandLine : SettingsSource::Default;
    const std::string settingsPath = source == SettingsSource::CommandLine
                                         ? invocation.operands.front()
                                         : globals.DefaultSettingsPath();
    Settings settings;
    if (const Result read = CommandSettings::Read(settingsPath, source, settings, globals); !read) {
        ConsoleDesktop().ShowMessage(DesktopServices::Icon::Error, "Linkshelf",
                                     read.failure().Text());
        return ExitNotRun;
    }
    IconFetcher fetcher(TrimText(settings.sourceFolder), IconFetcher::Collect(settings, globals),
                        limits, network);
    RunUntilFinished(fetcher);
    std::printf("%s\n", IconFetcher::Summary(fetcher.Report()).toStdString().c_str());
    return fetcher.Report().NoneReached() ? ExitNoSiteReached : ExitFetched;
}
