// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <atomic>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

// Reads shortcuts on a thread of its own, a run of one folder's at a time, while the scan's
// thread reads the folder's other shortcuts. A walk that wants each link's time makes four
// system calls a link; two threads share them.
class ShortcutBatchReader {
public:
    // What ShortcutFile::ReadAddress tells of one shortcut.
    struct Shortcut {
        std::string address;
        std::string iconFile;
        std::optional<std::int64_t> modified;
    };

    ShortcutBatchReader();
    ~ShortcutBatchReader();
    ShortcutBatchReader(const ShortcutBatchReader&) = delete;
    ShortcutBatchReader& operator=(const ShortcutBatchReader&) = delete;

    // False on a single processor or where no second thread could be had: the caller reads
    // everything itself.
    bool Running() const { return helper_.joinable(); }
    // Starts reading names (listed names, each followed by a NUL byte) in the folder open as
    // folderFd; both must stay as they are until Wait returns.
    void Start(int folderFd, std::span<const std::string_view> names);
    // The run started last, read by the helper thread (waiting for it to finish) or, where it
    // has not begun, here: one shortcut a name, in order.
    const std::vector<Shortcut>& Wait();

private:
    void ReadRuns();
    bool Claim(std::uint32_t run);
    void ReadRun();

    int folderFd_ = -1;
    std::span<const std::string_view> names_;
    std::vector<Shortcut> read_;
    // Runs started, claimed by a reader, and read; the helper stops once `stopping_` is set and
    // a run starts.
    std::atomic<std::uint32_t> started_ = 0;
    std::atomic<std::uint32_t> claimed_ = 0;
    std::atomic<std::uint32_t> finished_ = 0;
    std::atomic<bool> helperSleeps_ = false;
    std::atomic<bool> ownerSleeps_ = false;
    std::atomic<bool> stopping_ = false;
    std::thread helper_;
};
