// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "check/CheckCache.h"
#include "check/CheckReport.h"
#include "check/LinkToCheck.h"

#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QString>
#include <deque>
#include <functional>
#include <list>
#include <map>
#include <memory>
#include <set>
#include <vector>

class QNetworkAccessManager;
class QTimer;

// Checks a list of links: duplicates at once, file: links on the spot, http and https links
// through the network a few at a time, and reports what it found when all are done or it is
// stopped. Requests are made only as connections come free, so memory does not grow with the
// number of links.
class LinkChecker : public QObject {
    Q_OBJECT
public:
    struct Limits {
        int timeOutMs = 15000;
        int perHost = 6;
        int total = 128;
        int redirects = 10;
        // How long nothing may finish before stalled names the host the check waits on.
        int quietMs = 3000;
    };

    // With no network given the checker makes its own, honouring the system's proxy settings.
    // A given one (tests use it to stand in for name lookups) must outlive the checker.
    LinkChecker(std::vector<LinkToCheck> links, Limits limits,
                QNetworkAccessManager* network = nullptr, QObject* parent = nullptr);
    ~LinkChecker() override;

    // Earlier verdicts to take and to add to: a web link whose verdict in the cache take accepts
    // is not asked again; every web link asked gets its new verdict put in. Call before Start;
    // the cache must outlive the checker.
    void RememberIn(CheckCache* cache, std::function<bool(const CheckCache::Verdict&)> take);

    void Start();
    // Drops every request still open and finishes with what was checked so far; the links that
    // were under way are listed as not checked.
    void Stop();

    bool IsFinished() const { return finished_; }
    const CheckReport& Report() const { return report_; }
    static QString UserAgent();
    // A failed request's cause in the check's words; NetworkError where the words are Qt's own.
    static CheckFinding::Cause CauseOf(QNetworkReply::NetworkError error);

signals:
    void progressed(qsizetype done, qsizetype total);
    // Nothing has finished for a while; host (with its port when not the default) holds it up.
    // Repeated while that lasts; the next progressed ends it.
    void stalled(const QString& host);
    void finished();

private:
    struct Host;
    struct Probe;

    void QueueLinks();
    void StartWaiting();
    void Send(Probe& probe);
    void StartTimeLimit(Probe& probe);
    void Answered(Probe& probe, int status, const QByteArray& location,
                  const QByteArray& retryAfter);
    bool WaitIfBusy(Probe& probe, int status, const QByteArray& retryAfter);
    void Redirected(Probe& probe, int status, const QByteArray& location);
    void Conclude(Probe& probe, CheckFinding::Kind kind, CheckFinding::Cause cause,
                  int httpStatus = 0, std::string target = {}, std::string detail = {});
    void Failed(Probe& probe, int error, const QString& text);
    void LookAgain(Probe& probe, const QString& text);
    static void ReleaseLook(Probe& probe);
    void EndSilent(Probe& probe, CheckFinding::Cause cause, std::string detail = {});
    void EndProbe(Probe& probe);
    bool TakeEarlier(std::size_t link);
    void Remember(std::size_t link, CheckCache::Verdict verdict);
    void Settle(Probe& probe, CheckFinding::Kind kind, CheckFinding::Cause cause,
                int httpStatus = 0, std::string target = {}, std::string detail = {});
    void AddFinding(std::size_t link, CheckFinding::Kind kind, CheckFinding::Cause cause,
                    int httpStatus = 0, std::string target = {}, std::string detail = {});
    void LinkDone();
    void StillWaiting();
    std::set<const Host*> HostsOffTheNetwork() const;
    void SpareUnreachedLinks();
    void Finish();

    std::vector<LinkToCheck> links_;
    const Limits limits_;
    QPointer<QNetworkAccessManager> network_;
    CheckReport report_;
    std::map<QString, Host> hosts_;
    // Hosts with links waiting and a connection free, taken in turn.
    std::deque<Host*> ready_;
    std::list<std::unique_ptr<Probe>> probes_;
    QTimer* quiet_;
    CheckCache* cache_ = nullptr;
    std::function<bool(const CheckCache::Verdict&)> take_;
    // Verdicts of links the network may have failed, kept once the check knows it did not.
    std::vector<std::pair<std::size_t, CheckCache::Verdict>> unsure_;
    int running_ = 0;
    bool finished_ = false;
};
