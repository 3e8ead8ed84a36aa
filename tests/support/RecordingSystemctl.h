// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SystemctlRunner.h"

#include <string>
#include <vector>

// Stands in for systemctl --user: remembers each call, answers `show` from the state it keeps,
// and enables or disables the refresh units as asked. Without a manager it answers as systemctl
// does when it cannot reach one.
class RecordingSystemctl : public SystemctlRunner {
public:
    Answer Run(const std::vector<std::string>& arguments) override {
        std::string call;
        for (const std::string& argument : arguments)
            call += (call.empty() ? "" : " ") + argument;
        calls.push_back(call);
        if (!reachable)
            return {true, 1, "", "Failed to connect to bus: No medium found\n"};
        if (arguments.front() == failing)
            return {true, 1, "", "Access denied\n"};
        if (arguments.front() == "show")
            return {true, 0, Show(), ""};
        for (const std::string& unit : arguments) {
            if (arguments.front() == "enable" || arguments.front() == "disable") {
                const bool enable = arguments.front() == "enable";
                if (unit == "linkshelf-refresh.timer")
                    timerEnabled = enable;
                if (unit == "linkshelf-refresh.path")
                    pathEnabled = enable;
            }
        }
        return {true, 0, "", ""};
    }

    std::vector<std::string> calls;
    bool reachable = true;
    bool installed = true;
    bool timerEnabled = false;
    bool pathEnabled = false;
    std::string lastResult = "success";
    // The first word of a call that fails.
    std::string failing;

private:
    std::string Show() const {
        const std::string load = installed ? "loaded" : "not-found";
        auto state = [&](bool enabled) {
            return installed ? (enabled ? "enabled" : "disabled") : "";
        };
        return "Id=linkshelf-refresh.timer\nLoadState=" + load +
               "\nUnitFileState=" + state(timerEnabled) +
               "\nResult=success\n\nId=linkshelf-refresh.path\nLoadState=" + load +
               "\nUnitFileState=" + state(pathEnabled) +
               "\nResult=success\n\nId=linkshelf-refresh.service\nLoadState=" + load +
               "\nUnitFileState=static\nResult=" + lastResult + "\n";
    }
};
