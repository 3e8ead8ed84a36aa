// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/Invocation.h"
#include "check/LinkChecker.h"

class QNetworkAccessManager;

// linkshelf --fetch-icons [SETTINGS.lfs]: fetches the site icons of the links of the settings
// file's page (the default one when none is named) that have none, from each link's own site,
// and keeps them in the tree. The one run of the program that asks the network for icons.
class FetchIconsCommand {
public:
    // The command's handler: Fetch with a network of its own.
    static int Run(const Invocation& invocation);
    // Fetches (an event loop must be able to run) and gives the exit status: 0 when the fetch
    // ran, 1 when it could not, 4 when no site could be reached. Settings the page run would refuse
    // stop it before any request. Without a network given it makes its own.
    static int Fetch(const Invocation& invocation, QNetworkAccessManager* network = nullptr,
                     LinkChecker::Limits limits = {});
};
