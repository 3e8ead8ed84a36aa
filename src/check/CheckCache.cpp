// SPDX-License-Identifier: GPL-3.0-or-later
#include "CheckCache.h"

#include "platform/AtomicFile.h"
#include "platform/Utf8Text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>
#include <cerrno>

namespace {

// Bumped whenever the meaning of a stored cause changes; a file of another version is ignored.
constexpr int FormatVersion = 1;
constexpr int LastCause = static_cast<int>(CheckFinding::Cause::Stopped);

std::optional<CheckFinding::Kind> KindNamed(const QString& name) {
    for (const auto kind :
         {CheckFinding::Kind::Dead, CheckFinding::Kind::Moved, CheckFinding::Kind::Blocked})
        if (name == QLatin1String(CheckReport::KindName(kind)))
            return kind;
    return std::nullopt;
}

} // namespace

QString CheckCache::DefaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation) +
           "/linkshelf/check.json";
}

CheckCache CheckCache::Load(const QString& path) {
    CheckCache cache;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return cache;
    const QJsonObject root = QJsonDocument::fromJson(file.readAll()).object();
    if (root.value("version").toInt() != FormatVersion)
        return cache;
    const QJsonObject links = root.value("links").toObject();
    for (auto entry = links.begin(); entry != links.end(); ++entry) {
        const QJsonObject stored = entry.value().toObject();
        const int cause = stored.value("cause").toInt(-1);
        if (cause < 0 || cause > LastCause)
            continue;
        Verdict verdict;
        verdict.kind = KindNamed(stored.value("kind").toString());
        verdict.cause = static_cast<CheckFinding::Cause>(cause);
        verdict.httpStatus = stored.value("http").toInt();
        verdict.target = stored.value("target").toString().toStdString();
        verdict.detail = stored.value("detail").toString().toStdString();
        verdict.checkedAt = static_cast<qint64>(stored.value("at").toDouble());
        cache.verdicts_.emplace(entry.key().toStdString(), std::move(verdict));
    }
    return cache;
}

Result CheckCache::Save(const QString& path) const {
    QJsonObject links;
    for (const auto& [address, verdict] : verdicts_) {
        QJsonObject stored{
            {"kind", verdict.kind ? CheckReport::KindName(*verdict.kind) : "ok"},
            {"cause", static_cast<int>(verdict.cause)},
            {"at", static_cast<double>(verdict.checkedAt)},
        };
        if (verdict.httpStatus != 0)
            stored.insert("http", verdict.httpStatus);
        if (!verdict.target.empty())
            stored.insert("target", Q(verdict.target));
        if (!verdict.detail.empty())
            stored.insert("detail", Q(verdict.detail));
        links.insert(Q(address), stored);
    }
    const QJsonObject root{{"version", FormatVersion}, {"links", links}};
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return Failure::FromErrno("", folder.toStdString(), EACCES);
    return AtomicFile::Replace(path.toStdString(),
                               QJsonDocument(root).toJson(QJsonDocument::Compact).toStdString());
}

const CheckCache::Verdict* CheckCache::Find(const std::string& address) const {
    const auto found = verdicts_.find(address);
    return found == verdicts_.end() ? nullptr : &found->second;
}

void CheckCache::Put(const std::string& address, Verdict verdict) {
    verdicts_[address] = std::move(verdict);
}
