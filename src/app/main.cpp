#include "CommandLine.h"
#include "ConsoleDesktop.h"
#include "FormMain.h"
#include "Globals.h"
#include "ImportCommand.h"
#include "MyFormUtils.h"
#include "ProgramFile.h"
#include "QtDesktop.h"
#include "Startup.h"
#include "UnattendedRun.h"

#include <QApplication>
#include <QCoreApplication>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <sys/resource.h>

namespace {

bool HasDisplay() {
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

// The wizard until its window is closed; the exit status is 0 however it ends.
int RunWizard(int argc, char** argv, Globals& globals) {
    if (!HasDisplay()) {
        std::fprintf(stderr, "Linkshelf: the wizard needs a display. To generate the page "
                             "without one, run: linkshelf SETTINGS.lfs, or linkshelf -RUN\n");
        return 1;
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName("Linkshelf");
    QtDesktop desktop;
    DesktopServices::Install(&desktop);
    FormMain frmMain(globals, ProgramFile::Path());
    CenterOnScreen(&frmMain);
    frmMain.show();
    QApplication::exec();
    DesktopServices::Install(nullptr);
    return 0;
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
    if (const auto arguments = ArgumentsOf(argc, argv); ImportCommand::Requested(arguments))
        return ImportCommand::Run(arguments);
    Globals globals;
    InitialiseGlobals(globals, ProgramFile::Path());
    const CommandLine commandLine =
        CommandLine::Parse(ArgumentsOf(argc, argv), globals.DefaultSettingsPath());
    globals.SettingsPath = commandLine.settingsPath;

    if (!commandLine.unattended)
        return RunWizard(argc, argv, globals);

    // Without a display nothing can be shown: messages go to standard error instead.
    std::unique_ptr<QCoreApplication> application;
    std::unique_ptr<DesktopServices> desktop;
    if (HasDisplay()) {
        application = std::make_unique<QApplication>(argc, argv);
        desktop = std::make_unique<QtDesktop>();
    } else {
        application = std::make_unique<QCoreApplication>(argc, argv);
        desktop = std::make_unique<ConsoleDesktop>();
    }
    DesktopServices::Install(desktop.get());
    const int status = RunUnattended(globals);
    DesktopServices::Install(nullptr);
    return status;
}
