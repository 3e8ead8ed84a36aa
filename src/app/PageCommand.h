// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "CommandLine.h"

// The program without a command: the wizard, or the page made unattended from a settings file
// (named first on the command line, or the default one with -RUN).
class PageCommand {
public:
    // The wizard's exit status is 0 however it ends, 1 when it cannot open; an unattended run's
    // is its own (see RunUnattended).
    static int Run(const Invocation& invocation);
};
