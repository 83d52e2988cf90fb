// The editing windows' texts from and to their files.
#include "common/view/text_file_io.h"

#include <QByteArray>

namespace common::view {

std::optional<LoadedText> LoadTextFile(const std::filesystem::path& path,
                                       common::Messenger& messenger) {
  std::optional<DocumentText> loaded = LoadDocument(path, messenger);
  if (!loaded) return std::nullopt;
  return LoadedText{
      QString::fromUtf8(loaded->utf8.data(), static_cast<qsizetype>(loaded->utf8.size())),
      loaded->form};
}

bool SaveTextFile(const std::filesystem::path& path, const QString& text,
                  const UserEncoding& form, common::Messenger& messenger) {
  QByteArray utf8 = text.toUtf8();
  return SaveDocument(path, std::string_view(utf8.data(), utf8.size()), form, messenger);
}

}  // namespace common::view
