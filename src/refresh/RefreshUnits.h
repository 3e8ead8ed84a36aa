// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "refresh/RefreshPlan.h"

#include <optional>
#include <string>
#include <string_view>

// The texts that carry a refresh plan to the scheduler: the drop-ins that add the user's choices
// to the shipped systemd user units, and the crontab line for a machine without them.
class RefreshUnits {
public:
    static constexpr std::string_view Service = "linkshelf-refresh.service";
    static constexpr std::string_view Timer = "linkshelf-refresh.timer";
    static constexpr std::string_view Path = "linkshelf-refresh.path";
    // The drop-ins, relative to the user's unit folder. Their number sorts them before an
    // override.conf of the user's own ("systemctl --user edit"), which so has the last word.
    static constexpr std::string_view ScheduleDropIn = "linkshelf-refresh.timer.d/50-schedule.conf";
    static constexpr std::string_view CommandsDropIn =
        "linkshelf-refresh.service.d/50-commands.conf";
    static constexpr std::string_view WatchDropIn = "linkshelf-refresh.path.d/50-watch.conf";

    // When the timer starts a refresh.
    static std::string Schedule(RefreshSchedule schedule);
    // What the service runs beyond the shipped unit: each import before the page is built, and
    // this program in place of the shipped one when they differ. Empty when there is nothing.
    static std::string Commands(const RefreshPlan& plan, const std::string& shippedProgram);
    // The files and folders whose changes start a refresh, in place of the shipped ones.
    static std::string Watch(const RefreshPlan& plan);

    // The schedule a drop-in written by Schedule() sets; nothing when it sets none we know.
    static std::optional<RefreshSchedule> ScheduleIn(const std::string& dropIn);
    // The line for the user's crontab that runs the same refresh on the same schedule.
    static std::string CrontabLine(const RefreshPlan& plan);
    // The first path of the plan that a unit file cannot carry (not UTF-8, a control character,
    // blanks at either end, a final backslash, not absolute); nothing when all of them fit.
    static std::optional<std::string> UnfitPath(const RefreshPlan& plan);
};
