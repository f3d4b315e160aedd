#include "qt/SingleInstance.h"

#include <QCryptographicHash>
#include <QLocalServer>
#include <QLocalSocket>
#include <memory>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace moravel {
namespace {

constexpr int kTimeoutMs = 1000;
const QByteArray kActivate = "activate\n";

}  // namespace

SingleInstance::SingleInstance(const QString& name) : name_(name) {}

QString SingleInstance::NameFor(const QString& folder) {
#ifdef _WIN32
    const QString user = qEnvironmentVariable("USERNAME");
#else
    const QString user = QString::number(getuid());
#endif
    const QByteArray hash =
        QCryptographicHash::hash(folder.toUtf8(), QCryptographicHash::Sha1).toHex().left(12);
    return QStringLiteral("moravel-%1-%2").arg(user, QString::fromLatin1(hash));
}

bool SingleInstance::ActivateRunning() {
    QLocalSocket socket;
    socket.connectToServer(name_);
    if (!socket.waitForConnected(kTimeoutMs)) {
        return false;
    }
    socket.write(kActivate);
    socket.waitForBytesWritten(kTimeoutMs);
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::Listen(std::function<void()> onActivate) {
    onActivate_ = std::move(onActivate);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(name_)) {
        // A socket left behind by a program that died: nobody answered on it, so take it over.
        QLocalServer::removeServer(name_);
        if (!server_->listen(name_)) {
            return false;
        }
    }
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            // The request may already be waiting: a second start writes and leaves at once.
            auto received = std::make_shared<QByteArray>();
            const auto read = [this, socket, received] {
                received->append(socket->readAll());
                if (received->contains(kActivate) && onActivate_) {
                    received->clear();
                    onActivate_();
                }
            };
            connect(socket, &QLocalSocket::readyRead, this, read);
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            read();
        }
    });
    return true;
}

}  // namespace moravel
