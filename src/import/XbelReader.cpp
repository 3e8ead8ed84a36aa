// SPDX-License-Identifier: GPL-3.0-or-later
#include "XbelReader.h"

#include "import/ImportTexts.h"

#include <QXmlStreamReader>
#include <unordered_map>
#include <vector>

namespace {

QByteArray Bytes(std::string_view bytes) {
    return QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

// The file's items as they stand, aliases not yet followed; item 0 is the xbel element.
struct Item {
    enum class Kind { Folder, Bookmark, Alias } kind;
    std::string title;
    // A bookmark's address, or the id an alias names.
    std::string target;
    std::vector<std::size_t> children;
};

class Parser {
public:
    Parser(std::string_view bytes, const std::string& path)
        : xml_(Bytes(bytes)), bytes_(bytes), path_(path) {}

    // Reads every item, or says why not.
    Result Parse() {
        while (!xml_.atEnd() && !xml_.isStartElement())
            xml_.readNext();
        if (xml_.hasError())
            return XmlFailure();
        if (xml_.name() != QLatin1String("xbel"))
            return Failure{ImportTexts::NotXbel(path_), path_, ""};
        const QStringView version = xml_.attributes().value("version");
        if (!version.isEmpty() && version.split('.').front().trimmed() != QLatin1String("1"))
            return Failure{ImportTexts::VersionNotSupported(path_), path_, ""};
        namespace_ = xml_.namespaceUri().toString();
        items_.push_back({Item::Kind::Folder, {}, {}, {}});
        if (!ReadContent(0, 0))
            return Failure{ImportTexts::TooDeep(path_), path_, ""};
        while (!xml_.atEnd())
            xml_.readNext();
        if (xml_.hasError())
            return XmlFailure();
        return {};
    }

    const std::vector<Item>& Items() const { return items_; }
    const std::unordered_map<std::string, std::size_t>& Ids() const { return ids_; }

private:
    // Reads the elements inside the current one into items_[owner]; false when folders nest
    // deeper than a tree may. Stops early on a syntax error, which Parse then reports.
    bool ReadContent(std::size_t owner, int depth) {
        while (xml_.readNextStartElement()) {
            if (xml_.namespaceUri() != namespace_) {
                xml_.skipCurrentElement();
                continue;
            }
            const QStringView name = xml_.name();
            if (name == QLatin1String("title")) {
                items_[owner].title = Title();
            } else if (name == QLatin1String("folder")) {
                if (depth + 1 > BookmarkFolder::MaxDepth)
                    return false;
                if (!ReadContent(Add(Item::Kind::Folder, owner, ""), depth + 1))
                    return false;
            } else if (name == QLatin1String("bookmark")) {
                ReadTitle(Add(Item::Kind::Bookmark, owner, "href"));
            } else if (name == QLatin1String("alias")) {
                Add(Item::Kind::Alias, owner, "ref");
                xml_.skipCurrentElement();
            } else {
                xml_.skipCurrentElement();
            }
        }
        return true;
    }

    // The text of the title element the reader is at, without the blanks around it.
    std::string Title() {
        return xml_.readElementText(QXmlStreamReader::SkipChildElements).trimmed().toStdString();
    }

    // A bookmark holds its title and metadata, never other items.
    void ReadTitle(std::size_t item) {
        while (xml_.readNextStartElement()) {
            if (xml_.namespaceUri() == namespace_ && xml_.name() == QLatin1String("title"))
                items_[item].title = Title();
            else
                xml_.skipCurrentElement();
        }
    }

    std::size_t Add(Item::Kind kind, std::size_t owner, const char* targetAttribute) {
        const QXmlStreamAttributes attributes = xml_.attributes();
        const std::size_t item = items_.size();
        items_.push_back({kind,
                          {},
                          *targetAttribute != '\0'
                              ? attributes.value(targetAttribute).toString().toStdString()
                              : std::string(),
                          {}});
        items_[owner].children.push_back(item);
        const QStringView id = attributes.value("id");
        if (kind != Item::Kind::Alias && !id.isEmpty())
            ids_.emplace(id.toString().toStdString(), item);
        return item;
    }

    // A file cut off in a character or a name is damaged there, but ends before its last '>'.
    Failure XmlFailure() const {
        const std::size_t end = bytes_.find_last_not_of(" \t\r\n");
        if (xml_.error() == QXmlStreamReader::PrematureEndOfDocumentError ||
            end == std::string_view::npos || bytes_[end] != '>')
            return Failure{ImportTexts::EndsTooEarly(path_), path_, ""};
        return Failure{ImportTexts::Damaged(path_, xml_.errorString().toStdString()), path_, ""};
    }

    QXmlStreamReader xml_;
    std::string_view bytes_;
    const std::string& path_;
    QString namespace_;
    std::vector<Item> items_;
    std::unordered_map<std::string, std::size_t> ids_;
};

// Builds the tree from the items, following aliases. An alias may copy a folder that holds
// more aliases, so a small file could name a huge tree: the tree may hold only so many more
// items than the file.
class TreeBuilder {
public:
    explicit TreeBuilder(const Parser& parser)
        : items_(parser.Items()), ids_(parser.Ids()), open_(items_.size(), false),
          budget_(8 * items_.size() + 1024) {}

    enum class Built { Done, TooDeep, TooLarge };

    Built Fill(std::size_t itemIndex, BookmarkFolder& folder, int depth) {
        if (depth > BookmarkFolder::MaxDepth)
            return Built::TooDeep;
        open_[itemIndex] = true;
        for (std::size_t child : items_[itemIndex].children) {
            if (budget_-- == 0)
                return Built::TooLarge;
            if (items_[child].kind == Item::Kind::Alias) {
                const auto target = ids_.find(items_[child].target);
                if (target == ids_.end() || open_[target->second])
                    continue;
                child = target->second;
            }
            const Item& item = items_[child];
            if (item.kind == Item::Kind::Bookmark) {
                folder.links.push_back({item.title, item.target});
                continue;
            }
            folder.folders.push_back({item.title, {}, {}});
            if (const Built built = Fill(child, folder.folders.back(), depth + 1);
                built != Built::Done)
                return built;
        }
        open_[itemIndex] = false;
        return Built::Done;
    }

private:
    const std::vector<Item>& items_;
    const std::unordered_map<std::string, std::size_t>& ids_;
    // The folders being filled, which an alias inside them must not copy again.
    std::vector<bool> open_;
    std::size_t budget_;
};

} // namespace

bool XbelReader::Recognises(std::string_view bytes) {
    QXmlStreamReader xml(Bytes(bytes));
    while (!xml.atEnd()) {
        xml.readNext();
        if (xml.isDTD())
            return xml.dtdName() == QLatin1String("xbel");
        if (xml.isStartElement())
            return xml.name() == QLatin1String("xbel");
    }
    return false;
}

ResultOf<BookmarkFolder> XbelReader::Read(std::string_view bytes, const std::string& path) {
    Parser parser(bytes, path);
    if (Result parsed = parser.Parse(); !parsed)
        return parsed.failure();
    BookmarkFolder tree;
    switch (TreeBuilder(parser).Fill(0, tree, 0)) {
    case TreeBuilder::Built::Done:
        return tree;
    case TreeBuilder::Built::TooDeep:
        return Failure{ImportTexts::TooDeep(path), path, ""};
    case TreeBuilder::Built::TooLarge:
        break;
    }
    return Failure{ImportTexts::AliasesTooMany(path), path, ""};
}
