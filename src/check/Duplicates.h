// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/LinkToCheck.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The address as two shortcuts to the same place would compare: scheme and host in lower case,
// a host in other scripts in its ASCII (IDNA) form, the scheme's default port dropped, an empty
// path after a host as "/", escapes normalised (unreserved characters unescaped, other escapes in
// upper case, non-ASCII bytes escaped); the rest, the fragment too, as written.
std::string NormalizeAddress(std::string_view address);

// Addresses filed in two or more places: each group holds the indexes of its links in the
// list's order, and the groups come in the order of their first place.
struct DuplicateGroup {
    std::string address;
    std::vector<std::size_t> places;
};
std::vector<DuplicateGroup> FindDuplicates(const std::vector<LinkToCheck>& links);
