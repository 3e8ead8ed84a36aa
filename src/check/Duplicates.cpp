#include "Duplicates.h"

#include <algorithm>
#include <cctype>
#include <unordered_map>

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
        const unsigned char c = static_cast<unsigned char>(address[i]);
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

// host[:port] with the host in lower case and a default port dropped; a bracketed IPv6 host
// keeps its colons.
std::string NormalizeHostPort(std::string_view hostPort, std::string_view scheme) {
    const std::size_t bracket = hostPort.rfind(']');
    std::size_t colon = hostPort.rfind(':');
    if (colon != std::string_view::npos && bracket != std::string_view::npos && colon < bracket)
        colon = std::string_view::npos;
    std::string_view host = hostPort.substr(0, colon);
    std::string_view port;
    if (colon != std::string_view::npos)
        port = hostPort.substr(colon + 1);
    std::string result = LowerCase(host);
    if (!port.empty() && port != DefaultPort(scheme))
        result.append(":").append(port);
    return result;
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
        return result.append(rest);
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
    return result.append(rest);
}

std::vector<DuplicateGroup> FindDuplicates(const std::vector<CheckedLink>& links) {
    std::unordered_map<std::string, std::size_t> groupOf;
    std::vector<DuplicateGroup> groups;
    for (std::size_t i = 0; i < links.size(); ++i) {
        std::string address = NormalizeAddress(links[i].address);
        const auto [found, added] = groupOf.try_emplace(address, groups.size());
        if (added)
            groups.push_back({std::move(address), {}});
        groups[found->second].places.push_back(i);
    }
    std::erase_if(groups, [](const DuplicateGroup& group) { return group.places.size() < 2; });
    return groups;
}
