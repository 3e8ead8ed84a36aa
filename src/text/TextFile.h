// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"

#include <string>
#include <string_view>

// Replaces the whole content of fileName with text; the old file survives a failed write, and
// the failure names the file and the system's reason.
Result WriteTextFile(std::string_view text, const std::string& fileName);
// The whole content of fileName, or the failure naming it and the system's reason; anything
// but a plain file is refused.
ResultOf<std::string> ReadTextFile(const std::string& fileName);
