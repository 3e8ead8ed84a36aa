// SPDX-License-Identifier: GPL-3.0-or-later
#include "UndoCommand.h"

#include "app/ConsoleDesktop.h"
#include "check/ChangeBatch.h"
#include "check/ChangeTexts.h"
#include "platform/Language.h"

#include <QCoreApplication>
#include <algorithm>
#include <cstdio>

int UndoCommand::Run(const Invocation& invocation) {
    const QCoreApplication application(*invocation.argc, invocation.argv);
    Language::Install(Language::OfUser());
    return Undo();
}

int UndoCommand::Undo() {
    std::vector<ChangeOutcome> outcomes;
    const Result undone = ChangeBatch::UndoLast(ChangeJournal(), outcomes);
    for (const ChangeOutcome& outcome : outcomes)
        std::printf("%s\n", ChangeTexts::OutcomeLine(outcome, BatchStep::Undone).c_str());
    if (!outcomes.empty())
        std::printf("%s\n", ChangeTexts::Summary(outcomes, BatchStep::Undone).c_str());
    std::fflush(stdout);
    if (!undone) {
        ConsoleDesktop().ShowMessage(DesktopServices::Icon::Error, "Linkshelf",
                                     undone.failure().Text());
        return 1;
    }
    const bool skipped = std::ranges::any_of(outcomes, [](const ChangeOutcome& outcome) {
        return outcome.state == ChangeOutcome::State::Skipped;
    });
    return skipped ? 1 : 0;
}
