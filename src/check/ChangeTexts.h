// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/ChangeBatch.h"
#include "check/ChangePlan.h"

#include <QCoreApplication>
#include <string>
#include <vector>

// The texts of changes made to the shortcut tree, in the run's language: the lines printed for
// each change, the summaries, and the window's question before a batch.
class ChangeTexts {
    Q_DECLARE_TR_FUNCTIONS(ChangeTexts)

public:
    // One tab-separated line: what would be done, the file, the old and new address.
    static std::string PlanLine(const PlannedChange& change);
    static std::string PlanSummary(const std::vector<PlannedChange>& plan);
    // One tab-separated line: what was done (or undone), the file, then the old and new address
    // or the place in the Trash, or why it was skipped.
    static std::string OutcomeLine(const ChangeOutcome& outcome, BatchStep step);
    static std::string Summary(const std::vector<ChangeOutcome>& outcomes, BatchStep step);
    static std::string QuestionCaption();
    // How many changes of each kind, and the names of the first few.
    static std::string Question(const std::vector<PlannedChange>& plan);
};
