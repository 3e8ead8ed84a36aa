// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckCommand.h"

#include "ChangeBatch.h"
#include "ChangeTexts.h"
#include "FileChecks.h"
#include "FilledText.h"
#include "Settings.h"
#include "SettingsFile.h"
#include "Text.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QTimer>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
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

QString UsageText() {
    return QCoreApplication::translate(
        "CheckCommand",
        "用法：linkshelf --check [设置文件.lfs] [--json] [--max-age 时长] [--update-moved] "
        "[--trash-dead] [--trash-duplicates] [--dry-run]");
}

struct CheckArguments {
    std::string settingsPath;
    bool json = false;
    // Seconds a verdict of an earlier check stays good; none: every link is asked.
    std::optional<qint64> maxAge;
    // What to change after the check, and whether only to say what would change.
    ChangeKinds change;
    bool dryRun = false;
};

bool Acts(const ChangeKinds& kinds) {
    return kinds.updateMoved || kinds.trashDead || kinds.trashDuplicates;
}

// Sets the flag of a change option; false for any other argument.
bool TakeChangeOption(const std::string& argument, CheckArguments& parsed) {
    for (auto [option, flag] : {std::pair{"--update-moved", &parsed.change.updateMoved},
                                {"--trash-dead", &parsed.change.trashDead},
                                {"--trash-duplicates", &parsed.change.trashDuplicates},
                                {"--dry-run", &parsed.dryRun}}) {
        if (argument == option) {
            *flag = true;
            return true;
        }
    }
    return false;
}

// "90s", "30m", "12h", "1d", "2w", or a bare number of seconds.
std::optional<qint64> ParseAge(const std::string& text) {
    std::size_t digits = 0;
    while (digits < text.size() && digits < 12 &&
           std::isdigit(static_cast<unsigned char>(text[digits])))
        ++digits;
    if (digits == 0 || text.size() - digits > 1)
        return std::nullopt;
    const qint64 amount = std::stoll(text.substr(0, digits));
    const std::string unit = text.substr(digits);
    for (const auto& [name, seconds] :
         {std::pair{"", 1}, {"s", 1}, {"m", 60}, {"h", 3600}, {"d", 86400}, {"w", 604800}})
        if (unit == name)
            return amount * seconds;
    return std::nullopt;
}

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
        } else if (TakeChangeOption(argument, parsed)) {
            continue;
        } else if (argument == "--max-age" || argument.starts_with("--max-age=")) {
            const std::string age = argument == "--max-age"
                                        ? (i + 1 < arguments.size() ? arguments[++i] : "")
                                        : argument.substr(argument.find('=') + 1);
            parsed.maxAge = ParseAge(age);
            if (!parsed.maxAge) {
                Complain(
                    FilledText(
                        QCoreApplication::translate(
                            "CheckCommand",
                            "--max-age 需要一个时长，例如 30m、12h、1d 或 2w，而不是 \"%1\"。"),
                        age) +
                    UsageText().toStdString());
                return std::nullopt;
            }
        } else if (argument.starts_with("-") || named) {
            Complain(
                FilledText(QCoreApplication::translate("CheckCommand", "--check 不接受 \"%1\"。"),
                           argument) +
                UsageText().toStdString());
            return std::nullopt;
        } else {
            parsed.settingsPath = argument;
            named = true;
        }
    }
    if (parsed.dryRun && !Acts(parsed.change)) {
        Complain(
            FilledText(QCoreApplication::translate(
                "CheckCommand",
                "--dry-run 要和 --update-moved、--trash-dead 或 --trash-duplicates 一起用。")) +
            UsageText().toStdString());
        return std::nullopt;
    }
    if (!named)
        parsed.settingsPath = defaultSettingsPath;
    else if (!FileExists(parsed.settingsPath)) {
        Complain(FilledText(QCoreApplication::translate("CheckCommand", "没有设置文件 \"%1\"。"),
                            parsed.settingsPath));
        return std::nullopt;
    }
    return parsed;
}

// A bar on standard error while the check runs, when someone is watching it: redrawn every
// 100 ms with the latest count, naming the host the check waits on when nothing has finished for
// a while, and left on screen in its final state.
class ProgressBar {
public:
    ProgressBar() : shown_(isatty(STDERR_FILENO) == 1) {}

    void Count(qsizetype done, qsizetype total) {
        done_ = done;
        total_ = total;
        waitingFor_.clear();
    }
    void Waiting(const QString& host) { waitingFor_ = host.toStdString(); }

    void Draw() const {
        if (!shown_)
            return;
        const qsizetype filled = total_ > 0 ? done_ * ProgressWidth / total_ : ProgressWidth;
        const std::string bar = std::string(static_cast<std::size_t>(filled), '#') +
                                std::string(static_cast<std::size_t>(ProgressWidth - filled), '.');
        std::string line =
            FilledText(QCoreApplication::translate("CheckCommand", "正在检查链接 [%1] %2/%3"), bar,
                       static_cast<long long>(done_), static_cast<long long>(total_));
        if (!waitingFor_.empty())
            line += FilledText(QCoreApplication::translate("CheckCommand", "，正在等待 %1"),
                               waitingFor_);
        std::fprintf(stderr, "\r\033[K%s", line.c_str());
        std::fflush(stderr);
    }

    void Close() const {
        Draw();
        if (shown_)
            std::fputs("\n", stderr);
    }

private:
    const bool shown_;
    qsizetype done_ = 0;
    qsizetype total_ = 0;
    std::string waitingFor_;
};

void RunUntilFinished(LinkChecker& checker) {
    ProgressBar bar;
    QEventLoop waiting;
    QObject::connect(&checker, &LinkChecker::Progress, &waiting,
                     [&bar](qsizetype done, qsizetype total) { bar.Count(done, total); });
    QObject::connect(&checker, &LinkChecker::Waiting, &waiting,
                     [&bar](const QString& host) { bar.Waiting(host); });
    QObject::connect(&checker, &LinkChecker::Finished, &waiting, &QEventLoop::quit);
    QTimer redraw;
    QObject::connect(&redraw, &QTimer::timeout, &waiting, [&bar] { bar.Draw(); });
    redraw.start(100);
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
    bar.Close();
}

void Print(const std::string& line) {
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
}

// Acts on the findings as asked, one line per change and a summary; false when the journal
// could not be written, so nothing was changed.
bool ActOnFindings(const CheckReport& report, const std::vector<CheckedLink>& links,
                   const CheckArguments& parsed) {
    const std::vector<PlannedChange> plan =
        PlanChanges(report, links, ChooseFindings(report, parsed.change));
    if (parsed.dryRun) {
        for (const PlannedChange& change : plan)
            Print(ChangeTexts::PlanLine(change));
        Print(ChangeTexts::PlanSummary(plan));
        return true;
    }
    std::vector<ChangeOutcome> outcomes;
    if (Result done = ChangeBatch::CarryOut(plan, ChangeJournal(), outcomes); !done) {
        Complain(done.failure().Text());
        return false;
    }
    for (const ChangeOutcome& outcome : outcomes)
        Print(ChangeTexts::OutcomeLine(outcome, false));
    Print(ChangeTexts::Summary(outcomes, false));
    return true;
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
        Complain(
            FilledText(QCoreApplication::translate("CheckCommand", "不能读取设置文件 \"%1\"。"),
                       parsed->settingsPath));
        return ExitNotRun;
    }
    const std::string source = TrimText(settings.sourceFolder);
    if (source.empty()) {
        Complain(FilledText(QCoreApplication::translate(
            "CheckCommand", "不能检查链接：设置中没有指定快捷方式文件夹。")));
        return ExitNotRun;
    }
    if (!FolderExists(source)) {
        Complain(FilledText(
            QCoreApplication::translate("CheckCommand", "不能检查链接：文件夹 \"%1\" 不存在。"),
            source));
        return ExitNotRun;
    }

    const QString cachePath = CheckCache::DefaultPath();
    CheckCache cache = CheckCache::Load(cachePath);
    const std::vector<CheckedLink> links = CollectLinks(settings, globals);
    LinkChecker checker(links, limits, network);
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    const std::optional<qint64> maxAge = parsed->maxAge;
    checker.RememberIn(&cache, [now, maxAge](const CheckCache::Verdict& earlier) {
        return maxAge && now - earlier.checkedAt <= *maxAge;
    });
    RunUntilFinished(checker);
    if (!cache.Save(cachePath))
        Complain(FilledText(
            QCoreApplication::translate("CheckCommand", "不能把检查结果保存到 \"%1\"：%2。"),
            cachePath.toStdString(), std::string_view(std::strerror(errno))));
    const CheckReport& report = checker.Report();
    const std::string text = parsed->json ? report.Json() : report.Text();
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    if (report.stopped)
        return ExitNotRun;
    // Changes act on a whole check only: a stopped one has not looked at every link.
    if (Acts(parsed->change) && !ActOnFindings(report, links, *parsed))
        return ExitNotRun;
    return report.Count(CheckFinding::Kind::Dead) > 0 ? ExitSomethingDead : ExitNothingDead;
}
