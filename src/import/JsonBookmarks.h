// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Failure.h"

#include <QJsonObject>
#include <string>
#include <string_view>

// The JSON document of a bookmarks file, for the readers of browsers that keep their bookmarks
// as JSON.
class JsonBookmarks {
public:
    // The top object of bytes, or why there is none: nested deeper than a tree may, cut off
    // (the text ends where more was due), or damaged.
    static ResultOf<QJsonObject> Parse(std::string_view bytes, const std::string& path);
    // The top object, or an empty one when bytes are no JSON object: for telling formats apart.
    static QJsonObject Peek(std::string_view bytes);
    static std::string Text(const QJsonValue& value);
};
