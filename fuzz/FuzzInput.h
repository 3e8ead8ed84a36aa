// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

// Takes a fuzz input apart from front to back. Reading past its end gives zeros and empty
// texts, so that every input decodes to something and the fuzzer wastes no runs on rejects.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    bool Empty() const { return rest_.empty(); }

    std::uint8_t Byte() {
        if (rest_.empty())
            return 0;
        const auto byte = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return byte;
    }

    // A text preceded by its length in one byte.
    std::string Text() { return Take(Byte()); }

    // The bytes before the next zero byte, which is dropped; the rest when there is none.
    std::string UpToZero() {
        const auto zero = rest_.find('\0');
        std::string text(rest_.substr(0, zero));
        rest_.remove_prefix(zero == std::string_view::npos ? rest_.size() : zero + 1);
        return text;
    }

    std::string Rest() { return Take(rest_.size()); }

private:
    std::string Take(std::size_t count) {
        std::string text(rest_.substr(0, count));
        rest_.remove_prefix(text.size());
        return text;
    }

    std::string_view rest_;
};

// Stops the run with a message when a property does not hold; libFuzzer then saves the input.
inline void Require(bool holds, const char* property) {
    if (holds)
        return;
    std::fprintf(stderr, "Property broken: %s\n", property);
    std::abort();
}

// A folder of this process's own under the temporary folder, ending in '/'. fuzz/run.sh gives
// each run a temporary folder of its own and removes it afterwards, also after a crash.
inline const std::string& ScratchFolder() {
    static const std::string folder = [] {
        std::string pattern = std::filesystem::temp_directory_path() / "linkshelf-fuzz-XXXXXX";
        Require(mkdtemp(pattern.data()) != nullptr, "a scratch folder can be made");
        return pattern + "/";
    }();
    return folder;
}
