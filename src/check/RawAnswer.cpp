// SPDX-License-Identifier: GPL-3.0-or-later
#include "RawAnswer.h"

#include <QNetworkProxy>
#include <QSslSocket>
#include <QTcpSocket>
#include <cctype>

namespace {

// More than any sound head; a longer one is not judged.
constexpr qsizetype MostRead = qsizetype{64} * 1024;

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

// "HTTP/1.1 200 OK": a version of two digits, a status of three from 100 to 599, any reason.
bool IsStatusLine(std::string_view line) {
    if (line.size() < 12 || !line.starts_with("HTTP/") || !IsDigit(line[5]) || line[6] != '.' ||
        !IsDigit(line[7]) || line[8] != ' ' || !IsDigit(line[9]) || !IsDigit(line[10]) ||
        !IsDigit(line[11]) || (line.size() > 12 && line[12] != ' '))
        return false;
    return line[9] >= '1' && line[9] <= '5';
}

bool IsTokenChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 ||
           std::string_view("!#$%&'*+-.^_`|~").find(c) != std::string_view::npos;
}

// "Name: value", or the continuation of the line before it.
bool IsHeaderLine(std::string_view line) {
    if (line.starts_with(' ') || line.starts_with('\t'))
        return true;
    const std::size_t colon = line.find(':');
    if (colon == 0 || colon == std::string_view::npos)
        return false;
    for (std::size_t i = 0; i < colon; ++i)
        if (!IsTokenChar(line[i]))
            return false;
    return true;
}

std::string_view NextLine(std::string_view& rest) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return line;
}

RawAnswer::Head Malformed() {
    RawAnswer::Head head;
    head.verdict = RawAnswer::Verdict::Malformed;
    return head;
}

bool HasHeadEnd(const QByteArray& head) {
    return head.contains("\r\n\r\n") || head.contains("\n\n");
}

} // namespace

RawAnswer::RawAnswer(const QUrl& url, const QString& userAgent,
                     std::function<void(const Head&)> done, QObject* parent)
    : QObject(parent), done_(std::move(done)) {
    const bool tls = url.scheme().compare("https", Qt::CaseInsensitive) == 0;
    auto* tlsSocket = tls ? new QSslSocket(this) : nullptr;
    socket_ = tls ? tlsSocket : new QTcpSocket(this);
    socket_->setProxy(QNetworkProxy::NoProxy);
    const QString host = url.host(QUrl::EncodeUnicode);
    const int port = url.port(tls ? 443 : 80);
    QString target = url.path(QUrl::FullyEncoded);
    if (target.isEmpty())
        target = "/";
    if (url.hasQuery())
        target += "?" + url.query(QUrl::FullyEncoded);
    const QString hostHeader = (host.contains(':') ? "[" + host + "]" : host) +
                               (url.port() == -1 ? QString() : ":" + QString::number(port));
    const QByteArray request =
        ("GET " + target + " HTTP/1.1\r\nHost: " + hostHeader + "\r\nUser-Agent: " + userAgent +
         "\r\nAccept: */*\r\nConnection: close\r\n\r\n")
            .toUtf8();
    connect(socket_, &QTcpSocket::readyRead, this, &RawAnswer::Read);
    connect(socket_, &QTcpSocket::disconnected, this, &RawAnswer::End);
    connect(socket_, &QTcpSocket::errorOccurred, this, &RawAnswer::End);
    if (tlsSocket) {
        connect(tlsSocket, &QSslSocket::encrypted, this,
                [this, request] { socket_->write(request); });
        tlsSocket->connectToHostEncrypted(host, static_cast<quint16>(port));
    } else {
        connect(socket_, &QTcpSocket::connected, this,
                [this, request] { socket_->write(request); });
        socket_->connectToHost(host, static_cast<quint16>(port));
    }
}

void RawAnswer::Read() {
    head_ += socket_->read(MostRead - head_.size());
    if (HasHeadEnd(head_))
        return End();
    if (head_.size() >= MostRead)
        End();
}

void RawAnswer::End() {
    socket_->disconnect(this);
    socket_->abort();
    if (done_)
        std::exchange(done_, nullptr)(Judge(head_.toStdString()));
}

RawAnswer::Head RawAnswer::Judge(std::string_view head) {
    if (head.empty())
        return {};
    // A head too long to read whole is not judged by its end.
    const bool whole = head.size() < static_cast<std::size_t>(MostRead);
    const std::string_view statusLine = NextLine(head);
    if (!IsStatusLine(statusLine))
        return Malformed();
    Head judged;
    judged.verdict = Verdict::WellFormed;
    judged.status = std::stoi(std::string(statusLine.substr(9, 3)));
    while (!head.empty()) {
        const std::string_view line = NextLine(head);
        if (line.empty())
            return judged;
        if (!IsHeaderLine(line))
            return Malformed();
        const std::size_t colon = line.find(':');
        const auto name = QByteArray::fromRawData(line.data(), static_cast<qsizetype>(colon));
        const QByteArray value = QByteArray(line.substr(colon + 1).data(),
                                            static_cast<qsizetype>(line.size() - colon - 1))
                                     .trimmed();
        if (name.compare("Location", Qt::CaseInsensitive) == 0)
            judged.location = value;
        else if (name.compare("Retry-After", Qt::CaseInsensitive) == 0)
            judged.retryAfter = value;
    }
    // The connection ended before the headers did.
    return whole ? Malformed() : judged;
}
