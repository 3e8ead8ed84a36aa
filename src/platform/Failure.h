// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
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
    // The same failure told in the caller's words: a file helper knows the path and the cause,
    // its caller what was being done.
    Failure Saying(std::string text) const;
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

// A value, or the failure that kept it from being made: never an empty value standing for a
// failure.
template <typename T> class [[nodiscard]] ResultOf {
public:
    // Implicit both ways, so that a routine returns the value or the failure itself.
    ResultOf(T value) : value_(std::move(value)) {}
    ResultOf(Failure failure) : failure_(std::move(failure)) {}

    explicit operator bool() const { return value_.has_value(); }
    const Failure& failure() const { return failure_; }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }
    // Success or the failure, without the value.
    Result Outcome() const { return *this ? Result() : Result(failure_); }

private:
    std::optional<T> value_;
    Failure failure_;
};
