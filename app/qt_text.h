// UTF-8 texts and file paths as Qt strings, and back. Paths are UTF-8 on this side.
#pragma once

#include <QString>
#include <filesystem>
#include <string_view>

namespace app {

inline QString QStringOfUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString QStringOfPath(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

inline std::filesystem::path PathOfQString(const QString& text) {
  return std::filesystem::path(text.toStdString());
}

}  // namespace app
