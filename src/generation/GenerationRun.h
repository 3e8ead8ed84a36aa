// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "generation/RunView.h"
#include "platform/Failure.h"
#include "settings/Globals.h"
#include "settings/Settings.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

// One generation from the settings to a page on disk: settle the output path,
// build the page, write it, report the outcome, open it in the browser when asked, and save the
// settings while the default settings file is current.
class GenerationRun {
public:
    enum class Outcome { NoShortcut, Written, NotWritten };

    // What the last build found: the links it wrote and the folders it skipped.
    struct Counts {
        std::int32_t links = 0;
        std::int32_t ignored = 0;
    };

    GenerationRun(const Settings& settings, Globals& globals);

    Outcome Run(RunView& view);
    // Builds and writes the page again, without a window, a browser or a save of the settings:
    // the tree under a page already made has changed.
    Result Rebuild();

    const std::string& OutputPath() const { return outputPath_; }
    const std::string& ResultText() const { return resultText_; }
    const Counts& PageCounts() const { return counts_; }

    // A bare file name goes on the Desktop; an empty one is the default page name there.
    static std::string OutputPathFor(const std::string& fileName, const std::string& desktop);

private:
    std::optional<Failure> ProblemBeforeBuilding() const;
    std::optional<Failure> TemplateProblem() const;
    void MakeOutputWritable() const;
    Outcome WritePage(const std::string& page);
    void OpenInBrowser() const;
    void SaveSettings() const;

    const Settings& settings_;
    Globals& globals_;
    std::string outputPath_;
    std::string resultText_;
    Counts counts_;
};

// Beeps and shows an error box captioned with the program's name.
void ShowError(const std::string& text);
// Shows an information box captioned with the program's name.
void ShowInfo(const std::string& text);
