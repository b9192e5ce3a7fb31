// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A second start with a file gives the file to the copy already running in the same program
// folder, which opens it. They talk over a local socket in the user's runtime folder (only the
// user can reach it), never over the network: one line with the file's path, one line back.
#include <QLocalServer>
#include <QObject>
#include <QString>
#include <functional>

namespace quorvel {

// The socket of the copy that holds `workFolder`: one per program folder, as the lock is.
QString handOverSocket(const QString& workFolder);

// Listens for files from later starts; `take` gets each path as soon as its line has arrived.
class HandOverServer : public QObject {
public:
    explicit HandOverServer(std::function<void(const QString& path)> take, QObject* parent = nullptr);
    // Only the holder of the folder's lock listens, so a socket left by a copy that crashed is
    // removed first. False when the socket cannot be made.
    bool listen(const QString& socket);

private:
    void accept();
    QLocalServer server_;
    std::function<void(const QString&)> take_;
};

// Gives `path` to the copy listening on `socket`: true once it has taken it. False when no
// copy answers within `timeoutMs` (a copy from before hand-overs, or one that hangs).
bool handOverFile(const QString& socket, const QString& path, int timeoutMs = 5000);

}  // namespace quorvel
