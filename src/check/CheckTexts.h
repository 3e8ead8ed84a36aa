// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/CheckReport.h"

#include <QCoreApplication>
#include <string>
#include <vector>

// The link check's texts in the run's language, for its window and its printed report: the
// progress, the findings and the summary.
class CheckTexts {
    Q_DECLARE_TR_FUNCTIONS(CheckTexts)

public:
    static std::string CheckingLinks(long long done, long long total);
    // The progress when nothing has finished for a while, naming the host the check waits on.
    static std::string WaitingForHost(long long done, long long total, const std::string& host);
    static std::vector<std::string> FindingColumns();
    static std::string FindingKind(CheckFinding::Kind kind);
    static std::string FindingStatus(const CheckFinding& finding);
    static std::string Summary(const CheckReport& report);
    // One tab-separated line per finding (kind, status, address, name, folder path and, for a
    // redirect, where it leads, for a duplicate, the address its places share), then the
    // summary line.
    static std::string Report(const CheckReport& report);
};
