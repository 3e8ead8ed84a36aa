// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkIcons.h"

#include "platform/IconImage.h"
#include "text/Text.h"

#include <QByteArray>
#include <algorithm>
#include <array>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// The style of the icons and the script that gives each link its own; the icons' rules and
// the list of which link has which follow. A link the list gives no icon shows a neutral ring.
constexpr std::string_view Style =
    "\n<style id=\"link-icons\">\n"
    "dt > a::before { content: \"\"; display: inline-block; width: 1em; height: 1em; "
    "margin-right: 0.45em; vertical-align: -0.125em; border-radius: 50%; "
    "box-shadow: inset 0 0 0 1.5px rgba(128, 128, 128, 0.45); "
    "background: center / contain no-repeat; }\n"
    "dt > a[class^=\"lf-i\"]::before { border-radius: 0; box-shadow: none; }\n";

constexpr std::string_view Script =
    "</style>\n<script>\n"
    "/* Each link of the list, in its order, takes the icon named here (none where empty). The\n"
    "   first links (more than a screen shows) take theirs at once, the others as long as the\n"
    "   browser is idle, so that a long page is ready as soon as without icons. */\n"
    "(function (order) {\n"
    "  function later(work) {\n"
    "    if (window.requestIdleCallback) requestIdleCallback(work);\n"
    "    else setTimeout(work, 0);\n"
    "  }\n"
    "  function apply() {\n"
    "    var anchors = document.getElementsByTagName(\"a\"), at = 0, from = 0;\n"
    "    (function slice(idle) {\n"
    "      for (var budget = 2000; at < anchors.length && from <= order.length; at++) {\n"
    "        if (budget === 0) {\n"
    "          if (!idle || idle.timeRemaining() < 2) break;\n"
    "          budget = 500;\n"
    "        }\n"
    "        var link = anchors[at];\n"
    "        if (link.parentNode.nodeName !== \"DT\" || !link.hasAttribute(\"href\")) continue;\n"
    "        var to = order.indexOf(\",\", from);\n"
    "        if (to < 0) to = order.length;\n"
    "        if (to > from) link.className = \"lf-i\" + order.substring(from, to);\n"
    "        from = to + 1;\n"
    "        budget--;\n"
    "      }\n"
    "      if (at < anchors.length && from <= order.length) later(slice);\n"
    "    })();\n"
    "  }\n"
    "  if (document.readyState === \"loading\") document.addEventListener(\"DOMContentLoaded\", "
    "apply);\n"
    "  else apply();\n"
    "})(\"";

// Appends the number in base 36; written once for every link of the page, so into the page.
void AppendBase36(std::string& to, int number) {
    std::array<char, 8> digits{};
    std::size_t count = 0;
    do {
        digits[count++] = "0123456789abcdefghijklmnopqrstuvwxyz"[number % 36];
        number /= 36;
    } while (number > 0);
    while (count > 0)
        to.push_back(digits[--count]);
}

// scheme://host[:port] in lower case into host; empty for an address without one. The buffer
// is the caller's, so that most links of a page cost no allocation.
void HostOf(std::string_view address, std::string& host) {
    host.clear();
    const std::size_t scheme = address.find("://");
    if (scheme == std::string_view::npos || scheme == 0)
        return;
    const std::size_t end = address.find_first_of("/?#", scheme + 3);
    host.assign(address.substr(0, end));
    for (char& c : host)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    if (host.size() <= scheme + 3)
        host.clear();
}

// Addresses of icons on the web wait for a fetch the user asks for; programs' icons are no
// images at all.
bool NamesLocalImage(std::string_view iconFile) {
    return !iconFile.empty() && !StartsWithNoCase(iconFile, "http:") &&
           !StartsWithNoCase(iconFile, "https:") && !EndsWithNoCase(iconFile, ".exe") &&
           !EndsWithNoCase(iconFile, ".dll");
}

std::string RealPath(const std::string& path) {
    char* real = realpath(path.c_str(), nullptr);
    if (real == nullptr)
        return {};
    std::string resolved = real;
    std::free(real);
    return resolved;
}

// The bytes of a plain file of at most limit bytes (path relative to folderFd); nothing for
// anything else (a device, a pipe, a folder, a larger file).
std::string SmallFile(int folderFd, const std::string& path, qsizetype limit) {
    const int fd = openat(folderFd, path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0)
        return {};
    struct stat info {};
    std::string bytes;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0 &&
        info.st_size <= limit) {
        bytes.resize(static_cast<std::size_t>(info.st_size));
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t got = read(fd, bytes.data() + done, bytes.size() - done);
            if (got < 0 && errno == EINTR)
                continue;
            if (got <= 0)
                break;
            done += static_cast<std::size_t>(got);
        }
        bytes.resize(done);
    }
    close(fd);
    return bytes;
}

} // namespace

LinkIcons::LinkIcons(const std::string& sourceFolder)
    : source_(sourceFolder.empty() || sourceFolder.ends_with('/') ? sourceFolder
                                                                  : sourceFolder + "/"),
      realSource_(RealPath(sourceFolder.empty() ? "." : sourceFolder) + "/") {}

void LinkIcons::Add(std::string_view address, std::string_view iconFile,
                    const std::vector<std::string_view>& folders) {
    linkIcons_.push_back(NamesLocalImage(iconFile) ? IconOf(iconFile, folders) : -1);
    HostOf(address, host_);
    if (host_.empty()) {
        linkHosts_.push_back(-1);
        return;
    }
    auto found = hostIds_.find(host_);
    if (found == hostIds_.end()) {
        found = hostIds_.emplace(host_, static_cast<int>(hostIds_.size())).first;
        hostIcons_.push_back(-1);
    }
    if (hostIcons_[found->second] < 0)
        hostIcons_[found->second] = linkIcons_.back();
    linkHosts_.push_back(found->second);
}

int LinkIcons::IconOf(std::string_view iconFile, const std::vector<std::string_view>& folders) {
    // The path is made plain by hand ("." and ".." taken out): most links of a tree name the
    // same few icons from many folders, and each is then looked up once. The buffers are kept
    // from link to link.
    std::vector<std::string_view>& parts = parts_;
    parts.clear();
    // An import names its icons from each folder as "../" once a level up to the source
    // folder; those levels need no folder names.
    const bool absolute = iconFile.starts_with('/');
    if (!absolute) {
        std::size_t up = 0;
        while (up < folders.size() && iconFile.substr(up * 3).starts_with("../"))
            ++up;
        iconFile.remove_prefix(up * 3);
        parts.assign(folders.begin(), folders.end() - static_cast<std::ptrdiff_t>(up));
    }
    for (std::size_t at = 0; at <= iconFile.size();) {
        const std::size_t end = std::min(iconFile.find('/', at), iconFile.size());
        const std::string_view part = iconFile.substr(at, end - at);
        if (part == ".." && parts.empty() && !absolute)
            return -1; // above the source folder: outside the tree
        if (part == ".." && !parts.empty())
            parts.pop_back();
        else if (!part.empty() && part != "." && part != "..")
            parts.push_back(part);
        at = end + 1;
    }
    std::string& path = path_;
    path.assign(absolute ? "/" : source_);
    for (std::size_t i = 0; i < parts.size(); ++i)
        path.append(parts[i]).append(i + 1 < parts.size() ? "/" : "");
    if (const auto known = iconByPath_.find(path); known != iconByPath_.end())
        return known->second;
    const int icon = Load(path);
    iconByPath_.emplace(path, icon);
    return icon;
}

int LinkIcons::Load(const std::string& path) {
    const std::string real = RealIconPath(path);
    if (real.empty() || !real.starts_with(realSource_))
        return -1;
    const std::string bytes = SmallFile(AT_FDCWD, real, IconImage::MaxBytes);
    const std::optional<QByteArray> png = IconImage::Checked(
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!png)
        return -1;
    const auto [known, added] =
        iconByContent_.try_emplace(png->toStdString(), static_cast<int>(icons_.size()));
    if (added)
        icons_.push_back(png->toBase64().toStdString());
    return known->second;
}

// The folder's resolution is kept from icon to icon, as a tree's icons share one folder; a
// name in it is resolved only when it is a symbolic link itself, so that each icon costs one
// look at its name instead of one at every part of its path.
std::string LinkIcons::RealIconPath(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos || slash == 0)
        return RealPath(path);
    const std::string_view folder(path.data(), slash);
    if (folder != knownFolder_) {
        knownFolder_.assign(folder);
        realKnownFolder_ = RealPath(knownFolder_);
    }
    struct stat info {};
    if (realKnownFolder_.empty() || lstat(path.c_str(), &info) != 0)
        return {};
    if (S_ISLNK(info.st_mode))
        return RealPath(path);
    return realKnownFolder_ + path.substr(slash);
}

std::string LinkIcons::Html() const {
    if (icons_.empty())
        return {};
    std::string html(Style);
    for (std::size_t icon = 0; icon < icons_.size(); ++icon) {
        html.append("dt > a.lf-i");
        AppendBase36(html, static_cast<int>(icon));
        html.append("::before { background-image: url(data:image/png;base64,")
            .append(icons_[icon])
            .append("); }\n");
    }
    html.append(Script);
    for (std::size_t link = 0; link < linkIcons_.size(); ++link) {
        if (link > 0)
            html.push_back(',');
        const int own = linkIcons_[link];
        const int icon = own >= 0 || linkHosts_[link] < 0 ? own : hostIcons_[linkHosts_[link]];
        if (icon >= 0)
            AppendBase36(html, icon);
    }
    html.append("\");\n</script>");
    return html;
}

std::optional<std::string> LinkIcons::ReadIconFile(int folderFd, std::string_view iconFile) {
    if (!NamesLocalImage(iconFile))
        return std::nullopt;
    std::string bytes = SmallFile(folderFd, std::string(iconFile), IconImage::MaxBytes);
    if (bytes.empty())
        return std::nullopt;
    return bytes;
}
