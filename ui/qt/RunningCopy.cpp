#include "ui/qt/RunningCopy.h"

#include <QLocalSocket>

#include "ui/SingleInstance.h"

namespace brannock_qt {
namespace {

// What a second start sends, and what the first answers once its window is shown.
constexpr char kShow[] = "show\n";
constexpr char kShown[] = "shown\n";

QString ServerName(const std::string& settingsPath) {
    return QString::fromStdString(single_instance::KeyFor(settingsPath));
}

}  // namespace

bool RunningCopy::Claim(const std::string& settingsPath) {
#ifdef Q_OS_LINUX
    // A name in the abstract namespace is no file: it cannot be left behind by a copy that was
    // killed, and binding it is the atomic test of whether another copy runs.
    server_.setSocketOptions(QLocalServer::AbstractNamespaceOption);
#endif
    QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] {
        while (QLocalSocket* peer = server_.nextPendingConnection()) {
            QObject::connect(peer, &QLocalSocket::disconnected, peer, &QObject::deleteLater);
            QObject::connect(peer, &QLocalSocket::readyRead, peer, [this, peer] {
                if (!peer->canReadLine())
                    return;
                if (peer->readLine() == kShow && show_)
                    show_();
                peer->write(kShown);
                peer->flush();
            });
        }
    });
    if (server_.listen(ServerName(settingsPath)))
        return true;
    return server_.serverError() != QAbstractSocket::AddressInUseError;
}

void RunningCopy::OnShowRequest(std::function<void()> show) {
    show_ = std::move(show);
}

bool RunningCopy::AskToShow(const std::string& settingsPath, int timeoutMs) {
    QLocalSocket socket;
#ifdef Q_OS_LINUX
    socket.setSocketOptions(QLocalSocket::AbstractNamespaceOption);
#endif
    socket.connectToServer(ServerName(settingsPath));
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kShow);
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    while (!socket.canReadLine()) {
        if (!socket.waitForReadyRead(timeoutMs))
            return false;
    }
    return socket.readLine() == kShown;
}

}  // namespace brannock_qt
