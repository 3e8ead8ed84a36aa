// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckCommand.h"

#include "app/CommandSettings.h"
#include "app/ConsoleDesktop.h"
#include "check/ChangeBatch.h"
#include "check/ChangeTexts.h"
#include "check/CheckTexts.h"
#include "platform/FilledText.h"
#include "platform/Language.h"
#include "settings/Settings.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QEventLoop>
#include <QTimer>
#include <cctype>
#include <csignal>
#include <cstdio>
#include <optional>
#include <unistd.h>

namespace {

constexpr int ExitNothingDead = 0;
constexpr int ExitNotRun = 1;
constexpr int ExitSomethingDead = 3;
constexpr int ExitNetworkUnreachable = 4;
constexpr int ProgressWidth = 30;

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
    interrupted = 1;
}

// What the command line asks to change after the check.
ChangeKinds ChangesAskedIn(const Invocation& invocation) {
    ChangeKinds kinds;
    kinds.updateMoved = invocation.Has("--update-moved");
    kinds.trashDead = invocation.Has("--trash-dead");
    kinds.trashDuplicates = invocation.Has("--trash-duplicates");
    return kinds;
}

bool Acts(const ChangeKinds& kinds) {
    return kinds.updateMoved || kinds.trashDead || kinds.trashDuplicates;
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

int Fail(const std::string& text) {
    ConsoleDesktop().ShowMessage(DesktopServices::Icon::Error, "Linkshelf", text);
    return ExitNotRun;
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
    QObject::connect(&checker, &LinkChecker::progressed, &waiting,
                     [&bar](qsizetype done, qsizetype total) { bar.Count(done, total); });
    QObject::connect(&checker, &LinkChecker::stalled, &waiting,
                     [&bar](const QString& host) { bar.Waiting(host); });
    QObject::connect(&checker, &LinkChecker::finished, &waiting, &QEventLoop::quit);
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
bool ActOnFindings(const CheckReport& report, const std::vector<LinkToCheck>& links,
                   const ChangeKinds& kinds, bool dryRun) {
    const std::vector<PlannedChange> plan =
        PlanChanges(report, links, ChooseFindings(report, kinds));
    if (dryRun) {
        for (const PlannedChange& change : plan)
            Print(ChangeTexts::PlanLine(change));
        Print(ChangeTexts::PlanSummary(plan));
        return true;
    }
    std::vector<ChangeOutcome> outcomes;
    if (Result done = ChangeBatch::CarryOut(plan, ChangeJournal(), outcomes); !done) {
        Fail(done.failure().Text());
        return false;
    }
    for (const ChangeOutcome& outcome : outcomes)
        Print(ChangeTexts::OutcomeLine(outcome, BatchStep::CarriedOut));
    Print(ChangeTexts::Summary(outcomes, BatchStep::CarriedOut));
    return true;
}

} // namespace

int CheckCommand::Run(const Invocation& invocation) {
    const QCoreApplication application(*invocation.argc, invocation.argv);
    Language::Install(Language::OfUser());
    return Check(invocation);
}

int CheckCommand::Check(const Invocation& invocation, QNetworkAccessManager* network,
                        LinkChecker::Limits limits) {
    Globals& globals = *invocation.globals;
    // Seconds a verdict of an earlier check stays good; none: every link is asked.
    std::optional<qint64> maxAge;
    if (const std::optional<std::string> age = invocation.Value("--max-age")) {
        maxAge = ParseAge(*age);
        if (!maxAge)
            return Fail(
                FilledText(QCoreApplication::translate(
                               "CheckCommand",
                               "--max-age 需要一个时长，例如 30m、12h、1d 或 2w，而不是 \"%1\"。"),
                           *age) +
                "\n" + invocation.Usage());
    }
    const ChangeKinds changes = ChangesAskedIn(invocation);
    const bool dryRun = invocation.Has("--dry-run");
    if (dryRun && !Acts(changes))
        return Fail(
            FilledText(QCoreApplication::translate(
                "CheckCommand",
                "--dry-run 要和 --update-moved、--trash-dead 或 --trash-duplicates 一起用。")) +
            "\n" + invocation.Usage());
    const SettingsSource source =
        !invocation.operands.empty() ? SettingsSource::CommandLine : SettingsSource::Default;
    const std::string settingsPath = source == SettingsSource::CommandLine
                                         ? invocation.operands.front()
                                         : globals.DefaultSettingsPath();
    Settings settings;
    if (const Result read = CommandSettings::Read(settingsPath, source, settings, globals); !read)
        return Fail(read.failure().Text());

    const QString cachePath = CheckCache::DefaultPath();
    CheckCache cache = CheckCache::Load(cachePath);
    const std::vector<LinkToCheck> links = CollectLinks(settings, globals);
    LinkChecker checker(links, limits, network);
    const qint64 now = QDateTime::currentSecsSinceEpoch();
    checker.RememberIn(&cache, [now, maxAge](const CheckCache::Verdict& earlier) {
        return maxAge && now - earlier.checkedAt <= *maxAge;
    });
    RunUntilFinished(checker);
    // The verdicts are a convenience for later checks: the report is given all the same.
    if (const Result saved = cache.Save(cachePath); !saved)
        Fail(saved.failure()
                 .Saying(FilledText(
                     QCoreApplication::translate("CheckCommand", "不能把检查结果保存到 \"%1\"。"),
                     cachePath.toStdString()))
                 .Text());
    const CheckReport& report = checker.Report();
    const std::string text = invocation.Has("--json") ? report.Json() : CheckTexts::Report(report);
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
    if (report.stopped)
        return ExitNotRun;
    // Changes act on a whole check only: a stopped one has not looked at every link.
    if (Acts(changes) && !ActOnFindings(report, links, changes, dryRun))
        return ExitNotRun;
    if (report.Count(CheckFinding::Kind::Dead) > 0)
        return ExitSomethingDead;
    // Links the network kept from being checked are not vouched for.
    return report.unreachable > 0 ? ExitNetworkUnreachable : ExitNothingDead;
}
