// SPDX-License-Identifier: GPL-3.0-or-later
#include "Text.h"

#include "platform/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool IsTrimmed(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

char UpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

} // namespace

std::string TrimText(std::string_view text) {
    while (!text.empty() && IsTrimmed(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsTrimmed(text.back()))
        text.remove_suffix(1);
    return std::string(text);
}

bool SameTextNoCase(const std::string& a, const std::string& b) {
    const char* left = a.c_str();
    const char* right = b.c_str();
    for (;; ++left, ++right) {
        if (UpperAscii(*left) != UpperAscii(*right))
            return false;
        if (*left == '\0')
            return true;
    }
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() &&
           std::equal(prefix.begin(), prefix.end(), text.begin(),
                      [](char a, char b) { return UpperAscii(a) == UpperAscii(b); });
}

bool EndsWithNoCase(std::string_view text, std::string_view suffix) {
    return text.size() >= suffix.size() &&
           StartsWithNoCase(text.substr(text.size() - suffix.size()), suffix);
}

std::string ReplaceAll(std::string_view text, std::string_view oldText, std::string_view newText) {
    if (oldText.empty())
        return std::string(text);
    std::string result;
    std::size_t done = 0;
    for (auto found = text.find(oldText); found != std::string_view::npos;
         found = text.find(oldText, done)) {
        if (result.empty())
            result.reserve(text.size() + newText.size());
        result.append(text.substr(done, found - done)).append(newText);
        done = found + oldText.size();
    }
    result.append(text.substr(done));
    return result;
}

void ReplaceAllInPlace(std::string& text, std::string_view oldText, std::string_view newText) {
    if (oldText.empty())
        return;
    std::vector<std::size_t> found;
    for (auto at = text.find(oldText); at != std::string::npos;
         at = text.find(oldText, at + oldText.size()))
        found.push_back(at);
    if (found.empty())
        return;

    char* bytes = text.data();
    if (newText.size() <= oldText.size()) {
        // The text shrinks, so each kept piece moves towards the front, read before it is
        // overwritten.
        std::size_t write = found.front();
        std::size_t read = found.front();
        for (const std::size_t at : found) {
            std::memmove(bytes + write, bytes + read, at - read);
            write += at - read;
            std::memcpy(bytes + write, newText.data(), newText.size());
            write += newText.size();
            read = at + oldText.size();
        }
        std::memmove(bytes + write, bytes + read, text.size() - read);
        text.resize(write + text.size() - read);
        return;
    }
    // The text grows, so the pieces move towards the back, the last one first.
    std::size_t read = text.size();
    text.resize(text.size() + found.size() * (newText.size() - oldText.size()));
    bytes = text.data();
    std::size_t write = text.size();
    for (std::size_t piece = found.size(); piece-- > 0;) {
        const std::size_t at = found[piece];
        const std::size_t kept = read - (at + oldText.size());
        write -= kept;
        std::memmove(bytes + write, bytes + at + oldText.size(), kept);
        write -= newText.size();
        std::memcpy(bytes + write, newText.data(), newText.size());
        read = at;
    }
}

std::string TextAfterLast(std::string_view text, char ch) {
    const auto last = text.rfind(ch);
    return std::string(last == std::string_view::npos ? text : text.substr(last + 1));
}

void SplitByChar(std::string_view text, char ch, std::vector<std::string>& list) {
    std::size_t start = 0;
    for (auto separator = text.find(ch); separator != std::string_view::npos;
         separator = text.find(ch, start)) {
        list.emplace_back(text.substr(start, separator - start));
        start = separator + 1;
    }
    if (start < text.size())
        list.emplace_back(text.substr(start));
}

std::string TabIndent(std::int32_t count) {
    return count > 0 ? std::string(static_cast<std::size_t>(count), '\t') : std::string();
}
