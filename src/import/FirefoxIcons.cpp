// SPDX-License-Identifier: GPL-3.0-or-later
#include "FirefoxIcons.h"

#include "import/ImportTexts.h"
#include "import/SiteIcons.h"
#include "import/SqliteCopy.h"

#include <QFileInfo>
#include <cerrno>
#include <cstdlib>
#include <sqlite3.h>
#include <unordered_map>

namespace {

constexpr int SvgWidth = 65535;
constexpr int PreferredWidth = 32;

int DistanceOf(int width) {
    return width == SvgWidth ? 0 : std::abs(width - PreferredWidth);
}

struct Candidate {
    int distance = 0;
    SiteIcons::Icon icon;
};

// Icons by their row, so that pages sharing one share its bytes.
class IconRows {
public:
    SiteIcons::Icon Get(sqlite3_stmt* row, int idColumn, int dataColumn) {
        SiteIcons::Icon& icon = byId_[sqlite3_column_int64(row, idColumn)];
        if (!icon)
            icon = std::make_shared<const std::string>(SqliteCopy::Blob(row, dataColumn));
        return icon;
    }

private:
    std::unordered_map<long long, SiteIcons::Icon> byId_;
};

// Keeps the nearer of two candidates; the one kept first at equal distance.
void KeepNearer(std::unordered_map<std::string, Candidate>& best, const std::string& key,
                Candidate candidate) {
    const auto [found, added] = best.try_emplace(key, candidate);
    if (!added && candidate.distance < found->second.distance)
        found->second = std::move(candidate);
}

Result ReadIconsDatabase(const std::string& path, SiteIcons& icons) {
    SqliteCopy database;
    if (const int copied = database.Open(path); copied != 0)
        return Failure{ImportTexts::IconsUnreadable(path), path,
                       copied > 0 ? SystemReason(copied) : database.Cause()};
    std::unordered_set<std::string> iconColumns;
    std::unordered_set<std::string> pageColumns;
    std::unordered_set<std::string> linkColumns;
    if (!database.Columns("moz_icons", iconColumns) ||
        !database.Columns("moz_pages_w_icons", pageColumns) ||
        !database.Columns("moz_icons_to_pages", linkColumns))
        return Failure{ImportTexts::IconsUnreadable(path), path, database.Cause()};
    if (!SqliteCopy::HasAll(iconColumns, {"id", "icon_url", "width", "data"}) ||
        !SqliteCopy::HasAll(pageColumns, {"id", "page_url"}) ||
        !SqliteCopy::HasAll(linkColumns, {"page_id", "icon_id"}))
        return Failure{ImportTexts::IconsUnreadable(path), path, ""};
    IconRows rows;
    std::unordered_map<std::string, Candidate> pages;
    std::unordered_map<std::string, Candidate> roots;
    const bool read =
        database.EachRow("SELECT p.page_url, i.id, i.width, i.data FROM moz_pages_w_icons p "
                         "JOIN moz_icons_to_pages ip ON ip.page_id = p.id "
                         "JOIN moz_icons i ON i.id = ip.icon_id ORDER BY p.id, i.id",
                         [&](sqlite3_stmt* row) {
                             KeepNearer(
                                 pages, SqliteCopy::Text(row, 0),
                                 {DistanceOf(sqlite3_column_int(row, 2)), rows.Get(row, 1, 3)});
                         }) &&
        (!iconColumns.contains("root") ||
         database.EachRow("SELECT icon_url, id, width, data FROM moz_icons WHERE root = 1 "
                          "ORDER BY id",
                          [&](sqlite3_stmt* row) {
                              KeepNearer(
                                  roots, SiteIcons::HostOf(SqliteCopy::Text(row, 0)),
                                  {DistanceOf(sqlite3_column_int(row, 2)), rows.Get(row, 1, 3)});
                          }));
    if (!read)
        return Failure{ImportTexts::IconsUnreadable(path), path, database.Cause()};
    for (const auto& [host, root] : roots)
        icons.AddHost(host, root.icon);
    for (const auto& [url, page] : pages) {
        const auto root = roots.find(SiteIcons::HostOf(url));
        const bool rootNearer = root != roots.end() && root->second.distance < page.distance;
        icons.AddPage(url, rootNearer ? root->second.icon : page.icon);
    }
    return {};
}

// Profiles older than Firefox 55: one icon per page, in places.sqlite.
Result ReadOldIcons(const std::string& path, const SqliteCopy& places, SiteIcons& icons) {
    std::unordered_set<std::string> iconColumns;
    std::unordered_set<std::string> placeColumns;
    if (!places.Columns("moz_favicons", iconColumns) || !places.Columns("moz_places", placeColumns))
        return Failure{ImportTexts::IconsUnreadable(path), path, places.Cause()};
    if (iconColumns.empty())
        return {};
    if (!SqliteCopy::HasAll(iconColumns, {"id", "data"}) || !placeColumns.contains("favicon_id"))
        return Failure{ImportTexts::IconsUnreadable(path), path, ""};
    IconRows rows;
    if (!places.EachRow("SELECT p.url, f.id, f.data FROM moz_places p "
                        "JOIN moz_favicons f ON f.id = p.favicon_id ORDER BY p.id",
                        [&](sqlite3_stmt* row) {
                            icons.AddPage(SqliteCopy::Text(row, 0), rows.Get(row, 1, 2));
                        }))
        return Failure{ImportTexts::IconsUnreadable(path), path, places.Cause()};
    return {};
}

} // namespace

ResultOf<SiteIcons> FirefoxIcons::Read(const std::string& placesPath, const SqliteCopy& places) {
    const std::string iconsPath = QFileInfo(QString::fromStdString(placesPath))
                                      .dir()
                                      .filePath("favicons.sqlite")
                                      .toStdString();
    SiteIcons icons;
    const Result read = QFileInfo::exists(QString::fromStdString(iconsPath))
                            ? ReadIconsDatabase(iconsPath, icons)
                            : ReadOldIcons(placesPath, places, icons);
    if (!read)
        return read.failure();
    return icons;
}
