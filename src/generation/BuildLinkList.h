#pragma once

#include "Globals.h"
#include "SettingsHolders.h"

#include <string>
#include <string_view>

// Renders the shortcut tree under the source folder as the page's link list: a definition list
// with a link for every shortcut that names an address and a headed, nested list for every
// subfolder that is not ignored. Tidies the ignored-folder list first (entries trimmed, empty
// ones dropped), adds the links written to LinkCount and the folders skipped to IgnoredCount.
void BuildLinkList(const SettingsHolders& holders, Globals& globals, std::string& html);

// True when name equals an entry of the ignored-folder list, letters a to z in any case.
bool IsIgnoredFolder(const std::string& name, const std::vector<std::string>& ignoreList);

// Appends text to html as text only: & < > " are written as their character references.
void AppendEscaped(std::string& html, std::string_view text);
