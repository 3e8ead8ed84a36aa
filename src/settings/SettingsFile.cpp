#include "SettingsFile.h"

#include "FactoryDefaults.h"
#include "FileChecks.h"
#include "IniFile.h"
#include "Text.h"

#include <QLockFile>
#include <QString>
#include <cctype>
#include <cerrno>
#include <limits>
#include <optional>

namespace {

constexpr std::string_view Section = "Options";

std::optional<std::int32_t> ParseDecimal(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty())
        return std::nullopt;
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    std::int64_t value = 0;
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::optional<std::int32_t> ParseHexadecimal(std::string_view digits) {
    if (digits.empty() || digits.size() > 8)
        return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : digits) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        const int digit = std::isdigit(static_cast<unsigned char>(c))
                              ? c - '0'
                              : std::toupper(static_cast<unsigned char>(c)) - 'A' + 10;
        value = value << 4 | static_cast<std::uint32_t>(digit);
    }
    return static_cast<std::int32_t>(value);
}

bool HasExtensionLfs(const std::string& path) {
    const std::string name = TextAfterLast(path, '/');
    const auto dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    std::string extension = name.substr(dot);
    for (char& c : extension)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return extension == ".lfs";
}

// The settings from one loaded file, each key falling back to its default when absent.
class SettingsReader {
public:
    explicit SettingsReader(const IniFile& file) : file_(file) {}

    std::string Text(std::string_view key, const std::string& defaultValue) const {
        return file_.Value(Section, key).value_or(defaultValue);
    }
    std::int32_t Integer(std::string_view key, std::int32_t defaultValue) const {
        const auto value = file_.Value(Section, key);
        return value ? ReadIntegerValue(*value, defaultValue) : defaultValue;
    }
    bool Boolean(std::string_view key, bool defaultValue) const {
        const auto value = file_.Value(Section, key);
        return value ? ReadBooleanValue(*value, defaultValue) : defaultValue;
    }

private:
    const IniFile& file_;
};

// The value the file holds for a key, trimmed; nothing when the key is absent or empty.
std::optional<std::string> NamedValue(const IniFile& file, std::string_view key) {
    const auto value = file.Value(Section, key);
    if (!value || TrimText(*value).empty())
        return std::nullopt;
    return TrimText(*value);
}

std::string SourceFolderFrom(const IniFile& file, Globals& globals) {
    const auto named = NamedValue(file, "SourceFolder");
    if (!named)
        return globals.FavoritesFolder;
    if (const int error = FolderError(*named); error != 0) {
        globals.UnusableSourceFolder = {*named, *named, globals.FavoritesFolder, error};
        return globals.FavoritesFolder;
    }
    return *named;
}

std::string TemplatePathFrom(const IniFile& file, Globals& globals) {
    const auto named = NamedValue(file, "TemplateFile");
    if (!named)
        return globals.DefaultTemplatePath();
    const std::string path =
        named->find('/') == std::string::npos ? globals.Layout.DataFile(*named) : *named;
    if (const int error = FileReadError(path); error != 0) {
        globals.UnusableTemplate = {*named, path, globals.DefaultTemplatePath(), error};
        return globals.DefaultTemplatePath();
    }
    return path;
}

// An installed program names a template that its data folders give for a bare name by that
// name alone, so that a template of the same name the user adds later takes its place.
std::string TemplateFileValue(const Globals& globals) {
    if (globals.UnusableTemplate && globals.TemplatePath == globals.UnusableTemplate->fallback)
        return globals.UnusableTemplate->value;
    if (globals.Layout.kind != ProgramLayout::Kind::Installed)
        return globals.TemplatePath;
    const std::string name = TextAfterLast(globals.TemplatePath, '/');
    return globals.Layout.DataFile(name) == globals.TemplatePath ? name : globals.TemplatePath;
}

std::string SourceFolderValue(const SettingsHolders& holders, const Globals& globals) {
    const std::string folder = TrimText(holders.SourceFolder());
    if (globals.UnusableSourceFolder && folder == TrimText(globals.UnusableSourceFolder->fallback))
        return globals.UnusableSourceFolder->value;
    return folder;
}

// Another program saving the same file holds the lock for a moment only, so a few seconds'
// wait is enough; a lock left by a program that died is taken over. A folder that takes no lock
// file (a writable file in a read-only folder) is saved without one.
bool WaitForSavingTurn(QLockFile& turn) {
    constexpr int staleAfterMs = 30'000;
    constexpr int waitMs = 10'000;
    turn.setStaleLockTime(staleAfterMs);
    if (turn.tryLock(waitMs) || turn.error() != QLockFile::LockFailedError)
        return true;
    errno = EBUSY;
    return false;
}

const char* Flag(bool value) {
    return value ? "1" : "0";
}

} // namespace

std::int32_t ReadIntegerValue(const std::string& text, std::int32_t defaultValue) {
    std::string_view value(text);
    while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
        value.remove_prefix(1);
    std::optional<std::int32_t> number;
    if (value.starts_with("0x") || value.starts_with("0X"))
        number = ParseHexadecimal(value.substr(2));
    else if (value.starts_with("$") || value.starts_with("x") || value.starts_with("X"))
        number = ParseHexadecimal(value.substr(1));
    else
        number = ParseDecimal(value);
    return number.value_or(defaultValue);
}

bool ReadBooleanValue(const std::string& text, bool defaultValue) {
    return ReadIntegerValue(text, defaultValue ? 1 : 0) != 0;
}

bool ReadSettings(const std::string& path, SettingsHolders& holders, Globals& globals,
                  std::string* reason) {
    IniFile file(path);
    if (!HasExtensionLfs(path) || file.Load() == IniFile::LoadResult::Unreadable) {
        if (reason != nullptr)
            *reason =
                HasExtensionLfs(path) ? SystemReason(errno) : std::string(NotSettingsFileReason);
        return false;
    }

    globals.SettingsPath = path;
    globals.IgnoreList.clear();
    globals.UnusableSourceFolder.reset();
    globals.UnusableTemplate.reset();
    const SettingsReader reader(file);
    holders.SetSourceFolder(SourceFolderFrom(file, globals));
    globals.TemplatePath = TemplatePathFrom(file, globals);
    SplitByChar(reader.Text("IgnoreFolders", ""), ';', globals.IgnoreList);
    holders.SetIncludeSubfolders(reader.Boolean("IncludeSubfolders", true));
    holders.SetOutputFile(
        reader.Text("OutputFile", globals.DesktopFolder + std::string(DefaultPageName)));
    holders.SetPageTitle(reader.Text("PageTitle", "My Favorite Links"));
    holders.SetPageFont(reader.Text("PageFont", "Arial"));
    holders.SetShowURL(reader.Boolean("ShowURL", false));
    holders.SetTextColor(reader.Integer("TextColor", 0));
    holders.SetLinkColor(reader.Integer("LinkColor", 0xFF0000));
    holders.SetVLinkColor(reader.Integer("VLinkColor", 0x800080));
    holders.SetBackColor(reader.Integer("BackColor", 0xFFFFFF));
    holders.SetLaunchBrowser(reader.Boolean("LaunchBrowser", false));
    return true;
}

bool WriteSettings(const std::string& path, const SettingsHolders& holders,
                   const Globals& globals) {
    QLockFile turn(QString::fromStdString(path + ".lock"));
    if (!WaitForSavingTurn(turn))
        return false;
    IniFile file(path);
    if (file.Load() == IniFile::LoadResult::Unreadable)
        return false;
    const std::pair<std::string_view, std::string> values[] = {
        {"SourceFolder", SourceFolderValue(holders, globals)},
        {"IgnoreFolders", JoinIgnoreList(globals.IgnoreList)},
        {"IncludeSubfolders", Flag(holders.IncludeSubfolders())},
        {"OutputFile", TrimText(holders.OutputFile())},
        {"TemplateFile", TemplateFileValue(globals)},
        {"PageTitle", TrimText(holders.PageTitle())},
        {"PageFont", TrimText(holders.PageFont())},
        {"ShowURL", Flag(holders.ShowURL())},
        {"TextColor", std::to_string(holders.TextColor())},
        {"LinkColor", std::to_string(holders.LinkColor())},
        {"VLinkColor", std::to_string(holders.VLinkColor())},
        {"BackColor", std::to_string(holders.BackColor())},
        {"LaunchBrowser", Flag(holders.LaunchBrowser())},
    };
    for (const auto& [key, value] : values)
        if (!file.SetValue(Section, key, value))
            return false;
    return file.Save();
}

bool SaveSettingsIfDefault(const SettingsHolders& holders, const Globals& globals) {
    if (!SameTextNoCase(globals.SettingsPath, globals.DefaultSettingsPath()))
        return true;
    // An installed program's settings folder is made by the first run that saves.
    globals.Layout.MakeSettingsFolder();
    return WriteSettings(globals.SettingsPath, holders, globals);
}
