// The ruby dictionary signature.
#include "dictionary/dictionary_signature.h"

#include <cstdio>
#include <string>

#include "dictionary/ruby_dictionary_format.h"

namespace dictionary {

bool HasRubySignature(std::string_view header) {
  return header.size() >= kVersionOffset + kVersionText.size() &&
         header.substr(kMakerOffset, kMakerText.size()) == kMakerText &&
         header.substr(kVersionOffset, kVersionText.size()) == kVersionText;
}

bool IsRubyDictionary(const std::filesystem::path& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  std::string header(kVersionOffset + kVersionText.size(), '\0');
  std::size_t read = std::fread(header.data(), 1, header.size(), file);
  std::fclose(file);
  header.resize(read);
  return HasRubySignature(header);
}

}  // namespace dictionary
