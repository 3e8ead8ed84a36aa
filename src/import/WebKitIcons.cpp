// SPDX-License-Identifier: GPL-3.0-or-later
#include "WebKitIcons.h"

#include "import/ImportTexts.h"
#include "import/SqliteCopy.h"

#include <sqlite3.h>
#include <unordered_map>

ResultOf<SiteIcons> WebKitIcons::Read(const std::string& path) {
    SqliteCopy database;
    if (const int copied = database.Open(path); copied != 0)
        return Failure{ImportTexts::IconsUnreadable(path), path,
                       copied > 0 ? SystemReason(copied) : database.Cause()};
    std::unordered_set<std::string> pages;
    std::unordered_set<std::string> data;
    if (!database.Columns("PageURL", pages) || !database.Columns("IconData", data))
        return Failure{ImportTexts::IconsUnreadable(path), path, database.Cause()};
    if (!SqliteCopy::HasAll(pages, {"url", "iconID"}) ||
        !SqliteCopy::HasAll(data, {"iconID", "data"}))
        return Failure{ImportTexts::IconsUnreadable(path), path, ""};
    // Pages sharing an icon share its bytes; an icon not loaded yet has no data.
    std::unordered_map<long long, SiteIcons::Icon> byId;
    SiteIcons icons;
    if (!database.EachRow(
            "SELECT p.url, d.iconID, d.data FROM PageURL p JOIN IconData d ON d.iconID = p.iconID "
            "WHERE length(d.data) > 0 ORDER BY p.rowid",
            [&](sqlite3_stmt* row) {
                SiteIcons::Icon& icon = byId[sqlite3_column_int64(row, 1)];
                if (!icon)
                    icon = std::make_shared<const std::string>(SqliteCopy::Blob(row, 2));
                icons.AddPage(SqliteCopy::Text(row, 0), icon);
            }))
        return Failure{ImportTexts::IconsUnreadable(path), path, database.Cause()};
    return icons;
}
