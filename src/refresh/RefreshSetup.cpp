// SPDX-License-Identifier: GPL-3.0-or-later
#include "RefreshSetup.h"

#include "platform/AtomicFile.h"
#include "platform/FileChecks.h"
#include "platform/UserFolders.h"
#include "refresh/RefreshUnits.h"
#include "text/Text.h"

#include <QCoreApplication>
#include <cerrno>
#include <filesystem>
#include <map>
#include <sstream>
#include <unistd.h>

namespace {

using Properties = std::map<std::string, std::string>;

// The answer of `systemctl show` for several units: a block of NAME=VALUE lines per unit,
// blocks apart by an empty line, each known by its Id.
std::map<std::string, Properties> UnitsIn(const std::string& output) {
    std::map<std::string, Properties> units;
    Properties unit;
    auto endUnit = [&] {
        if (unit.contains("Id"))
            units[unit["Id"]] = unit;
        unit.clear();
    };
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        const std::size_t equals = line.find('=');
        if (line.empty())
            endUnit();
        else if (equals != std::string::npos)
            unit[line.substr(0, equals)] = line.substr(equals + 1);
    }
    endUnit();
    return units;
}

std::string ReadFile(const std::string& path) {
    std::ostringstream text;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (std::size_t count; (count = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            text.write(buffer, static_cast<std::streamsize>(count));
        std::fclose(file);
    }
    return text.str();
}

std::string Words(const std::vector<std::string>& arguments) {
    std::string words;
    for (const std::string& argument : arguments)
        words += (words.empty() ? "" : " ") + argument;
    return words;
}

} // namespace

RefreshSetup::RefreshSetup(SystemctlRunner& systemctl, std::string unitFolder)
    : systemctl_(systemctl), unitFolder_(std::move(unitFolder)) {}

std::string RefreshSetup::UserUnitFolder() {
    return UserFolders::Base("XDG_CONFIG_HOME", ".config") + "/systemd/user";
}

std::string RefreshSetup::ShippedProgram() {
    return LINKSHELF_SHIPPED_PROGRAM;
}

std::string RefreshSetup::Unavailable(const State& state) {
    if (!state.reachable)
        return QCoreApplication::translate("RefreshSetup",
                                           "自动更新需要 systemd 用户实例（用户的服务管理器），"
                                           "这里没有，所以 Linkshelf 不能自己安排更新。")
            .toStdString();
    return QCoreApplication::translate(
               "RefreshSetup",
               "systemd 用户实例找不到 Linkshelf 的单元 linkshelf-refresh.service、.timer "
               "和 .path（Linkshelf 的软件包把它们装在 /usr/lib/systemd/user/ 中），所以不能"
               "用它自动更新页面。")
        .toStdString();
}

std::string RefreshSetup::UseCron() {
    return QCoreApplication::translate(
               "RefreshSetup", "请改用 cron：用 \"crontab -e\" 把下面这一行加进您的 crontab。")
        .toStdString();
}

RefreshSetup::State RefreshSetup::Current() const {
    State state;
    const SystemctlRunner::Answer answer = systemctl_.Run(
        {"show", "--property=Id,LoadState,UnitFileState,Result", std::string(RefreshUnits::Timer),
         std::string(RefreshUnits::Path), std::string(RefreshUnits::Service)});
    if (!answer.ran || answer.status != 0) {
        state.unreachableReason = TrimText(answer.errors);
        return state;
    }
    state.reachable = true;
    auto units = UnitsIn(answer.output);
    Properties& timer = units[std::string(RefreshUnits::Timer)];
    Properties& path = units[std::string(RefreshUnits::Path)];
    Properties& service = units[std::string(RefreshUnits::Service)];
    state.installed = timer["LoadState"] == "loaded" && path["LoadState"] == "loaded" &&
                      service["LoadState"] == "loaded";
    state.on = timer["UnitFileState"] == "enabled";
    state.onChange = state.on && path["UnitFileState"] == "enabled";
    state.lastRunFailed = !service["Result"].empty() && service["Result"] != "success";
    state.schedule = RefreshUnits::ScheduleIn(
                         ReadFile(unitFolder_ + "/" + std::string(RefreshUnits::ScheduleDropIn)))
                         .value_or(RefreshSchedule::Daily);
    return state;
}

Result RefreshSetup::TurnOn(const RefreshPlan& plan) {
    if (const auto path = RefreshUnits::UnfitPath(plan))
        return Failure{QCoreApplication::translate(
                           "RefreshSetup",
                           "路径 \"%1\" 不能写进 systemd 单元文件（它含有控制字符、不是 UTF-8 "
                           "文本，或者以空格或反斜杠结尾）。")
                           .arg(QString::fromStdString(*path))
                           .toStdString(),
                       *path, ""};
    const std::string commands = RefreshUnits::Commands(plan, ShippedProgram());
    Result written =
        WriteDropIn(RefreshUnits::ScheduleDropIn, RefreshUnits::Schedule(plan.schedule));
    if (written)
        written = commands.empty() ? RemoveDropIn(RefreshUnits::CommandsDropIn)
                                   : WriteDropIn(RefreshUnits::CommandsDropIn, commands);
    if (written)
        written = plan.onChange ? WriteDropIn(RefreshUnits::WatchDropIn, RefreshUnits::Watch(plan))
                                : RemoveDropIn(RefreshUnits::WatchDropIn);
    if (!written)
        return written;
    const std::string timer(RefreshUnits::Timer);
    const std::string path(RefreshUnits::Path);
    const std::vector<std::vector<std::string>> steps = {
        {"daemon-reload"},
        {"enable", "--now", timer},
        plan.onChange ? std::vector<std::string>{"enable", "--now", path}
                      : std::vector<std::string>{"disable", "--now", path},
    };
    for (const std::vector<std::string>& arguments : steps)
        if (Result asked = Ask(arguments); !asked)
            return asked;
    return {};
}

Result RefreshSetup::TurnOff() {
    const State state = Current();
    if (state.reachable && state.installed)
        if (Result asked = Ask({"disable", "--now", std::string(RefreshUnits::Timer),
                                std::string(RefreshUnits::Path)});
            !asked)
            return asked;
    for (const std::string_view dropIn :
         {RefreshUnits::ScheduleDropIn, RefreshUnits::CommandsDropIn, RefreshUnits::WatchDropIn})
        if (Result removed = RemoveDropIn(dropIn); !removed)
            return removed;
    if (state.reachable)
        return Ask({"daemon-reload"});
    // Without a manager the units cannot be disabled here; if they are enabled, they would run
    // again on the shipped schedule once a manager starts.
    for (const std::string& link :
         {unitFolder_ + "/timers.target.wants/" + std::string(RefreshUnits::Timer),
          unitFolder_ + "/paths.target.wants/" + std::string(RefreshUnits::Path)})
        if (EntryExists(link))
            return Failure{
                QCoreApplication::translate("RefreshSetup",
                                            "自动更新仍然打开着：没有 systemd 用户实例可以关掉它。"
                                            "请在您的桌面会话中运行 \"linkshelf --refresh off\"。")
                    .toStdString(),
                link, state.unreachableReason};
    return {};
}

Result RefreshSetup::Ask(const std::vector<std::string>& arguments) const {
    const SystemctlRunner::Answer answer = systemctl_.Run(arguments);
    if (answer.ran && answer.status == 0)
        return {};
    return Failure{QCoreApplication::translate("RefreshSetup", "systemctl --user %1 失败了。")
                       .arg(QString::fromStdString(Words(arguments)))
                       .toStdString(),
                   "", TrimText(answer.errors)};
}

Result RefreshSetup::WriteDropIn(std::string_view name, const std::string& text) const {
    const std::string path = unitFolder_ + "/" + std::string(name);
    const std::string message = QCoreApplication::translate("RefreshSetup", "不能写入文件 \"%1\"。")
                                    .arg(QString::fromStdString(path))
                                    .toStdString();
    std::error_code error;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), error);
    if (error)
        return Failure::FromErrno(message, path, error.value());
    if (const Result written = AtomicFile::Replace(path, text); !written)
        return written.failure().Saying(message);
    return {};
}

Result RefreshSetup::RemoveDropIn(std::string_view name) const {
    const std::string path = unitFolder_ + "/" + std::string(name);
    if (unlink(path.c_str()) != 0 && errno != ENOENT)
        return Failure::FromErrno(
            QCoreApplication::translate("RefreshSetup", "不能删除文件 \"%1\"。")
                .arg(QString::fromStdString(path))
                .toStdString(),
            path, errno);
    // The unit's drop-in folder goes too once nothing else of the user's is in it.
    rmdir(std::filesystem::path(path).parent_path().c_str());
    return {};
}
