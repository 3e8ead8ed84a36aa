// SPDX-License-Identifier: GPL-3.0-or-later
#include "GvdbWriter.h"

#include <algorithm>
#include <glib.h>

namespace {

std::uint32_t Hash(const std::string& key) {
    std::uint32_t hash = 5381;
    for (const char c : key)
        hash = hash * 33 + static_cast<std::uint32_t>(static_cast<signed char>(c));
    return hash;
}

class Builder {
public:
    std::string bytes = std::string(24, '\0');

    std::size_t Allocate(std::size_t size, std::size_t alignment) {
        bytes.resize((bytes.size() + alignment - 1) / alignment * alignment);
        const std::size_t at = bytes.size();
        bytes.resize(at + size);
        return at;
    }

    void Put32(std::size_t at, std::uint32_t word) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = static_cast<char>(word >> (8 * i));
    }

    // Writes a table and what it holds; gives where it starts and ends.
    std::pair<std::uint32_t, std::uint32_t> Table(std::vector<GvdbWriter::Entry> entries) {
        const std::size_t buckets = std::max<std::size_t>(entries.size(), 1);
        std::ranges::stable_sort(
            entries, {}, [&](const GvdbWriter::Entry& entry) { return Hash(entry.key) % buckets; });
        const std::size_t start = Allocate(8 + 4 * buckets + 24 * entries.size(), 4);
        const std::size_t end = bytes.size();
        Put32(start, 5u << 27);
        Put32(start + 4, static_cast<std::uint32_t>(buckets));
        for (std::size_t bucket = 0, item = 0; bucket < buckets; ++bucket) {
            while (item < entries.size() && Hash(entries[item].key) % buckets < bucket)
                ++item;
            Put32(start + 8 + 4 * bucket, static_cast<std::uint32_t>(item));
        }
        for (std::size_t i = 0; i < entries.size(); ++i) {
            const GvdbWriter::Entry& entry = entries[i];
            const std::size_t item = start + 8 + 4 * buckets + 24 * i;
            const std::size_t key = Allocate(entry.key.size(), 1);
            bytes.replace(key, entry.key.size(), entry.key);
            std::pair<std::uint32_t, std::uint32_t> value{0, 0};
            if (entry.isTable) {
                value = Table(entry.table);
            } else if (!entry.value.empty()) {
                const std::size_t at = Allocate(entry.value.size(), 8);
                bytes.replace(at, entry.value.size(), entry.value);
                value = {static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(bytes.size())};
            }
            Put32(item, Hash(entry.key));
            Put32(item + 4, 0xFFFFFFFFu);
            Put32(item + 8, static_cast<std::uint32_t>(key));
            bytes[item + 12] = static_cast<char>(entry.key.size());
            bytes[item + 13] = static_cast<char>(entry.key.size() >> 8);
            bytes[item + 14] = entry.isTable ? 'H' : 'v';
            Put32(item + 16, value.first);
            Put32(item + 20, value.second);
        }
        return {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end)};
    }
};

std::string Serialised(GVariant* value) {
    GVariant* boxed = g_variant_ref_sink(g_variant_new_variant(value));
    std::string bytes(static_cast<const char*>(g_variant_get_data(boxed)),
                      g_variant_get_size(boxed));
    g_variant_unref(boxed);
    return bytes;
}

} // namespace

std::string GvdbWriter::File(const std::vector<Entry>& root) {
    Builder builder;
    builder.bytes.replace(0, 8, "GVariant");
    const auto [start, end] = builder.Table(root);
    builder.Put32(16, start);
    builder.Put32(20, end);
    return builder.bytes;
}

std::string GvdbWriter::Bookmarks(const std::vector<Bookmark>& bookmarks, bool doubleTime) {
    Entry tags{"tags", {}, {}, true};
    Entry table{"bookmarks", {}, {}, true};
    for (const Bookmark& bookmark : bookmarks) {
        GVariantBuilder names;
        g_variant_builder_init(&names, G_VARIANT_TYPE("as"));
        for (const std::string& tag : bookmark.tags) {
            g_variant_builder_add(&names, "s", tag.c_str());
            if (std::ranges::find(tags.table, tag, &Entry::key) == tags.table.end())
                tags.table.push_back({tag, {}, {}, false});
        }
        GVariant* value =
            doubleTime ? g_variant_new("(xssdbas)", static_cast<gint64>(bookmark.added),
                                       bookmark.title.c_str(), "id", 0.0, FALSE, &names)
                       : g_variant_new("(xssxbas)", static_cast<gint64>(bookmark.added),
                                       bookmark.title.c_str(), "id", gint64{0}, FALSE, &names);
        table.table.push_back({bookmark.url, Serialised(value), {}, false});
    }
    return File({tags, table});
}
