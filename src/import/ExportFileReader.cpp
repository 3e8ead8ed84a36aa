// SPDX-License-Identifier: GPL-3.0-or-later
#include "ExportFileReader.h"

#include "import/ImportTexts.h"
#include "platform/IconImage.h"
#include "text/Text.h"

#include <algorithm>
#include <array>
#include <gumbo.h>
#include <map>
#include <memory>
#include <optional>
#include <utility>

namespace {

constexpr std::string_view Doctype = "<!doctype netscape-bookmark-file-1>";

// The parser's time grows with the product of the file's length and the depth its elements
// nest, and it frees its tree recursively: markup nested deeper than this is refused before
// parsing. Browsers nest two elements per folder level.
constexpr int MaxMarkupDepth = 2 * BookmarkFolder::MaxDepth + 32;

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}

std::string_view SkipBlanksAndMark(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    while (!bytes.empty() && (bytes.front() == ' ' || bytes.front() == '\t' ||
                              bytes.front() == '\r' || bytes.front() == '\n'))
        bytes.remove_prefix(1);
    return bytes;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// Elements that never hold others, and the list items browsers leave open, which the parser
// closes by itself at the next item: neither adds to the depth.
bool LeavesDepth(std::string_view tag) {
    static constexpr std::array<std::string_view, 17> tags = {
        "area", "base",  "br",     "col",   "embed", "hr", "img", "input", "link",
        "meta", "param", "source", "track", "wbr",   "dt", "dd",  "p"};
    return std::ranges::find(tags, tag) != tags.end();
}

// Elements whose content is text up to their end tag.
bool HoldsText(std::string_view tag) {
    static constexpr std::array<std::string_view, 9> tags = {
        "title", "textarea", "script", "style", "xmp", "iframe", "noembed", "noframes", "noscript"};
    return std::ranges::find(tags, tag) != tags.end();
}

// Where the tag starting at bytes[at] ends (just past its '>'), stepping over quoted attribute
// values as the parser does.
std::size_t TagEnd(std::string_view bytes, std::size_t at) {
    bool afterEquals = false;
    for (std::size_t i = at; i < bytes.size(); ++i) {
        const char c = bytes[i];
        if (c == '>')
            return i + 1;
        if (afterEquals && (c == '"' || c == '\'')) {
            i = bytes.find(c, i + 1);
            if (i == std::string_view::npos)
                return bytes.size();
            afterEquals = false;
        } else if (c == '=') {
            afterEquals = true;
        } else if (!IsBlank(c)) {
            afterEquals = false;
        }
    }
    return bytes.size();
}

// Whether a start tag of the given name (lower case) begins at bytes[at].
bool StartTagAt(std::string_view bytes, std::size_t at, std::string_view name) {
    const std::string_view rest = bytes.substr(std::min(at + 1, bytes.size()));
    return at < bytes.size() && bytes[at] == '<' && rest.size() > name.size() &&
           StartsWithNoCase(rest, name) && (IsBlank(rest[name.size()]) || rest[name.size()] == '>');
}

// Whether a link with an address starts at bytes[from], blanks before it skipped.
bool LinkAt(std::string_view bytes, std::size_t from) {
    while (from < bytes.size() && IsBlank(bytes[from]))
        ++from;
    if (!StartTagAt(bytes, from, "a"))
        return false;
    const std::size_t end = TagEnd(bytes, from + 1);
    for (std::size_t i = from + 2; i < end; ++i)
        if (StartsWithNoCase(bytes.substr(i), "href"))
            return true;
    return false;
}

// Some browsers and tools leave out the export's first line. Markup that holds a bookmark list
// (a <DL>, and a <DT> with a link straight after it) is an export all the same. The search goes
// on after each <DT>'s tag, so a tag that never ends is not read again for every <DT> in it.
bool HoldsBookmarkList(std::string_view bytes) {
    bool list = false;
    bool link = false;
    for (std::size_t at = bytes.find('<'); at != std::string_view::npos && !(list && link);) {
        std::size_t next = at + 1;
        if (StartTagAt(bytes, at, "dl")) {
            list = true;
        } else if (!link && StartTagAt(bytes, at, "dt")) {
            next = TagEnd(bytes, at + 1);
            link = LinkAt(bytes, next);
        }
        at = bytes.find('<', next);
    }
    return list && link;
}

// Where a stretch the parser may read as text ends: the end tag of a text-only element, or the
// end of a CDATA section.
std::size_t TextEnd(std::string_view bytes, std::size_t from, std::string_view tag) {
    if (tag.empty()) {
        const std::size_t end = bytes.find("]]>", from);
        return end == std::string_view::npos ? bytes.size() : end;
    }
    for (std::size_t at = from; (at = bytes.find("</", at)) != std::string_view::npos; at += 2) {
        const std::string_view name = bytes.substr(at + 2);
        if (StartsWithNoCase(name, tag) &&
            (name.size() == tag.size() || IsBlank(name[tag.size()]) || name[tag.size()] == '/' ||
             name[tag.size()] == '>'))
            return at;
    }
    return bytes.size();
}

// Just past the end of the comment that starts text ("-->", "--!>", or the short "<!-->"),
// found in one pass.
std::size_t CommentEnd(std::string_view text) {
    for (std::size_t dashes = text.find("--", 2); dashes != std::string_view::npos;
         dashes = text.find("--", dashes + 1)) {
        const std::string_view after = text.substr(dashes + 2);
        if (after.starts_with(">"))
            return dashes + 3;
        if (after.starts_with("!>"))
            return dashes + 4;
    }
    return std::string_view::npos;
}

// An upper bound, give or take a small factor, of how deep the parser's elements will nest:
// each start tag opens an element of its name and each end tag closes one. Where the parser may
// read markup as text (CDATA, text-only elements) start tags still count but end tags do not,
// so that hidden end tags cannot make the count too small.
int MarkupDepth(std::string_view bytes) {
    std::map<std::string, int, std::less<>> open;
    int depth = 0;
    int deepest = 0;
    std::size_t textUntil = 0;
    std::string tag;
    for (std::size_t at = 0; (at = bytes.find('<', at)) != std::string_view::npos;) {
        const std::string_view rest = bytes.substr(at);
        const bool inText = at < textUntil;
        if (rest.starts_with("<!--") && !inText) {
            const std::size_t end = CommentEnd(rest);
            at = end == std::string_view::npos ? bytes.size() : at + end;
            continue;
        }
        if (rest.starts_with("<![CDATA[") && !inText) {
            textUntil = TextEnd(bytes, at, {});
            at += 9;
            continue;
        }
        const bool closing = rest.starts_with("</");
        const std::size_t nameAt = closing ? 2 : 1;
        if (nameAt >= rest.size() || !IsLetter(rest[nameAt])) {
            const bool bogus = rest.starts_with("<!") || rest.starts_with("<?") || closing;
            at = bogus && !inText ? TagEnd(bytes, at + 1) : at + 1;
            continue;
        }
        tag.clear();
        for (std::size_t i = nameAt;
             i < rest.size() && rest[i] != '>' && rest[i] != '/' && !IsBlank(rest[i]); ++i)
            tag += Lower(rest[i]);
        at = inText ? at + 1 : TagEnd(bytes, at + nameAt);
        if (tag == "plaintext")
            break;
        if (LeavesDepth(tag) || (closing && inText))
            continue;
        if (closing) {
            if (const auto found = open.find(tag); found != open.end() && found->second > 0) {
                --found->second;
                --depth;
            }
            continue;
        }
        ++open[tag];
        deepest = std::max(deepest, ++depth);
        if (HoldsText(tag) && !inText)
            textUntil = TextEnd(bytes, at, tag);
    }
    return deepest;
}

// A link's ICON attribute holds its site's icon as a data address (ICON_URI only says where the
// icon came from, and is never fetched). One that is not an image in base64 is kept empty, so
// that the import counts it among the icons it refused.
std::shared_ptr<const std::string> IconOf(const GumboNode* link) {
    const GumboAttribute* icon = gumbo_get_attribute(&link->v.element.attributes, "icon");
    if (icon == nullptr)
        return nullptr;
    const std::optional<QByteArray> bytes = IconImage::FromDataUri(icon->value);
    return std::make_shared<const std::string>(bytes ? bytes->toStdString() : std::string());
}

bool IsElement(const GumboNode* node, GumboTag tag) {
    return node->type == GUMBO_NODE_ELEMENT && node->v.element.tag == tag;
}

void AppendText(const GumboNode* node, std::string& text) {
    if (node->type == GUMBO_NODE_TEXT || node->type == GUMBO_NODE_WHITESPACE ||
        node->type == GUMBO_NODE_CDATA) {
        text += node->v.text.text;
        return;
    }
    if (node->type != GUMBO_NODE_ELEMENT)
        return;
    const GumboVector& children = node->v.element.children;
    for (unsigned int i = 0; i < children.length; ++i)
        AppendText(static_cast<const GumboNode*>(children.data[i]), text);
}

std::string TextOf(const GumboNode* node) {
    std::string text;
    AppendText(node, text);
    const std::size_t first = text.find_first_not_of(" \t\r\n\f");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n\f") - first + 1);
}

// Whether every list at the top of the document was closed by its own end tag. A file cut
// off while a browser still wrote it, or while it was copied, ends inside its outermost list;
// the parser closes what is open at the end by itself, so only the end tag tells.
bool ListsClosed(const GumboNode* node, bool& found) {
    if (node->type != GUMBO_NODE_ELEMENT)
        return true;
    if (node->v.element.tag == GUMBO_TAG_DL) {
        found = true;
        return node->v.element.original_end_tag.length > 0 &&
               (node->parse_flags & GUMBO_INSERTION_IMPLICIT_END_TAG) == 0;
    }
    const GumboVector& children = node->v.element.children;
    for (unsigned int i = 0; i < children.length; ++i)
        if (!ListsClosed(static_cast<const GumboNode*>(children.data[i]), found))
            return false;
    return true;
}

// True when the file stops before its bookmark list is complete: no list at all (every export
// has one, if empty), a list never closed, or a tag cut in half after it.
bool EndsTooEarly(const GumboNode* root, std::string_view bytes) {
    bool found = false;
    if (!ListsClosed(root, found) || !found)
        return true;
    const std::size_t lastTag = bytes.rfind('<');
    return lastTag != std::string_view::npos && bytes.find('>', lastTag) == std::string_view::npos;
}

// Walks the parsed document in order. A heading makes a folder, and the next list met fills
// it; a list with no heading before it belongs to the folder around it.
class TreeBuilder {
public:
    // False when folders nest deeper than a tree may.
    bool Build(const GumboNode* node, BookmarkFolder& folder, int depth) {
        std::size_t heading = NoHeading;
        return Walk(node, folder, depth, heading);
    }

private:
    static constexpr std::size_t NoHeading = static_cast<std::size_t>(-1);

    bool Walk(const GumboNode* node, BookmarkFolder& folder, int depth, std::size_t& heading) {
        const GumboVector& children = node->v.element.children;
        for (unsigned int i = 0; i < children.length; ++i) {
            const auto* child = static_cast<const GumboNode*>(children.data[i]);
            if (child->type != GUMBO_NODE_ELEMENT)
                continue;
            if (IsElement(child, GUMBO_TAG_A)) {
                const GumboAttribute* href =
                    gumbo_get_attribute(&child->v.element.attributes, "href");
                if (href != nullptr)
                    folder.links.push_back({TextOf(child), href->value, IconOf(child)});
                heading = NoHeading;
            } else if (IsElement(child, GUMBO_TAG_H3)) {
                folder.folders.push_back({TextOf(child), {}, {}});
                heading = folder.folders.size() - 1;
            } else if (IsElement(child, GUMBO_TAG_DL) && heading != NoHeading) {
                const std::size_t owner = std::exchange(heading, NoHeading);
                if (depth + 1 > BookmarkFolder::MaxDepth ||
                    !Build(child, folder.folders[owner], depth + 1))
                    return false;
            } else if (!Walk(child, folder, depth, heading)) {
                return false;
            }
        }
        return true;
    }
};

} // namespace

bool ExportFileReader::Recognises(std::string_view bytes) {
    const std::string_view start = SkipBlanksAndMark(bytes);
    return StartsWithNoCase(start, Doctype) || (start.starts_with('<') && HoldsBookmarkList(start));
}

ResultOf<BookmarkFolder> ExportFileReader::ReadBytes(std::string_view bytes,
                                                     const std::string& path) {
    if (!Recognises(bytes)) {
        return Failure{ImportTexts::NotBookmarks(path), path, ""};
    }
    if (MarkupDepth(bytes) > MaxMarkupDepth) {
        return Failure{ImportTexts::TooDeep(path), path, ""};
    }
    const std::unique_ptr<GumboOutput, void (*)(GumboOutput*)> document(
        gumbo_parse_with_options(&kGumboDefaultOptions, bytes.data(), bytes.size()),
        [](GumboOutput* output) { gumbo_destroy_output(&kGumboDefaultOptions, output); });
    if (EndsTooEarly(document->root, bytes)) {
        return Failure{ImportTexts::EndsTooEarly(path), path, ""};
    }
    BookmarkFolder tree;
    if (!TreeBuilder().Build(document->root, tree, 0)) {
        return Failure{ImportTexts::TooDeep(path), path, ""};
    }
    return tree;
}
