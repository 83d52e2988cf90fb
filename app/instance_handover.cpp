// The hand-over between two starts: one line, the file's absolute path or nothing, ended by a
// line feed. The path goes percent-encoded, so that its bytes arrive as the file system gave
// them, a line feed in a name included.
#include "app/instance_handover.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QLocalServer>
#include <QLocalSocket>

#include "common/view/qt_text.h"

namespace app {

namespace fs = std::filesystem;

namespace {

constexpr int kWaitMilliseconds = 2000;
constexpr char kEndOfMessage = '\n';
// A path is far shorter; a longer message is not ours.
constexpr qint64 kMaxMessage = 64 * 1024;

QString SocketName(const fs::path& socket) { return common::view::QStringOfPath(socket); }

// In a shared temporary folder another user could have put a socket in ours' place: only the
// user's own is talked to.
bool OwnedByUser(const fs::path& socket) {
  struct stat info {};
  return ::lstat(socket.c_str(), &info) == 0 && S_ISSOCK(info.st_mode) &&
         info.st_uid == ::geteuid();
}

}  // namespace

fs::path HandoverSocketOf(const fs::path& lock_file) {
  fs::path socket = lock_file;
  return socket.replace_extension(".socket");
}

HandoverServer::HandoverServer(const fs::path& socket, QObject* parent)
    : QObject(parent), server_(new QLocalServer(this)) {
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  QLocalServer::removeServer(SocketName(socket));
  // Without the socket the program runs on; a second start then only ends.
  (void)server_->listen(SocketName(socket));
  connect(server_, &QLocalServer::newConnection, this, &HandoverServer::Accept);
}

HandoverServer::~HandoverServer() = default;

bool HandoverServer::IsListening() const { return server_->isListening(); }

void HandoverServer::Accept() {
  while (QLocalSocket* connection = server_->nextPendingConnection()) {
    connect(connection, &QLocalSocket::disconnected, connection, &QObject::deleteLater);
    connect(connection, &QLocalSocket::readyRead, this, [this, connection] {
      if (!connection->canReadLine()) {
        if (connection->bytesAvailable() > kMaxMessage) connection->abort();
        return;
      }
      QByteArray line = connection->readLine(kMaxMessage).chopped(1);
      connection->disconnectFromServer();
      std::optional<fs::path> file;
      if (!line.isEmpty()) file = fs::path(QByteArray::fromPercentEncoding(line).toStdString());
      emit handedOver(file);
    });
  }
}

bool HandOver(const fs::path& socket, const std::optional<fs::path>& file) {
  if (!OwnedByUser(socket)) return false;
  QLocalSocket connection;
  connection.connectToServer(SocketName(socket));
  if (!connection.waitForConnected(kWaitMilliseconds)) return false;
  QByteArray message =
      file ? QByteArray::fromStdString(file->native()).toPercentEncoding() : QByteArray();
  message.append(kEndOfMessage);
  connection.write(message);
  bool sent = connection.waitForBytesWritten(kWaitMilliseconds);
  connection.disconnectFromServer();
  if (connection.state() != QLocalSocket::UnconnectedState) {
    (void)connection.waitForDisconnected(kWaitMilliseconds);
  }
  return sent;
}

}  // namespace app
