// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/ChangeBatch.h"
#include "check/ChangeJournal.h"
#include "check/LinkChecker.h"
#include "platform/Failure.h"
#include "settings/Globals.h"
#include "settings/Settings.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <deque>
#include <list>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class QNetworkAccessManager;
class QNetworkReply;

// Fetches the site icons of the links that have none, only when the user asks, and only from
// each link's own site: its /favicon.ico, else the icon the <head> of the link's page names
// on the same host. Each site is asked once, one request at a time, with the link check's
// limits (time-out, connections at once) and the system's proxy settings. An icon that passes
// IconImage's checks is kept in the source folder's hidden icon folder, as an import keeps
// its icons. Once every site is done, the shortcuts get IconFile= and IconIndex=0 in one batch
// of the change journal, so that the last batch's undo takes them back out: each is rewritten
// through the INI writer, its other lines kept. The icons stay in the icon folder on undo: a
// page lists only the icons its shortcuts name, and another shortcut may name the same one.
class IconFetcher : public QObject {
    Q_OBJECT
public:
    // A link without an icon: its shortcut (a path below the source folder), how many folders
    // below the source folder it lies, and its address.
    struct Link {
        std::string shortcut;
        int depth = 0;
        std::string address;
    };
    // Links counted by what became of their site.
    struct Counts {
        long long fetched = 0;
        long long noneFound = 0;
        long long refused = 0;
        // Links whose icon was fetched but could not be kept (or the shortcut was changed or thrown
        // away meanwhile), and why the first one was not.
        long long notKept = 0;
        Failure firstNotKept;
        // Links whose site could not be reached, by why: the link check's cause, with the
        // network's own words where the cause has none of its own.
        std::map<std::pair<CheckFinding::Cause, std::string>, long long> unreachable;

        // Whether there were sites to ask and none of them could be reached.
        bool NoneReached() const;
    };

    // The web links of the page of these settings that have no icon.
    static std::vector<Link> Collect(const Settings& settings, const Globals& globals);

    IconFetcher(const std::string& sourceFolder, const std::vector<Link>& links,
                LinkChecker::Limits limits, QNetworkAccessManager* network = nullptr,
                QObject* parent = nullptr);
    ~IconFetcher() override;

    void Start();
    // Drops the requests still open; their sites count as none found.
    void Stop();
    bool IsFinished() const { return finished_; }
    const Counts& Report() const { return counts_; }
    // What became of each shortcut the fetch was to give its icon.
    const std::vector<ChangeOutcome>& Outcomes() const { return outcomes_; }
    // What was fetched, for the user.
    static QString Summary(const Counts& counts);

signals:
    // Sites done of all sites.
    void progressed(qsizetype done, qsizetype total);
    void finished();

private:
    struct Site {
        QUrl origin;
        QUrl page;
        std::vector<std::size_t> links;
        // 0: the site's /favicon.ico, 1: its page, 2: the icon the page names.
        int step = 0;
        bool refused = false;
        // Whether any request had an answer; why the first one that had none failed.
        bool reached = false;
        std::optional<std::pair<CheckFinding::Cause, std::string>> unreachable;
        QPointer<QNetworkReply> reply;
    };

    void StartMore();
    void RequestFrom(Site& site, const QUrl& url);
    void ReadAnswer(Site& site);
    void EndSite(Site& site, const QByteArray& icon);
    void KeepIcon(const Site& site, const QByteArray& png);
    // The icon's file name in the icon folder, written there unless it already is.
    ResultOf<std::string> Store(const QByteArray& png) const;
    void NotKept(const Failure& why);
    // Points the shortcuts at their icons, in one batch of the journal.
    void WriteShortcuts();

    std::string source_;
    std::vector<Link> links_;
    const LinkChecker::Limits limits_;
    const ChangeJournal journal_;
    std::vector<PlannedChange> plan_;
    QPointer<QNetworkAccessManager> network_;
    std::list<Site> sites_;
    std::deque<Site*> waiting_;
    std::vector<ChangeOutcome> outcomes_;
    Counts counts_;
    qsizetype done_ = 0;
    int running_ = 0;
    bool finished_ = false;
    bool stopped_ = false;
};
