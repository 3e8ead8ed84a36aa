// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHostAddress>
#include <QMetaObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>

// The checker's network for tests: no proxy, and a name lookup that knows only 127.0.0.1, so a
// test reaches nothing but the servers it starts and can still meet an unknown name; any other
// address has no route, as on a machine without a network.
class LoopbackNetwork : public QNetworkAccessManager {
public:
    LoopbackNetwork() { setProxy(QNetworkProxy::NoProxy); }

protected:
    QNetworkReply* createRequest(Operation operation, const QNetworkRequest& request,
                                 QIODevice* data) override {
        const QString host = request.url().host();
        if (host == QLatin1String("127.0.0.1"))
            return QNetworkAccessManager::createRequest(operation, request, data);
        if (QHostAddress(host).isNull())
            return new FailedReply(request, QNetworkReply::HostNotFoundError,
                                   "Host " + host + " not found", this);
        return new FailedReply(request, QNetworkReply::UnknownNetworkError, "Network unreachable",
                               this);
    }

private:
    class FailedReply : public QNetworkReply {
    public:
        FailedReply(const QNetworkRequest& request, NetworkError failure, const QString& text,
                    QObject* parent)
            : QNetworkReply(parent) {
            setRequest(request);
            setUrl(request.url());
            open(ReadOnly);
            setError(failure, text);
            setFinished(true);
            QMetaObject::invokeMethod(
                this,
                [this] {
                    emit errorOccurred(error());
                    emit finished();
                },
                Qt::QueuedConnection);
        }
        void abort() override {}

    protected:
        qint64 readData(char* /*data*/, qint64 /*size*/) override { return -1; }
    };
};
