// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QMetaObject>
#include <QNetworkAccessManager>
#include <QNetworkProxy>
#include <QNetworkReply>

// The checker's network for tests: no proxy, and a name lookup that knows only 127.0.0.1, so a
// test reaches nothing but the servers it starts and can still meet an unknown name.
class LoopbackNetwork : public QNetworkAccessManager {
public:
    LoopbackNetwork() { setProxy(QNetworkProxy::NoProxy); }

protected:
    QNetworkReply* createRequest(Operation operation, const QNetworkRequest& request,
                                 QIODevice* data) override {
        if (request.url().host() != QLatin1String("127.0.0.1"))
            return new UnknownHostReply(request, this);
        return QNetworkAccessManager::createRequest(operation, request, data);
    }

private:
    class UnknownHostReply : public QNetworkReply {
    public:
        UnknownHostReply(const QNetworkRequest& request, QObject* parent) : QNetworkReply(parent) {
            setRequest(request);
            setUrl(request.url());
            open(ReadOnly);
            setError(HostNotFoundError, "Host " + request.url().host() + " not found");
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
