// SPDX-License-Identifier: GPL-3.0-or-later
#include "GvdbTable.h"

#include "import/ImportTexts.h"

namespace {

constexpr std::string_view Signature = "GVariant";
// The signature as a big-endian machine writes its two words.
constexpr std::string_view SwappedSignature = "raVGtnai";
constexpr std::size_t HeaderSize = 24;
constexpr std::size_t HashHeaderSize = 8;
constexpr std::size_t ItemSize = 24;
// The low 27 bits of the first word count the bloom filter's words.
constexpr std::uint32_t BloomWordsMask = (1u << 27) - 1;

} // namespace

bool GvdbTable::Recognises(std::string_view bytes) {
    return bytes.starts_with(Signature) || bytes.starts_with(SwappedSignature);
}

std::uint32_t GvdbTable::Word(std::size_t at) const {
    std::uint32_t word = 0;
    for (std::size_t i = 0; i < 4; ++i)
        word |= std::uint32_t{static_cast<unsigned char>(file_[at + i])} << (8 * i);
    return word;
}

GvdbTable::Opened GvdbTable::Span(std::uint64_t start, std::uint64_t end, std::size_t alignment,
                                  std::string_view& span) const {
    if (start > end || start % alignment != 0)
        return Opened::Damaged;
    if (end > file_.size())
        return Opened::CutOff;
    span = file_.substr(start, end - start);
    return Opened::Read;
}

ResultOf<GvdbTable> GvdbTable::Open(std::string_view file, const std::string& path) {
    GvdbTable root;
    root.file_ = file;
    root.path_ = path;
    if (!Recognises(file))
        return root.Refusal(Opened::NotGvdb);
    if (file.size() < HeaderSize)
        return root.Refusal(Opened::CutOff);
    root.byteSwapped_ = file.starts_with(SwappedSignature);
    // The header's own words are little-endian whatever order the values are in.
    if (root.Word(8) != 0)
        return root.Refusal(Opened::OtherVersion);
    if (const Opened opened = root.Load(root.Word(16), root.Word(20)); opened != Opened::Read)
        return root.Refusal(opened);
    return root;
}

GvdbTable::Opened GvdbTable::Load(std::size_t start, std::size_t end) {
    std::string_view table;
    if (const Opened opened = Span(start, end, 4, table); opened != Opened::Read)
        return opened;
    if (table.size() < HashHeaderSize)
        return Opened::Damaged;
    const std::size_t bloomWords = Word(start) & BloomWordsMask;
    const std::size_t buckets = Word(start + 4);
    const std::size_t words = (table.size() - HashHeaderSize) / 4;
    if (bloomWords > words || buckets > words - bloomWords)
        return Opened::Damaged;
    const std::size_t itemsStart = start + HashHeaderSize + 4 * (bloomWords + buckets);
    const std::size_t count = (end - itemsStart) / ItemSize;
    items_.clear();
    items_.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t at = itemsStart + i * ItemSize;
        const std::uint64_t keyStart = Word(at + 8);
        const std::uint64_t keySize =
            static_cast<unsigned char>(file_[at + 12]) |
            static_cast<unsigned>(static_cast<unsigned char>(file_[at + 13])) << 8;
        const char type = file_[at + 14];
        Item item{{}, type, {}};
        if (const Opened opened = Span(keyStart, keyStart + keySize, 1, item.key);
            opened != Opened::Read)
            return opened;
        if (type == 'v' || type == 'H') {
            const Opened opened =
                Span(Word(at + 16), Word(at + 20), type == 'v' ? 8 : 4, item.value);
            if (opened != Opened::Read)
                return opened;
        }
        items_.push_back(item);
    }
    return Opened::Read;
}

ResultOf<GvdbTable> GvdbTable::Table(std::string_view key) const {
    for (const Item& item : items_) {
        if (item.key != key || item.type != 'H')
            continue;
        GvdbTable table;
        table.file_ = file_;
        table.path_ = path_;
        table.byteSwapped_ = byteSwapped_;
        const auto start = static_cast<std::size_t>(item.value.data() - file_.data());
        if (const Opened opened = table.Load(start, start + item.value.size());
            opened != Opened::Read)
            return Refusal(opened);
        return table;
    }
    return Refusal(Opened::NotGvdb);
}

// A file that is no GVDB file, or one without the table asked for, holds no bookmarks.
Failure GvdbTable::Refusal(Opened opened) const {
    switch (opened) {
    case Opened::OtherVersion:
        return {ImportTexts::VersionNotSupported(path_), path_, ""};
    case Opened::CutOff:
        return {ImportTexts::EndsTooEarly(path_), path_, ""};
    case Opened::Damaged:
        return {ImportTexts::Damaged(
                    path_, ImportTexts::tr("表格的位置超出了文件或没有对齐").toStdString()),
                path_, ""};
    case Opened::NotGvdb:
    case Opened::Read:
        break;
    }
    return {ImportTexts::NotBookmarks(path_), path_, ""};
}
