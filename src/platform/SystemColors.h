// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The desktop's current colours by their Windows system-colour index, as 0x00BBGGRR.
class SystemColors {
public:
    // Taken from the application palette when a graphical application runs, else from the
    // classic desktop scheme; an unknown index gives black.
    static std::int32_t Get(int index);
    // A stored colour as a plain 0x00BBGGRR value: a negative one names a system colour by its
    // lowest byte and is looked up; any other is taken as it is.
    static std::int32_t Resolve(std::int32_t color);
};
