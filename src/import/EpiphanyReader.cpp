// SPDX-License-Identifier: GPL-3.0-or-later
#include "EpiphanyReader.h"

#include "import/GvdbTable.h"
#include "import/ImportTexts.h"

#include <algorithm>
#include <glib.h>
#include <map>
#include <memory>
#include <optional>
#include <tuple>

namespace {

struct Bookmark {
    std::int64_t added;
    BookmarkLink link;
    std::vector<std::string> tags;
};

using Variant = std::unique_ptr<GVariant, void (*)(GVariant*)>;

Variant Owned(GVariant* value) {
    return Variant(value, g_variant_unref);
}

std::string StringOf(GVariant* value) {
    gsize length = 0;
    const gchar* text = g_variant_get_string(value, &length);
    return std::string(text, length);
}

// The bookmark a value of the table holds, or nothing when the value is of another kind. The
// time changed was an integer in older versions and is a floating-point number in newer ones.
std::optional<Bookmark> BookmarkOf(const GvdbTable::Item& item, bool byteSwapped) {
    const Variant boxed = Owned(g_variant_ref_sink(g_variant_new_from_data(
        G_VARIANT_TYPE_VARIANT, item.value.data(), item.value.size(), FALSE, nullptr, nullptr)));
    Variant value = Owned(g_variant_get_variant(boxed.get()));
    if (byteSwapped)
        value = Owned(g_variant_byteswap(value.get()));
    if (!g_variant_is_of_type(value.get(), G_VARIANT_TYPE("(xssxbas)")) &&
        !g_variant_is_of_type(value.get(), G_VARIANT_TYPE("(xssdbas)")))
        return std::nullopt;
    const Variant added = Owned(g_variant_get_child_value(value.get(), 0));
    const Variant title = Owned(g_variant_get_child_value(value.get(), 1));
    const Variant tags = Owned(g_variant_get_child_value(value.get(), 5));
    Bookmark bookmark{
        g_variant_get_int64(added.get()), {StringOf(title.get()), std::string(item.key)}, {}};
    for (gsize i = 0; i < g_variant_n_children(tags.get()); ++i)
        bookmark.tags.push_back(StringOf(Owned(g_variant_get_child_value(tags.get(), i)).get()));
    // A tag named twice still makes one entry in its folder.
    std::sort(bookmark.tags.begin(), bookmark.tags.end());
    bookmark.tags.erase(std::unique(bookmark.tags.begin(), bookmark.tags.end()),
                        bookmark.tags.end());
    return bookmark;
}

} // namespace

bool EpiphanyReader::Recognises(std::string_view bytes) {
    return GvdbTable::Recognises(bytes);
}

ResultOf<BookmarkFolder> EpiphanyReader::Read(std::string_view bytes, const std::string& path) {
    const ResultOf<GvdbTable> root = GvdbTable::Open(bytes, path);
    if (!root)
        return root.failure();
    // Every table is checked, so that a file cut off in any of them is refused.
    for (const GvdbTable::Item& item : root->Items())
        if (item.type == 'H')
            if (const ResultOf<GvdbTable> table = root->Table(item.key); !table)
                return table.failure();
    const ResultOf<GvdbTable> table = root->Table("bookmarks");
    if (!table)
        return table.failure();
    std::vector<Bookmark> bookmarks;
    for (const GvdbTable::Item& item : table->Items()) {
        if (item.type != 'v')
            continue;
        std::optional<Bookmark> bookmark = BookmarkOf(item, table->ByteSwapped());
        if (!bookmark)
            return Failure{ImportTexts::VersionNotSupported(path), path, ""};
        bookmarks.push_back(std::move(*bookmark));
    }
    std::ranges::sort(bookmarks, [](const Bookmark& a, const Bookmark& b) {
        return std::tie(a.added, a.link.title, a.link.url) <
               std::tie(b.added, b.link.title, b.link.url);
    });
    std::map<std::string, BookmarkFolder> byTag;
    BookmarkFolder untagged{ImportTexts::tr("没有标签的书签").toStdString(), {}, {}};
    for (const Bookmark& bookmark : bookmarks) {
        for (const std::string& tag : bookmark.tags) {
            BookmarkFolder& folder = byTag[tag];
            folder.title = tag;
            folder.links.push_back(bookmark.link);
        }
        if (bookmark.tags.empty())
            untagged.links.push_back(bookmark.link);
    }
    BookmarkFolder tree;
    for (auto& [tag, folder] : byTag)
        tree.folders.push_back(std::move(folder));
    if (!untagged.links.empty())
        tree.folders.push_back(std::move(untagged));
    return tree;
}
