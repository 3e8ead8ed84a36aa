// SPDX-License-Identifier: GPL-3.0-or-later
#include "LoopbackServer.h"

#include <QPointer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <sys/socket.h>

namespace {

constexpr const char* HeaderEnd = "\r\n\r\n";

std::string HeaderValue(const std::string& head, const std::string& name) {
    const std::string key = "\r\n" + name + ": ";
    const std::size_t at = head.find(key);
    if (at == std::string::npos)
        return {};
    const std::size_t from = at + key.size();
    return head.substr(from, head.find("\r\n", from) - from);
}

// Closing with a zero linger time sends a reset instead of an orderly end.
void ResetConnection(QTcpSocket* socket) {
    const linger abrupt{1, 0};
    setsockopt(static_cast<int>(socket->socketDescriptor()), SOL_SOCKET, SO_LINGER, &abrupt,
               sizeof abrupt);
    socket->abort();
}

} // namespace

LoopbackServer::LoopbackServer(std::shared_ptr<Load> load) : load_(std::move(load)) {
    server_.listen(QHostAddress::LocalHost);
    connect(&server_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            socket->setParent(this);
            connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
}

LoopbackServer::Answer LoopbackServer::Status(int status, const std::string& headers) {
    return {"HTTP/1.1 " + std::to_string(status) + " Status\r\n" + headers +
            "Content-Length: 0\r\nConnection: close\r\n\r\n"};
}

void LoopbackServer::Route(const std::string& route, Answer answer) {
    routes_[route] = {std::move(answer)};
}

void LoopbackServer::RouteInTurn(const std::string& route, std::vector<Answer> answers) {
    routes_[route] = std::move(answers);
}

QString LoopbackServer::Url(const std::string& path) const {
    return QString("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path.c_str());
}

int LoopbackServer::Requests(const std::string& route) const {
    const auto found = requests_.find(route);
    return found == requests_.end() ? 0 : found->second;
}

// One request per connection: every answer closes it.
void LoopbackServer::Read(QTcpSocket* socket) {
    const QByteArray bytes = socket->property("head").toByteArray() + socket->readAll();
    socket->setProperty("head", bytes);
    const std::string head = bytes.toStdString();
    if (head.find(HeaderEnd) == std::string::npos || socket->property("answered").toBool())
        return;
    socket->setProperty("answered", true);
    const std::string method = head.substr(0, head.find(' '));
    const std::size_t pathFrom = method.size() + 1;
    const std::string path = head.substr(pathFrom, head.find(' ', pathFrom) - pathFrom);
    userAgent_ = HeaderValue(head, "User-Agent");
    auto route = routes_.find(method + " " + path);
    if (route == routes_.end())
        route = routes_.find(path);
    // Only routed paths are counted, so a benchmark's many paths cost the server nothing.
    Answer answer = fallback_;
    if (route != routes_.end()) {
        ++requests_[method + " " + path];
        const std::size_t turn = served_[route->first]++;
        answer = route->second[std::min(turn, route->second.size() - 1)];
    }

    load_->most = std::max(load_->most, ++load_->open);
    const QPointer<QTcpSocket> alive(socket);
    QTimer::singleShot(answer.delayMs, this, [this, alive, answer] {
        --load_->open;
        if (alive)
            Reply(alive, answer);
    });
}

void LoopbackServer::Reply(QTcpSocket* socket, const Answer& answer) {
    switch (answer.action) {
    case Answer::Action::Silent:
        return;
    case Answer::Action::Reset:
        ResetConnection(socket);
        return;
    case Answer::Action::Send:
        socket->write(answer.raw.data(), static_cast<qint64>(answer.raw.size()));
        socket->disconnectFromHost();
    }
}
