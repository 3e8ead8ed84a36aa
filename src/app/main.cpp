// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "platform/ProgramFile.h"
#include "settings/Globals.h"
#include "settings/Startup.h"

#include <csignal>
#include <sys/resource.h>

namespace {

// The scan keeps one folder open per level of the tree; let deep trees have the room.
void AllowManyOpenFiles() {
    rlimit limit{};
    if (getrlimit(RLIMIT_NOFILE, &limit) == 0 && limit.rlim_cur < limit.rlim_max) {
        limit.rlim_cur = limit.rlim_max;
        setrlimit(RLIMIT_NOFILE, &limit);
    }
}

} // namespace

int main(int argc, char** argv) {
    // Writing past the file-size limit must fail as a short write, so the old page is kept and
    // the failure reported, instead of ending the program halfway with its temporary file left.
    std::signal(SIGXFSZ, SIG_IGN);
    AllowManyOpenFiles();
    Globals globals;
    InitialiseGlobals(globals, ProgramFile::Path());
    return CommandLine::Run(argc, argv, globals);
}
