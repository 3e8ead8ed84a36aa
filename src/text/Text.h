// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Byte-string routines. Texts are UTF-8 byte strings and every routine works on single bytes.

// Text without its leading and trailing bytes of value 32 or less.
std::string TrimText(std::string_view text);
// Equal apart from the case of the letters a to z; compared as zero-terminated texts.
bool SameTextNoCase(const std::string& a, const std::string& b);
// True when text starts with prefix, apart from the case of the letters a to z.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);
// True when text ends with suffix, apart from the case of the letters a to z.
bool EndsWithNoCase(std::string_view text, std::string_view suffix);
// Every occurrence of oldText replaced, left to right; the inserted text is never searched.
std::string ReplaceAll(std::string_view text, std::string_view oldText, std::string_view newText);
// ReplaceAll inside text's own buffer: nothing is copied when oldText does not occur, and a
// large text is not copied whole for each replacement. newText must not lie inside text.
void ReplaceAllInPlace(std::string& text, std::string_view oldText, std::string_view newText);
// The part of text after the last ch; the whole text when ch does not occur.
std::string TextAfterLast(std::string_view text, char ch);
// Appends the pieces of text between the ch bytes to list; an empty last piece is dropped.
void SplitByChar(std::string_view text, char ch, std::vector<std::string>& list);
// Count tab bytes; none for a count of zero or less.
std::string TabIndent(std::int32_t count);
