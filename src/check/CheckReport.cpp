// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckReport.h"

#include "platform/FilledText.h"
#include "platform/Utf8Text.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <algorithm>
#include <set>
#include <tuple>

namespace {

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

// Each cause once: its fixed English word for scripts and its text to translate for people,
// where %1 is the HTTP status or the cause's detail.
CheckReport::CauseWords CheckReport::WordsFor(CheckFinding::Cause cause) {
    using Cause = CheckFinding::Cause;
    switch (cause) {
    case Cause::HttpStatus:
        return {"%1", "%1"};
    case Cause::NameNotFound:
        return {"name not found", QT_TRANSLATE_NOOP("CheckTexts", "找不到主机名")};
    case Cause::ConnectionRefused:
        return {"connection refused", QT_TRANSLATE_NOOP("CheckTexts", "连接被拒绝")};
    case Cause::ConnectionReset:
        return {"connection reset", QT_TRANSLATE_NOOP("CheckTexts", "连接被重置")};
    case Cause::TlsFailure:
        return {"TLS failure", QT_TRANSLATE_NOOP("CheckTexts", "TLS 握手失败")};
    case Cause::TimeOut:
        return {"time-out", QT_TRANSLATE_NOOP("CheckTexts", "超时")};
    case Cause::HostSilent:
        return {"host does not answer", QT_TRANSLATE_NOOP("CheckTexts", "主机没有应答")};
    case Cause::RateLimited:
        return {"rate limited", QT_TRANSLATE_NOOP("CheckTexts", "访问过于频繁，被限制")};
    case Cause::RedirectLoop:
        return {"redirect loop", QT_TRANSLATE_NOOP("CheckTexts", "重定向循环")};
    case Cause::TooManyRedirects:
        return {"too many redirects", QT_TRANSLATE_NOOP("CheckTexts", "重定向次数过多")};
    case Cause::RedirectWithoutLocation:
        return {"redirect without Location", QT_TRANSLATE_NOOP("CheckTexts", "重定向没有目标地址")};
    case Cause::BadRedirect:
        return {"redirect to a bad address", QT_TRANSLATE_NOOP("CheckTexts", "重定向到无效地址")};
    case Cause::RedirectElsewhere:
        return {"redirect to %1:", QT_TRANSLATE_NOOP("CheckTexts", "重定向到 %1: 地址")};
    case Cause::Malformed:
        return {"malformed answer", QT_TRANSLATE_NOOP("CheckTexts", "服务器的应答格式错误")};
    case Cause::BadAddress:
        return {"bad address", QT_TRANSLATE_NOOP("CheckTexts", "地址无效")};
    case Cause::FileMissing:
        return {"file not found", QT_TRANSLATE_NOOP("CheckTexts", "文件不存在")};
    case Cause::Duplicate:
        return {"%1 places", QT_TRANSLATE_N_NOOP("CheckTexts", "共 %n 处")};
    case Cause::Stopped:
        return {"stopped", QT_TRANSLATE_NOOP("CheckTexts", "检查已停止")};
    case Cause::NetworkUnreachable:
        return {"network unreachable", QT_TRANSLATE_NOOP("CheckTexts", "网络似乎无法连接")};
    case Cause::NetworkError:
        break;
    }
    return {"%1", "%1"};
}

std::string CheckReport::StatusIn(const QString& words, const CheckFinding& finding) {
    if (!words.contains(QLatin1String("%1")))
        return words.toStdString();
    return FilledText(words, finding.cause == CheckFinding::Cause::HttpStatus
                                 ? std::to_string(finding.httpStatus)
                                 : finding.detail);
}

std::string CheckReport::StatusText(const CheckFinding& finding) {
    return StatusIn(QString::fromLatin1(WordsFor(finding.cause).word), finding);
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
        {"unreachable", static_cast<qint64>(unreachable)},
        {"remembered", static_cast<qint64>(remembered)},
        {"stopped", stopped},
        {"findings", list},
    };
    return QJsonDocument(report).toJson(QJsonDocument::Indented).toStdString();
}
