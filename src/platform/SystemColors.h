#pragma once

#include <cstdint>

// The desktop's current colours by their Windows system-colour index, as 0x00BBGGRR.
class SystemColors {
public:
    // Taken from the application palette when a graphical application runs, else from the
    // classic desktop scheme; an unknown index gives black.
    static std::int32_t Get(int index);
};
