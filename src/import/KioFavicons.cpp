// SPDX-License-Identifier: GPL-3.0-or-later
#include "KioFavicons.h"

#include "platform/IconImage.h"

#include <QUrl>
#include <filesystem>
#include <fstream>
#include <unordered_set>

namespace {

// The file a host's icon is kept in: its name, with the port when the address has one.
std::string FileNameFor(const std::string& url) {
    const QUrl parsed(QString::fromStdString(url));
    const QString host = parsed.host().toLower();
    if (host.isEmpty() || host.contains('/'))
        return {};
    const QString port = parsed.port() > 0 ? "_" + QString::number(parsed.port()) : QString();
    return (host + port + ".png").toStdString();
}

SiteIcons::Icon ReadIcon(const std::string& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return nullptr;
    std::ifstream file(path, std::ios::binary);
    std::string bytes(static_cast<std::size_t>(IconImage::MaxBytes) + 1, '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return bytes.empty() ? nullptr : std::make_shared<const std::string>(std::move(bytes));
}

void AddHosts(const std::string& folder, const BookmarkFolder& tree,
              std::unordered_set<std::string>& asked, SiteIcons& icons) {
    for (const BookmarkLink& link : tree.links) {
        const std::string name = FileNameFor(link.url);
        if (name.empty() || !asked.insert(SiteIcons::HostOf(link.url)).second)
            continue;
        icons.AddHost(link.url, ReadIcon(folder + "/" + name));
    }
    for (const BookmarkFolder& sub : tree.folders)
        AddHosts(folder, sub, asked, icons);
}

} // namespace

SiteIcons KioFavicons::Read(const std::string& folder, const BookmarkFolder& tree) {
    SiteIcons icons;
    std::unordered_set<std::string> asked;
    AddHosts(folder, tree, asked, icons);
    return icons;
}
