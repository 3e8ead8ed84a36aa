// SPDX-License-Identifier: GPL-3.0-or-later
#include "SettingsFile.h"

#include "platform/FileChecks.h"
#include "platform/FilledText.h"
#include "platform/IniFile.h"
#include "settings/FactoryDefaults.h"
#include "settings/SettingsTable.h"
#include "text/Text.h"

#include <QCoreApplication>
#include <QLockFile>
#include <QString>
#include <cctype>
#include <limits>
#include <optional>

namespace {

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

// The value the file gives for a setting: its own reading for a setting that checks what it
// names, else the text as it stands, or read as a number or a flag; the absent value when the
// key is not there or does not read.
SettingValue ReadValue(const IniFile& file, const SettingRow& row, Globals& globals) {
    if (row.read)
        return row.read(file, globals);
    SettingValue absent = row.absent(globals);
    const auto text = file.Value(SettingsSection, row.key);
    if (!text)
        return absent;
    if (const auto* flag = std::get_if<bool>(&absent))
        return ReadBooleanValue(*text, *flag);
    if (const auto* color = std::get_if<StoredColor>(&absent))
        return ReadIntegerValue(*text, *color);
    return *text;
}

std::string WrittenText(const SettingRow& row, const Settings& settings, const Globals& globals) {
    if (row.write)
        return row.write(settings, globals);
    const SettingValue value = ValueOf(row, settings, globals);
    if (const auto* flag = std::get_if<bool>(&value))
        return *flag ? "1" : "0";
    if (const auto* color = std::get_if<StoredColor>(&value))
        return std::to_string(*color);
    return TrimText(std::get<std::string>(value));
}

// Another program saving the same file holds the lock for a moment only, so a few seconds'
// wait is enough; a lock left by a program that died is taken over. A folder that takes no lock
// file (a writable file in a read-only folder) is saved without one.
bool WaitForSavingTurn(QLockFile& turn) {
    constexpr int staleAfterMs = 30'000;
    constexpr int waitMs = 10'000;
    turn.setStaleLockTime(staleAfterMs);
    return turn.tryLock(waitMs) || turn.error() != QLockFile::LockFailedError;
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

std::string NotSettingsFileReason() {
    return FilledText(QCoreApplication::translate(
        "SettingsFile", "这不是 Linkshelf 设置文件（设置文件的名称以 .lfs 结尾）。"));
}

Result ReadSettings(const std::string& path, Settings& settings, Globals& globals) {
    const std::string message = FilledText(
        QCoreApplication::translate("SettingsFile", "正加载文件 \"%1\" 时出现一个错误！"), path);
    if (!HasExtensionLfs(path))
        return Failure{message, path, NotSettingsFileReason()};
    IniFile file(path);
    if (const Result loaded = file.Load(); !loaded)
        return loaded.failure().Saying(message);
    globals.SettingsPath = path;
    globals.UnusableSourceFolder.reset();
    globals.UnusableTemplate.reset();
    for (const SettingRow& row : SettingsTable())
        Assign(row, ReadValue(file, row, globals), settings, globals);
    return {};
}

Result WriteSettings(const std::string& path, const Settings& settings, const Globals& globals) {
    const std::string message = FilledText(
        QCoreApplication::translate("SettingsFile", "正保存文件 \"%1\" 时出现一个错误！"), path);
    QLockFile turn(QString::fromStdString(path + ".lock"));
    if (!WaitForSavingTurn(turn))
        return Failure{message, path,
                       FilledText(QCoreApplication::translate(
                           "SettingsFile", "另一个 Linkshelf 正在保存这个设置文件。"))};
    IniFile file(path);
    if (const Result loaded = file.Load(); !loaded)
        return loaded.failure().Saying(message);
    for (const SettingRow& row : SettingsTable())
        if (const Result set =
                file.SetValue(SettingsSection, row.key, WrittenText(row, settings, globals));
            !set)
            return set.failure().Saying(message);
    if (const Result saved = file.Save(); !saved)
        return saved.failure().Saying(message);
    return {};
}

Result SaveSettingsIfDefault(const Settings& settings, const Globals& globals) {
    if (!SameTextNoCase(globals.SettingsPath, globals.DefaultSettingsPath()))
        return {};
    // An installed program's settings folder is made by the first run that saves.
    globals.Layout.MakeSettingsFolder();
    return WriteSettings(globals.SettingsPath, settings, globals);
}
