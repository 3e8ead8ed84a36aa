// SPDX-License-Identifier: GPL-3.0-or-later
#include "SiteIcons.h"

#include <QUrl>

void SiteIcons::AddPage(const std::string& url, const Icon& icon) {
    if (!icon || !pages_.try_emplace(url, icon).second)
        return;
    if (std::string host = HostOf(url); !host.empty())
        hosts_.try_emplace(std::move(host), icon);
}

void SiteIcons::AddHost(const std::string& url, const Icon& icon) {
    if (std::string host = HostOf(url); icon && !host.empty())
        hosts_.insert_or_assign(std::move(host), icon);
}

std::string SiteIcons::HostOf(const std::string& url) {
    const QUrl parsed(QString::fromStdString(url));
    if (parsed.host().isEmpty())
        return {};
    return parsed
        .adjusted(QUrl::RemovePath | QUrl::RemoveQuery | QUrl::RemoveFragment |
                  QUrl::RemoveUserInfo)
        .toString()
        .toStdString();
}

SiteIcons::Icon SiteIcons::Find(const std::string& url) const {
    if (const auto page = pages_.find(url); page != pages_.end())
        return page->second;
    const auto host = hosts_.find(HostOf(url));
    return host != hosts_.end() ? host->second : nullptr;
}

void SiteIcons::Attach(BookmarkFolder& tree) const {
    if (Empty())
        return;
    for (BookmarkLink& link : tree.links)
        if (!link.icon)
            link.icon = Find(link.url);
    for (BookmarkFolder& folder : tree.folders)
        Attach(folder);
}
