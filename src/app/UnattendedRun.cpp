#include "UnattendedRun.h"

#include "ConsoleDesktop.h"
#include "GenerationRun.h"
#include "RunTexts.h"
#include "SettingsFile.h"
#include "SettingsRecord.h"

#include <QCoreApplication>
#include <cstdio>
#include <cstring>
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

// The message box says what could not be written; a script's log also gets the system's
// reason, such as "No space left on device".
void ReportCause(const char* what, const std::string& path, int error) {
    if (error != 0)
        std::fprintf(stderr, "Linkshelf: %s %s: %s\n", what, path.c_str(), std::strerror(error));
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
        ReportCause("cannot write the page", run.OutputPath(), run.PageWriteError());
        ReportCause("cannot save the settings to", globals.SettingsPath, run.SettingsWriteError());
        return ExitStatusOf(outcome);
    } catch (const std::exception& error) {
        ShowError(RunFailedText(error));
    }
    return ExitFailed;
}
