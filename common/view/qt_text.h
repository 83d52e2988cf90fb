// UTF-8 texts and file paths as Qt strings, and back. Shift_JIS never enters here: that is
// sjis_codec.h, for text only. A path keeps the bytes the file system gave it, so it goes through
// the file-name encoding of QFile (UTF-8 here) rather than through any text encoding.
#pragma once

#include <QFile>
#include <QString>
#include <filesystem>
#include <string_view>

namespace common::view {

// Messages, titles and captions: the program's UTF-8 constants and the core's UTF-8 texts.
inline QString QStringOfUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QString QStringOfPath(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

inline std::filesystem::path PathOfQString(const QString& text) {
  return std::filesystem::path(QFile::encodeName(text).toStdString());
}

}  // namespace common::view
