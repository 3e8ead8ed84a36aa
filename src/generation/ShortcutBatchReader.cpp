// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShortcutBatchReader.h"

#include "platform/ShortcutFile.h"

#include <sched.h>
#include <system_error>

namespace {

// How often a thread looks again before it sleeps. The other thread usually answers within
// microseconds; waking a sleeping thread costs a system call and the time it takes to wake.
constexpr int Patience = 500;

// Waits until value is no longer seen, and returns it. The value is stored before the sleeper's
// flag is looked at, and the sleeper sets its flag before it looks at the value once more: one
// of the two threads sees the other, so no wake-up is missed.
std::uint32_t WaitForChange(std::atomic<std::uint32_t>& value, std::uint32_t seen,
                            std::atomic<bool>& sleeps) {
    std::uint32_t now = value.load();
    for (int look = 0; look < Patience && now == seen; ++look) {
        std::this_thread::yield();
        now = value.load();
    }
    while (now == seen) {
        sleeps.store(true);
        if (value.load() == seen)
            value.wait(seen);
        sleeps.store(false);
        now = value.load();
    }
    return now;
}

// Whether the process may run on more than one processor; on one, two threads would only take
// turns.
bool HasSecondProcessor() {
    cpu_set_t processors;
    CPU_ZERO(&processors);
    return sched_getaffinity(0, sizeof processors, &processors) != 0 || CPU_COUNT(&processors) > 1;
}

void Announce(std::atomic<std::uint32_t>& value, std::uint32_t now, std::atomic<bool>& sleeps) {
    value.store(now);
    if (sleeps.load())
        value.notify_one();
}

} // namespace

ShortcutBatchReader::ShortcutBatchReader() {
    if (!HasSecondProcessor())
        return;
    try {
        helper_ = std::thread(&ShortcutBatchReader::ReadRuns, this);
    } catch (const std::system_error&) {
        // Without a second thread the scan reads every shortcut itself, as on one processor.
    }
}

ShortcutBatchReader::~ShortcutBatchReader() {
    if (!Running())
        return;
    Wait();
    stopping_ = true;
    started_.fetch_add(1);
    started_.notify_one();
    helper_.join();
}

void ShortcutBatchReader::Start(int folderFd, std::span<const std::string_view> names) {
    folderFd_ = folderFd;
    names_ = names;
    // Strings of earlier runs keep their room, so reading allocates little once under way.
    read_.resize(names.size());
    Announce(started_, started_.load() + 1, helperSleeps_);
}

// A helper thread that has not begun the run by now (asleep, or waiting for a processor) would
// only keep the caller waiting: the caller then reads the run itself.
const std::vector<ShortcutBatchReader::Shortcut>& ShortcutBatchReader::Wait() {
    const std::uint32_t run = started_.load();
    if (Claim(run)) {
        ReadRun();
        finished_.store(run);
        return read_;
    }
    for (std::uint32_t finished = finished_.load(); finished != run;)
        finished = WaitForChange(finished_, finished, ownerSleeps_);
    return read_;
}

void ShortcutBatchReader::ReadRuns() {
    for (std::uint32_t seen = 0;;) {
        seen = WaitForChange(started_, seen, helperSleeps_);
        if (stopping_)
            return;
        if (!Claim(seen))
            continue;
        ReadRun();
        Announce(finished_, seen, ownerSleeps_);
    }
}

// Whoever claims a run first reads it; the run's names and folder are touched by no one else.
bool ShortcutBatchReader::Claim(std::uint32_t run) {
    std::uint32_t before = run - 1;
    return claimed_.compare_exchange_strong(before, run);
}

void ShortcutBatchReader::ReadRun() {
    for (std::size_t i = 0; i < names_.size(); ++i) {
        Shortcut& shortcut = read_[i];
        ShortcutFile::ReadAddress(folderFd_, names_[i].data(), shortcut.address, &shortcut.iconFile,
                                  &shortcut.modified);
    }
}
