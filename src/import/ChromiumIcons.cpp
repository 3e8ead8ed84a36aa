// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChromiumIcons.h"

#include "import/ImportTexts.h"
#include "import/SiteIcons.h"
#include "import/SqliteCopy.h"

#include <cstdlib>
#include <sqlite3.h>
#include <unordered_map>
#include <vector>

namespace {

constexpr int PreferredWidth = 32;

struct Bitmap {
    int distance = 0;
    SiteIcons::Icon icon;
};

} // namespace

ResultOf<SiteIcons> ChromiumIcons::Read(const std::string& path) {
    SqliteCopy database;
    if (const int copied = database.Open(path); copied != 0)
        return Failure{ImportTexts::IconsUnreadable(path), path,
                       copied > 0 ? SystemReason(copied) : database.Cause()};
    std::unordered_set<std::string> mapping;
    std::unordered_set<std::string> bitmaps;
    if (!database.Columns("icon_mapping", mapping) || !database.Columns("favicon_bitmaps", bitmaps))
        return Failure{ImportTexts::IconsUnreadable(path), path, database.Cause()};
    if (!SqliteCopy::HasAll(mapping, {"id", "page_url", "icon_id"}) ||
        !SqliteCopy::HasAll(bitmaps, {"id", "icon_id", "image_data", "width"}))
        return Failure{ImportTexts::IconsUnreadable(path), path, ""};
    // Each icon's picture nearest the wanted size, then the pages in the order they were mapped.
    std::unordered_map<long long, Bitmap> best;
    std::vector<std::pair<std::string, long long>> pages;
    const bool read =
        database.EachRow(
            "SELECT icon_id, width, image_data FROM favicon_bitmaps ORDER BY id",
            [&](sqlite3_stmt* row) {
                const int distance = std::abs(sqlite3_column_int(row, 1) - PreferredWidth);
                const auto [found, added] = best.try_emplace(sqlite3_column_int64(row, 0));
                if (added || distance < found->second.distance)
                    found->second = {distance,
                                     std::make_shared<const std::string>(SqliteCopy::Blob(row, 2))};
            }) &&
        database.EachRow(
            "SELECT page_url, icon_id FROM icon_mapping ORDER BY id", [&](sqlite3_stmt* row) {
                pages.emplace_back(SqliteCopy::Text(row, 0), sqlite3_column_int64(row, 1));
            });
    if (!read)
        return Failure{ImportTexts::IconsUnreadable(path), path, database.Cause()};
    SiteIcons icons;
    for (const auto& [url, iconId] : pages)
        if (const auto bitmap = best.find(iconId); bitmap != best.end())
            icons.AddPage(url, bitmap->second.icon);
    return icons;
}
