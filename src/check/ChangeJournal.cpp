// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChangeJournal.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>
#include <utility>

namespace {

// Text as a JSON string, or as its bytes in base64 when it is not UTF-8 (a file name may not be).
QJsonValue Put(const std::string& text) {
    const QString string = QString::fromUtf8(text);
    if (string.toUtf8().toStdString() == text)
        return string;
    return QJsonObject{{"base64", QString::fromLatin1(QByteArray::fromStdString(text).toBase64())}};
}

std::string Take(const QJsonValue& value) {
    if (value.isObject())
        return QByteArray::fromBase64(value["base64"].toString().toLatin1()).toStdString();
    return value.toString().toStdString();
}

QString Base64(const std::string& bytes) {
    return QString::fromLatin1(QByteArray::fromStdString(bytes).toBase64());
}

std::string FromBase64(const QJsonValue& value) {
    return QByteArray::fromBase64(value.toString().toLatin1()).toStdString();
}

using Action = PlannedChange::Action;

// How an action is named in the journal.
const std::pair<Action, const char*> ActionNames[]{
    {Action::UpdateAddress, "update"}, {Action::MoveToTrash, "trash"}, {Action::SetIcon, "icon"}};

const char* NameOf(Action action) {
    for (const auto& [known, name] : ActionNames)
        if (known == action)
            return name;
    return "trash";
}

// An action the journal does not know is taken as a move to the Trash, whose undoing looks in
// the Trash and changes nothing when the file is not there.
Action ActionNamed(const QString& name) {
    for (const auto& [action, known] : ActionNames)
        if (name == QLatin1String(known))
            return action;
    return Action::MoveToTrash;
}

QJsonObject EntryJson(const ChangeJournal::Entry& entry) {
    const PlannedChange& change = entry.change;
    const bool rewrite = change.action != Action::MoveToTrash;
    QJsonObject object{
        {"action", NameOf(change.action)},
        {"kind", CheckReport::KindName(change.kind)},
        {"file", Put(change.file)},
        {"name", Put(change.name)},
        {"oldAddress", Put(change.oldAddress)},
        {"size", static_cast<qint64>(change.stamp.size)},
        {"modifiedNs", static_cast<qint64>(change.stamp.modifiedNs)},
    };
    if (change.action == Action::UpdateAddress)
        object.insert("newAddress", Put(change.newAddress));
    if (change.action == Action::SetIcon)
        object.insert("iconFile", Put(change.iconFile));
    if (rewrite) {
        object.insert("oldBytes", Base64(entry.oldBytes));
        object.insert("newBytes", Base64(entry.newBytes));
    }
    return object;
}

CheckFinding::Kind KindFrom(const QString& name) {
    if (name == QLatin1String("moved"))
        return CheckFinding::Kind::Moved;
    if (name == QLatin1String("duplicate"))
        return CheckFinding::Kind::Duplicate;
    return CheckFinding::Kind::Dead;
}

ChangeJournal::Entry EntryFrom(const QJsonObject& object) {
    ChangeJournal::Entry entry;
    PlannedChange& change = entry.change;
    change.action = ActionNamed(object["action"].toString());
    change.kind = KindFrom(object["kind"].toString());
    change.file = Take(object["file"]);
    change.name = Take(object["name"]);
    change.oldAddress = Take(object["oldAddress"]);
    change.newAddress = Take(object["newAddress"]);
    change.iconFile = Take(object["iconFile"]);
    change.stamp = {object["size"].toInteger(-1), object["modifiedNs"].toInteger()};
    entry.oldBytes = FromBase64(object["oldBytes"]);
    entry.newBytes = FromBase64(object["newBytes"]);
    return entry;
}

std::string Text(const char* text) {
    return QCoreApplication::translate("ChangeJournal", text).toStdString();
}

} // namespace

ChangeJournal::ChangeJournal(QString path) : path_(std::move(path)) {}

QString ChangeJournal::DefaultPath() {
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty() || QDir::isRelativePath(state))
        state = QDir::homePath() + "/.local/state";
    return state + "/linkshelf/changes.jsonl";
}

Result ChangeJournal::Begin(Batch& batch) const {
    batch.time = QDateTime::currentDateTimeUtc();
    batch.id = QString::number(batch.time.toMSecsSinceEpoch()).toStdString() + "-" +
               std::to_string(getpid());
    QJsonArray entries;
    for (const Entry& entry : batch.entries)
        entries.append(EntryJson(entry));
    const QJsonObject line{{"batch", QString::fromStdString(batch.id)},
                           {"time", batch.time.toString(Qt::ISODateWithMs)},
                           {"changes", entries}};
    return Append(QJsonDocument(line).toJson(QJsonDocument::Compact));
}

Result ChangeJournal::MarkDone(const Batch& batch, std::size_t entry,
                               const std::string& place) const {
    QJsonObject line{{"batch", QString::fromStdString(batch.id)},
                     {"done", static_cast<qint64>(entry)}};
    if (!place.empty())
        line.insert("place", Put(place));
    return Append(QJsonDocument(line).toJson(QJsonDocument::Compact));
}

Result ChangeJournal::MarkUndone(const Batch& batch) const {
    const QJsonObject line{{"batch", QString::fromStdString(batch.id)}, {"undone", true}};
    return Append(QJsonDocument(line).toJson(QJsonDocument::Compact));
}

// Each line reaches the disk before the change it announces is made.
Result ChangeJournal::Append(const QByteArray& line) const {
    const std::string path = QFile::encodeName(path_).toStdString();
    const std::string message = Text(QT_TRANSLATE_NOOP("ChangeJournal", "不能写入改动记录。"));
    if (!QDir().mkpath(QFileInfo(path_).path()))
        return Failure::FromErrno(message, path, errno);
    const int fd = open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return Failure::FromErrno(message, path, errno);
    const QByteArray bytes = line + '\n';
    const bool written =
        write(fd, bytes.constData(), static_cast<std::size_t>(bytes.size())) == bytes.size() &&
        fdatasync(fd) == 0;
    const int cause = errno;
    if (close(fd) != 0 || !written)
        return Failure::FromErrno(message, path, written ? errno : cause);
    return {};
}

// A line cut short by a crash is no JSON object and is passed over.
std::optional<ChangeJournal::Batch> ChangeJournal::LastBatch() const {
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    std::vector<Batch> batches;
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QJsonObject object = QJsonDocument::fromJson(line).object();
        const std::string id = object["batch"].toString().toStdString();
        if (id.empty())
            continue;
        if (object.contains("changes")) {
            Batch batch{
                id, QDateTime::fromString(object["time"].toString(), Qt::ISODateWithMs), {}};
            for (const QJsonValue entry : object["changes"].toArray())
                batch.entries.push_back(EntryFrom(entry.toObject()));
            batches.push_back(std::move(batch));
            continue;
        }
        const auto batch = std::ranges::find(batches, id, &Batch::id);
        if (batch == batches.end())
            continue;
        if (object["undone"].toBool()) {
            batches.erase(batch);
        } else if (const qint64 done = object["done"].toInteger(-1);
                   done >= 0 && done < static_cast<qint64>(batch->entries.size())) {
            Entry& entry = batch->entries[static_cast<std::size_t>(done)];
            entry.done = true;
            entry.place = Take(object["place"]);
        }
    }
    if (batches.empty())
        return std::nullopt;
    return batches.back();
}
