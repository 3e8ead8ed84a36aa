// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"
#include "platform/SystemctlRunner.h"
#include "refresh/RefreshPlan.h"

#include <string>

// Turns the refresh of the page on, changes it or turns it off, through the user's service
// manager: the shipped systemd user units (linkshelf-refresh.service, .timer and .path) get the
// user's choices in drop-ins in the user's unit folder, and systemctl --user enables them.
class RefreshSetup {
public:
    struct State {
        // Whether a user manager answered; when not, its reason as systemctl gave it.
        bool reachable = false;
        std::string unreachableReason;
        // Whether the manager knows the shipped units.
        bool installed = false;
        bool on = false;
        bool onChange = false;
        RefreshSchedule schedule = RefreshSchedule::Daily;
        // Whether the refresh that ran last failed (its messages are in the journal).
        bool lastRunFailed = false;
    };

    // unitFolder: the user's own unit folder, as the manager reads it.
    RefreshSetup(SystemctlRunner& systemctl, std::string unitFolder = UserUnitFolder());

    // $XDG_CONFIG_HOME/systemd/user (~/.config/systemd/user).
    static std::string UserUnitFolder();
    // The program the shipped service runs.
    static std::string ShippedProgram();

    // Why the manager cannot run the refresh, for the user: there is none, or it lacks the units.
    static std::string Unavailable(const State& state);
    // What to do instead: put the crontab line that follows into the crontab.
    static std::string UseCron();

    State Current() const;
    // Writes the drop-ins of the plan, has the manager read them and enables the timer, and the
    // path unit when the plan watches for changes (else disables it).
    Result TurnOn(const RefreshPlan& plan);
    // Disables the units and removes the drop-ins. Without a manager, only the drop-ins go, and
    // units that stay enabled are a failure.
    Result TurnOff();

private:
    Result Ask(const std::vector<std::string>& arguments) const;
    Result WriteDropIn(std::string_view name, const std::string& text) const;
    Result RemoveDropIn(std::string_view name) const;

    SystemctlRunner& systemctl_;
    std::string unitFolder_;
};
