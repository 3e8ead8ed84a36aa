// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"
#include "refresh/RefreshPlan.h"
#include "settings/Globals.h"
#include "settings/Settings.h"

#include <cstddef>
#include <optional>
#include <string>

// Works out how the page of a settings file is kept up to date: the page and its folder of
// shortcuts, the browser to import again first, and what to watch for changes. A refresh runs
// from the home folder, so a relative path in the settings is taken from there.
class RefreshPlanner {
public:
    // The service manager gives each watched path an inotify instance of its own, and a user has
    // 128 of them for every program together.
    static constexpr std::size_t MostWatched = 16;

    // Completes a plan whose schedule, onChange and program are set, for the page that
    // `linkshelf -RUN` would make from the settings file at settingsPath. Refused, with the
    // reason, when that run would fail (no folder of shortcuts, a folder or template that cannot
    // be used) or when a rebuild would change what is watched and so start itself again.
    static Result Complete(RefreshPlan& plan, const std::string& settingsPath,
                           const Globals& globals);
    // The same for settings already read into globals.
    static Result Complete(RefreshPlan& plan, const Settings& settings, const Globals& globals);

    // The browser found on this machine whose import this folder is: it bears the browser's
    // name, as the import names the folder it writes.
    static std::optional<RefreshImport> ImportFor(const std::string& folder);
};
