// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <vector>

enum class RefreshSchedule { Daily, Hourly };

// A browser whose bookmarks are imported again before each refresh, because the page's folder
// of shortcuts is their import.
struct RefreshImport {
    std::string browser;   // the word --import takes: "firefox"
    std::string name;      // the name the user knows, which is also the imported folder's
    std::string target;    // the folder the import writes its folder into
    std::string bookmarks; // the browser's own bookmark file
};

// How the page of the default settings file is kept up to date: when it is rebuilt, by which
// program, what is imported first, and which files and folders start a rebuild when they change.
struct RefreshPlan {
    RefreshSchedule schedule = RefreshSchedule::Daily;
    bool onChange = false;
    std::string program;
    std::string pagePath;
    std::optional<RefreshImport> import;
    std::vector<std::string> watched;
};
