// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QObject>
#include <QString>
#include <QTcpServer>
#include <map>
#include <memory>
#include <string>
#include <vector>

class QTcpSocket;

// An HTTP server on 127.0.0.1 for the checker's tests and benchmark: each route gives a raw
// answer, silence or a reset connection, after an optional delay. It counts the requests it is
// working on, so a test can see how many connections a client keeps open at once.
class LoopbackServer : public QObject {
public:
    struct Answer {
        enum class Action { Send, Silent, Reset };
        std::string raw;
        Action action = Action::Send;
        int delayMs = 0;
    };

    // Requests being answered by every server sharing it, and the most seen at once.
    struct Load {
        int open = 0;
        int most = 0;
    };

    explicit LoopbackServer(std::shared_ptr<Load> load = std::make_shared<Load>());

    // An answer with this status line and headers, no body, closing the connection.
    static Answer Status(int status, const std::string& headers = {});
    // A route for "PATH" (every method) or "METHOD PATH"; the latter wins.
    void Route(const std::string& route, Answer answer);
    // A route whose requests get these answers in turn, the last one from then on.
    void RouteInTurn(const std::string& route, std::vector<Answer> answers);
    // Answers every path not routed.
    void Fallback(Answer answer) { fallback_ = std::move(answer); }

    QString Url(const std::string& path) const;
    const Load& Seen() const { return *load_; }
    // Requests to a routed path, by "METHOD PATH".
    int Requests(const std::string& route) const;
    const std::string& LastUserAgent() const { return userAgent_; }

private:
    void Read(QTcpSocket* socket);
    void Reply(QTcpSocket* socket, const Answer& answer);

    QTcpServer server_;
    std::shared_ptr<Load> load_;
    std::map<std::string, std::vector<Answer>> routes_;
    std::map<std::string, int> requests_;
    std::map<std::string, std::size_t> served_;
    Answer fallback_ = Status(200);
    std::string userAgent_;
};
