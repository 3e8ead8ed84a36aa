// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

// A temporary folder for one test, removed with everything in it when the test ends.
class TempTree {
public:
    TempTree();
    ~TempTree();
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    // The folder's path, ending in '/'.
    const std::string& Root() const { return root_; }
    std::string Path(const std::string& relative) const { return root_ + relative; }

    // Creates a file (and the folders above it) holding exactly bytes.
    void Write(const std::string& relative, const std::string& bytes) const;
    // Creates a shortcut file naming url; no URL line at all when url is empty.
    void Shortcut(const std::string& relative, const std::string& url) const;
    void Folder(const std::string& relative) const;
    std::string Read(const std::string& relative) const;

private:
    std::string root_;
};
