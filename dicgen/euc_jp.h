// Decoding of the EUC-JP files that Debian's Japanese data packages ship (KANJIDIC, IPAdic).
#pragma once

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace dicgen {

// One iconv descriptor reused for many short pieces: these files are decoded line by line so
// that one bad line costs that line only.
class EucJpDecoder {
 public:
  EucJpDecoder();
  EucJpDecoder(const EucJpDecoder&) = delete;
  EucJpDecoder& operator=(const EucJpDecoder&) = delete;
  ~EucJpDecoder();

  // The UTF-8 text, or nullopt when `euc` holds bytes that are not valid EUC-JP.
  std::optional<std::string> ToUtf8(std::string_view euc);

 private:
  iconv_t descriptor_;
};

}  // namespace dicgen
