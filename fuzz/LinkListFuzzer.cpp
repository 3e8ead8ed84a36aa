// SPDX-License-Identifier: GPL-3.0-or-later
// The link list over a small shortcut tree decoded from the input: folders, shortcut files with
// any content, symbolic links (to the folder itself, its parent, the tree's top, a sibling,
// nowhere, a device), named pipes and folders named like shortcuts. Whatever the names hold,
// the count matches the links on the page, and every '<' on it opens one of the list's tags.
//
// Input: a flags byte (bit 0 shows addresses, bit 1 leaves subfolders out), the ignored-folder
// list as one length-prefixed text split at ';', then operations, each an operation byte
// followed by what it takes (see Operation): names and contents are length-prefixed texts, a
// link's target kind is one byte.

#include "FuzzInput.h"
#include "generation/BuildLinkList.h"
#include "settings/Settings.h"
#include "text/Text.h"

#include <fcntl.h>
#include <filesystem>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class Operation : std::uint8_t {
    Folder,    // name: a subfolder, which the following operations fill
    Up,        // back to the folder above
    Shortcut,  // name, content: a file, its name ending in ".url"
    Link,      // name, target kind: a symbolic link
    Pipe,      // name: a named pipe
    UrlFolder, // name: an empty folder named like a shortcut
    PlainFile, // name, content: a file under the name as it is
};
constexpr std::uint8_t OperationCount = 7;
constexpr std::size_t MaxDepth = 8;
constexpr int MaxOperations = 64;

// A name the file system takes: no '/' or zero byte, not "." or "..", not too long.
std::string EntryName(std::string name) {
    std::erase_if(name, [](char c) { return c == '/' || c == '\0'; });
    if (name.size() > 200)
        name.resize(200);
    if (name.empty() || name == "." || name == "..")
        name = "_" + name;
    return name;
}

std::string ShortcutName(std::string name) {
    name = EntryName(std::move(name));
    const bool hasExtension =
        name.size() >= 4 && strncasecmp(name.c_str() + name.size() - 4, ".url", 4) == 0;
    return hasExtension ? name : name.substr(0, 196) + ".url";
}

void WriteFile(const std::string& path, const std::string& bytes) {
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    Require(write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()),
            "a scratch file can be written");
    close(fd);
}

std::string LinkTarget(std::uint8_t kind, const std::string& top, const std::string& sibling) {
    switch (kind % 7) {
    case 0:
        return ".";
    case 1:
        return "..";
    case 2:
        return top;
    case 3:
        return "nowhere";
    case 4:
        return "/dev/zero";
    case 5:
        return "/dev/null";
    default:
        return sibling;
    }
}

// Builds the tree under top; the folders of the path being filled are kept as a stack.
void BuildTree(FuzzInput& input, const std::string& top) {
    std::vector<std::string> folders{top};
    std::string sibling = "nowhere";
    for (int operation = 0; operation < MaxOperations && !input.Empty(); ++operation) {
        const auto kind = static_cast<Operation>(input.Byte() % OperationCount);
        if (kind == Operation::Up) {
            if (folders.size() > 1)
                folders.pop_back();
            continue;
        }
        const std::string name =
            kind == Operation::Shortcut ? ShortcutName(input.Text()) : EntryName(input.Text());
        const std::string path = folders.back() + name;
        switch (kind) {
        case Operation::Folder:
            if (mkdir(path.c_str(), 0700) == 0 && folders.size() < MaxDepth)
                folders.push_back(path + "/");
            break;
        case Operation::Shortcut:
        case Operation::PlainFile:
            WriteFile(path, input.Text());
            break;
        case Operation::Link:
            (void)symlink(LinkTarget(input.Byte(), top, sibling).c_str(), path.c_str());
            break;
        case Operation::Pipe:
            (void)mkfifo(path.c_str(), 0600);
            break;
        case Operation::UrlFolder:
            (void)mkdir((folders.back() + ShortcutName(name)).c_str(), 0700);
            break;
        case Operation::Up:
            break;
        }
        sibling = name;
    }
}

std::size_t Occurrences(std::string_view html, std::string_view piece) {
    std::size_t count = 0;
    for (auto at = html.find(piece); at != std::string_view::npos; at = html.find(piece, at + 1))
        ++count;
    return count;
}

// Every '<' on the page opens one of the tags the list is made of; a name or an address never
// adds one.
bool OnlyListTags(std::string_view html) {
    constexpr std::string_view tags[] = {"<DL>", "</DL>", "<DT>",           "<A HREF=\"",  "</A>",
                                         "<H4>", "</H4>", "<!-- Start of ", "<!-- End of "};
    for (auto at = html.find('<'); at != std::string_view::npos; at = html.find('<', at + 1)) {
        const std::string_view rest = html.substr(at);
        bool known = false;
        for (const std::string_view tag : tags)
            known = known || rest.starts_with(tag);
        if (!known)
            return false;
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzInput input(data, size);
    const std::uint8_t flags = input.Byte();
    Settings holders;
    holders.showUrl = (flags & 1) != 0;
    holders.includeSubfolders = (flags & 2) == 0;
    Globals globals;
    SplitByChar(input.Text(), ';', globals.IgnoreList);

    std::string top = ScratchFolder() + "tree-XXXXXX";
    Require(mkdtemp(top.data()) != nullptr, "a tree folder can be made");
    top += "/";
    BuildTree(input, top);
    holders.sourceFolder = top;

    std::string html;
    BuildLinkList(holders, globals, html);
    std::error_code ignored;
    std::filesystem::remove_all(top, ignored);

    Require(html.starts_with("<DL>") && html.ends_with("</DL>\r\n"), "the list is one <DL>");
    Require(static_cast<std::size_t>(globals.LinkCount) == Occurrences(html, "<A HREF=\"") &&
                static_cast<std::size_t>(globals.LinkCount) == Occurrences(html, "</A>"),
            "the link count is the number of links on the page");
    Require(OnlyListTags(html), "every '<' opens one of the list's tags");
    Require(Occurrences(html, "<!--") == Occurrences(html, "-->") &&
                Occurrences(html, "<!-- Start of ") == Occurrences(html, "<!-- End of "),
            "every folder's comments are whole and closed");
    Require(Occurrences(html, "<DL>") == Occurrences(html, "</DL>"), "every list is closed");
    Require(globals.IgnoredCount >= 0, "the ignored count never goes below zero");
    return 0;
}
