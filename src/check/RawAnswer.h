#pragma once

#include <QObject>
#include <QUrl>
#include <functional>
#include <string_view>

class QTcpSocket;

// Asks a server for a page once more over a socket of its own and reads the head of the
// answer. Qt's network layer reports an answer it cannot parse as a closed connection; this tells
// the two apart. The body is never read, and the look ends when the owner drops it.
class RawAnswer : public QObject {
public:
    enum class Verdict { WellFormed, Malformed, NoAnswer };

    // Calls done once with what was read, unless dropped first.
    RawAnswer(const QUrl& url, const QString& userAgent, std::function<void(Verdict)> done,
              QObject* parent);

    // The verdict on the head of an answer as read up to the end of its headers or the end of the
    // connection: nothing at all, an HTTP status line and headers, or anything else.
    static Verdict Judge(std::string_view head);

private:
    void Read();
    void End();

    QTcpSocket* socket_;
    QByteArray head_;
    std::function<void(Verdict)> done_;
};
