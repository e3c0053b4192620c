#pragma once

// An HTTP server on 127.0.0.1 for the update tests: each path answers as a source might,
// so no test ever reaches the internet. It lives on the thread that makes it and answers while
// that thread waits in an event loop (as the update's fetch does).

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QTcpServer>
#include <QTcpSocket>

class LocalDrawServer {
public:
    enum class Kind { Answer, Status, Hang, Cut, Redirect };
    struct Route {
        Kind kind = Kind::Answer;
        QByteArray body;
        int status = 200;
    };

    LocalDrawServer() {
        QObject::connect(&server_, &QTcpServer::newConnection, [this] { Accept(); });
        server_.listen(QHostAddress::LocalHost, 0);
    }
    bool Listening() const { return server_.isListening(); }
    QString Url(const QString& path) const {
        return QStringLiteral("http://127.0.0.1:%1%2").arg(server_.serverPort()).arg(path);
    }
    void Answer(const QString& path, const QByteArray& body) {
        routes_[path] = {Kind::Answer, body, 200};
    }
    void Status(const QString& path, int status) { routes_[path] = {Kind::Status, "no", status}; }
    void Hang(const QString& path) { routes_[path] = {Kind::Hang, {}, 200}; }
    // Announces the whole body, sends half of it and closes.
    void Cut(const QString& path, const QByteArray& body) {
        routes_[path] = {Kind::Cut, body, 200};
    }
    // Answers 302 towards `location`.
    void Redirect(const QString& path, const QString& location) {
        routes_[path] = {Kind::Redirect, location.toUtf8(), 302};
    }
    int Requests(const QString& path) const { return requests_.value(path); }

private:
    void Accept() {
        while (QTcpSocket* socket = server_.nextPendingConnection()) {
            QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                request_[socket] += socket->readAll();
                if (request_[socket].contains("\r\n\r\n")) {
                    Respond(socket, request_.take(socket));
                }
            });
        }
    }
    void Respond(QTcpSocket* socket, const QByteArray& request) {
        const QByteArray target = request.split(' ').value(1);
        const QString path = QString::fromLatin1(target.split('?').value(0));
        requests_[path] += 1;
        const Route route = routes_.value(path, {Kind::Status, "not found", 404});
        if (route.kind == Kind::Hang) {
            return;
        }
        const bool redirect = route.kind == Kind::Redirect;
        QByteArray body = redirect ? QByteArray() : route.body;
        QByteArray head = "HTTP/1.1 " + QByteArray::number(route.status) +
                          (route.status == 200 ? " OK" : " Error") +
                          (redirect ? "\r\nLocation: " + route.body : QByteArray()) +
                          "\r\nContent-Length: " + QByteArray::number(body.size()) +
                          "\r\nConnection: close\r\n\r\n";
        if (route.kind == Kind::Cut) {
            body.truncate(body.size() / 2);
        }
        socket->write(head + body);
        socket->flush();
        socket->disconnectFromHost();
    }

    QTcpServer server_;
    QMap<QString, Route> routes_;
    QMap<QTcpSocket*, QByteArray> request_;
    QMap<QString, int> requests_;
};
