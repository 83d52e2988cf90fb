// Whether a file is a ruby dictionary, judged by the maker and version texts of its header.
// Other binary tables of the program share the ".dic" extension, so commands that take a
// dictionary from the user check this first.
#pragma once

#include <filesystem>
#include <string_view>

namespace dictionary {

// `header` is the start of a file; it must hold the maker text at offset 0 and the version
// text at offset 16.
bool HasRubySignature(std::string_view header);

enum class Signature {
  kRuby,
  kOther,       // readable, but not a ruby dictionary (also when shorter than the signature)
  kUnreadable,  // missing, or cannot be read
};

Signature SignatureOf(const std::filesystem::path& path);

// false also when the file cannot be read.
bool IsRubyDictionary(const std::filesystem::path& path);

}  // namespace dictionary
