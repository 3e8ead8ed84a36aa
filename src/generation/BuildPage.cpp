// SPDX-License-Identifier: GPL-3.0-or-later
#include "BuildPage.h"

#include "generation/BuildLinkList.h"
#include "generation/LinkIcons.h"
#include "generation/RunTexts.h"
#include "platform/FileChecks.h"
#include "platform/LocaleFormat.h"
#include "platform/SystemColors.h"
#include "text/Text.h"
#include "text/TextFile.h"

#include <cstddef>
#include <cstdio>
#include <functional>
#include <new>
#include <optional>
#include <utility>

std::string ColorToHex(StoredColor color) {
    color = SystemColors::Resolve(color);
    char digits[7];
    std::snprintf(digits, sizeof digits, "%02X%02X%02X", color & 0xFF, (color >> 8) & 0xFF,
                  (color >> 16) & 0xFF);
    return digits;
}

namespace {

constexpr std::size_t LinkListRoom = std::size_t{256} * 1024 * 1024;

// The title and the font name are typed by the user and may hold markup; on the page they read
// as text, like the names from the tree.
std::string EscapedSetting(const std::string& typed) {
    std::string text;
    AppendEscaped(text, TrimText(typed));
    return text;
}

} // namespace

ResultOf<std::string> BuildPage(const Settings& settings, Globals& globals) {
    globals.LinkCount = 0;
    globals.IgnoredCount = 0;
    // The template is read first: a tree is not scanned for a page that cannot be made.
    ResultOf<std::string> pageTemplate = ReadTextFile(globals.TemplatePath);
    if (!pageTemplate)
        return TemplateUnusable(globals.TemplatePath, pageTemplate.failure().cause);
    std::string links;
    // Address space the list never writes to costs no memory, since pages are only backed once
    // written; reserving plenty spares copying a list of many megabytes each time it outgrows
    // its buffer. Where even the room cannot be had, the list grows as usual.
    try {
        links.reserve(LinkListRoom);
    } catch (const std::bad_alloc&) {
    }
    const std::string source = AddTrailingPathDelimiter(TrimText(settings.sourceFolder));
    std::optional<LinkIcons> icons;
    if (settings.showIcons)
        icons.emplace(source);
    BuildLinkList(settings, globals, links, icons ? &*icons : nullptr);

    // Each value is taken when its own placeholder is replaced, and later replacements also
    // see the values put in by earlier ones.
    const std::pair<std::string_view, std::function<std::string()>> placeholders[] = {
        {"%LF_TITLE%", [&] { return EscapedSetting(settings.pageTitle); }},
        {"%LF_BACKCOLOR%", [&] { return ColorToHex(settings.backColor); }},
        {"%LF_TEXT_COLOR%", [&] { return ColorToHex(settings.textColor); }},
        {"%LF_LINK_COLOR%", [&] { return ColorToHex(settings.linkColor); }},
        {"%LF_VLINK_COLOR%", [&] { return ColorToHex(settings.visitedLinkColor); }},
        {"%LF_TEXT_FONT%", [&] { return EscapedSetting(settings.pageFont); }},
        {"%LF_DATE%", [] { return LocaleFormat::ShortDate(); }},
        {"%LF_TIME%", [] { return LocaleFormat::ShortTime(); }},
        {"%LF_LINKS_COUNT%", [&] { return std::to_string(globals.LinkCount); }},
        // Before the link list, so that a name in the list that reads like it stays as it is.
        {"%LF_LINK_ICONS%", [&] { return icons ? icons->Html() : std::string(); }},
        {"%LF_LINKS_HTML%", [&] { return std::move(links); }},
        {"%LF_HOMEPAGE_URL%", [] { return std::string(HomePageUrl); }},
        {"%LF_VERSION%", [] { return VersionText(); }},
        {"%LF_LANGUAGE%", [] { return LocaleFormat::LanguageTag(); }},
        {"%LF_DATETIME%", [] { return LocaleFormat::IsoDateTime(); }},
    };
    std::string page = std::move(*pageTemplate);
    for (const auto& [placeholder, value] : placeholders) {
        const auto first = page.find(placeholder);
        if (first == std::string::npos)
            continue;
        std::string text = value();
        // The page around a link list of many megabytes is built in the list's own buffer,
        // which has room to spare, instead of copying the list once more.
        if (text.size() > page.size() &&
            page.find(placeholder, first + placeholder.size()) == std::string::npos) {
            text.insert(0, page, 0, first);
            text.append(page, first + placeholder.size());
            page = std::move(text);
        } else {
            ReplaceAllInPlace(page, placeholder, text);
        }
    }
    return page;
}
