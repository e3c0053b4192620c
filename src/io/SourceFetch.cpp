#include "io/SourceFetch.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace tarvex {

namespace {

QNetworkRequest Request(const QUrl& url, const QByteArray& referer) {
    QNetworkRequest request(url);
    request.setHeader(QNetworkRequest::UserAgentHeader, QByteArrayLiteral("tarvex"));
    if (!referer.isEmpty()) {
        request.setRawHeader("Referer", referer);
    }
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::NoLessSafeRedirectPolicy);
    return request;
}

QString Finished(QNetworkReply& reply, const QByteArray& body) {
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status != 0 && (status < 200 || status >= 300)) {
        return QStringLiteral("HTTP %1").arg(status);
    }
    if (reply.error() != QNetworkReply::NoError) {
        return QStringLiteral("没有回答（%1）").arg(reply.errorString());
    }
    const QVariant length = reply.header(QNetworkRequest::ContentLengthHeader);
    if (length.isValid() && length.toLongLong() != body.size()) {
        return QStringLiteral("回答不完整（%1 字节中只收到 %2）")
            .arg(length.toLongLong())
            .arg(body.size());
    }
    return {};
}

} // namespace

FetchResult SourceFetch::Get(const QString& url, const QByteArray& referer, int timeoutMs,
                             qint64 maxBytes, const std::function<bool()>& stillWanted) {
    FetchResult result;
    const QUrl address(url);
    if (!address.isValid() ||
        (address.scheme() != QLatin1String("http") && address.scheme() != QLatin1String("https"))) {
        result.error = QStringLiteral("不是 http 或 https 网址");
        return result;
    }
    QNetworkAccessManager manager;
    std::unique_ptr<QNetworkReply> reply(manager.get(Request(address, referer)));
    QEventLoop loop;
    bool timedOut = false;
    bool tooBig = false;
    QObject::connect(reply.get(), &QNetworkReply::finished, &loop, &QEventLoop::quit);
    QObject::connect(reply.get(), &QNetworkReply::readyRead, &loop, [&] {
        result.body += reply->readAll();
        if (result.body.size() > maxBytes) {
            tooBig = true;
            reply->abort();
        }
    });
    QTimer deadline;
    deadline.setSingleShot(true);
    QObject::connect(&deadline, &QTimer::timeout, &loop, [&] {
        timedOut = true;
        reply->abort();
    });
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (stillWanted && !stillWanted()) {
            result.cancelled = true;
            reply->abort();
        }
    });
    deadline.start(timeoutMs);
    poll.start(100);
    if (!reply->isFinished()) {
        loop.exec();
    }
    if (!tooBig && !timedOut && !result.cancelled) {
        result.body += reply->readAll();
    }
    if (result.cancelled) {
        result.error = QStringLiteral("已取消");
    } else if (timedOut) {
        result.error = QStringLiteral("%1 秒内没有回答完").arg((timeoutMs + 999) / 1000);
    } else if (tooBig) {
        result.error = QStringLiteral("回答太大");
    } else {
        result.error = Finished(*reply, result.body);
    }
    if (!result.ok()) {
        result.body.clear();
    }
    return result;
}

} // namespace tarvex
