// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <vector>

// One thing the check found about a link.
struct CheckFinding {
    enum class Kind { Dead, Moved, Blocked, Duplicate, NotChecked };
    // Why: an HTTP status (in httpStatus), a failure of the connection, a duplicate place, a
    // check stopped while the link was under way, or a network that reached no site at all.
    enum class Cause {
        HttpStatus,
        NameNotFound,
        ConnectionRefused,
        ConnectionReset,
        TlsFailure,
        TimeOut,
        HostSilent,
        RateLimited,
        RedirectLoop,
        TooManyRedirects,
        RedirectWithoutLocation,
        BadRedirect,
        RedirectElsewhere,
        Malformed,
        NetworkError,
        BadAddress,
        FileMissing,
        Duplicate,
        Stopped,
        NetworkUnreachable,
    };

    Kind kind;
    Cause cause;
    int httpStatus = 0;
    std::string address;
    std::string name;
    std::string folder;
    // The final address of a moved link, where a redirect the check cannot follow leads; the
    // shared address of a duplicate.
    std::string target;
    // A network failure's own words; the scheme a redirect leads to; the number of places of a
    // duplicate.
    std::string detail;
    // Where the link stands in the page's order (a duplicate: its group's first place).
    std::size_t order = 0;
    std::size_t place = 0;
};

// What a check found, and how far it got.
class CheckReport {
public:
    std::vector<CheckFinding> findings;
    std::size_t total = 0;
    std::size_t checked = 0;
    std::size_t ok = 0;
    // Links of other schemes, which the check does not ask.
    std::size_t notChecked = 0;
    // Web links left unchecked because the network seemed down: counted apart from checked.
    std::size_t unreachable = 0;
    // Links whose verdict was taken from an earlier check.
    std::size_t remembered = 0;
    bool stopped = false;

    std::size_t Count(CheckFinding::Kind kind) const;
    std::size_t DuplicateAddresses() const;

    // Dead first, then moved, blocked, duplicates and those not checked, each in the page's order.
    void Sort();

    // For scripts: the same in JSON, whose kinds and statuses are fixed English words in every
    // language.
    std::string Json() const;

    static const char* KindName(CheckFinding::Kind kind);
    static std::string StatusText(const CheckFinding& finding);

    // What a finding's status says for its cause: a fixed English word and a text to translate
    // (in the context CheckTexts), where %1 stands for the HTTP status or the cause's detail.
    struct CauseWords {
        const char* word;
        const char* text;
    };
    static CauseWords WordsFor(CheckFinding::Cause cause);
    // The status in the words for its cause, with %1 filled in.
    static std::string StatusIn(const QString& words, const CheckFinding& finding);
};
