// SPDX-License-Identifier: GPL-3.0-or-later
#include "GenerationRun.h"

#include "generation/BuildPage.h"
#include "generation/RunTexts.h"
#include "platform/DesktopServices.h"
#include "platform/FileChecks.h"
#include "settings/Settings.h"
#include "settings/SettingsFile.h"
#include "text/Text.h"
#include "text/TextFile.h"

#include <exception>
#include <filesystem>
#include <optional>
#include <sys/stat.h>
#include <utility>

void ShowError(const std::string& text) {
    DesktopServices& desktop = DesktopServices::Current();
    desktop.Beep();
    desktop.ShowMessage(DesktopServices::Icon::Error, std::string(MessageCaption), text);
}

void ShowInfo(const std::string& text) {
    DesktopServices::Current().ShowMessage(DesktopServices::Icon::Information,
                                           std::string(MessageCaption), text);
}

GenerationRun::GenerationRun(const Settings& settings, Globals& globals)
    : settings_(settings), globals_(globals) {}

std::string GenerationRun::OutputPathFor(const std::string& fileName, const std::string& desktop) {
    std::string path = TrimText(fileName);
    if (path.empty())
        path = DefaultPageName;
    if (path.find('/') == std::string::npos)
        path = desktop + path;
    return path;
}

GenerationRun::Outcome GenerationRun::Run(RunView& view) {
    outputPath_ = OutputPathFor(settings_.outputFile, globals_.DesktopFolder);
    if (const auto problem = ProblemBeforeBuilding()) {
        resultText_ = problem->Text();
        ShowError(resultText_);
        view.ShowResult(resultText_);
        return Outcome::NotWritten;
    }
    view.SetBusyCursor(true);
    MakeOutputWritable();

    // The page is built from a copy of the settings, so that a window may build it on another
    // thread while its controls stay untouched.
    const Settings snapshot = settings_;
    Globals scan = globals_;
    std::optional<ResultOf<std::string>> page;
    if (!globals_.Unattended)
        view.ShowProgress(true);
    // Building fails on its own only when memory runs out or the template went away since it
    // was looked at; that ends this run, not the program.
    std::string failure;
    try {
        view.Build([&] { page = BuildPage(snapshot, scan); });
        if (!*page)
            failure = PageNotWrittenText(outputPath_) + "\r\n" + page->failure().Text();
    } catch (const std::exception& error) {
        failure = RunFailedText(error);
    }
    if (!globals_.Unattended)
        view.ShowProgress(false);
    if (!failure.empty()) {
        view.SetBusyCursor(false);
        ShowError(failure);
        return Outcome::NotWritten;
    }
    counts_ = {scan.LinkCount, scan.IgnoredCount};
    globals_.IgnoreList = std::move(scan.IgnoreList);

    const Outcome outcome = counts_.links == 0 ? Outcome::NoShortcut : WritePage(**page);
    if (outcome == Outcome::NoShortcut)
        resultText_ = NoShortcutText();
    view.ShowResult(resultText_);
    view.SetBusyCursor(false);
    if (!globals_.Unattended)
        DesktopServices::Current().Beep();
    view.ProcessPendingEvents();

    if (counts_.links > 0 && settings_.launchBrowser)
        OpenInBrowser();
    SaveSettings();
    return outcome;
}

Result GenerationRun::Rebuild() {
    outputPath_ = OutputPathFor(settings_.outputFile, globals_.DesktopFolder);
    if (const auto problem = ProblemBeforeBuilding())
        return *problem;
    Globals scan = globals_;
    const ResultOf<std::string> page = BuildPage(settings_, scan);
    if (!page)
        return Failure{PageNotWrittenText(outputPath_) + "\r\n" + page.failure().Text(),
                       outputPath_, ""};
    MakeOutputWritable();
    if (const Result written = WriteTextFile(*page, outputPath_); !written)
        return written.failure().Saying(PageNotWrittenText(outputPath_));
    counts_ = {scan.LinkCount, scan.IgnoredCount};
    resultText_ = PageWrittenText(outputPath_, counts_.links, counts_.ignored);
    return {};
}

// An empty source would be the folder the program happens to run in, a folder that is not there
// would be reported as one without shortcuts, and an empty or unreadable template would be an
// empty page over the old one: none of them is built.
std::optional<Failure> GenerationRun::ProblemBeforeBuilding() const {
    const std::string source = TrimText(settings_.sourceFolder);
    if (source.empty())
        return Failure{globals_.Unattended ? NoSourceFolderText() : NoSourceFolderInWizardText(),
                       "", ""};
    if (const Result listable = CanListFolder(source); !listable)
        return SourceFolderUnusable(source, listable.failure().cause);
    return TemplateProblem();
}

std::optional<Failure> GenerationRun::TemplateProblem() const {
    const std::string& path = globals_.TemplatePath;
    std::string cause;
    std::error_code error;
    if (const Result readable = CanReadFile(path); !readable)
        cause = readable.failure().cause;
    else if (std::filesystem::is_empty(path, error))
        cause = EmptyFileReason();
    if (cause.empty())
        return std::nullopt;
    return TemplateUnusable(path, cause);
}

void GenerationRun::SaveSettings() const {
    if (const Result saved = SaveSettingsIfDefault(settings_, globals_); !saved)
        ShowError(saved.failure().Text());
}

// A read-only page from an earlier run must not stop this one from replacing it.
void GenerationRun::MakeOutputWritable() const {
    struct stat info {};
    if (FileExists(outputPath_) && stat(outputPath_.c_str(), &info) == 0)
        chmod(outputPath_.c_str(), info.st_mode | S_IWUSR);
}

GenerationRun::Outcome GenerationRun::WritePage(const std::string& page) {
    const Result written = WriteTextFile(page, outputPath_);
    if (written) {
        resultText_ = PageWrittenText(outputPath_, counts_.links, counts_.ignored);
        return Outcome::Written;
    }
    Failure failure = written.failure();
    failure.message = PageNotWrittenText(outputPath_);
    resultText_ = failure.Text();
    ShowError(resultText_);
    return Outcome::NotWritten;
}

void GenerationRun::OpenInBrowser() const {
    if (!DesktopServices::Current().Open(outputPath_))
        ShowError(BrowserFailedText());
}
