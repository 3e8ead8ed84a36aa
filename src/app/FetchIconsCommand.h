// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Globals.h"
#include "LinkChecker.h"

#include <string>
#include <vector>

class QNetworkAccessManager;

// linkshelf --fetch-icons [SETTINGS.lfs]: fetches the site icons of the links of the settings
// file's page (the default one when none is named) that have none, from each link's own site,
// and keeps them in the tree. The one run of the program that asks the network for icons.

// True when the command line asks for icons to be fetched.
bool IsFetchIconsCommand(const std::vector<std::string>& arguments);

// Fetches (an event loop must be able to run) and gives the exit status: 0 when the fetch ran,
// 1 when it could not. Without a network given it makes its own.
int RunFetchIconsCommand(const std::vector<std::string>& arguments, Globals& globals,
                         QNetworkAccessManager* network = nullptr, LinkChecker::Limits limits = {});
