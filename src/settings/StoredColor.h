// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/SystemColors.h"

#include <cstdint>

// A colour as settings files keep it: 0x00BBGGRR, red in the lowest byte. A value whose top byte
// is SystemColorFlag names one of the desktop's own colours by its index in the lowest byte, so
// that it follows the desktop's scheme.
using StoredColor = std::int32_t;

inline constexpr std::uint32_t SystemColorFlag = 0x80000000u;

constexpr StoredColor SystemColor(SystemColorIndex index) {
    return static_cast<StoredColor>(SystemColorFlag | static_cast<std::uint32_t>(index));
}
