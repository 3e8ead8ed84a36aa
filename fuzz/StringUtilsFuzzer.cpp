// SPDX-License-Identifier: GPL-3.0-or-later
// The byte-string routines against what they promise: ReplaceAll and ReplaceAllInPlace equal a
// plain reference, SplitByChar's pieces joined by the separator give back the text (less one
// trailing separator) and leave earlier list items alone, TextAfterLast and TrimText cut where
// they say.
//
// Input: a separator byte, the old and the new text (each preceded by its length in one byte),
// then the text.

#include "FuzzInput.h"
#include "text/Text.h"

#include <algorithm>

namespace {

std::string ReferenceReplaceAll(std::string_view text, std::string_view oldText,
                                std::string_view newText) {
    if (oldText.empty())
        return std::string(text);
    std::string result;
    std::size_t at = 0;
    while (at < text.size()) {
        if (text.substr(at, oldText.size()) == oldText) {
            result.append(newText);
            at += oldText.size();
        } else {
            result.push_back(text[at++]);
        }
    }
    return result;
}

void CheckSplit(const std::string& text, char separator) {
    const std::string earlier = "earlier item";
    std::vector<std::string> list{earlier};
    SplitByChar(text, separator, list);
    Require(list.front() == earlier, "SplitByChar keeps what the list held");

    std::string joined;
    for (std::size_t piece = 1; piece < list.size(); ++piece) {
        Require(list[piece].find(separator) == std::string::npos, "no piece holds the separator");
        if (piece > 1)
            joined.push_back(separator);
        joined.append(list[piece]);
    }
    std::string expected = text;
    if (!expected.empty() && expected.back() == separator)
        expected.pop_back();
    Require(joined == expected, "the pieces joined give back the text");
    const auto separators =
        static_cast<std::size_t>(std::count(text.begin(), text.end(), separator));
    const bool lastPiece = !text.empty() && text.back() != separator;
    Require(list.size() - 1 == separators + (lastPiece ? 1 : 0),
            "one piece per separator, and one for a non-empty end");
}

void CheckTextAfterLast(const std::string& text, char ch) {
    const std::string after = TextAfterLast(text, ch);
    Require(after.size() <= text.size() && text.ends_with(after), "TextAfterLast is an ending");
    Require(after.find(ch) == std::string::npos, "TextAfterLast holds no separator");
    Require(after.size() == text.size() || text[text.size() - after.size() - 1] == ch,
            "TextAfterLast starts after a separator or is the whole text");
}

void CheckTrim(const std::string& text) {
    const std::string trimmed = TrimText(text);
    const auto isTrimmed = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    Require(trimmed.empty() || (!isTrimmed(trimmed.front()) && !isTrimmed(trimmed.back())),
            "TrimText leaves no blank at either end");
    const auto start = text.find(trimmed);
    Require(start != std::string::npos &&
                std::all_of(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(start),
                            isTrimmed) &&
                std::all_of(text.begin() + static_cast<std::ptrdiff_t>(start + trimmed.size()),
                            text.end(), isTrimmed),
            "TrimText removes blanks only");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const auto separator = static_cast<char>(input.Byte());
    const std::string oldText = input.Text();
    const std::string newText = input.Text();
    const std::string text = input.Rest();

    const std::string replaced = ReferenceReplaceAll(text, oldText, newText);
    Require(ReplaceAll(text, oldText, newText) == replaced,
            "ReplaceAll replaces left to right and never searches what it inserted");
    std::string inPlace = text;
    ReplaceAllInPlace(inPlace, oldText, newText);
    Require(inPlace == replaced, "ReplaceAllInPlace gives what ReplaceAll gives");
    CheckSplit(text, separator);
    CheckTextAfterLast(text, separator);
    CheckTrim(text);
    return 0;
}
