// SPDX-License-Identifier: GPL-3.0-or-later
#include "shell/HandOver.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalSocket>
#include <QStandardPaths>

namespace quorvel {

namespace {
// A path longer than any file system allows is no path: the line is dropped unread.
constexpr qint64 LongestLine = 16 * 1024;
const QByteArray Taken = "taken\n";
}  // namespace

QString handOverSocket(const QString& workFolder) {
    const QByteArray folder = QDir(workFolder).canonicalPath().toUtf8();
    const QString id = QString::fromLatin1(QCryptographicHash::hash(folder, QCryptographicHash::Sha1).toHex().left(16));
    QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (runtime.isEmpty()) runtime = QDir::tempPath();
    return runtime + QStringLiteral("/quorvel-") + id + QStringLiteral(".socket");
}

HandOverServer::HandOverServer(std::function<void(const QString&)> take, QObject* parent)
    : QObject(parent), take_(std::move(take)) {
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    connect(&server_, &QLocalServer::newConnection, this, &HandOverServer::accept);
}

bool HandOverServer::listen(const QString& socket) {
    QLocalServer::removeServer(socket);
    return server_.listen(socket);
}

void HandOverServer::accept() {
    while (QLocalSocket* client = server_.nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QLocalSocket::readyRead, this, [this, client] {
            if (!client->canReadLine()) {
                if (client->bytesAvailable() > LongestLine) client->abort();
                return;
            }
            const QString path = QString::fromUtf8(client->readLine(LongestLine)).chopped(1);
            client->write(Taken);
            client->disconnectFromServer();
            // Opening asks its question in an event loop of its own, where the socket may close
            // and go: the file is taken once the socket's own signal is over.
            if (!path.isEmpty())
                QMetaObject::invokeMethod(
                    this, [this, path] { take_(path); }, Qt::QueuedConnection);
        });
    }
}

bool handOverFile(const QString& socket, const QString& path, int timeoutMs) {
    QLocalSocket client;
    client.connectToServer(socket);
    if (!client.waitForConnected(timeoutMs)) return false;
    client.write(path.toUtf8() + '\n');
    if (!client.waitForBytesWritten(timeoutMs)) return false;
    QByteArray answer;
    while (!answer.endsWith('\n') && client.waitForReadyRead(timeoutMs)) answer += client.readAll();
    return answer == Taken;
}

}  // namespace quorvel
