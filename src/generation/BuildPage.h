// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"
#include "settings/Globals.h"
#include "settings/Settings.h"

#include <string>

// The finished page: resets the counters, scans the tree, reads the template at TemplatePath
// and replaces its fifteen placeholders in their fixed order. The title and the font name go in
// trimmed and escaped (& < > " as character references). A template that cannot be read is a
// failure naming it and the cause.
ResultOf<std::string> BuildPage(const Settings& settings, Globals& globals);

// A colour as six upper-case hexadecimal digits in red, green, blue order; a negative value is
// the current colour of the system colour named by its lowest byte.
std::string ColorToHex(StoredColor color);
