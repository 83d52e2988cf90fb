// The ruby dictionary signature.
#include "dictionary/dictionary_signature.h"

#include <cstdio>
#include <string>

#include "common/platform/file_system.h"
#include "dictionary/ruby_dictionary_format.h"

namespace dictionary {

bool HasRubySignature(std::string_view header) {
  return header.size() >= kVersionOffset + kVersionText.size() &&
         header.substr(kMakerOffset, kMakerText.size()) == kMakerText &&
         header.substr(kVersionOffset, kVersionText.size()) == kVersionText;
}

Signature SignatureOf(const std::filesystem::path& path) {
  std::FILE* file = common::OpenRegularFileStream(path);
  if (!file) return Signature::kUnreadable;
  std::string header(kVersionOffset + kVersionText.size(), '\0');
  std::size_t read = std::fread(header.data(), 1, header.size(), file);
  bool failed = std::ferror(file) != 0;
  std::fclose(file);
  if (failed) return Signature::kUnreadable;
  header.resize(read);
  return HasRubySignature(header) ? Signature::kRuby : Signature::kOther;
}

bool IsRubyDictionary(const std::filesystem::path& path) {
  return SignatureOf(path) == Signature::kRuby;
}

}  // namespace dictionary
