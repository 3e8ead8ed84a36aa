// SPDX-License-Identifier: GPL-3.0-or-later
#include "CommandLine.h"

#include "FileChecks.h"
#include "Text.h"

#include <algorithm>
#include <string_view>

namespace {

// One line of the usage per form of the command.
struct UsageLine {
    std::string_view form;
    std::string_view meaning;
};

constexpr UsageLine Usage[] = {
    {"linkshelf", "open the wizard"},
    {"linkshelf SETTINGS.lfs", "generate the page with these settings, unattended"},
    {"linkshelf -RUN", "generate the page with the default settings file"},
    {"linkshelf --import SOURCE [FOLDER]",
     "import bookmarks: firefox, chromium, chrome, brave, edge, vivaldi, or a file"},
    {"linkshelf --check [SETTINGS.lfs] [--json] [--max-age AGE]",
     "check the page's links: dead, moved, blocked, duplicate; --max-age 1d\n"
     "                            takes verdicts of earlier checks up to a day old"},
    {"linkshelf --help, -h", "show this help"},
    {"linkshelf --version", "show the version"},
};

constexpr std::string_view ExitStatuses =
    "Exit status:\n"
    "  0  the page was written (and the wizard was closed)\n"
    "  1  the page could not be written or the run failed: the settings file named does not\n"
    "     exist or is not a .lfs file, the folder of shortcuts or the template it names is\n"
    "     missing or unreadable, no folder of shortcuts is set, the template is empty, the\n"
    "     wizard cannot open a display or is already open, or the import wrote nothing\n"
    "  2  no shortcut was found; nothing was written\n"
    "  3  --check found a dead link (1: the check could not run or was stopped with\n"
    "     Ctrl+C, whatever it had found)\n";

bool IsRunSwitch(const std::string& argument) {
    return argument.size() == 4 && (argument[0] == '-' || argument[0] == '/') &&
           SameTextNoCase(argument.substr(1), "RUN");
}

bool EndsInLfs(const std::string& argument) {
    return argument.size() >= 4 && SameTextNoCase(argument.substr(argument.size() - 4), ".lfs");
}

bool Has(const std::vector<std::string>& arguments, std::initializer_list<std::string_view> any) {
    return std::any_of(arguments.begin(), arguments.end(), [&](const std::string& argument) {
        return std::find(any.begin(), any.end(), argument) != any.end();
    });
}

} // namespace

CommandLine CommandLine::Parse(const std::vector<std::string>& arguments,
                               const std::string& defaultSettingsPath) {
    if (Has(arguments, {"--help", "-h"}))
        return {defaultSettingsPath, Mode::Help};
    if (Has(arguments, {"--version"}))
        return {defaultSettingsPath, Mode::Version};
    if (!arguments.empty() && FileExists(arguments.front()))
        return {arguments.front(),
                EndsInLfs(arguments.front()) ? Mode::Unattended : Mode::NotSettingsFile};
    if (!arguments.empty() && EndsInLfs(arguments.front()))
        return {arguments.front(), Mode::MissingSettingsFile};
    const bool run = std::any_of(arguments.begin(), arguments.end(), IsRunSwitch);
    return {defaultSettingsPath, run ? Mode::Unattended : Mode::Wizard};
}

std::string CommandLine::HelpText(const std::string& defaultSettingsPath) {
    // Forms side by side with their meanings; a form too long for that has its meaning on the
    // next line, so the usage stays within a terminal's width.
    constexpr std::size_t columns = 80;
    constexpr std::size_t formWidth = 26;
    std::string text = "Usage:\n";
    for (const UsageLine& line : Usage) {
        text += "  " + std::string(line.form);
        if (2 + formWidth + line.meaning.size() < columns && line.form.size() < formWidth)
            text += std::string(formWidth - line.form.size(), ' ');
        else
            text += "\n" + std::string(2 + formWidth, ' ');
        text += std::string(line.meaning) + "\n";
    }
    text +=
        "\n" + std::string(ExitStatuses) + "\nDefault settings file: " + defaultSettingsPath + "\n";
    return text;
}
