// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

// The desktop's colours by their Windows system-colour index, the number settings files keep.
enum class SystemColorIndex : std::uint8_t {
    ScrollBar,
    Desktop,
    ActiveCaption,
    InactiveCaption,
    Menu,
    Window,
    WindowFrame,
    MenuText,
    WindowText,
    CaptionText,
    ActiveBorder,
    InactiveBorder,
    ApplicationWorkspace,
    Highlight,
    HighlightedText,
    ButtonFace,
    ButtonShadow,
    GreyText,
    ButtonText,
    InactiveCaptionText,
    ButtonHighlight,
    DarkShadow,
    Light,
    ToolTipText,
    ToolTipBackground,
    Unused,
    HotTrackedItem,
    ActiveCaptionGradient,
    InactiveCaptionGradient,
    MenuHighlight,
    MenuBar,
};

// The desktop's current colours as 0x00BBGGRR.
class SystemColors {
public:
    // Taken from the application palette when a graphical application runs, else from the
    // classic desktop scheme; an index no colour has (a settings file may hold any) gives black.
    static std::int32_t Get(SystemColorIndex index);
    // A stored colour as a plain 0x00BBGGRR value: a negative one names a system colour by its
    // lowest byte and is looked up; any other is taken as it is.
    static std::int32_t Resolve(std::int32_t color);
};
