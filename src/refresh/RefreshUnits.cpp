// SPDX-License-Identifier: GPL-3.0-or-later
#include "RefreshUnits.h"

#include <QString>
#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

constexpr std::string_view Header =
    "# Written by Linkshelf for the automatic refresh of its page; \"linkshelf --refresh off\"\n"
    "# removes it.\n";

bool IsUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUtf8() ==
           QByteArray::fromStdString(text);
}

bool HasControlCharacter(const std::string& text) {
    return std::any_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7f;
    });
}

bool FitsUnitFile(const std::string& path) {
    return path.starts_with('/') && IsUtf8(path) && !HasControlCharacter(path) &&
           !path.ends_with(' ') && !path.ends_with('\\');
}

// A value systemd expands specifiers in ("%h"): a percent sign of the path is doubled.
std::string Literal(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '%')
            escaped += '%';
        escaped += c;
    }
    return escaped;
}

// One word of a command line in a unit file, in double quotes. Beyond the path, systemd also
// replaces "$NAME" with the environment's value, so a dollar sign of an argument is doubled.
std::string CommandWord(const std::string& word, bool argument) {
    std::string quoted = "\"";
    for (const char c : Literal(word)) {
        if (c == '\\' || c == '"')
            quoted += '\\';
        if (c == '$' && argument)
            quoted += '$';
        quoted += c;
    }
    return quoted + "\"";
}

// A word for the shell that cron runs the line with; cron itself turns a bare '%' into a new
// line, so that one is escaped too.
std::string ShellWord(const std::string& word) {
    const bool plain = !word.empty() && std::all_of(word.begin(), word.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) ||
               std::string_view("/._-+,:=@").find(c) != std::string_view::npos;
    });
    std::string quoted = plain ? word : "'";
    if (!plain) {
        for (const char c : word)
            quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
        quoted += '\'';
    }
    std::string line;
    for (const char c : quoted)
        line += c == '%' ? std::string("\\%") : std::string(1, c);
    return line;
}

const char* CalendarOf(RefreshSchedule schedule) {
    return schedule == RefreshSchedule::Hourly ? "hourly" : "daily";
}

} // namespace

std::string RefreshUnits::Schedule(RefreshSchedule schedule) {
    // The empty assignment drops the shipped calendar, which would otherwise run as well.
    return std::string(Header) + "[Timer]\nOnCalendar=\nOnCalendar=" + CalendarOf(schedule) + "\n";
}

std::string RefreshUnits::Commands(const RefreshPlan& plan, const std::string& shippedProgram) {
    std::string lines;
    if (const auto& import = plan.import)
        lines += "ExecStartPre=" + CommandWord(plan.program, false) + " --import " +
                 CommandWord(import->browser, true) + " " + CommandWord(import->target, true) +
                 "\n";
    if (plan.program != shippedProgram)
        lines += "ExecStart=\nExecStart=" + CommandWord(plan.program, false) + " -RUN\n";
    if (lines.empty())
        return {};
    return std::string(Header) + "[Service]\n" + lines;
}

std::string RefreshUnits::Watch(const RefreshPlan& plan) {
    std::string text = std::string(Header) + "[Path]\nPathChanged=\n";
    for (const std::string& path : plan.watched)
        text += "PathChanged=" + Literal(path) + "\n";
    return text;
}

std::optional<RefreshSchedule> RefreshUnits::ScheduleIn(const std::string& dropIn) {
    std::optional<RefreshSchedule> schedule;
    std::istringstream lines(dropIn);
    for (std::string line; std::getline(lines, line);) {
        if (line == "OnCalendar=daily")
            schedule = RefreshSchedule::Daily;
        else if (line == "OnCalendar=hourly")
            schedule = RefreshSchedule::Hourly;
        else if (line.starts_with("OnCalendar="))
            schedule.reset();
    }
    return schedule;
}

std::string RefreshUnits::CrontabLine(const RefreshPlan& plan) {
    std::string line = std::string("@") + CalendarOf(plan.schedule) + " ";
    if (const auto& import = plan.import)
        line += ShellWord(plan.program) + " --import " + ShellWord(import->browser) + " " +
                ShellWord(import->target) + " && ";
    return line + ShellWord(plan.program) + " -RUN";
}

std::optional<std::string> RefreshUnits::UnfitPath(const RefreshPlan& plan) {
    std::vector<std::string> paths = plan.watched;
    paths.push_back(plan.program);
    if (plan.import)
        paths.push_back(plan.import->target);
    for (const std::string& path : paths)
        if (!FitsUnitFile(path))
            return path;
    return std::nullopt;
}
