// SPDX-License-Identifier: GPL-3.0-or-later
#include "JsonBookmarks.h"

#include "import/ImportTexts.h"

#include <QJsonDocument>

namespace {

QJsonDocument Document(std::string_view bytes, QJsonParseError& error) {
    return QJsonDocument::fromJson(
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())), &error);
}

// Where the text ends, blanks after it left out.
std::size_t TextEnd(std::string_view bytes) {
    const std::size_t last = bytes.find_last_not_of(" \t\r\n");
    return last == std::string_view::npos ? 0 : last + 1;
}

} // namespace

ResultOf<QJsonObject> JsonBookmarks::Parse(std::string_view bytes, const std::string& path) {
    QJsonParseError error;
    const QJsonDocument document = Document(bytes, error);
    if (error.error == QJsonParseError::DeepNesting)
        return Failure{ImportTexts::TooDeep(path), path, ""};
    // A file cut off while it was written or copied fails where its text stops, or stops
    // before the brace that ends every JSON object (in a character, in a value).
    const std::size_t end = TextEnd(bytes);
    if (document.isNull() &&
        (static_cast<std::size_t>(error.offset) >= end || bytes[end - 1] != '}'))
        return Failure{ImportTexts::EndsTooEarly(path), path, ""};
    if (document.isNull())
        return Failure{ImportTexts::Damaged(path, error.errorString().toStdString()), path, ""};
    if (!document.isObject())
        return Failure{ImportTexts::NotBookmarks(path), path, ""};
    return document.object();
}

QJsonObject JsonBookmarks::Peek(std::string_view bytes) {
    QJsonParseError error;
    return Document(bytes, error).object();
}

std::string JsonBookmarks::Text(const QJsonValue& value) {
    return value.toString().toStdString();
}
