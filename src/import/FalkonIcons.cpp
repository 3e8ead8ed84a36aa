// SPDX-License-Identifier: GPL-3.0-or-later
#include "FalkonIcons.h"

#include "import/ImportTexts.h"
#include "import/SqliteCopy.h"

#include <sqlite3.h>

ResultOf<SiteIcons> FalkonIcons::Read(const std::string& path) {
    SqliteCopy database;
    if (const int copied = database.Open(path); copied != 0)
        return Failure{ImportTexts::IconsUnreadable(path), path,
                       copied > 0 ? SystemReason(copied) : database.Cause()};
    std::unordered_set<std::string> columns;
    if (!database.Columns("icons", columns))
        return Failure{ImportTexts::IconsUnreadable(path), path, database.Cause()};
    if (!SqliteCopy::HasAll(columns, {"url", "icon"}))
        return Failure{ImportTexts::IconsUnreadable(path), path, ""};
    SiteIcons icons;
    if (!database.EachRow(
            "SELECT url, icon FROM icons WHERE length(icon) > 0", [&](sqlite3_stmt* row) {
                icons.AddPage(SqliteCopy::Text(row, 0),
                              std::make_shared<const std::string>(SqliteCopy::Blob(row, 1)));
            }))
        return Failure{ImportTexts::IconsUnreadable(path), path, database.Cause()};
    return icons;
}
