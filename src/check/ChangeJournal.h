// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/ChangePlan.h"
#include "platform/Failure.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <string>
#include <vector>

// The record of the batches of changes made to the shortcut tree, one JSON object a line. A
// batch is written whole before any of it is carried out, and each change is marked once it is
// made, so a batch cut short (a crash, a kill) can still be undone.
class ChangeJournal {
public:
    struct Entry {
        PlannedChange change;
        // A moved link's shortcut as it was and as it is written.
        std::string oldBytes;
        std::string newBytes;
        // Where in the Trash the file went, once it went.
        std::string place;
        bool done = false;
    };
    struct Batch {
        std::string id;
        QDateTime time;
        std::vector<Entry> entries;
    };

    explicit ChangeJournal(QString path = DefaultPath());
    // $XDG_STATE_HOME/linkshelf/changes.jsonl, by default under ~/.local/state.
    static QString DefaultPath();
    const QString& Path() const { return path_; }

    // Writes the batch, giving it its name and time.
    Result Begin(Batch& batch) const;
    Result MarkDone(const Batch& batch, std::size_t entry, const std::string& place = {}) const;
    Result MarkUndone(const Batch& batch) const;
    // The last batch not undone yet, with what of it was marked done; nothing when there is none.
    std::optional<Batch> LastBatch() const;

private:
    Result Append(const QByteArray& line) const;

    QString path_;
};
