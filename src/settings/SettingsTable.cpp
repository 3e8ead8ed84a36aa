// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsTable.h"

#include "platform/FileChecks.h"
#include "platform/IniFile.h"
#include "text/Text.h"

#include <array>
#include <type_traits>

namespace {

SettingValue Favorites(const Globals& globals) {
    return globals.FavoritesFolder;
}

SettingValue PageOnDesktop(const Globals& globals) {
    return globals.DesktopFolder + std::string(DefaultPageName);
}

SettingValue DefaultTemplate(const Globals& globals) {
    return globals.DefaultTemplatePath();
}

// A value that does not depend on the user's folders.
std::function<SettingValue(const Globals&)> Always(const SettingValue& value) {
    return [value](const Globals&) { return value; };
}

std::function<std::optional<SettingValue>(const Globals&)>
Factory(const std::function<SettingValue(const Globals&)>& value) {
    return [value](const Globals& globals) { return std::optional<SettingValue>(value(globals)); };
}

// The value the file holds for a key, trimmed; nothing when the key is absent or empty.
std::optional<std::string> NamedValue(const IniFile& file, std::string_view key) {
    const auto value = file.Value(SettingsSection, key);
    if (!value || TrimText(*value).empty())
        return std::nullopt;
    return TrimText(*value);
}

// A folder the file names but that cannot be listed is noted and the Favorites folder shown.
SettingValue ReadSourceFolder(const IniFile& file, Globals& globals) {
    const auto named = NamedValue(file, "SourceFolder");
    if (!named)
        return globals.FavoritesFolder;
    if (const Result listable = CanListFolder(*named); !listable) {
        globals.UnusableSourceFolder = {*named, *named, globals.FavoritesFolder,
                                        listable.failure().cause};
        return globals.FavoritesFolder;
    }
    return *named;
}

// A bare template name is looked up where the default template is; one that cannot be read is
// noted and the default template used.
SettingValue ReadTemplateFile(const IniFile& file, Globals& globals) {
    const auto named = NamedValue(file, "TemplateFile");
    if (!named)
        return globals.DefaultTemplatePath();
    const std::string path =
        named->find('/') == std::string::npos ? globals.Layout.DataFile(*named) : *named;
    if (const Result readable = CanReadFile(path); !readable) {
        globals.UnusableTemplate = {*named, path, globals.DefaultTemplatePath(),
                                    readable.failure().cause};
        return globals.DefaultTemplatePath();
    }
    return path;
}

// While the fallback for a missing folder stands unchanged, the file keeps its own value.
std::string WriteSourceFolder(const Settings& settings, const Globals& globals) {
    std::string folder = TrimText(settings.sourceFolder);
    if (globals.UnusableSourceFolder && folder == TrimText(globals.UnusableSourceFolder->fallback))
        return globals.UnusableSourceFolder->value;
    return folder;
}

// An installed program names a template that its data folders give for a bare name by that
// name alone, so that a template of the same name the user adds later takes its place.
std::string WriteTemplateFile(const Settings& /*settings*/, const Globals& globals) {
    if (globals.UnusableTemplate && globals.TemplatePath == globals.UnusableTemplate->fallback)
        return globals.UnusableTemplate->value;
    if (globals.Layout.kind != ProgramLayout::Kind::Installed)
        return globals.TemplatePath;
    const std::string name = TextAfterLast(globals.TemplatePath, '/');
    return globals.Layout.DataFile(name) == globals.TemplatePath ? name : globals.TemplatePath;
}

std::string WriteIgnoreFolders(const Settings& /*settings*/, const Globals& globals) {
    return JoinIgnoreList(globals.IgnoreList);
}

const std::string Empty;
const SettingValue On = true;
const SettingValue Off = false;

} // namespace

std::span<const SettingRow> SettingsTable() {
    // Made on first use, so that records made before main() find it.
    static const std::array<SettingRow, 14> table{{
        {.key = "SourceFolder",
         .place = &Settings::sourceFolder,
         .initial = Empty,
         .absent = Favorites,
         .factory = Factory(Favorites),
         .read = ReadSourceFolder,
         .write = WriteSourceFolder},
        {.key = "IgnoreFolders",
         .place = SharedSetting::IgnoreFolders,
         .initial = std::nullopt,
         .absent = Always(Empty),
         .factory = nullptr,
         .read = nullptr,
         .write = WriteIgnoreFolders},
        {.key = "IncludeSubfolders",
         .place = &Settings::includeSubfolders,
         .initial = On,
         .absent = Always(On),
         .factory = Factory(Always(On)),
         .read = nullptr,
         .write = nullptr},
        {.key = "OutputFile",
         .place = &Settings::outputFile,
         .initial = Empty,
         .absent = PageOnDesktop,
         .factory = Factory(PageOnDesktop),
         .read = nullptr,
         .write = nullptr},
        {.key = "TemplateFile",
         .place = SharedSetting::TemplateFile,
         .initial = std::nullopt,
         .absent = DefaultTemplate,
         .factory = Factory(DefaultTemplate),
         .read = ReadTemplateFile,
         .write = WriteTemplateFile},
        {.key = "PageTitle",
         .place = &Settings::pageTitle,
         .initial = std::string("我的书签"),
         .absent = Always(std::string("My Favorite Links")),
         .factory = Factory(Always(std::string("My Favorite Links"))),
         .read = nullptr,
         .write = nullptr},
        {.key = "PageFont",
         .place = &Settings::pageFont,
         .initial = std::string("宋体"),
         .absent = Always(std::string("Arial")),
         .factory = Factory(Always(std::string("Arial"))),
         .read = nullptr,
         .write = nullptr},
        {.key = "ShowURL",
         .place = &Settings::showUrl,
         .initial = Off,
         .absent = Always(Off),
         .factory = Factory(Always(Off)),
         .read = nullptr,
         .write = nullptr},
        {.key = "ShowIcons",
         .place = &Settings::showIcons,
         .initial = On,
         .absent = Always(On),
         .factory = Factory(Always(On)),
         .read = nullptr,
         .write = nullptr},
        {.key = "TextColor",
         .place = &Settings::textColor,
         .initial = SystemColor(SystemColorIndex::WindowText),
         .absent = Always(StoredColor{0x000000}),
         .factory = Factory(Always(StoredColor{0x000000})),
         .read = nullptr,
         .write = nullptr},
        {.key = "LinkColor",
         .place = &Settings::linkColor,
         .initial = StoredColor{0xFF0000},
         .absent = Always(StoredColor{0xFF0000}),
         .factory = Factory(Always(StoredColor{0xFF0000})),
         .read = nullptr,
         .write = nullptr},
        {.key = "VLinkColor",
         .place = &Settings::visitedLinkColor,
         .initial = StoredColor{0x800080},
         .absent = Always(StoredColor{0x800080}),
         .factory = Factory(Always(StoredColor{0x800080})),
         .read = nullptr,
         .write = nullptr},
        {.key = "BackColor",
         .place = &Settings::backColor,
         .initial = StoredColor{0xFFFFFF},
         .absent = Always(StoredColor{0xFFFFFF}),
         .factory = Factory(Always(StoredColor{0xFFFFFF})),
         .read = nullptr,
         .write = nullptr},
        {.key = "LaunchBrowser",
         .place = &Settings::launchBrowser,
         .initial = On,
         .absent = Always(Off),
         .factory = Factory(Always(On)),
         .read = nullptr,
         .write = nullptr},
    }};
    return table;
}

namespace {

// Puts the value into the record when the setting is a member of it; false when it is not.
bool SetMember(const SettingRow& row, const SettingValue& value, Settings& settings) {
    return std::visit(
        [&](auto place) {
            if constexpr (std::is_same_v<decltype(place), SharedSetting>) {
                return false;
            } else {
                using Member = std::remove_reference_t<decltype(settings.*place)>;
                settings.*place = std::get<Member>(value);
                return true;
            }
        },
        row.place);
}

} // namespace

SettingValue ValueOf(const SettingRow& row, const Settings& settings, const Globals& globals) {
    return std::visit(
        [&](auto place) -> SettingValue {
            if constexpr (!std::is_same_v<decltype(place), SharedSetting>)
                return settings.*place;
            else if (place == SharedSetting::TemplateFile)
                return globals.TemplatePath;
            else
                return JoinIgnoreList(globals.IgnoreList);
        },
        row.place);
}

void Assign(const SettingRow& row, const SettingValue& value, Settings& settings,
            Globals& globals) {
    if (SetMember(row, value, settings))
        return;
    const auto& text = std::get<std::string>(value);
    if (std::get<SharedSetting>(row.place) == SharedSetting::TemplateFile) {
        globals.TemplatePath = text;
        return;
    }
    globals.IgnoreList.clear();
    SplitByChar(text, ';', globals.IgnoreList);
}

Settings::Settings() {
    for (const SettingRow& row : SettingsTable())
        if (row.initial)
            SetMember(row, *row.initial, *this);
}

std::string JoinIgnoreList(const std::vector<std::string>& ignoreList) {
    std::string joined;
    for (std::size_t i = 0; i < ignoreList.size(); ++i) {
        if (i > 0)
            joined += ';';
        joined += ignoreList[i];
    }
    return joined;
}
