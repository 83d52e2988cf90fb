// glibc iconv with its "EUC-JP" table, which also covers the JIS X 0212 kanji of KANJIDIC's
// companion files.
#include "dicgen/euc_jp.h"

#include <cerrno>
#include <cstdlib>

namespace dicgen {
namespace {

const iconv_t kNoDescriptor = reinterpret_cast<iconv_t>(-1);

}  // namespace

EucJpDecoder::EucJpDecoder() : descriptor_(iconv_open("UTF-8", "EUC-JP")) {
  // glibc always carries EUC-JP; without it nothing of this program's data could be made.
  if (descriptor_ == kNoDescriptor) std::abort();
}

EucJpDecoder::~EucJpDecoder() { iconv_close(descriptor_); }

std::optional<std::string> EucJpDecoder::ToUtf8(std::string_view euc) {
  iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state per piece
  // EUC-JP takes at least two bytes for any character that needs three in UTF-8, so 2x is room
  // enough (ASCII stays one byte, half-width kana go from two bytes to three).
  std::string out(euc.size() * 2 + 4, '\0');
  char* in_ptr = const_cast<char*>(euc.data());
  std::size_t in_left = euc.size();
  char* out_ptr = out.data();
  std::size_t out_left = out.size();
  if (iconv(descriptor_, &in_ptr, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1)) {
    return std::nullopt;
  }
  out.resize(out.size() - out_left);
  return out;
}

}  // namespace dicgen
