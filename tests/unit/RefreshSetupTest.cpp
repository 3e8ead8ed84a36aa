// SPDX-License-Identifier: GPL-3.0-or-later
#include "refresh/RefreshSetup.h"

#include "RecordingSystemctl.h"
#include "TempTree.h"
#include "refresh/RefreshUnits.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

using Calls = std::vector<std::string>;

std::string DropIn(std::string_view name) {
    return std::string(name);
}

TEST(RefreshSetup, TellsWhetherAManagerRunsTheRefreshAndHow) {
    struct Case {
        const char* name;
        bool reachable;
        bool installed;
        bool timer;
        bool path;
        std::string scheduleDropIn;
        std::string lastResult;
        RefreshSetup::State expected;
    };
    const std::string hourly = RefreshUnits::Schedule(RefreshSchedule::Hourly);
    const RefreshSchedule daily = RefreshSchedule::Daily;
    const Case cases[] = {
        {"no manager",
         false,
         true,
         false,
         false,
         "",
         "success",
         {false, "Failed to connect to bus: No medium found", false, false, false, daily, false}},
        {"no units",
         true,
         false,
         false,
         false,
         "",
         "success",
         {true, "", false, false, false, daily, false}},
        {"off",
         true,
         true,
         false,
         false,
         "",
         "success",
         {true, "", true, false, false, daily, false}},
        {"daily, as shipped",
         true,
         true,
         true,
         false,
         "",
         "success",
         {true, "", true, true, false, daily, false}},
        {"hourly, on change",
         true,
         true,
         true,
         true,
         hourly,
         "success",
         {true, "", true, true, true, RefreshSchedule::Hourly, false}},
        {"the path alone does not refresh",
         true,
         true,
         false,
         true,
         "",
         "success",
         {true, "", true, false, false, daily, false}},
        {"the last run failed",
         true,
         true,
         true,
         false,
         "",
         "exit-code",
         {true, "", true, true, false, daily, true}},
    };
    for (const Case& c : cases) {
        TempTree units;
        if (!c.scheduleDropIn.empty())
            units.Write(DropIn(RefreshUnits::ScheduleDropIn), c.scheduleDropIn);
        RecordingSystemctl systemctl;
        systemctl.reachable = c.reachable;
        systemctl.installed = c.installed;
        systemctl.timerEnabled = c.timer;
        systemctl.pathEnabled = c.path;
        systemctl.lastResult = c.lastResult;
        const RefreshSetup::State state = RefreshSetup(systemctl, units.Root()).Current();
        EXPECT_EQ(state.reachable, c.expected.reachable) << c.name;
        EXPECT_EQ(state.unreachableReason, c.expected.unreachableReason) << c.name;
        EXPECT_EQ(state.installed, c.expected.installed) << c.name;
        EXPECT_EQ(state.on, c.expected.on) << c.name;
        EXPECT_EQ(state.onChange, c.expected.onChange) << c.name;
        EXPECT_EQ(state.schedule, c.expected.schedule) << c.name;
        EXPECT_EQ(state.lastRunFailed, c.expected.lastRunFailed) << c.name;
    }
}

TEST(RefreshSetup, TurningOnWritesTheChoicesAndEnablesWhatTheyNeed) {
    TempTree units;
    RecordingSystemctl systemctl;
    RefreshSetup setup(systemctl, units.Root());
    RefreshPlan plan;
    plan.schedule = RefreshSchedule::Hourly;
    plan.onChange = true;
    plan.program = "/opt/linkshelf/linkshelf";
    plan.import = RefreshImport{"firefox", "Firefox", "/home/u/Fav", "/home/u/places.sqlite"};
    plan.watched = {"/home/u/places.sqlite"};
    ASSERT_TRUE(setup.TurnOn(plan));
    EXPECT_EQ(systemctl.calls, (Calls{"daemon-reload", "enable --now linkshelf-refresh.timer",
                                      "enable --now linkshelf-refresh.path"}));
    EXPECT_EQ(units.Read(DropIn(RefreshUnits::ScheduleDropIn)),
              RefreshUnits::Schedule(RefreshSchedule::Hourly));
    EXPECT_EQ(units.Read(DropIn(RefreshUnits::CommandsDropIn)),
              RefreshUnits::Commands(plan, RefreshSetup::ShippedProgram()));
    EXPECT_EQ(units.Read(DropIn(RefreshUnits::WatchDropIn)), RefreshUnits::Watch(plan));

    // Changed to daily, the shipped program, nothing imported, nothing watched: what is no
    // longer chosen goes, folders and all.
    systemctl.calls.clear();
    RefreshPlan daily;
    daily.program = RefreshSetup::ShippedProgram();
    ASSERT_TRUE(setup.TurnOn(daily));
    EXPECT_EQ(systemctl.calls, (Calls{"daemon-reload", "enable --now linkshelf-refresh.timer",
                                      "disable --now linkshelf-refresh.path"}));
    EXPECT_EQ(units.Read(DropIn(RefreshUnits::ScheduleDropIn)),
              RefreshUnits::Schedule(RefreshSchedule::Daily));
    EXPECT_FALSE(std::filesystem::exists(units.Path("linkshelf-refresh.service.d")));
    EXPECT_FALSE(std::filesystem::exists(units.Path("linkshelf-refresh.path.d")));
    EXPECT_TRUE(systemctl.timerEnabled);
    EXPECT_FALSE(systemctl.pathEnabled);

    // A path that the unit file cannot carry is refused before anything is written.
    systemctl.calls.clear();
    plan.watched = {"/home/u/a\nb"};
    const Result refused = setup.TurnOn(plan);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.failure().path, "/home/u/a\nb");
    EXPECT_TRUE(systemctl.calls.empty());
    EXPECT_FALSE(std::filesystem::exists(units.Path("linkshelf-refresh.path.d")));
}

TEST(RefreshSetup, TurningOffDisablesAndRemovesOrSaysWhatIsLeft) {
    struct Case {
        const char* name;
        bool reachable;
        bool enabledLink;
        std::string failing;
        Calls calls;
        bool done;
    };
    const Case cases[] = {
        {"with a manager", true, true, "",
         Calls{"show --property=Id,LoadState,UnitFileState,Result linkshelf-refresh.timer "
               "linkshelf-refresh.path linkshelf-refresh.service",
               "disable --now linkshelf-refresh.timer linkshelf-refresh.path", "daemon-reload"},
         true},
        {"a manager that refuses", true, true, "disable",
         Calls{"show --property=Id,LoadState,UnitFileState,Result linkshelf-refresh.timer "
               "linkshelf-refresh.path linkshelf-refresh.service",
               "disable --now linkshelf-refresh.timer linkshelf-refresh.path"},
         false},
        {"no manager, nothing enabled", false, false, "",
         Calls{"show --property=Id,LoadState,UnitFileState,Result linkshelf-refresh.timer "
               "linkshelf-refresh.path linkshelf-refresh.service"},
         true},
        {"no manager, the timer still enabled", false, true, "",
         Calls{"show --property=Id,LoadState,UnitFileState,Result linkshelf-refresh.timer "
               "linkshelf-refresh.path linkshelf-refresh.service"},
         false},
    };
    for (const Case& c : cases) {
        TempTree units;
        units.Write(DropIn(RefreshUnits::ScheduleDropIn), "x");
        units.Write(DropIn(RefreshUnits::WatchDropIn), "x");
        units.Write("linkshelf-refresh.path.d/override.conf", "the user's own");
        if (c.enabledLink) {
            units.Folder("timers.target.wants");
            std::filesystem::create_symlink(
                "/usr/lib/systemd/user/linkshelf-refresh.timer",
                units.Path("timers.target.wants/" + std::string(RefreshUnits::Timer)));
        }
        RecordingSystemctl systemctl;
        systemctl.reachable = c.reachable;
        systemctl.failing = c.failing;
        const Result off = RefreshSetup(systemctl, units.Root()).TurnOff();
        EXPECT_EQ(bool(off), c.done) << c.name;
        EXPECT_EQ(systemctl.calls, c.calls) << c.name;
        if (c.failing.empty()) {
            EXPECT_FALSE(std::filesystem::exists(units.Path(DropIn(RefreshUnits::ScheduleDropIn))))
                << c.name;
            EXPECT_EQ(units.Read("linkshelf-refresh.path.d/override.conf"), "the user's own")
                << c.name;
        }
    }
}

} // namespace
