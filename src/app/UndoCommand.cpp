// SPDX-License-Identifier: GPL-3.0-or-later
#include "UndoCommand.h"

#include "ChangeBatch.h"
#include "ChangeTexts.h"
#include "FilledText.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>

bool IsUndoCommand(const std::vector<std::string>& arguments) {
    return !arguments.empty() && arguments.front() == "--undo";
}

int RunUndoCommand(const std::vector<std::string>& arguments) {
    if (arguments.size() > 1) {
        std::fprintf(stderr, "Linkshelf: %s\n",
                     FilledText(QCoreApplication::translate(
                                    "UndoCommand", "--undo 不接受 \"%1\"。用法：linkshelf --undo"),
                                arguments[1])
                         .c_str());
        return 1;
    }
    std::vector<ChangeOutcome> outcomes;
    const Result undone = ChangeBatch::UndoLast(ChangeJournal(), outcomes);
    for (const ChangeOutcome& outcome : outcomes)
        std::printf("%s\n", ChangeTexts::OutcomeLine(outcome, true).c_str());
    if (!outcomes.empty())
        std::printf("%s\n", ChangeTexts::Summary(outcomes, true).c_str());
    std::fflush(stdout);
    if (!undone) {
        std::fprintf(stderr, "Linkshelf: %s\n", undone.failure().Text().c_str());
        return 1;
    }
    const bool skipped = std::ranges::any_of(outcomes, [](const ChangeOutcome& outcome) {
        return outcome.state == ChangeOutcome::State::Skipped;
    });
    return skipped ? 1 : 0;
}
