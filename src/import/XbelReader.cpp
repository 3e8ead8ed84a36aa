// SPDX-License-Identifier: GPL-3.0-or-later
#include "XbelReader.h"

#include "ImportTexts.h"

#include <QByteArray>
#include <QXmlStreamReader>

namespace {

// How far into a file its root element is looked for: past an XML declaration, a DOCTYPE and
// a comment or two.
constexpr std::size_t RootWithin = 4096;

// Reads the content of the folder element the reader stands on, up to its end tag; false when
// folders nest deeper than a tree may, or the XML is damaged.
class TreeBuilder {
public:
    explicit TreeBuilder(QXmlStreamReader& xml) : xml_(&xml) {}

    bool TooDeep() const { return tooDeep_; }

    bool ReadFolder(BookmarkFolder& folder, int depth) {
        while (xml_->readNextStartElement()) {
            if (xml_->name() == u"title") {
                folder.title = ReadTitle();
            } else if (xml_->name() == u"bookmark") {
                folder.links.push_back(ReadBookmark());
            } else if (xml_->name() == u"folder") {
                if (depth + 1 > BookmarkFolder::MaxDepth) {
                    tooDeep_ = true;
                    return false;
                }
                folder.folders.emplace_back();
                if (!ReadFolder(folder.folders.back(), depth + 1))
                    return false;
            } else {
                xml_->skipCurrentElement();
            }
        }
        return !xml_->hasError();
    }

private:
    std::string ReadTitle() {
        return xml_->readElementText(QXmlStreamReader::IncludeChildElements).toStdString();
    }

    BookmarkLink ReadBookmark() {
        BookmarkLink link;
        link.url = xml_->attributes().value(QStringLiteral("href")).toString().toStdString();
        while (xml_->readNextStartElement()) {
            if (xml_->name() == u"title")
                link.title = ReadTitle();
            else
                xml_->skipCurrentElement();
        }
        return link;
    }

    QXmlStreamReader* xml_;
    bool tooDeep_ = false;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

} // namespace

bool XbelReader::Recognises(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    while (!bytes.empty() && IsBlank(bytes.front()))
        bytes.remove_prefix(1);
    if (!bytes.starts_with('<'))
        return false;
    const std::string_view start = bytes.substr(0, RootWithin);
    for (std::size_t at = start.find("<xbel"); at != std::string_view::npos;
         at = start.find("<xbel", at + 1)) {
        const std::size_t after = at + 5;
        if (after < start.size() && (IsBlank(start[after]) || start[after] == '>'))
            return true;
    }
    return false;
}

ResultOf<BookmarkFolder> XbelReader::ReadBytes(std::string_view bytes, const std::string& path) {
    QXmlStreamReader xml(
        QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (!xml.readNextStartElement() || xml.name() != u"xbel") {
        if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
            return Failure{ImportTexts::EndsTooEarly(path), path, ""};
        return Failure{ImportTexts::NotBookmarks(path), path, ""};
    }
    BookmarkFolder tree;
    TreeBuilder builder(xml);
    if (builder.ReadFolder(tree, 0))
        return tree;
    if (builder.TooDeep())
        return Failure{ImportTexts::TooDeep(path), path, ""};
    if (xml.error() == QXmlStreamReader::PrematureEndOfDocumentError)
        return Failure{ImportTexts::EndsTooEarly(path), path, ""};
    return Failure{ImportTexts::Damaged(path, xml.errorString().toStdString()), path, ""};
}
