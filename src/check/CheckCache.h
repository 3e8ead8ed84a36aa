// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/CheckReport.h"
#include "platform/Failure.h"

#include <QString>
#include <optional>
#include <string>
#include <unordered_map>

// What earlier checks found about each web address, and when: kept between runs in the user's
// cache folder, so a check can take a recent verdict instead of asking again.
class CheckCache {
public:
    struct Verdict {
        // None for a link that works.
        std::optional<CheckFinding::Kind> kind;
        CheckFinding::Cause cause = CheckFinding::Cause::HttpStatus;
        int httpStatus = 0;
        std::string target;
        std::string detail;
        // Seconds since the epoch.
        qint64 checkedAt = 0;
    };

    // $XDG_CACHE_HOME/linkshelf/check.json (~/.cache/linkshelf/check.json).
    static QString DefaultPath();

    // The verdicts kept in a file; none from a missing, unreadable or foreign one.
    static CheckCache Load(const QString& path);
    // Replaces the file whole (making its folder); a failure naming the file or folder that
    // could not be written, with the reason.
    Result Save(const QString& path) const;

    const Verdict* Find(const std::string& address) const;
    void Put(const std::string& address, Verdict verdict);

private:
    std::unordered_map<std::string, Verdict> verdicts_;
};
