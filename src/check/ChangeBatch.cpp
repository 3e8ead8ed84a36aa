// SPDX-License-Identifier: GPL-3.0-or-later
#include "ChangeBatch.h"

#include "platform/AtomicFile.h"
#include "platform/FilledText.h"
#include "platform/IniFile.h"
#include "platform/Trash.h"
#include "text/TextFile.h"

#include <QCoreApplication>
#include <QFile>
#include <cerrno>
#include <optional>
#include <unistd.h>

namespace {

using Action = PlannedChange::Action;

std::string Text(const char* text) {
    return QCoreApplication::translate("ChangeBatch", text).toStdString();
}

Failure ChangedSince(const std::string& path) {
    return {
        Text(QT_TRANSLATE_NOOP("ChangeBatch", "没有改动：快捷方式在检查之后被改动过。")), path, {}};
}

QString Translated(const char* text) {
    return QCoreApplication::translate("ChangeBatch", text);
}

// Why a change that rewrites a shortcut could not be prepared or made.
std::string RewriteFailed(const PlannedChange& change) {
    if (change.action == Action::SetIcon)
        return FilledText(Translated(QT_TRANSLATE_NOOP(
                              "ChangeBatch", "不能在快捷方式 \"%1\" 中记下它的网站图标。")),
                          change.file);
    return Text(QT_TRANSLATE_NOOP("ChangeBatch", "不能更新地址。"));
}

// A shortcut bound for a new icon may have been thrown away or given another address while
// its site was asked: writing to it would bring it back, or give a site another's icon.
Failure GoneOrReaddressed(const PlannedChange& change) {
    if (change.action != Action::SetIcon)
        return ChangedSince(change.file);
    return {RewriteFailed(change), change.file,
            Text(QT_TRANSLATE_NOOP("ChangeBatch", "它在获取图标期间被改动或移走了。"))};
}

// What a change writes into its shortcut: the new address, or the icon and its index.
Result Rewrite(IniFile& shortcut, const PlannedChange& change) {
    if (change.action == Action::UpdateAddress)
        return shortcut.SetValue("InternetShortcut", "URL", change.newAddress);
    if (Result set = shortcut.SetValue("InternetShortcut", "IconFile", change.iconFile); !set)
        return set;
    return shortcut.SetValue("InternetShortcut", "IconIndex", "0");
}

// Reads a shortcut to rewrite and works out its new bytes; a failure says why it is skipped.
// A new icon is for the shortcut as it is now, as long as it still holds the same address.
Result Prepare(ChangeJournal::Entry& entry) {
    PlannedChange& change = entry.change;
    if (change.action == Action::SetIcon)
        change.stamp = FileStamp::Of(change.file);
    else if (FileStamp::Of(change.file) != change.stamp)
        return ChangedSince(change.file);
    if (change.action == Action::MoveToTrash)
        return {};
    if (change.action == Action::SetIcon && change.stamp.size < 0)
        return GoneOrReaddressed(change);
    const std::string message = RewriteFailed(change);
    if (access(change.file.c_str(), W_OK) != 0)
        return Failure::FromErrno(message, change.file, errno);
    IniFile shortcut(change.file);
    const ResultOf<std::string> bytes = ReadTextFile(change.file);
    if (!bytes)
        return bytes.failure().Saying(message);
    if (Result loaded = shortcut.Load(); !loaded)
        return loaded.failure().Saying(message);
    if (shortcut.Value("InternetShortcut", "URL") != change.oldAddress)
        return GoneOrReaddressed(change);
    if (Result set = Rewrite(shortcut, change); !set)
        return set.failure().Saying(message);
    entry.oldBytes = *bytes;
    entry.newBytes = shortcut.Bytes();
    return {};
}

Result Make(const ChangeJournal::Entry& entry, std::string& place) {
    const PlannedChange& change = entry.change;
    if (FileStamp::Of(change.file) != change.stamp)
        return ChangedSince(change.file);
    if (change.action == Action::MoveToTrash)
        return Trash::Move(change.file, place);
    if (Result replaced = AtomicFile::Replace(change.file, entry.newBytes); !replaced)
        return replaced.failure().Saying(RewriteFailed(change));
    return {};
}

// A rewritten shortcut gets its old bytes back, as long as it still has the bytes written.
ChangeOutcome UndoRewrite(const ChangeJournal::Entry& entry) {
    const PlannedChange& change = entry.change;
    const ResultOf<std::string> now = ReadTextFile(change.file);
    if (now && *now == entry.oldBytes)
        return {change, ChangeOutcome::State::NotMade, {}, {}};
    if (!now || *now != entry.newBytes)
        return {change,
                ChangeOutcome::State::Skipped,
                {},
                {Text(QT_TRANSLATE_NOOP("ChangeBatch", "没有撤销：快捷方式在改动之后又被改动过。")),
                 change.file,
                 {}}};
    if (Result replaced = AtomicFile::Replace(change.file, entry.oldBytes); !replaced)
        return {change,
                ChangeOutcome::State::Skipped,
                {},
                replaced.failure().Saying(
                    change.action == Action::SetIcon
                        ? Text(QT_TRANSLATE_NOOP("ChangeBatch", "不能去掉网站图标。"))
                        : Text(QT_TRANSLATE_NOOP("ChangeBatch", "不能写回原来的地址。")))};
    return {change, ChangeOutcome::State::Done, {}, {}};
}

// A change the journal does not mark done may still have been made just before a crash: the
// file is then looked for in the Trash, among the files moved there from its path, by its size
// and time, which a move keeps.
std::string PlaceOf(const ChangeJournal::Entry& entry, const QDateTime& since) {
    if (entry.done)
        return entry.place;
    for (const std::string& place : Trash::Find(entry.change.file, since))
        if (FileStamp::Of(place) == entry.change.stamp)
            return place;
    return {};
}

ChangeOutcome UndoTrash(const ChangeJournal::Entry& entry, const QDateTime& since) {
    const PlannedChange& change = entry.change;
    const std::string place = PlaceOf(entry, since);
    if (place.empty() && !entry.done)
        return {change, ChangeOutcome::State::NotMade, {}, {}};
    if (place.empty() || FileStamp::Of(place).size != change.stamp.size)
        return {
            change,
            ChangeOutcome::State::Skipped,
            place,
            {Text(QT_TRANSLATE_NOOP("ChangeBatch", "没有还原：回收站中的文件不见了或被改动过。")),
             change.file,
             {}}};
    if (Result restored = Trash::Restore(place, change.file); !restored)
        return {change, ChangeOutcome::State::Skipped, place, restored.failure()};
    return {change, ChangeOutcome::State::Done, place, {}};
}

} // namespace

Result ChangeBatch::CarryOut(const std::vector<PlannedChange>& plan, const ChangeJournal& journal,
                             std::vector<ChangeOutcome>& outcomes) {
    outcomes.clear();
    ChangeJournal::Batch batch;
    for (const PlannedChange& change : plan) {
        ChangeJournal::Entry entry{change, {}, {}, {}, false};
        if (Result ready = Prepare(entry); !ready)
            outcomes.push_back({change, ChangeOutcome::State::Skipped, {}, ready.failure()});
        else
            batch.entries.push_back(std::move(entry));
    }
    if (batch.entries.empty())
        return {};
    if (Result begun = journal.Begin(batch); !begun)
        return begun;
    for (std::size_t i = 0; i < batch.entries.size(); ++i) {
        const PlannedChange& change = batch.entries[i].change;
        std::string place;
        if (Result made = Make(batch.entries[i], place); !made) {
            outcomes.push_back({change, ChangeOutcome::State::Skipped, {}, made.failure()});
            continue;
        }
        outcomes.push_back({change, ChangeOutcome::State::Done, place, {}});
        // Unmarked, the change is still found and undone: the Trash says where the file went.
        static_cast<void>(journal.MarkDone(batch, i, place));
    }
    return {};
}

Result ChangeBatch::UndoLast(const ChangeJournal& journal, std::vector<ChangeOutcome>& outcomes) {
    outcomes.clear();
    const std::optional<ChangeJournal::Batch> batch = journal.LastBatch();
    if (!batch)
        return Failure{Text(QT_TRANSLATE_NOOP("ChangeBatch", "没有可以撤销的改动。")),
                       QFile::encodeName(journal.Path()).toStdString(),
                       {}};
    for (auto entry = batch->entries.rbegin(); entry != batch->entries.rend(); ++entry)
        outcomes.push_back(entry->change.action == Action::MoveToTrash
                               ? UndoTrash(*entry, batch->time)
                               : UndoRewrite(*entry));
    return journal.MarkUndone(*batch);
}
