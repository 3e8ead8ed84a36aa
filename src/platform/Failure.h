// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <utility>

// Why something could not be done, carried from where it failed to the message the user reads:
// what failed (in the program's words), the file or folder it concerns, and the cause (the
// system's reason, or the program's own).
struct Failure {
    std::string message;
    std::string path;
    std::string cause;

    // A failure whose cause is the system's reason for an errno value.
    static Failure FromErrno(std::string message, std::string path, int error);
    // The message, then the cause on a line of its own.
    std::string Text() const;
};

// The system's description of an errno value, in the user's language.
std::string SystemReason(int error);

// Success, or a failure with its cause. True on success, so that it reads as the flag it
// replaces.
class [[nodiscard]] Result {
public:
    Result() = default;
    // A failed result; implicit, so that a routine can return the failure itself.
    Result(Failure failure) : failure_(std::move(failure)), failed_(true) {}

    explicit operator bool() const { return !failed_; }
    const Failure& failure() const { return failure_; }

private:
    Failure failure_;
    bool failed_ = false;
};
