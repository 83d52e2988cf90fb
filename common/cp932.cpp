// glibc iconv with the "CP932" table.
#include "common/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstdlib>

namespace common {
namespace {

// Converts `input`; on an invalid or unconvertible sequence either stops (nullopt) or, when
// `replacement` is given, writes it and skips one byte.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view input,
                                   std::string_view replacement = {}) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  std::string out;
  out.resize(input.size() * 2 + 16);
  char* in_ptr = const_cast<char*>(input.data());
  std::size_t in_left = input.size();
  std::size_t written = 0;
  std::optional<std::string> result;
  while (true) {
    char* out_ptr = out.data() + written;
    std::size_t out_left = out.size() - written;
    std::size_t rc = iconv(cd, in_left ? &in_ptr : nullptr, &in_left, &out_ptr, &out_left);
    written = out.size() - out_left;
    if (rc != static_cast<std::size_t>(-1)) {
      if (in_left == 0) {
        out.resize(written);
        result = std::move(out);
        break;
      }
      continue;
    }
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
    } else if ((errno == EILSEQ || errno == EINVAL) && !replacement.empty()) {
      out.resize(written);
      out += replacement;
      written = out.size();
      out.resize(written + in_left * 2 + 16);
      ++in_ptr;
      --in_left;
      if (in_left == 0) {
        out.resize(written);
        result = std::move(out);
        break;
      }
    } else {
      break;
    }
  }
  iconv_close(cd);
  return result;
}

}  // namespace

std::optional<std::string> Utf8ToCp932(std::string_view utf8) {
  return Convert("CP932", "UTF-8", utf8);
}

std::optional<std::string> Cp932ToUtf8(std::string_view cp932) {
  return Convert("UTF-8", "CP932", cp932);
}

std::string Cp932ToUtf8Lossy(std::string_view cp932) {
  return Convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD").value_or(std::string());
}

std::string Sjis(std::string_view utf8) {
  std::optional<std::string> converted = Utf8ToCp932(utf8);
  if (!converted) std::abort();
  return *std::move(converted);
}

}  // namespace common
