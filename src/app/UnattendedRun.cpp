// SPDX-License-Identifier: GPL-3.0-or-later
#include "UnattendedRun.h"

#include "app/CommandSettings.h"
#include "app/ConsoleDesktop.h"
#include "generation/GenerationRun.h"
#include "generation/RunTexts.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "text/Text.h"

#include <QCoreApplication>
#include <optional>

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

// Unattended, a template that the settings name but that is not there (a stick that is not
// mounted) stops the run: a fallback would write the wrong page and report success.
std::optional<Failure> TemplateThatCannotBeUsed(const Globals& globals) {
    if (const auto& pageTemplate = globals.UnusableTemplate)
        return TemplateUnusable(pageTemplate->path, pageTemplate->cause);
    return std::nullopt;
}

} // namespace

int RunUnattended(Globals& globals, SettingsSource source) {
    globals.Unattended = true;
    Settings settings;
    QCoreApplication::setApplicationName(
        QCoreApplication::translate("UnattendedRun", "Linkshelf： 正在工作中...   "));
    // Settings that cannot be read would leave every value at its initial one: not the page the
    // user asked for.
    if (const Result read = CommandSettings::Read(globals.SettingsPath, source, settings, globals);
        !read) {
        ShowError(read.failure().Text());
        return ExitFailed;
    }
    if (const auto problem = TemplateThatCannotBeUsed(globals)) {
        ShowError(problem->Text());
        return ExitFailed;
    }

    RunView noWindow;
    GenerationRun run(settings, globals);
    const GenerationRun::Outcome outcome = run.Run(noWindow);
    // The wizard would show why nothing was written on its last page; a script gets it here.
    if (outcome == GenerationRun::Outcome::NoShortcut)
        ConsoleDesktop().ShowMessage(
            DesktopServices::Icon::Information, std::string(MessageCaption),
            run.ResultText() + "\n" + SearchedFolderText(TrimText(settings.sourceFolder)));
    return ExitStatusOf(outcome);
}
