// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckReport.h"

#include "CheckTexts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <set>
#include <tuple>

namespace {

QString Q(const std::string& text) {
    return QString::fromUtf8(text);
}

bool LeadsElsewhere(const CheckFinding& finding) {
    return finding.kind == CheckFinding::Kind::Moved ||
           finding.cause == CheckFinding::Cause::RedirectElsewhere;
}

QJsonObject FindingJson(const CheckFinding& finding) {
    QJsonObject object{
        {"kind", CheckReport::KindName(finding.kind)},
        {"status", Q(CheckReport::StatusText(finding))},
        {"address", Q(finding.address)},
        {"name", Q(finding.name)},
        {"folder", Q(finding.folder)},
    };
    if (LeadsElsewhere(finding))
        object.insert("final", Q(finding.target));
    if (finding.kind == CheckFinding::Kind::Duplicate)
        object.insert("normalized", Q(finding.target));
    if (finding.cause == CheckFinding::Cause::HttpStatus)
        object.insert("http", finding.httpStatus);
    return object;
}

// A name may hold a tab or a line break; a report line must stay one line of columns.
std::string OneLine(const std::string& text) {
    std::string line = text;
    std::ranges::replace_if(
        line, [](char c) { return c == '\t' || c == '\n' || c == '\r'; }, ' ');
    return line;
}

} // namespace

std::size_t CheckReport::Count(CheckFinding::Kind kind) const {
    return static_cast<std::size_t>(std::ranges::count(findings, kind, &CheckFinding::kind));
}

std::size_t CheckReport::DuplicateAddresses() const {
    std::set<std::size_t> groups;
    for (const CheckFinding& finding : findings)
        if (finding.kind == CheckFinding::Kind::Duplicate)
            groups.insert(finding.order);
    return groups.size();
}

void CheckReport::Sort() {
    std::ranges::sort(findings, {}, [](const CheckFinding& finding) {
        return std::tuple(finding.kind, finding.order, finding.place);
    });
}

const char* CheckReport::KindName(CheckFinding::Kind kind) {
    switch (kind) {
    case CheckFinding::Kind::Dead:
        return "dead";
    case CheckFinding::Kind::Moved:
        return "moved";
    case CheckFinding::Kind::Blocked:
        return "blocked";
    case CheckFinding::Kind::Duplicate:
        return "duplicate";
    case CheckFinding::Kind::NotChecked:
        break;
    }
    return "not checked";
}

std::string CheckReport::StatusText(const CheckFinding& finding) {
    using Cause = CheckFinding::Cause;
    switch (finding.cause) {
    case Cause::HttpStatus:
        return std::to_string(finding.httpStatus);
    case Cause::NameNotFound:
        return "name not found";
    case Cause::ConnectionRefused:
        return "connection refused";
    case Cause::ConnectionReset:
        return "connection reset";
    case Cause::TlsFailure:
        return "TLS failure";
    case Cause::TimeOut:
        return "time-out";
    case Cause::HostSilent:
        return "host does not answer";
    case Cause::RateLimited:
        return "rate limited";
    case Cause::RedirectLoop:
        return "redirect loop";
    case Cause::TooManyRedirects:
        return "too many redirects";
    case Cause::RedirectWithoutLocation:
        return "redirect without Location";
    case Cause::BadRedirect:
        return "redirect to a bad address";
    case Cause::RedirectElsewhere:
        return "redirect to " + finding.detail + ":";
    case Cause::Malformed:
        return "malformed answer";
    case Cause::BadAddress:
        return "bad address";
    case Cause::FileMissing:
        return "file not found";
    case Cause::Duplicate:
        return finding.detail + " places";
    case Cause::Stopped:
        return "stopped";
    case Cause::NetworkError:
        break;
    }
    return finding.detail;
}

std::string CheckReport::Text() const {
    std::string text;
    for (const CheckFinding& finding : findings) {
        text.append(CheckTexts::FindingKind(finding.kind))
            .append("\t")
            .append(CheckTexts::FindingStatus(finding));
        text.append("\t").append(OneLine(finding.address));
        text.append("\t").append(OneLine(finding.name));
        text.append("\t").append(OneLine(finding.folder));
        if (!finding.target.empty())
            text.append("\t").append(OneLine(finding.target));
        text.append("\n");
    }
    return text.append(CheckTexts::Summary(*this)).append("\n");
}

std::string CheckReport::Json() const {
    QJsonArray list;
    for (const CheckFinding& finding : findings)
        list.append(FindingJson(finding));
    const QJsonObject report{
        {"total", static_cast<qint64>(total)},
        {"checked", static_cast<qint64>(checked)},
        {"ok", static_cast<qint64>(ok)},
        {"dead", static_cast<qint64>(Count(CheckFinding::Kind::Dead))},
        {"moved", static_cast<qint64>(Count(CheckFinding::Kind::Moved))},
        {"blocked", static_cast<qint64>(Count(CheckFinding::Kind::Blocked))},
        {"duplicateAddresses", static_cast<qint64>(DuplicateAddresses())},
        {"notChecked", static_cast<qint64>(notChecked)},
        {"remembered", static_cast<qint64>(remembered)},
        {"stopped", stopped},
        {"findings", list},
    };
    return QJsonDocument(report).toJson(QJsonDocument::Indented).toStdString();
}
