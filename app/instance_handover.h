// A second start of the program hands its file to the copy that runs: through a local socket
// beside the lock, only the user's own, it names the file (or none) and the running copy opens
// it and comes to the front.
#pragma once

#include <QObject>
#include <QString>
#include <filesystem>
#include <optional>

class QLocalServer;

namespace app {

// The socket beside `lock_file`: the same name with the extension ".socket".
std::filesystem::path HandoverSocketOf(const std::filesystem::path& lock_file);

// The running copy's side. It listens from construction; a socket left by a copy that ended
// without removing it is taken over, since whoever holds the lock owns the socket.
class HandoverServer : public QObject {
  Q_OBJECT

 public:
  explicit HandoverServer(const std::filesystem::path& socket, QObject* parent = nullptr);
  ~HandoverServer() override;
  bool IsListening() const;

 signals:
  // A second start asked to be shown, with the file it was given, if any.
  void handedOver(std::optional<std::filesystem::path> file);

 private:
  void Accept();

  QLocalServer* server_;
};

// The second copy's side: asks the running copy to open `file` (absolute, or none) and to come
// to the front. False when no running copy answers.
bool HandOver(const std::filesystem::path& socket,
              const std::optional<std::filesystem::path>& file);

}  // namespace app
