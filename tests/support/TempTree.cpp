// SPDX-License-Identifier: GPL-3.0-or-later
#include "TempTree.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>

TempTree::TempTree() {
    std::string pattern = (std::filesystem::temp_directory_path() / "linkshelf-test-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make a temporary folder");
    root_ = pattern + "/";
}

TempTree::~TempTree() {
    std::error_code ignored;
    // Permission bits set by a test must not keep its files from going.
    for (auto it = std::filesystem::recursive_directory_iterator(
             root_, std::filesystem::directory_options::skip_permission_denied, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        if (!it->is_symlink(ignored))
            chmod(it->path().c_str(), 0700);
    std::filesystem::remove_all(root_, ignored);
}

void TempTree::Write(const std::string& relative, const std::string& bytes) const {
    const std::filesystem::path path = root_ + relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

void TempTree::Shortcut(const std::string& relative, const std::string& url) const {
    Write(relative, url.empty() ? "[InternetShortcut]\r\nIconIndex=0\r\n"
                                : "[InternetShortcut]\r\nURL=" + url + "\r\n");
}

void TempTree::Folder(const std::string& relative) const {
    std::filesystem::create_directories(root_ + relative);
}

std::string TempTree::Read(const std::string& relative) const {
    std::ifstream file(root_ + relative, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}
