#include "LinkChecker.h"

#include "Duplicates.h"
#include "Globals.h"

#include <QFileInfo>
#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>
#include <set>

namespace {

constexpr int ConnectionKeptSeconds = 0;

bool IsWebScheme(const QString& scheme) {
    return scheme == QLatin1String("http") || scheme == QLatin1String("https");
}

// Connections are shared per scheme, host and port, so that is what the per-host limit counts.
QString HostKey(const QUrl& url) {
    return url.scheme() + "://" + url.host() + ":" +
           QString::number(url.port(url.scheme() == QLatin1String("https") ? 443 : 80));
}

// HEAD is only a hint: many servers answer it with an error (404, 405, 501 and the like) for a
// page that GET serves, so no error status of HEAD makes a link dead or blocked before GET says so.
bool RetryWithGet(int status) {
    return status >= 400;
}

// Failures that may be a server's wrong answer to HEAD rather than a fault of the link.
bool RetryWithGet(QNetworkReply::NetworkError error) {
    return error == QNetworkReply::RemoteHostClosedError ||
           error == QNetworkReply::ProtocolFailure || error == QNetworkReply::UnknownNetworkError ||
           error == QNetworkReply::UnknownContentError;
}

CheckFinding::Cause CauseOf(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::HostNotFoundError:
        return CheckFinding::Cause::NameNotFound;
    case QNetworkReply::ConnectionRefusedError:
        return CheckFinding::Cause::ConnectionRefused;
    case QNetworkReply::RemoteHostClosedError:
        return CheckFinding::Cause::ConnectionReset;
    case QNetworkReply::SslHandshakeFailedError:
        return CheckFinding::Cause::TlsFailure;
    case QNetworkReply::TimeoutError:
        return CheckFinding::Cause::TimeOut;
    default:
        return CheckFinding::Cause::NetworkError;
    }
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

    bool Waiting() const { return next < links.size(); }
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
    QTimer* timer = nullptr;
};

LinkChecker::LinkChecker(std::vector<CheckedLink> links, Limits limits,
                         QNetworkAccessManager* network, QObject* parent)
    : QObject(parent), links_(std::move(links)), limits_(limits), network_(network) {
    if (!network_) {
        QNetworkProxyFactory::setUseSystemConfiguration(true);
        network_ = new QNetworkAccessManager(this);
    }
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
    emit Progress(static_cast<qsizetype>(report_.checked) +
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
            if (url.isValid() && !url.host().isEmpty()) {
                hosts_[HostKey(url)].links.push_back(i);
                continue;
            }
            AddFinding(i, CheckFinding::Kind::Dead, CheckFinding::Cause::BadAddress);
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
        auto probe = std::make_unique<Probe>();
        probe->link = host->links[host->next++];
        probe->host = host;
        probe->url = QUrl(QString::fromUtf8(links_[probe->link].address));
        probe->seen.insert(probe->url.toString());
        probe->timer = new QTimer(this);
        probe->timer->setSingleShot(true);
        Probe& started = *probes_.emplace_back(std::move(probe));
        connect(started.timer, &QTimer::timeout, this, [this, &started] {
            AddFinding(started.link, CheckFinding::Kind::Dead, CheckFinding::Cause::TimeOut);
            EndProbe(started);
        });
        ++host->running;
        ++running_;
        host->ready = host->Waiting() && host->running < limits_.perHost;
        if (host->ready)
            ready_.push_back(host);
        started.timer->start(limits_.timeOutMs);
        Send(started);
    }
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
            const QUrl location(QString::fromUtf8(reply->rawHeader("Location")));
            Answered(probe, status.toInt(), location);
        } else if (reply->isFinished()) {
            Failed(probe, reply->error(), reply->errorString());
        }
    };
    connect(reply, &QNetworkReply::metaDataChanged, this, settle);
    connect(reply, &QNetworkReply::finished, this, settle);
}

void LinkChecker::Answered(Probe& probe, int status, const QUrl& location) {
    Release(probe.reply, this);
    const QUrl next = probe.url.resolved(location);
    if (status >= 300 && status < 400 && !location.isEmpty() && next.isValid() &&
        IsWebScheme(next.scheme().toLower())) {
        if (probe.hops == 0 && (status == 301 || status == 308))
            probe.movedStatus = status;
        if (!probe.seen.insert(next.toString()).second) {
            AddFinding(probe.link, CheckFinding::Kind::Dead, CheckFinding::Cause::RedirectLoop,
                       status);
            return EndProbe(probe);
        }
        if (++probe.hops > limits_.redirects) {
            AddFinding(probe.link, CheckFinding::Kind::Dead, CheckFinding::Cause::TooManyRedirects,
                       status);
            return EndProbe(probe);
        }
        probe.url = next;
        return Send(probe);
    }
    if (!probe.get && RetryWithGet(status)) {
        probe.get = true;
        return Send(probe);
    }
    if (status == 401 || status == 403 || status == 429)
        AddFinding(probe.link, CheckFinding::Kind::Blocked, CheckFinding::Cause::HttpStatus,
                   status);
    else if (status >= 400)
        AddFinding(probe.link, CheckFinding::Kind::Dead, CheckFinding::Cause::HttpStatus, status);
    else if (probe.movedStatus != 0)
        AddFinding(probe.link, CheckFinding::Kind::Moved, CheckFinding::Cause::HttpStatus,
                   probe.movedStatus, probe.url.toString().toStdString());
    else
        ++report_.ok;
    EndProbe(probe);
}

void LinkChecker::Failed(Probe& probe, int error, const QString& text) {
    Release(probe.reply, this);
    const auto networkError = static_cast<QNetworkReply::NetworkError>(error);
    if (!probe.get && RetryWithGet(networkError)) {
        probe.get = true;
        return Send(probe);
    }
    AddFinding(probe.link, CheckFinding::Kind::Dead, CauseOf(networkError), 0, {},
               text.toStdString());
    EndProbe(probe);
}

void LinkChecker::EndProbe(Probe& probe) {
    Release(probe.reply, this);
    probe.timer->disconnect(this);
    probe.timer->stop();
    probe.timer->deleteLater();
    Host* host = probe.host;
    --host->running;
    --running_;
    if (!host->ready && host->Waiting()) {
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

void LinkChecker::AddFinding(std::size_t link, CheckFinding::Kind kind, CheckFinding::Cause cause,
                             int httpStatus, std::string target, std::string detail) {
    const CheckedLink& checked = links_[link];
    report_.findings.push_back({kind, cause, httpStatus, checked.address, checked.name,
                                checked.folder, std::move(target), std::move(detail), link, link});
}

void LinkChecker::LinkDone() {
    ++report_.checked;
    emit Progress(static_cast<qsizetype>(report_.checked) +
                      static_cast<qsizetype>(report_.notChecked),
                  static_cast<qsizetype>(report_.total));
}

void LinkChecker::Stop() {
    if (finished_)
        return;
    for (const auto& probe : probes_) {
        Release(probe->reply, this);
        probe->timer->disconnect(this);
        probe->timer->deleteLater();
    }
    probes_.clear();
    ready_.clear();
    hosts_.clear();
    running_ = 0;
    report_.stopped = true;
    Finish();
}

void LinkChecker::Finish() {
    finished_ = true;
    report_.Sort();
    emit Finished();
}
