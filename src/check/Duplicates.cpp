#include "Duplicates.h"

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

// Among places whose addresses share a hash (in the list's order), the groups of equal ones.
void GroupSameAddresses(const std::vector<CheckedLink>& links,
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

// Only a hash of each address is kept for the whole list, so a large tree costs sixteen bytes a
// link; the few addresses that share a hash are compared whole.
std::vector<DuplicateGroup> FindDuplicates(const std::vector<CheckedLink>& links) {
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
