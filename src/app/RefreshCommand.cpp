// SPDX-License-Identifier: GPL-3.0-or-later
#include "RefreshCommand.h"

#include "app/ConsoleDesktop.h"
#include "platform/Language.h"
#include "platform/ProgramFile.h"
#include "platform/SystemctlRunner.h"
#include "platform/Utf8Text.h"
#include "refresh/RefreshPlanner.h"
#include "refresh/RefreshSetup.h"
#include "refresh/RefreshUnits.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

constexpr int ExitDone = 0;
constexpr int ExitNotDone = 1;

// What the words after --refresh ask for; nothing when they make no sense.
struct Request {
    bool off = false;
    std::optional<RefreshSchedule> schedule;
    bool onChange = false;
};

std::optional<Request> RequestOf(const std::vector<std::string>& words) {
    Request request;
    if (words.size() == 1 && words.front() == "off") {
        request.off = true;
        return request;
    }
    for (const std::string& word : words) {
        if (word == "on-change" && !request.onChange)
            request.onChange = true;
        else if (word == "daily" && !request.schedule)
            request.schedule = RefreshSchedule::Daily;
        else if (word == "hourly" && !request.schedule)
            request.schedule = RefreshSchedule::Hourly;
        else
            return std::nullopt;
    }
    if (words.empty())
        return std::nullopt;
    return request;
}

std::string S(const QString& text) {
    return text.toStdString();
}

int Fail(const std::string& text) {
    ConsoleDesktop().ShowMessage(DesktopServices::Icon::Error, "Linkshelf", text);
    return ExitNotDone;
}

void Inform(const std::string& text) {
    ConsoleDesktop().ShowMessage(DesktopServices::Icon::Information, "Linkshelf", text);
}

// Without a manager that runs the units, cron does the same on the same schedule.
int OfferCrontab(const RefreshSetup::State& state, const RefreshPlan& plan) {
    std::string text = RefreshSetup::Unavailable(state);
    // The manager's own words stay available to whoever runs the command, on a line of their own.
    if (!state.unreachableReason.empty())
        text += "\n(systemctl --user: " + state.unreachableReason + ")";
    text += "\n" + RefreshSetup::UseCron();
    if (plan.onChange)
        text +=
            "\n" + S(QCoreApplication::translate(
                       "RefreshCommand", "cron 不能在文件夹改变时更新页面：这一行只按时更新。"));
    Fail(text);
    std::printf("%s\n", RefreshUnits::CrontabLine(plan).c_str());
    return ExitNotDone;
}

void SayWhatIsOn(const RefreshPlan& plan) {
    const QString page = Q(plan.pagePath);
    std::printf(
        "%s\n",
        S(plan.schedule == RefreshSchedule::Hourly
              ? QCoreApplication::translate("RefreshCommand", "页面 \"%1\" 将每小时自动更新。")
                    .arg(page)
              : QCoreApplication::translate("RefreshCommand", "页面 \"%1\" 将每天自动更新。")
                    .arg(page))
            .c_str());
    if (const auto& import = plan.import)
        std::printf("%s\n", S(QCoreApplication::translate(
                                  "RefreshCommand", "每次更新前先把 %1 的书签重新导入到 \"%2\"。")
                                  .arg(Q(import->name), Q(import->target)))
                                .c_str());
    if (!plan.onChange)
        return;
    std::printf("%s\n", S(QCoreApplication::translate("RefreshCommand",
                                                      "下面这些文件或文件夹改变时也会更新："))
                            .c_str());
    for (const std::string& path : plan.watched)
        std::printf("  %s\n", path.c_str());
}

int TurnOff(RefreshSetup& setup) {
    const RefreshSetup::State state = setup.Current();
    if (const Result off = setup.TurnOff(); !off)
        return Fail(off.failure().Text());
    std::printf("%s\n",
                S(QCoreApplication::translate("RefreshCommand", "已关闭页面的自动更新。")).c_str());
    if (!state.reachable)
        Inform(S(QCoreApplication::translate(
            "RefreshCommand", "这里没有可用的 systemd 用户实例。如果您把 Linkshelf 的那一行加进了 "
                              "crontab，请用 \"crontab -e\" 删除它。")));
    return ExitDone;
}

} // namespace

int RefreshCommand::Run(const Invocation& invocation) {
    const QCoreApplication application(*invocation.argc, invocation.argv);
    Language::Install(Language::OfUser());
    const Globals& globals = *invocation.globals;
    SystemctlRunner systemctl;
    const std::optional<Request> request = RequestOf(invocation.operands);
    if (!request)
        return Fail(S(QCoreApplication::translate(
            "RefreshCommand",
            "用法：linkshelf --refresh daily|hourly [on-change]、linkshelf --refresh on-change "
            "或者 linkshelf --refresh off\n"
            "按时（daily 每天，hourly 每小时）用默认设置文件重新生成页面；on-change："
            "快捷方式文件夹改变时也重新生成（单独使用时保留已设的时间，否则每天）；off："
            "关闭自动更新。")));
    RefreshSetup setup(systemctl);
    if (request->off)
        return TurnOff(setup);

    const RefreshSetup::State state = setup.Current();
    RefreshPlan plan;
    plan.schedule = request->schedule.value_or(state.on ? state.schedule : RefreshSchedule::Daily);
    plan.onChange = request->onChange;
    plan.program = ProgramFile::Path();
    if (const Result planned =
            RefreshPlanner::Complete(plan, globals.DefaultSettingsPath(), globals);
        !planned)
        return Fail(planned.failure().Text());
    if (!state.reachable || !state.installed)
        return OfferCrontab(state, plan);
    if (const Result on = setup.TurnOn(plan); !on)
        return Fail(on.failure().Text());
    SayWhatIsOn(plan);
    return ExitDone;
}
