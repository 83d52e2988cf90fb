// Document rules of the ruby window.
#include "rubywindow/view/ruby_document.h"

#include <string>

namespace rubywindow::view {

namespace {

constexpr std::string_view kNewDocumentFullWidth = "新規ファイル.srb";
constexpr std::string_view kLineFieldExtension = ".LRB";

constexpr common::WindowPlace kMinPlace{.top = 150, .left = 150, .height = 400, .width = 500};

char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool IsNewDocument(const std::filesystem::path& path) {
  std::string name = path.filename().string();
  return name == kNewDocumentName || name == kNewDocumentFullWidth;
}

bool YmiAvailableFor(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  if (extension.size() != kLineFieldExtension.size()) return false;
  for (std::size_t i = 0; i < extension.size(); ++i) {
    if (AsciiUpper(extension[i]) != kLineFieldExtension[i]) return false;
  }
  return true;
}

common::WindowPlace RubyWindowPlace(const common::Settings& settings) {
  return common::AtLeast(
      {settings.ruby_top, settings.ruby_left, settings.ruby_height, settings.ruby_width},
      kMinPlace);
}

}  // namespace rubywindow::view
