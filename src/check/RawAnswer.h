// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QUrl>
#include <functional>
#include <string_view>

class QTcpSocket;

// Asks a server for a page once more over a socket of its own and reads the head of the
// answer. Qt's network layer reports an answer it cannot parse as a closed connection; this tells
// the two apart, and a fresh connection gets the answer of a server that closed a kept one
// under Qt's request. The body is never read, and the look ends when the owner drops it.
class RawAnswer : public QObject {
public:
    enum class Verdict { WellFormed, Malformed, NoAnswer };
    // What the head of an answer says: the status, Location and Retry-After of a well-formed one.
    struct Head {
        Verdict verdict = Verdict::NoAnswer;
        int status = 0;
        QByteArray location;
        QByteArray retryAfter;
    };

    // Calls done once with what was read, unless dropped first.
    RawAnswer(const QUrl& url, const QString& userAgent, std::function<void(const Head&)> done,
              QObject* parent);

    // The head of an answer as read up to the end of its headers or the end of the connection:
    // nothing at all, an HTTP status line and headers, or anything else.
    static Head Judge(std::string_view head);

private:
    void Read();
    void End();

    QTcpSocket* socket_;
    QByteArray head_;
    std::function<void(const Head&)> done_;
};
