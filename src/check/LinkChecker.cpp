// SPDX-License-Identifier: GPL-3.0-or-later
#include "LinkChecker.h"

#include "check/Duplicates.h"
#include "check/RawAnswer.h"
#include "settings/Globals.h"

#include <QDateTime>
#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <optional>
#include <set>

namespace {

constexpr int ConnectionKeptSeconds = 0;
// The longest wait a busy site may ask for before a link is asked again; a longer one is not
// waited for.
constexpr qint64 LongestRetryAfterSeconds = 30;

bool IsWebScheme(const QString& scheme) {
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

// Connections are shared per scheme, host and port, so that is what the per-host limit counts.
QString HostKey(const QUrl& url) {
    return url.scheme() + "://" + url.host() + ":" +
           QString::number(url.port(url.scheme() == QLatin1String("https") ? 443 : 80));
}

// Failures that may be a server's wrong answer to HEAD rather than a fault of the link.
bool RetryWithGet(QNetworkReply::NetworkError error) {
    return error == QNetworkReply::RemoteHostClosedError ||
           error == QNetworkReply::ProtocolFailure || error == QNetworkReply::UnknownNetworkError ||
           error == QNetworkReply::UnknownContentError;
}

} // namespace

CheckFinding::Cause LinkChecker::CauseOf(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::HostNotFoundError:
        return CheckFinding::Cause::NameNotFound;
    case QNetworkReply::ConnectionRefusedError:
        return CheckFinding::Cause::ConnectionRefused;
    case QNetworkReply::RemoteHostClosedError:
        return CheckFinding::Cause::ConnectionReset;
    case QNetworkReply::SslHandshakeFailedError:
        return CheckFinding::Cause::TlsFailure;
    // Qt ends a request that outlived its own time limit as cancelled.
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return CheckFinding::Cause::TimeOut;
    default:
        return CheckFinding::Cause::NetworkError;
    }
}

namespace {

// Retry-After as seconds from now: a number of seconds or an HTTP date; -1 when there is none.
qint64 RetryAfterSeconds(const QByteArray& value) {
    const QByteArray text = value.trimmed();
    if (text.isEmpty())
        return -1;
    bool number = false;
    const qint64 seconds = text.toLongLong(&number);
    if (number)
        return seconds < 0 ? -1 : seconds;
    QString date = QString::fromLatin1(text);
    date.replace(QLatin1String(" GMT"), QLatin1String(" +0000"));
    const QDateTime at = QDateTime::fromString(date, Qt::RFC2822Date);
    if (!at.isValid())
        return -1;
    return std::max<qint64>(0, QDateTime::currentDateTimeUtc().secsTo(at));
}

// Failures that say nothing reached the host: no name, no route, no answer at all. A refused or
// cut connection, or a failed TLS greeting, came from something on the way and is not one.
bool IsReachFailure(CheckFinding::Cause cause) {
    using Cause = CheckFinding::Cause;
    return cause == Cause::NameNotFound || cause == Cause::NetworkError ||
           cause == Cause::TimeOut || cause == Cause::HostSilent;
}

// Without a network every name lookup fails, or every connection finds no route, at once.
bool IsOfflineFailure(CheckFinding::Cause cause) {
    return cause == CheckFinding::Cause::NameNotFound || cause == CheckFinding::Cause::NetworkError;
}

// From this many hosts on, failures of one kind at nearly all of them are the network's, not
// theirs: a few hosts that answered (an intranet, a cached name) do not make the rest dead.
constexpr std::size_t HostsForALikelyOutage = 5;
constexpr double ShareForALikelyOutage = 0.9;

bool IsRedirect(int status) {
    return status >= 300 && status < 400;
}

// Only an answer the server sends straight to us can be looked at byte for byte.
bool ReachedDirectly(QNetworkAccessManager& network, const QUrl& url) {
    if (network.proxy().type() == QNetworkProxy::NoProxy)
        return true;
    if (network.proxy().type() != QNetworkProxy::DefaultProxy)
        return false;
    const QNetworkProxyQuery query(url);
    const QList<QNetworkProxy> proxies = network.proxyFactory() != nullptr
                                             ? network.proxyFactory()->queryProxy(query)
                                             : QNetworkProxyFactory::proxyForQuery(query);
    return proxies.isEmpty() || proxies.front().type() == QNetworkProxy::NoProxy;
}

// Lets go of the probe's current request, which may be still running (a GET is dropped as
// soon as its headers are in).
void Release(QNetworkReply*& reply, QObject* receiver) {
    if (!reply)
        return;
    reply->disconnect(receiver);
    // Deleting a running reply ends its transfer; aborting it instead would make Qt complain
    // about the error it may already have queued.
    reply->deleteLater();
    reply = nullptr;
}

} // namespace

// Most links of a tree have a host of their own, so a host's queue is a plain list and a read
// position rather than a deque, which would take half a kilobyte even for one link.
struct LinkChecker::Host {
    std::vector<std::size_t> links;
    std::size_t next = 0;
    int running = 0;
    bool ready = false;
    // Whether the host ever answered, and how often it let a link time out, refused or cut its
    // connection.
    bool answered = false;
    int silences = 0;
    // Whether anything on the way answered for it (a refusal counts), and the first failure
    // that showed nothing did.
    bool reached = false;
    std::optional<CheckFinding::Cause> unreached;

    bool Waiting() const { return next < links.size(); }
    // After a first failure without an answer, no new link is started until those under way
    // are through: the host may be down, and each would only wait out its own time limit.
    bool Held() const { return silences > 0 && !answered && running > 0; }
};

// One link on its way through HEAD, GET and redirects; its timer covers the whole way.
struct LinkChecker::Probe {
    std::size_t link = 0;
    Host* host = nullptr;
    QUrl url;
    bool get = false;
    int hops = 0;
    // The link's own answer when it moved for good (301, 308); 0 otherwise.
    int movedStatus = 0;
    std::set<QString> seen;
    QNetworkReply* reply = nullptr;
    // A second look at an answer Qt could not read.
    RawAnswer* look = nullptr;
    // Whether a busy site's wait was already waited out once.
    bool waited = false;
    QTimer* timer = nullptr;
};

LinkChecker::LinkChecker(std::vector<LinkToCheck> links, Limits limits,
                         QNetworkAccessManager* network, QObject* parent)
    : QObject(parent), links_(std::move(links)), limits_(limits), network_(network) {
    if (!network_) {
        QNetworkProxyFactory::setUseSystemConfiguration(true);
        network_ = new QNetworkAccessManager(this);
    }
    quiet_ = new QTimer(this);
    quiet_->setSingleShot(true);
    connect(quiet_, &QTimer::timeout, this, &LinkChecker::StillWaiting);
}

LinkChecker::~LinkChecker() {
    for (const auto& probe : probes_) {
        if (probe->reply) {
            probe->reply->disconnect(this);
            probe->reply->deleteLater();
        }
    }
}

QString LinkChecker::UserAgent() {
    return "Linkshelf/" + QString::fromStdString(VersionText());
}

void LinkChecker::Start() {
    report_.total = links_.size();
    for (const DuplicateGroup& group : FindDuplicates(links_)) {
        for (const std::size_t place : group.places) {
            AddFinding(place, CheckFinding::Kind::Duplicate, CheckFinding::Cause::Duplicate, 0,
                       group.address, std::to_string(group.places.size()));
            report_.findings.back().order = group.places.front();
        }
    }
    QueueLinks();
    quiet_->start(limits_.quietMs);
    emit progressed(static_cast<qsizetype>(report_.checked) +
                        static_cast<qsizetype>(report_.notChecked),
                    static_cast<qsizetype>(report_.total));
    StartWaiting();
    if (running_ == 0)
        Finish();
}

void LinkChecker::QueueLinks() {
    for (std::size_t i = 0; i < links_.size(); ++i) {
        const QUrl url(QString::fromUtf8(links_[i].address));
        const QString scheme = url.scheme().toLower();
        if (IsWebScheme(scheme)) {
            if (!url.isValid() || url.host().isEmpty()) {
                AddFinding(i, CheckFinding::Kind::Dead, CheckFinding::Cause::BadAddress);
            } else if (!TakeEarlier(i)) {
                hosts_[HostKey(url)].links.push_back(i);
                continue;
            }
        } else if (scheme == QLatin1String("file")) {
            if (QFileInfo::exists(url.toLocalFile()))
                ++report_.ok;
            else
                AddFinding(i, CheckFinding::Kind::Dead, CheckFinding::Cause::FileMissing);
        } else {
            ++report_.notChecked;
            continue;
        }
        ++report_.checked;
    }
    for (auto& [key, host] : hosts_) {
        host.ready = true;
        ready_.push_back(&host);
    }
}

void LinkChecker::StartWaiting() {
    while (running_ < limits_.total && !ready_.empty()) {
        Host* host = ready_.front();
        ready_.pop_front();
        // Its links may have been settled, or it held back, since it joined the queue.
        if (!host->Waiting() || host->Held()) {
            host->ready = false;
            continue;
        }
        auto probe = std::make_unique<Probe>();
        probe->link = host->links[host->next++];
        probe->host = host;
        probe->url = QUrl(QString::fromUtf8(links_[probe->link].address));
        probe->seen.insert(probe->url.toString());
        probe->timer = new QTimer(this);
        probe->timer->setSingleShot(true);
        Probe& started = *probes_.emplace_back(std::move(probe));
        ++host->running;
        ++running_;
        host->ready = host->Waiting() && host->running < limits_.perHost && !host->Held();
        if (host->ready)
            ready_.push_back(host);
        StartTimeLimit(started);
        Send(started);
    }
}

void LinkChecker::StartTimeLimit(Probe& probe) {
    probe.timer->disconnect(this);
    connect(probe.timer, &QTimer::timeout, this,
            [this, &probe] { EndSilent(probe, CheckFinding::Cause::TimeOut); });
    probe.timer->start(limits_.timeOutMs);
}

// A busy site (429, 503 to GET) that says when to come back within half a minute is asked once
// more then, with a time limit of its own; the wait itself does not count against the link. One
// that asks for longer, or is still busy, is there but not answering: blocked, not dead.
bool LinkChecker::WaitIfBusy(Probe& probe, int status, const QByteArray& retryAfter) {
    const qint64 seconds = RetryAfterSeconds(retryAfter);
    if (!probe.get || (status != 429 && status != 503) || seconds < 0)
        return false;
    if (probe.waited || seconds > LongestRetryAfterSeconds) {
        Settle(probe, CheckFinding::Kind::Blocked, CheckFinding::Cause::RateLimited, status);
        EndProbe(probe);
        return true;
    }
    probe.waited = true;
    probe.timer->disconnect(this);
    connect(probe.timer, &QTimer::timeout, this, [this, &probe] {
        StartTimeLimit(probe);
        Send(probe);
    });
    probe.timer->start(static_cast<int>(seconds * 1000));
    return true;
}

void LinkChecker::Send(Probe& probe) {
    QNetworkRequest request(probe.url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    request.setHeader(QNetworkRequest::UserAgentHeader, UserAgent());
    // Most hosts of a tree have one link, so an idle connection is closed at once: kept for the
    // usual two minutes, the connections to the hosts of a large tree would pile up in memory.
    request.setAttribute(QNetworkRequest::ConnectionCacheExpiryTimeoutSecondsAttribute,
                         ConnectionKeptSeconds);
    QNetworkReply* reply = probe.get ? network_->get(request) : network_->head(request);
    probe.reply = reply;
    // The status and headers are all a check needs: a GET ends as soon as they arrive.
    const auto settle = [this, &probe, reply] {
        const QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
        if (status.isValid() && status.toInt() > 0) {
            Answered(probe, status.toInt(), reply->rawHeader("Location"),
                     reply->rawHeader("Retry-After"));
        } else if (reply->isFinished()) {
            Failed(probe, reply->error(), reply->errorString());
        }
    };
    connect(reply, &QNetworkReply::metaDataChanged, this, settle);
    connect(reply, &QNetworkReply::finished, this, settle);
}

void LinkChecker::Answered(Probe& probe, int status, const QByteArray& location,
                           const QByteArray& retryAfter) {
    Release(probe.reply, this);
    probe.host->answered = true;
    if (status < 100 || status > 599)
        return Conclude(probe, CheckFinding::Kind::Dead, CheckFinding::Cause::Malformed);
    if (WaitIfBusy(probe, status, retryAfter))
        return;
    if (IsRedirect(status))
        return Redirected(probe, status, location);
    if (status == 401 || status == 403 || status == 429)
        return Conclude(probe, CheckFinding::Kind::Blocked, CheckFinding::Cause::HttpStatus,
                        status);
    if (status >= 400)
        return Conclude(probe, CheckFinding::Kind::Dead, CheckFinding::Cause::HttpStatus, status);
    if (probe.movedStatus != 0)
        return Conclude(probe, CheckFinding::Kind::Moved, CheckFinding::Cause::HttpStatus,
                        probe.movedStatus, probe.url.toString().toStdString());
    ++report_.ok;
    Remember(probe.link, {});
    EndProbe(probe);
}

// A redirect is followed only to where a browser would go with it: another http or https
// address. One without a target, or to a target the check cannot follow, is a broken link.
void LinkChecker::Redirected(Probe& probe, int status, const QByteArray& location) {
    using Cause = CheckFinding::Cause;
    if (location.trimmed().isEmpty())
        return Conclude(probe, CheckFinding::Kind::Dead, Cause::RedirectWithoutLocation, status);
    const QUrl next = probe.url.resolved(QUrl(QString::fromUtf8(location.trimmed())));
    const QString scheme = next.scheme().toLower();
    if (!next.isValid() || (IsWebScheme(scheme) && next.host().isEmpty()))
        return Conclude(probe, CheckFinding::Kind::Dead, Cause::BadRedirect, status);
    if (!IsWebScheme(scheme))
        return Conclude(probe, CheckFinding::Kind::Dead, Cause::RedirectElsewhere, status,
                        next.toString().toStdString(), scheme.toStdString());
    if (probe.hops == 0 && (status == 301 || status == 308))
        probe.movedStatus = status;
    if (!probe.seen.insert(next.toString()).second)
        return Conclude(probe, CheckFinding::Kind::Dead, Cause::RedirectLoop, status);
    if (++probe.hops > limits_.redirects)
        return Conclude(probe, CheckFinding::Kind::Dead, Cause::TooManyRedirects, status);
    probe.url = next;
    Send(probe);
}

// HEAD is only a hint: many servers answer it wrongly (404, 405, 501 for a page that GET serves),
// so nothing HEAD says against a link makes it dead or blocked before GET says so too.
void LinkChecker::Conclude(Probe& probe, CheckFinding::Kind kind, CheckFinding::Cause cause,
                           int httpStatus, std::string target, std::string detail) {
    if (!probe.get && kind != CheckFinding::Kind::Moved) {
        // From the link itself again: GET may take another way through the redirects.
        probe.get = true;
        probe.url = QUrl(QString::fromUtf8(links_[probe.link].address));
        probe.hops = 0;
        probe.movedStatus = 0;
        probe.seen = {probe.url.toString()};
        return Send(probe);
    }
    Settle(probe, kind, cause, httpStatus, std::move(target), std::move(detail));
    EndProbe(probe);
}

void LinkChecker::Failed(Probe& probe, int error, const QString& text) {
    Release(probe.reply, this);
    const auto networkError = static_cast<QNetworkReply::NetworkError>(error);
    if (!probe.get && RetryWithGet(networkError)) {
        probe.get = true;
        return Send(probe);
    }
    if (networkError == QNetworkReply::RemoteHostClosedError &&
        ReachedDirectly(*network_, probe.url))
        return LookAgain(probe, text);
    const CheckFinding::Cause cause = CauseOf(networkError);
    if (cause == CheckFinding::Cause::ConnectionRefused ||
        cause == CheckFinding::Cause::ConnectionReset)
        return EndSilent(probe, cause, text.toStdString());
    Settle(probe, CheckFinding::Kind::Dead, cause, 0, {}, text.toStdString());
    EndProbe(probe);
}

// Qt reports an answer it cannot parse as a closed connection, and so it does when a server closes
// a kept connection under a new request; the answer is read once more by hand on a connection of
// its own, to tell a malformed answer from one cut short, and to take a sound one at its word.
void LinkChecker::LookAgain(Probe& probe, const QString& text) {
    probe.look = new RawAnswer(
        probe.url, UserAgent(),
        [this, &probe, text](const RawAnswer::Head& head) {
            ReleaseLook(probe);
            switch (head.verdict) {
            case RawAnswer::Verdict::NoAnswer:
                return EndSilent(probe, CheckFinding::Cause::ConnectionReset, text.toStdString());
            case RawAnswer::Verdict::WellFormed:
                return Answered(probe, head.status, head.location, head.retryAfter);
            case RawAnswer::Verdict::Malformed:
                break;
            }
            probe.host->answered = true;
            Settle(probe, CheckFinding::Kind::Dead, CheckFinding::Cause::Malformed);
            EndProbe(probe);
        },
        this);
}

void LinkChecker::ReleaseLook(Probe& probe) {
    if (probe.look != nullptr)
        probe.look->deleteLater();
    probe.look = nullptr;
}

// A host that has let two links time out, or refused or cut two connections, without ever
// answering is taken to be down: the rest of its links are not tried, each would only wait out
// its own time limit.
void LinkChecker::EndSilent(Probe& probe, CheckFinding::Cause cause, std::string detail) {
    Settle(probe, CheckFinding::Kind::Dead, cause, 0, {}, std::move(detail));
    Host& host = *probe.host;
    if (++host.silences >= 2 && !host.answered) {
        for (; host.Waiting(); ++host.next) {
            AddFinding(host.links[host.next], CheckFinding::Kind::Dead,
                       CheckFinding::Cause::HostSilent);
            ++report_.checked;
        }
    }
    EndProbe(probe);
}

void LinkChecker::EndProbe(Probe& probe) {
    Release(probe.reply, this);
    ReleaseLook(probe);
    probe.timer->disconnect(this);
    probe.timer->stop();
    probe.timer->deleteLater();
    Host* host = probe.host;
    --host->running;
    --running_;
    if (!host->ready && host->Waiting() && !host->Held()) {
        host->ready = true;
        ready_.push_back(host);
    }
    probes_.remove_if(
        [&probe](const std::unique_ptr<Probe>& open) { return open.get() == &probe; });
    LinkDone();
    if (finished_)
        return;
    StartWaiting();
    if (running_ == 0)
        Finish();
}

void LinkChecker::RememberIn(CheckCache* cache,
                             std::function<bool(const CheckCache::Verdict&)> take) {
    cache_ = cache;
    take_ = std::move(take);
}

bool LinkChecker::TakeEarlier(std::size_t link) {
    const CheckCache::Verdict* earlier = cache_ ? cache_->Find(links_[link].address) : nullptr;
    if (earlier == nullptr || !take_ || !take_(*earlier))
        return false;
    if (earlier->kind)
        AddFinding(link, *earlier->kind, earlier->cause, earlier->httpStatus, earlier->target,
                   earlier->detail);
    else
        ++report_.ok;
    ++report_.remembered;
    return true;
}

void LinkChecker::Remember(std::size_t link, CheckCache::Verdict verdict) {
    if (cache_ == nullptr)
        return;
    verdict.checkedAt = QDateTime::currentSecsSinceEpoch();
    cache_->Put(links_[link].address, std::move(verdict));
}

void LinkChecker::Settle(Probe& probe, CheckFinding::Kind kind, CheckFinding::Cause cause,
                         int httpStatus, std::string target, std::string detail) {
    const CheckCache::Verdict verdict{kind, cause, httpStatus, target, detail};
    // Whether the site or the network failed is known only at the end: until then the verdict
    // is not kept, so an outage never lingers in the cache as dead links.
    if (IsReachFailure(cause)) {
        probe.host->unreached = probe.host->unreached.value_or(cause);
        unsure_.emplace_back(probe.link, verdict);
    } else {
        probe.host->reached = true;
        Remember(probe.link, verdict);
    }
    AddFinding(probe.link, kind, cause, httpStatus, std::move(target), std::move(detail));
}

void LinkChecker::AddFinding(std::size_t link, CheckFinding::Kind kind, CheckFinding::Cause cause,
                             int httpStatus, std::string target, std::string detail) {
    const LinkToCheck& checked = links_[link];
    report_.findings.push_back({kind, cause, httpStatus, checked.address, checked.name,
                                checked.folder, std::move(target), std::move(detail), link, link});
}

void LinkChecker::LinkDone() {
    ++report_.checked;
    quiet_->start(limits_.quietMs);
    emit progressed(static_cast<qsizetype>(report_.checked) +
                        static_cast<qsizetype>(report_.notChecked),
                    static_cast<qsizetype>(report_.total));
}

void LinkChecker::Stop() {
    if (finished_)
        return;
    // The links under way are listed, so the report says which ones it cannot vouch for.
    for (const auto& probe : probes_) {
        Release(probe->reply, this);
        ReleaseLook(*probe);
        probe->timer->disconnect(this);
        probe->timer->deleteLater();
        AddFinding(probe->link, CheckFinding::Kind::NotChecked, CheckFinding::Cause::Stopped);
    }
    probes_.clear();
    quiet_->stop();
    ready_.clear();
    running_ = 0;
    report_.stopped = true;
    Finish();
}

// When nothing has finished for a while, whoever watches is told which host holds the check up:
// the one of the link under way the longest.
void LinkChecker::StillWaiting() {
    if (probes_.empty())
        return;
    const QUrl& url = probes_.front()->url;
    const int port = url.port();
    emit stalled(url.host() + (port == -1 ? QString() : ":" + QString::number(port)));
    quiet_->start(limits_.quietMs);
}

void LinkChecker::Finish() {
    quiet_->stop();
    finished_ = true;
    SpareUnreachedLinks();
    report_.Sort();
    emit finished();
}

// The hosts whose failures are the network's: all of them when no host was reached and every
// one failed as it does offline, else those that failed alike where nearly every host did.
std::set<const LinkChecker::Host*> LinkChecker::HostsOffTheNetwork() const {
    std::vector<const Host*> asked;
    std::map<CheckFinding::Cause, std::vector<const Host*>> unreached;
    for (const auto& [key, host] : hosts_) {
        const bool reached = host.reached || host.answered;
        if (!reached && !host.unreached)
            continue;
        asked.push_back(&host);
        if (!reached)
            unreached[*host.unreached].push_back(&host);
    }
    std::set<const Host*> off;
    const bool noneReached = !asked.empty() && std::ranges::all_of(asked, [](const Host* host) {
        return !host->reached && !host->answered && IsOfflineFailure(*host->unreached);
    });
    if (noneReached)
        return {asked.begin(), asked.end()};
    if (asked.size() < HostsForALikelyOutage)
        return off;
    for (const auto& [cause, hosts] : unreached)
        if (static_cast<double>(hosts.size()) >=
            ShareForALikelyOutage * static_cast<double>(asked.size()))
            off.insert(hosts.begin(), hosts.end());
    return off;
}

// Links the network failed are not checked, not dead: offline, nothing would otherwise be left
// to trust, and the user could throw the whole collection away.
void LinkChecker::SpareUnreachedLinks() {
    const std::set<const Host*> off = HostsOffTheNetwork();
    const auto spared = [this, &off](std::size_t link) {
        const auto host = hosts_.find(HostKey(QUrl(QString::fromUtf8(links_[link].address))));
        return host != hosts_.end() && off.contains(&host->second);
    };
    for (CheckFinding& finding : report_.findings) {
        if (finding.kind != CheckFinding::Kind::Dead || !IsReachFailure(finding.cause) ||
            !spared(finding.place))
            continue;
        finding.kind = CheckFinding::Kind::NotChecked;
        finding.cause = CheckFinding::Cause::NetworkUnreachable;
        finding.detail.clear();
        --report_.checked;
        ++report_.unreachable;
    }
    for (auto& [link, verdict] : unsure_)
        if (!spared(link))
            Remember(link, std::move(verdict));
    unsure_.clear();
}
