#include "CommandLine.h"
#include "ConsoleDesktop.h"
#include "Globals.h"
#include "ProgramFile.h"
#include "QtDesktop.h"
#include "Startup.h"
#include "UnattendedRun.h"

#include <QApplication>
#include <QCoreApplication>
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

std::vector<std::string> ArgumentsOf(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

} // namespace

int main(int argc, char** argv) {
    AllowManyOpenFiles();
    Globals globals;
    InitialiseGlobals(globals, ProgramFile::Path());
    const CommandLine commandLine =
        CommandLine::Parse(ArgumentsOf(argc, argv), globals.DefaultSettingsPath());
    globals.SettingsPath = commandLine.settingsPath;

    if (!commandLine.unattended) {
        std::fprintf(stderr, "Linkshelf: this build has no wizard yet; give a settings file "
                             "(linkshelf FILE.lfs) or -RUN to generate the page.\n");
        return 1;
    }

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
