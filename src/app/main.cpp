// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckCommand.h"
#include "CommandLine.h"
#include "ConsoleDesktop.h"
#include "DesktopApplication.h"
#include "FormMain.h"
#include "GenerationRun.h"
#include "Globals.h"
#include "ImportCommand.h"
#include "ProgramFile.h"
#include "QtDesktop.h"
#include "QtTranslations.h"
#include "SettingsFile.h"
#include "Startup.h"
#include "UnattendedRun.h"
#include "WindowPlacement.h"
#include "WizardLock.h"

#include <QApplication>
#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/resource.h>

namespace {

// Whether the environment names a display at all; whether it can be opened is known only once
// the application object has tried.
bool NamesDisplay() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

// The scan keeps one folder open per level of the tree; let deep trees have the room.
void AllowManyOpenFiles() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

// The wizard until its window is closed; the exit status is 0 however it ends, 1 when it
// cannot open.
int RunWizard(int argc, char** argv, Globals& globals) {
    if (!NamesDisplay()) {
        std::fprintf(stderr, "Linkshelf: the wizard needs a display. To generate the page "
                             "without one, run: linkshelf SETTINGS.lfs, or linkshelf -RUN\n");
        return 1;
    }
    DesktopApplication application(argc, argv);
    if (!application.HasDisplay()) {
        std::fprintf(stderr, "Linkshelf: the wizard cannot open the display. To generate the "
                             "page without one, run: linkshelf SETTINGS.lfs, or linkshelf -RUN\n");
        return 1;
    }
    QApplication::setApplicationName("Linkshelf");
    QGuiApplication::setDesktopFileName("org.linkshelf.Linkshelf");
    QtTranslations::Install();
    QtDesktop desktop;
    DesktopServices::Install(&desktop);
    globals.Layout.MakeSettingsFolder();
    WizardLock lock(globals.SettingsPath);
    if (!lock.Acquire()) {
        ShowError("Linkshelf 的向导已经打开了设置文件 \"" + globals.SettingsPath +
                  "\" 。请切换到那个窗口。");
        DesktopServices::Install(nullptr);
        return 1;
    }
    FormMain wizard(globals, ProgramFile::Path());
    CenterOnScreen(&wizard);
    wizard.show();
    QApplication::exec();
    DesktopServices::Install(nullptr);
    return 0;
}

// A run without the wizard: message boxes when a display can be opened, else standard error.
int RunWithoutWizard(int argc, char** argv, Globals& globals, CommandLine::Mode mode) {
    std::unique_ptr<DesktopApplication> application;
    std::unique_ptr<QCoreApplication> console;
    if (NamesDisplay())
        application = std::make_unique<DesktopApplication>(argc, argv);
    else
        console = std::make_unique<QCoreApplication>(argc, argv);
    std::unique_ptr<DesktopServices> desktop;
    if (application && application->HasDisplay()) {
        QtTranslations::Install();
        desktop = std::make_unique<QtDesktop>();
    } else
        desktop = std::make_unique<ConsoleDesktop>();
    DesktopServices::Install(desktop.get());
    int status = 1;
    if (mode == CommandLine::Mode::MissingSettingsFile)
        ShowError("设置文件 \"" + globals.SettingsPath + "\" 不存在。");
    else if (mode == CommandLine::Mode::NotSettingsFile)
        ShowError("\"" + globals.SettingsPath + "\": " + std::string(NotSettingsFileReason));
    else
        status = RunUnattended(globals);
    DesktopServices::Install(nullptr);
    return status;
}

std::vector<std::string> ArgumentsOf(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace

int main(int argc, char** argv) {
    // Writing past the file-size limit must fail as a short write, so the old page is kept and
    // the failure reported, instead of ending the program halfway with its temporary file left.
    std::signal(SIGXFSZ, SIG_IGN);
    AllowManyOpenFiles();
    const std::vector<std::string> arguments = ArgumentsOf(argc, argv);
    if (ImportCommand::Requested(arguments))
        return ImportCommand::Run(arguments);
    Globals globals;
    InitialiseGlobals(globals, ProgramFile::Path());
    if (IsCheckCommand(arguments)) {
        QCoreApplication application(argc, argv);
        return RunCheckCommand(arguments, globals);
    }
    const CommandLine commandLine = CommandLine::Parse(arguments, globals.DefaultSettingsPath());
    globals.SettingsPath = commandLine.settingsPath;

    switch (commandLine.mode) {
    case CommandLine::Mode::Help:
        std::fputs(CommandLine::HelpText(globals.DefaultSettingsPath()).c_str(), stdout);
        return 0;
    case CommandLine::Mode::Version:
        std::printf("Linkshelf %s\n", VersionText().c_str());
        return 0;
    case CommandLine::Mode::Wizard:
        return RunWizard(argc, argv, globals);
    case CommandLine::Mode::Unattended:
    case CommandLine::Mode::MissingSettingsFile:
    case CommandLine::Mode::NotSettingsFile:
        break;
    }
    return RunWithoutWizard(argc, argv, globals, commandLine.mode);
}
