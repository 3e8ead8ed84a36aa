// SPDX-License-Identifier: GPL-3.0-or-later
#include "IconFetcher.h"

#include "check/ChangeBatch.h"
#include "check/CheckTexts.h"
#include "generation/BuildLinkList.h"
#include "platform/AtomicFile.h"
#include "platform/FileChecks.h"
#include "platform/FilledText.h"
#include "platform/FolderListing.h"
#include "platform/IconImage.h"
#include "text/Text.h"

#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QRegularExpression>
#include <cerrno>
#include <filesystem>
#include <map>
#include <sys/stat.h>

namespace {

// A page is read only this far for the icon its head names.
constexpr qint64 MaxPageBytes = qint64{256} * 1024;

bool SameSite(const QUrl& a, const QUrl& b) {
    const auto bare = [](const QString& host) {
        return host.startsWith("www.") ? host.mid(4) : host;
    };
    return bare(a.host().toLower()) == bare(b.host().toLower());
}

// The icon the head of a page names with <link rel="icon"> (or "shortcut icon"), as an address.
QUrl IconNamedBy(const QByteArray& page, const QUrl& base) {
    static const QRegularExpression link(R"(<link\b[^>]*>)",
                                         QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression rel(R"(\brel\s*=\s*["']?(?:shortcut\s+)?icon\b)",
                                        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression href(R"re(\bhref\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s>]+)))re",
                                         QRegularExpression::CaseInsensitiveOption);
    const qsizetype headEnd = page.indexOf("</head");
    const QString head = QString::fromUtf8(headEnd < 0 ? page : page.left(headEnd));
    for (auto tags = link.globalMatch(head); tags.hasNext();) {
        const QString tag = tags.next().captured();
        const auto address = href.match(tag);
        if (rel.match(tag).hasMatch() && address.hasMatch())
            return base.resolved(
                QUrl(address.captured(1) + address.captured(2) + address.captured(3)));
    }
    return {};
}

// Why a request that had no answer failed, in the link check's words: a time-out aborts it.
std::pair<CheckFinding::Cause, std::string> Unreached(const QNetworkReply& reply) {
    const CheckFinding::Cause cause = LinkChecker::CauseOf(reply.error());
    if (cause == CheckFinding::Cause::NetworkError)
        return {cause, reply.errorString().toStdString()};
    return {cause, {}};
}

} // namespace

bool IconFetcher::Counts::NoneReached() const {
    return !unreachable.empty() && fetched + noneFound + refused + notKept == 0;
}

std::vector<IconFetcher::Link> IconFetcher::Collect(const Settings& settings,
                                                    const Globals& globals) {
    Globals scanGlobals = globals;
    const std::string source = AddTrailingPathDelimiter(TrimText(settings.sourceFolder));
    std::vector<Link> links;
    WalkLinkList(settings, scanGlobals, [&](const ScannedLink& link) {
        const bool web =
            StartsWithNoCase(link.address, "http:") || StartsWithNoCase(link.address, "https:");
        const bool local = !link.iconFile.empty() && !StartsWithNoCase(link.iconFile, "http");
        if (!web || local)
            return;
        std::string path = source;
        for (const std::string_view folder : link.folders)
            path.append(folder).append("/");
        links.push_back({path.append(link.fileName), static_cast<int>(link.folders.size()),
                         std::string(link.address)});
    });
    return links;
}

IconFetcher::IconFetcher(const std::string& sourceFolder, const std::vector<Link>& links,
                         LinkChecker::Limits limits, QNetworkAccessManager* network,
                         QObject* parent)
    : QObject(parent), source_(AddTrailingPathDelimiter(sourceFolder)), links_(links),
      limits_(limits), network_(network) {
    if (!network_) {
        QNetworkProxyFactory::setUseSystemConfiguration(true);
        network_ = new QNetworkAccessManager(this);
    }
    std::map<QString, Site*> byOrigin;
    for (std::size_t i = 0; i < links_.size(); ++i) {
        const QUrl url(QString::fromStdString(links_[i].address));
        if (url.host().isEmpty())
            continue;
        const QUrl origin = url.adjusted(QUrl::RemovePath | QUrl::RemoveQuery |
                                         QUrl::RemoveFragment | QUrl::RemoveUserInfo);
        Site*& site = byOrigin[origin.toString()];
        if (site == nullptr) {
            site = &sites_.emplace_back();
            site->origin = origin;
            site->page = url;
            waiting_.push_back(site);
        }
        site->links.push_back(i);
    }
}

IconFetcher::~IconFetcher() {
    for (Site& site : sites_)
        if (site.reply) {
            site.reply->disconnect(this);
            site.reply->abort();
            site.reply->deleteLater();
        }
}

void IconFetcher::Start() {
    emit progressed(0, static_cast<qsizetype>(sites_.size()));
    StartMore();
}

void IconFetcher::Stop() {
    stopped_ = true;
    waiting_.clear();
    for (Site& site : sites_)
        if (site.reply)
            site.reply->abort();
}

void IconFetcher::StartMore() {
    while (running_ < limits_.total && !waiting_.empty()) {
        Site* site = waiting_.front();
        waiting_.pop_front();
        ++running_;
        RequestFrom(*site, site->origin.resolved(QUrl("/favicon.ico")));
    }
    if (running_ == 0 && waiting_.empty() && !finished_) {
        finished_ = true;
        WriteShortcuts();
        emit finished();
    }
}

void IconFetcher::RequestFrom(Site& site, const QUrl& url) {
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, LinkChecker::UserAgent());
    request.setTransferTimeout(limits_.timeOutMs);
    request.setMaximumRedirectsAllowed(limits_.redirects);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    site.reply = network_->get(request);
    Site* at = &site;
    connect(site.reply, &QNetworkReply::downloadProgress, this, [at](qint64 received, qint64) {
        if (received > std::max<qint64>(MaxPageBytes, IconImage::MaxBytes) && at->reply)
            at->reply->abort();
    });
    connect(site.reply, &QNetworkReply::finished, this, [this, at] { ReadAnswer(*at); });
}

void IconFetcher::ReadAnswer(Site& site) {
    QNetworkReply* reply = site.reply;
    reply->deleteLater();
    site.reply = nullptr;
    if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
        site.reached = true;
    else if (!stopped_ && !site.unreachable && reply->error() != QNetworkReply::NoError)
        site.unreachable = Unreached(*reply);
    const bool good = !stopped_ && reply->error() == QNetworkReply::NoError &&
                      SameSite(reply->url(), site.origin) &&
                      reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt() == 200;
    const QByteArray body = good ? reply->readAll() : QByteArray();
    if (site.step != 1 && good) {
        if (const auto png = IconImage::Checked(body)) {
            EndSite(site, *png);
            return;
        }
        site.refused = true;
    }
    if (site.step == 0 && !stopped_) {
        site.step = 1;
        RequestFrom(site, site.page);
        return;
    }
    const QUrl named = site.step == 1 && good ? IconNamedBy(body, reply->url()) : QUrl();
    if (named.isValid() && SameSite(named, site.origin) &&
        (named.scheme() == "http" || named.scheme() == "https")) {
        site.step = 2;
        RequestFrom(site, named);
        return;
    }
    EndSite(site, {});
}

void IconFetcher::EndSite(Site& site, const QByteArray& icon) {
    const auto count = static_cast<long long>(site.links.size());
    if (!icon.isEmpty())
        KeepIcon(site, icon);
    else if (site.refused)
        counts_.refused += count;
    else if (!site.reached && site.unreachable)
        counts_.unreachable[*site.unreachable] += count;
    else
        counts_.noneFound += count;
    --running_;
    emit progressed(++done_, static_cast<qsizetype>(sites_.size()));
    StartMore();
}

// Each link of the site is to point at the icon once it is kept.
void IconFetcher::KeepIcon(const Site& site, const QByteArray& png) {
    const ResultOf<std::string> name = Store(png);
    for (const std::size_t i : site.links) {
        if (!name) {
            NotKept(name.failure());
            continue;
        }
        const Link& link = links_[i];
        plan_.push_back({PlannedChange::Action::SetIcon,
                         CheckFinding::Kind::NotChecked,
                         link.shortcut,
                         link.shortcut.substr(link.shortcut.rfind('/') + 1),
                         link.address,
                         {},
                         {},
                         FolderListing::IconFileValue(link.depth, *name)});
    }
}

// The summary tells the first failure to keep an icon.
void IconFetcher::NotKept(const Failure& why) {
    if (counts_.notKept++ == 0)
        counts_.firstNotKept = why;
}

// A journal that cannot be written keeps every shortcut as it was.
void IconFetcher::WriteShortcuts() {
    if (const Result done = ChangeBatch::CarryOut(plan_, journal_, outcomes_); !done) {
        for (std::size_t i = 0; i < plan_.size(); ++i)
            NotKept(done.failure());
        return;
    }
    for (const ChangeOutcome& outcome : outcomes_) {
        if (outcome.state == ChangeOutcome::State::Done)
            ++counts_.fetched;
        else
            NotKept(outcome.skipped);
    }
}

// The icon goes into the source folder's icon folder once, named by its content.
ResultOf<std::string> IconFetcher::Store(const QByteArray& png) const {
    const std::string folder = source_ + std::string(FolderListing::IconFolder);
    const std::string name = IconImage::FileName(png);
    const std::string path = folder + "/" + name;
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) {
        const int error = errno;
        return Failure::FromErrno(FilledText(tr("不能保存网站图标 \"%1\"。"), path), path, error);
    }
    if (std::filesystem::exists(path))
        return name;
    if (const Result written = AtomicFile::Replace(path, png.toStdString()); !written)
        return written.failure().Saying(FilledText(tr("不能保存网站图标 \"%1\"。"), path));
    return name;
}

QString IconFetcher::Summary(const Counts& counts) {
    QString text = tr("已为 %n 个链接取得网站图标。", nullptr, PluralCount(counts.fetched));
    if (counts.noneFound > 0)
        text += tr("%n 个链接的网站没有图标。", nullptr, PluralCount(counts.noneFound));
    if (counts.refused > 0)
        text +=
            tr("%n 个链接的网站给出的图标不是图片，已拒绝。", nullptr, PluralCount(counts.refused));
    for (const auto& [why, count] : counts.unreachable) {
        CheckFinding finding{};
        finding.cause = why.first;
        finding.detail = why.second;
        text += tr("%n 个链接的网站无法访问：%1。", nullptr, PluralCount(count))
                    .arg(QString::fromStdString(CheckTexts::FindingStatus(finding)));
    }
    if (counts.notKept > 0)
        text += tr("%n 个链接的图标没能保存：%1", nullptr, PluralCount(counts.notKept))
                    .arg(QString::fromStdString(counts.firstNotKept.Text()));
    return text;
}
