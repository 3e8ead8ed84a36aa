#include "UnattendedRun.h"

#include "ConsoleDesktop.h"
#include "GenerationRun.h"
#include "RunTexts.h"
#include "SettingsFile.h"
#include "SettingsRecord.h"

#include <QCoreApplication>
#include <exception>

namespace {

constexpr int ExitWritten = 0;
constexpr int ExitFailed = 1;
constexpr int ExitNoShortcut = 2;

int ExitStatusOf(GenerationRun::Outcome outcome) {
    switch (outcome) {
    case GenerationRun::Outcome::Written:
        return ExitWritten;
    case GenerationRun::Outcome::NoShortcut:
        return ExitNoShortcut;
    case GenerationRun::Outcome::NotWritten:
        break;
    }
    return ExitFailed;
}

} // namespace

int RunUnattended(Globals& globals) {
    globals.Unattended = true;
    SettingsRecord holders;
    ReadSettings(globals.SettingsPath, holders, globals);
    QCoreApplication::setApplicationName("Linkshelf： 正在工作中...   ");

    GenerationRun::Face noWindow;
    try {
        GenerationRun run(holders, globals);
        const GenerationRun::Outcome outcome = run.Run(noWindow);
        // The wizard would show why nothing was written on its last page; a script gets it here.
        if (outcome == GenerationRun::Outcome::NoShortcut)
            ConsoleDesktop().ShowMessage(DesktopServices::Icon::Information,
                                         std::string(MessageCaption), run.ResultText());
        return ExitStatusOf(outcome);
    } catch (const std::exception& error) {
        ShowError(RunFailedText(error));
    }
    return ExitFailed;
}
