// SPDX-License-Identifier: GPL-3.0-or-later
#include "Duplicates.h"

#include <QString>
#include <QUrl>
#include <algorithm>
#include <cctype>
#include <functional>
#include <span>

namespace {

std::string LowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

// The length of a scheme at the start of address (letters, digits, "+-." after a letter, then
// ":"), or 0 when it has none.
std::size_t SchemeLength(std::string_view address) {
    if (address.empty() || !std::isalpha(static_cast<unsigned char>(address[0])))
        return 0;
    for (std::size_t i = 1; i < address.size(); ++i) {
        const auto c = static_cast<unsigned char>(address[i]);
        if (c == ':')
            return i;
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return 0;
    }
    return 0;
}

std::string_view DefaultPort(std::string_view scheme) {
    if (scheme == "http")
        return "80";
    if (scheme == "https")
        return "443";
    if (scheme == "ftp")
        return "21";
    return {};
}

int HexValue(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (std::isdigit(byte))
        return byte - '0';
    if (std::isxdigit(byte))
        return std::tolower(byte) - 'a' + 10;
    return -1;
}

// The byte escaped as "%XX" at text[i], or -1 when no escape starts there.
int EscapedByte(std::string_view text, std::size_t i) {
    if (text[i] != '%' || i + 2 >= text.size())
        return -1;
    const int high = HexValue(text[i + 1]);
    const int low = HexValue(text[i + 2]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

bool IsUnreserved(unsigned char c) {
    return std::isalnum(c) || c == '-' || c == '.' || c == '_' || c == '~';
}

void AppendEscaped(std::string& out, unsigned char c) {
    constexpr const char* hex = "0123456789ABCDEF";
    out.append({'%', hex[c >> 4], hex[c & 15]});
}

// Escapes as RFC 3986 compares them: an escaped unreserved character is the character, other
// escapes in upper case, and bytes a browser escapes before sending (non-ASCII, controls, blanks)
// escaped as it would, so "caf%C3%A9" and "café" are one path.
std::string NormalizeEscapes(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        const int escaped = EscapedByte(text, i);
        if (escaped >= 0) {
            const auto decoded = static_cast<unsigned char>(escaped);
            if (IsUnreserved(decoded))
                out.push_back(static_cast<char>(decoded));
            else
                AppendEscaped(out, decoded);
            i += 2;
        } else if (c >= 0x80 || c <= 0x20 || c == 0x7f) {
            AppendEscaped(out, c);
        } else {
            out.push_back(static_cast<char>(c));
        }
    }
    return out;
}

// A host name in the form DNS asks for: lower case, and a name in other scripts (or escaped)
// mapped to its ASCII form the way browsers do, so "BÜCHER.test" is "xn--bcher-kva.test".
std::string NormalizeHost(std::string_view host) {
    std::string decoded;
    for (std::size_t i = 0; i < host.size(); ++i) {
        const int escaped = EscapedByte(host, i);
        if (escaped >= 0) {
            decoded.push_back(static_cast<char>(escaped));
            i += 2;
        } else {
            decoded.push_back(host[i]);
        }
    }
    if (std::ranges::all_of(decoded, [](char c) { return static_cast<unsigned char>(c) < 0x80; }))
        return LowerCase(decoded);
    const QByteArray ace = QUrl::toAce(QString::fromUtf8(decoded).toLower());
    return ace.isEmpty() ? LowerCase(host) : ace.toStdString();
}

// host[:port] with the host normalised and a default port dropped; a bracketed IPv6 host keeps
// its colons.
std::string NormalizeHostPort(std::string_view hostPort, std::string_view scheme) {
    const std::size_t bracket = hostPort.rfind(']');
    std::size_t colon = hostPort.rfind(':');
    if (colon != std::string_view::npos && bracket != std::string_view::npos && colon < bracket)
        colon = std::string_view::npos;
    std::string_view host = hostPort.substr(0, colon);
    std::string_view port;
    if (colon != std::string_view::npos)
        port = hostPort.substr(colon + 1);
    std::string result = host.starts_with('[') ? LowerCase(host) : NormalizeHost(host);
    if (!port.empty() && port != DefaultPort(scheme))
        result.append(":").append(port);
    return result;
}

// Among places whose addresses share a hash (in the list's order), the groups of equal ones.
void GroupSameAddresses(const std::vector<LinkToCheck>& links,
                        std::span<const std::pair<std::size_t, std::size_t>> places,
                        std::vector<DuplicateGroup>& groups) {
    std::vector<DuplicateGroup> found;
    for (const auto& [hash, index] : places) {
        std::string address = NormalizeAddress(links[index].address);
        const auto same = std::ranges::find(found, address, &DuplicateGroup::address);
        if (same == found.end())
            found.push_back({std::move(address), {index}});
        else
            same->places.push_back(index);
    }
    for (DuplicateGroup& group : found)
        if (group.places.size() > 1)
            groups.push_back(std::move(group));
}

} // namespace

std::string NormalizeAddress(std::string_view address) {
    const std::size_t schemeLength = SchemeLength(address);
    if (schemeLength == 0)
        return std::string(address);
    const std::string scheme = LowerCase(address.substr(0, schemeLength));
    std::string_view rest = address.substr(schemeLength + 1);
    std::string result = scheme + ":";
    if (!rest.starts_with("//"))
        return result.append(NormalizeEscapes(rest));
    rest.remove_prefix(2);
    const std::size_t authorityEnd = std::min(rest.find_first_of("/?#"), rest.size());
    const std::string_view authority = rest.substr(0, authorityEnd);
    const std::size_t at = authority.rfind('@');
    result.append("//");
    if (at != std::string_view::npos)
        result.append(authority.substr(0, at + 1));
    result.append(NormalizeHostPort(
        at == std::string_view::npos ? authority : authority.substr(at + 1), scheme));
    rest.remove_prefix(authorityEnd);
    if (rest.empty() || rest.front() != '/')
        result.append("/");
    return result.append(NormalizeEscapes(rest));
}

// Only a hash of each address is kept for the whole list, so a large tree costs sixteen bytes a
// link; the few addresses that share a hash are compared whole.
std::vector<DuplicateGroup> FindDuplicates(const std::vector<LinkToCheck>& links) {
    std::vector<std::pair<std::size_t, std::size_t>> hashed(links.size());
    for (std::size_t i = 0; i < links.size(); ++i)
        hashed[i] = {std::hash<std::string>{}(NormalizeAddress(links[i].address)), i};
    std::ranges::sort(hashed);
    std::vector<DuplicateGroup> groups;
    for (auto run = hashed.begin(); run != hashed.end();) {
        const auto end = std::find_if(
            run, hashed.end(), [run](const auto& entry) { return entry.first != run->first; });
        if (end - run > 1)
            GroupSameAddresses(links, {run, end}, groups);
        run = end;
    }
    std::ranges::sort(groups, {}, [](const DuplicateGroup& group) { return group.places.front(); });
    return groups;
}
