// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

// The one way the program reaches the user's service manager: it runs `systemctl --user`. Tests
// put a recorder in its place, so that no real manager is needed to see what would be asked.
class SystemctlRunner {
public:
    struct Answer {
        // False when systemctl could not be run at all (not installed, or it hung).
        bool ran = false;
        int status = -1;
        std::string output;
        std::string errors;
    };

    virtual ~SystemctlRunner() = default;

    // Runs systemctl --user with these arguments and waits for its answer.
    virtual Answer Run(const std::vector<std::string>& arguments);
};
