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

// Qt's own texts are English: the report says in Chinese what happened.
QString NetworkFault(QNetworkReply::NetworkError error) {
    switch (error) {
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("连接被拒绝");
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("找不到服务器");
    case QNetworkReply::RemoteHostClosedError:
        return QStringLiteral("服务器断开了连接");
    case QNetworkReply::TimeoutError:
        return QStringLiteral("连接超时");
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("安全连接（SSL）失败");
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return QStringLiteral("网络暂时不通");
    case QNetworkReply::TooManyRedirectsError:
        return QStringLiteral("转向次数太多");
    case QNetworkReply::InsecureRedirectError:
        return QStringLiteral("转向到不安全的地址");
    case QNetworkReply::ProtocolFailure:
        return QStringLiteral("回答不合 HTTP 协议");
    default:
        return QStringLiteral("网络错误（代码 %1）").arg(static_cast<int>(error));
    }
}

QString Finished(QNetworkReply& reply, const QByteArray& body) {
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    const QNetworkReply::NetworkError error = reply.error();
    // Below 200 the connection itself failed (also after a redirect, whose 3xx status stays).
    const bool connection = error != QNetworkReply::NoError && static_cast<int>(error) < 200;
    if (connection && status >= 200 && status < 300) {
        return QStringLiteral("回答不完整（收到 %1 字节后%2）")
            .arg(body.size())
            .arg(NetworkFault(error));
    }
    if (connection) {
        return (status >= 300 && status < 400 ? QStringLiteral("转向后没有回答（%1）")
                                              : QStringLiteral("没有回答（%1）"))
            .arg(NetworkFault(error));
    }
    if (status != 0 && (status < 200 || status >= 300)) {
        return QStringLiteral("HTTP %1").arg(status);
    }
    if (error != QNetworkReply::NoError) {
        return QStringLiteral("没有回答（%1）").arg(NetworkFault(error));
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
