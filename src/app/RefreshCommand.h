// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Invocation.h"

// `linkshelf --refresh daily|hourly|on-change|off`: keeps the page of the default settings file
// up to date with the shipped systemd user units, rebuilt daily or hourly and, with on-change,
// also when its folder of shortcuts changes (on-change alone keeps the schedule set, else
// daily); off turns that off. Without a systemd user manager it prints the crontab line to use
// instead. Needs no display.
class RefreshCommand {
public:
    // Sets the refresh up through systemctl, says what it did (or why it could not) and gives
    // the exit status: 0 when it is done, 1 when not.
    static int Run(const Invocation& invocation);
};
