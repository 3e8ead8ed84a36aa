// SPDX-License-Identifier: GPL-3.0-or-later
// The integer and Boolean rules of settings values, against a reference written apart from the
// program's own: any text reads as the reference says, a decimal written the way WriteSettings
// writes it reads back as itself, and every hexadecimal form agrees with the decimal one.
//
// Input: the text of one value; its first four bytes also give a number to write and read back.

#include "FuzzInput.h"
#include "settings/SettingsFile.h"

#include <charconv>
#include <cinttypes>
#include <optional>

namespace {

std::optional<std::int32_t> ReferenceInteger(std::string_view text) {
    const auto start = text.find_first_not_of(" \t");
    text.remove_prefix(start == std::string_view::npos ? text.size() : start);

    const std::size_t prefix =
        text.starts_with("0x") || text.starts_with("0X")                          ? 2
        : text.starts_with('$') || text.starts_with('x') || text.starts_with('X') ? 1
                                                                                  : 0;
    const char* const end = text.data() + text.size();
    if (prefix > 0) {
        const std::string_view hexadecimal = text.substr(prefix);
        std::uint32_t pattern = 0;
        const auto [stop, error] = std::from_chars(hexadecimal.data(), end, pattern, 16);
        if (hexadecimal.empty() || hexadecimal.size() > 8 || error != std::errc() || stop != end)
            return std::nullopt;
        return static_cast<std::int32_t>(pattern);
    }

    const bool negative = text.starts_with('-');
    if (negative || text.starts_with('+'))
        text.remove_prefix(1);
    std::uint64_t magnitude = 0;
    const auto [stop, error] = std::from_chars(text.data(), end, magnitude, 10);
    const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : (std::uint64_t{1} << 31) - 1;
    if (text.empty() || error != std::errc() || stop != end || magnitude > limit)
        return std::nullopt;
    return static_cast<std::int32_t>(negative ? -static_cast<std::int64_t>(magnitude)
                                              : static_cast<std::int64_t>(magnitude));
}

void CheckText(const std::string& text) {
    const std::optional<std::int32_t> expected = ReferenceInteger(text);
    for (const std::int32_t defaultValue : {0, 1, -1, 0x5A5A5A5A})
        Require(ReadIntegerValue(text, defaultValue) == expected.value_or(defaultValue),
                "any text reads as an integer by the rule");
    for (const bool defaultValue : {false, true})
        Require(ReadBooleanValue(text, defaultValue) == (expected ? *expected != 0 : defaultValue),
                "any text reads as a Boolean by the rule");
}

std::string Formatted(const char* format, std::uint32_t pattern) {
    char text[32];
    std::snprintf(text, sizeof text, format, pattern);
    return text;
}

void CheckNumber(std::int32_t number) {
    const std::int32_t other = ~number;
    const std::string decimal = std::to_string(number);
    Require(ReadIntegerValue(decimal, other) == number, "a written decimal reads back");
    Require(ReadIntegerValue(" \t" + decimal, other) == number, "leading blanks are skipped");
    if (number >= 0)
        Require(ReadIntegerValue("+" + decimal, other) == number, "a plus sign is accepted");
    Require(ReadBooleanValue(decimal, number == 0) == (number != 0),
            "a written decimal reads back as a Boolean");

    const auto pattern = static_cast<std::uint32_t>(number);
    for (const char* format :
         {"0x%" PRIX32, "0X%" PRIx32, "$%08" PRIX32, "x%" PRIx32, "X%" PRIX32, "$%" PRIx32})
        Require(ReadIntegerValue(Formatted(format, pattern), other) == number,
                "a hexadecimal form agrees with the decimal one");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::string text = input.Rest();
    CheckText(text);
    if (size >= 4)
        CheckNumber(static_cast<std::int32_t>(
            static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
            static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24));
    return 0;
}
