// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "BookmarkTree.h"
#include "Failure.h"

#include <utility>

// What a reader gives back: the tree it read, or why there is none. True when there is a tree.
class [[nodiscard]] TreeResult {
public:
    // Implicit both ways, so that a reader returns the tree or the failure itself.
    TreeResult(BookmarkFolder tree) : tree_(std::move(tree)) {}
    TreeResult(Failure failure) : failure_(std::move(failure)), failed_(true) {}

    explicit operator bool() const { return !failed_; }
    const BookmarkFolder& tree() const { return tree_; }
    BookmarkFolder& tree() { return tree_; }
    const Failure& failure() const { return failure_; }

private:
    BookmarkFolder tree_;
    Failure failure_;
    bool failed_ = false;
};

// A reader's refusal: text names the file and the cause, path is the file.
inline Failure ReadFailure(std::string text, const std::string& path) {
    return Failure{std::move(text), path, {}};
}
