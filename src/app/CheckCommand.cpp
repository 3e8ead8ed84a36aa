#include "CheckCommand.h"

#include "FileChecks.h"
#include "Settings.h"
#include "SettingsFile.h"
#include "Text.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

constexpr int ExitNothingDead = 0;
constexpr int ExitNotRun = 1;
constexpr int ExitSomethingDead = 3;
constexpr int ProgressWidth = 30;

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
    interrupted = 1;
}

struct CheckArguments {
    std::string settingsPath;
    bool json = false;
};

void Complain(const std::string& text) {
    std::fprintf(stderr, "Linkshelf: %s\n", text.c_str());
}

std::optional<CheckArguments> ParseArguments(const std::vector<std::string>& arguments,
                                             const std::string& defaultSettingsPath) {
    CheckArguments parsed;
    bool named = false;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--json") {
            parsed.json = true;
        } else if (argument.starts_with("-") || named) {
            Complain("--check does not take \"" + argument +
                     "\". Usage: linkshelf --check [SETTINGS.lfs] [--json]");
            return std::nullopt;
        } else {
            parsed.settingsPath = argument;
            named = true;
        }
    }
    if (!named)
        parsed.settingsPath = defaultSettingsPath;
    else if (!FileExists(parsed.settingsPath)) {
        Complain("there is no settings file \"" + parsed.settingsPath + "\".");
        return std::nullopt;
    }
    return parsed;
}

// A bar on standard error while the check runs, when someone is watching it.
class ProgressBar {
public:
    ProgressBar() : shown_(isatty(STDERR_FILENO) == 1) { sinceDrawn_.start(); }

    void Show(qsizetype done, qsizetype total) {
        if (!shown_ || (drawn_ && done < total && sinceDrawn_.elapsed() < 100))
            return;
        drawn_ = true;
        sinceDrawn_.restart();
        const qsizetype filled = total > 0 ? done * ProgressWidth / total : ProgressWidth;
        const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
                                std::string(static_cast<std::size_t>(ProgressWidth - filled), '.');
        std::fprintf(stderr, "\rChecking links [%s] %lld/%lld", bar.c_str(),
                     static_cast<long long>(done), static_cast<long long>(total));
        std::fflush(stderr);
    }

    void Clear() {
        if (shown_)
            std::fputs("\r\033[K", stderr);
    }

private:
    const bool shown_;
    bool drawn_ = false;
    QElapsedTimer sinceDrawn_;
};

void RunUntilFinished(LinkChecker& checker) {
    ProgressBar bar;
    QEventLoop waiting;
    QObject::connect(&checker, &LinkChecker::Progress, &waiting,
                     [&bar](qsizetype done, qsizetype total) { bar.Show(done, total); });
    QObject::connect(&checker, &LinkChecker::Finished, &waiting, &QEventLoop::quit);
    // The signal handler may only set a flag; the loop looks at it often enough to stop at once.
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, &checker, [&checker] {
        if (interrupted)
            checker.Stop();
    });
    watch.start(50);
    interrupted = 0;
    struct sigaction handler {};
    struct sigaction previous {};
    handler.sa_handler = OnInterrupt;
    sigaction(SIGINT, &handler, &previous);
    checker.Start();
    if (!checker.IsFinished())
        waiting.exec();
    sigaction(SIGINT, &previous, nullptr);
    bar.Clear();
}

} // namespace

bool IsCheckCommand(const std::vector<std::string>& arguments) {
    return !arguments.empty() && arguments.front() == "--check";
}

int RunCheckCommand(const std::vector<std::string>& arguments, Globals& globals,
                    QNetworkAccessManager* network, LinkChecker::Limits limits) {
    const std::optional<CheckArguments> parsed =
        ParseArguments(arguments, globals.DefaultSettingsPath());
    if (!parsed)
        return ExitNotRun;
    Settings settings;
    if (!ReadSettings(parsed->settingsPath, settings, globals)) {
        Complain("cannot read the settings file \"" + parsed->settingsPath + "\".");
        return ExitNotRun;
    }
    const std::string source = TrimText(settings.sourceFolder);
    if (source.empty()) {
        Complain("cannot check links: the settings name no folder of shortcuts.");
        return ExitNotRun;
    }
    if (!FolderExists(source)) {
        Complain("cannot check links: the folder \"" + source + "\" does not exist.");
        return ExitNotRun;
    }

    LinkChecker checker(CollectLinks(settings, globals), limits, network);
    RunUntilFinished(checker);
    const CheckReport& report = checker.Report();
    const std::string text = parsed->json ? report.Json() : report.Text();
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    if (report.Count(CheckFinding::Kind::Dead) > 0)
        return ExitSomethingDead;
    return report.stopped ? ExitNotRun : ExitNothingDead;
}
