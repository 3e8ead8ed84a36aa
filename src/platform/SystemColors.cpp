// SPDX-License-Identifier: GPL-3.0-or-later
#include "SystemColors.h"

#include <QColor>
#include <QGuiApplication>
#include <QPalette>
#include <array>
#include <optional>

namespace {

struct Mapping {
    QPalette::ColorGroup group;
    QPalette::ColorRole role;
    std::int32_t classic;
};

constexpr QPalette::ColorGroup Active = QPalette::Active;
constexpr QPalette::ColorGroup Disabled = QPalette::Disabled;

// Index by index: the palette entry closest in meaning, and the classic scheme's colour.
constexpr std::array<Mapping, 31> Colors{{
    {Active, QPalette::Button, 0xC8D0D4},          // scroll bar
    {Active, QPalette::Window, 0xA56E3A},          // desktop
    {Active, QPalette::Highlight, 0x6A240A},       // active caption
    {Active, QPalette::Mid, 0x808080},             // inactive caption
    {Active, QPalette::Window, 0xC8D0D4},          // menu
    {Active, QPalette::Base, 0xFFFFFF},            // window
    {Active, QPalette::Shadow, 0x000000},          // window frame
    {Active, QPalette::WindowText, 0x000000},      // menu text
    {Active, QPalette::Text, 0x000000},            // window text
    {Active, QPalette::HighlightedText, 0xFFFFFF}, // caption text
    {Active, QPalette::Window, 0xC8D0D4},          // active border
    {Active, QPalette::Window, 0xC8D0D4},          // inactive border
    {Active, QPalette::Dark, 0x808080},            // application workspace
    {Active, QPalette::Highlight, 0x6A240A},       // highlight
    {Active, QPalette::HighlightedText, 0xFFFFFF}, // highlighted text
    {Active, QPalette::Button, 0xC8D0D4},          // button face
    {Active, QPalette::Dark, 0x808080},            // button shadow
    {Disabled, QPalette::Text, 0x808080},          // grey text
    {Active, QPalette::ButtonText, 0x000000},      // button text
    {Disabled, QPalette::WindowText, 0xC8D0D4},    // inactive caption text
    {Active, QPalette::Light, 0xFFFFFF},           // button highlight
    {Active, QPalette::Shadow, 0x404040},          // dark 3D shadow
    {Active, QPalette::Midlight, 0xC8D0D4},        // light 3D
    {Active, QPalette::ToolTipText, 0x000000},     // tool tip text
    {Active, QPalette::ToolTipBase, 0xE1FFFF},     // tool tip background
    {Active, QPalette::Window, 0xB5B5B5},          // unused slot
    {Active, QPalette::Link, 0x800000},            // hot-tracked item
    {Active, QPalette::Highlight, 0xF0CAA6},       // active caption gradient
    {Active, QPalette::Mid, 0xC0C0C0},             // inactive caption gradient
    {Active, QPalette::Highlight, 0x6A240A},       // menu highlight
    {Active, QPalette::Window, 0xC8D0D4},          // menu bar
}};
static_assert(Colors.size() == static_cast<std::size_t>(SystemColorIndex::MenuBar) + 1,
              "one colour for each index");

std::int32_t FromQColor(const QColor& color) {
    return static_cast<std::int32_t>(color.red() | color.green() << 8 | color.blue() << 16);
}

} // namespace

std::int32_t SystemColors::Get(SystemColorIndex index) {
    const auto place = static_cast<std::size_t>(index);
    if (place >= Colors.size())
        return 0;
    const Mapping& mapping = Colors[place];
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr)
        return FromQColor(QGuiApplication::palette().color(mapping.group, mapping.role));
    return mapping.classic;
}

std::int32_t SystemColors::Resolve(std::int32_t color) {
    return color < 0 ? Get(static_cast<SystemColorIndex>(color & 0xFF)) : color;
}
