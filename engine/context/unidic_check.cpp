// The layouts are MeCab's: a dictionary (sys.dic, unk.dic) is a header of ten 32-bit numbers
// and a 32-byte charset name, then the double array, the word entries (16 bytes each) and their
// feature text; matrix.bin is two 16-bit sizes and a cost for every pair of them; char.bin is a
// category count, the categories' 32-byte names, and a 32-bit entry for each of 0xFFFF codes.
// The double array is a row of units of a 32-bit base (signed) and a 32-bit check: a search in
// a unit of base b reads the unit at b (whose base, when its check is b and it is negative,
// holds -1 minus a value) and those at b + 1 + byte for each byte 0 … 255 of a spelling, and
// follows one of them only when its check is b. A value is the first of its words (the value
// shifted right by 8) and their count (its low 8 bits).
#include "engine/context/unidic_check.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

namespace engine::context {
namespace {

namespace fs = std::filesystem;

constexpr std::uint32_t kDictionaryMagic = 0xEF718F77;
constexpr std::uint32_t kDictionaryVersion = 102;
constexpr std::size_t kDictionaryHeader = 10 * 4 + 32;
constexpr std::size_t kTokenSize = 16;
constexpr std::size_t kCharCodes = 0xFFFF;
constexpr std::size_t kCategoryName = 32;
constexpr std::uint32_t kMostCategories = 18;  // the bits of an entry's category set
constexpr std::size_t kUnitSize = 8;           // of the double array
constexpr std::uint64_t kChildReach = 256;     // the farthest child past its base, less one
constexpr std::size_t kPieceBytes = 1 << 19;   // read a piece at a time: the parts are large

std::uint32_t Le32(const unsigned char* p) {
  return p[0] | p[1] << 8 | p[2] << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}
std::uint16_t Le16(const unsigned char* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

// `count` bytes of `file` from `offset`, or false when the file is shorter or unreadable.
bool ReadBytes(const fs::path& file, std::uint64_t offset, std::size_t count,
               std::vector<unsigned char>& out) {
  std::ifstream in(file, std::ios::binary);
  out.resize(count);
  return in && in.seekg(static_cast<std::streamoff>(offset)) &&
         in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(count));
}

// Reads `count` bytes of `file` from `offset` a piece at a time (whole units and entries: a
// multiple of 16 bytes), each into the same buffer, and gives each piece to `look`. False when
// the file is shorter or unreadable; else `held` tells whether `look` passed every piece.
template <typename Look>
bool ReadInPieces(const fs::path& file, std::uint64_t offset, std::uint64_t count, Look look,
                  bool& held) {
  std::ifstream in(file, std::ios::binary);
  if (!in.seekg(static_cast<std::streamoff>(offset))) return false;
  std::vector<unsigned char> piece(
      static_cast<std::size_t>(std::min<std::uint64_t>(count, kPieceBytes)));
  held = true;
  for (std::uint64_t done = 0; done < count && held;) {
    const auto size = static_cast<std::size_t>(std::min<std::uint64_t>(kPieceBytes, count - done));
    if (!in.read(reinterpret_cast<char*>(piece.data()), static_cast<std::streamsize>(size))) {
      return false;
    }
    held = look(piece.data(), size, done);
    done += size;
  }
  return true;
}

struct Matrix {
  std::uint32_t left = 0;
  std::uint32_t right = 0;
};

std::string Fault(const fs::path& file, const char* what) {
  return file.filename().string() + ": " + what;
}

std::string CheckMatrix(const fs::path& file, Matrix& matrix) {
  std::error_code error;
  std::uintmax_t size = fs::file_size(file, error);
  std::vector<unsigned char> head;
  if (error || !ReadBytes(file, 0, 4, head)) return Fault(file, "ありません");
  matrix = {Le16(head.data()), Le16(head.data() + 2)};
  if (size != 4 + 2 * std::uintmax_t{matrix.left} * matrix.right) {
    return Fault(file, "大きさが合いません");
  }
  return {};
}

// Whether every place a search can read stays inside the double array and every value names
// words that exist. Which units a search reaches is not worked out: any unit whose check could be
// its parent's base (1 to 256 below it), and the root, is taken as reached, and any unit whose
// check is itself and whose base is negative as a value.
// Each piece is looked over whole, in 32-bit arithmetic and without a branch per unit (the
// array's size is a 32-bit count of bytes).
bool ArrayHolds(const fs::path& file, std::uint64_t array_bytes, std::uint64_t token_count) {
  if (array_bytes % kUnitSize != 0) return false;
  const auto units = static_cast<std::uint32_t>(array_bytes / kUnitSize);
  const auto tokens = static_cast<std::uint32_t>(token_count);
  // A reached unit's base, read as unsigned (a negative one is then 2^31 or more), below this.
  const std::uint32_t base_limit = units > kChildReach ? units - kChildReach : 0;
  auto look = [&](const unsigned char* piece, std::size_t size, std::uint64_t done) {
    bool bad = false;
    auto at = static_cast<std::uint32_t>(done / kUnitSize);
    for (std::size_t i = 0; i < size; i += kUnitSize, ++at) {
      const std::uint32_t base = Le32(piece + i);
      const std::uint32_t check = Le32(piece + i + 4);
      // The unit's check is its parent's base, 1 to 256 below it (or it is the root).
      const bool reached = at == 0 || at - check - 1 < kChildReach;
      const std::uint32_t value = ~base;  // -1 minus the base
      bad |= reached && base >= base_limit;
      bad |=
          !reached && check == at && base >= 0x80000000u && (value >> 8) + (value & 0xFF) > tokens;
    }
    return !bad;
  };
  bool held = false;
  return ReadInPieces(file, kDictionaryHeader, array_bytes, look, held) && held;
}

// A word's left and right attributes index the cost matrix, its feature the feature text.
bool TokensHold(const unsigned char* piece, std::size_t size, const Matrix& matrix,
                std::uint64_t feature_bytes) {
  bool bad = false;
  for (std::size_t at = 0; at < size; at += kTokenSize) {
    const unsigned char* token = piece + at;
    bad |= Le16(token) >= matrix.right || Le16(token + 2) >= matrix.left ||
           Le32(token + 8) >= feature_bytes;
  }
  return !bad;
}

std::string CheckDictionary(const fs::path& file, const Matrix& matrix) {
  std::error_code error;
  std::uintmax_t size = fs::file_size(file, error);
  std::vector<unsigned char> head;
  if (error || !ReadBytes(file, 0, kDictionaryHeader, head)) return Fault(file, "ありません");
  std::uint32_t values[10];
  for (int i = 0; i < 10; ++i) values[i] = Le32(head.data() + 4 * i);
  const std::uint64_t array_bytes = values[6], token_bytes = values[7], feature_bytes = values[8];
  if ((values[0] ^ kDictionaryMagic) != size || values[1] != kDictionaryVersion ||
      kDictionaryHeader + array_bytes + token_bytes + feature_bytes != size ||
      token_bytes % kTokenSize != 0) {
    return Fault(file, "見出しが壊れています");
  }
  if (values[4] != matrix.left || values[5] != matrix.right) {
    return Fault(file, "matrix.bin と組になっていません");
  }
  if (!ArrayHolds(file, array_bytes, token_bytes / kTokenSize)) {
    return Fault(file, "語の見出しの表が壊れています");
  }
  bool tokens_hold = false;
  if (!ReadInPieces(
          file, kDictionaryHeader + array_bytes, token_bytes,
          [&](const unsigned char* piece, std::size_t size, std::uint64_t) {
            return TokensHold(piece, size, matrix, feature_bytes);
          },
          tokens_hold)) {
    return Fault(file, "読めません");
  }
  if (!tokens_hold) return Fault(file, "語の項目が壊れています");
  return {};
}

std::string CheckCharacters(const fs::path& file) {
  std::error_code error;
  std::uintmax_t size = fs::file_size(file, error);
  std::vector<unsigned char> head;
  if (error || !ReadBytes(file, 0, 4, head)) return Fault(file, "ありません");
  std::uint32_t categories = Le32(head.data());
  if (categories == 0 || categories > kMostCategories ||
      size != 4 + kCategoryName * categories + 4 * kCharCodes) {
    return Fault(file, "大きさが合いません");
  }
  std::vector<unsigned char> entries;
  if (!ReadBytes(file, 4 + kCategoryName * categories, 4 * kCharCodes, entries)) {
    return Fault(file, "読めません");
  }
  // Each entry: the set of its categories (18 bits), then its default category (8 bits).
  const std::uint32_t known = (1u << categories) - 1;
  for (std::size_t at = 0; at < entries.size(); at += 4) {
    std::uint32_t entry = Le32(entries.data() + at);
    if ((entry & 0x3FFFF & ~known) != 0 || ((entry >> 18) & 0xFF) >= categories) {
      return Fault(file, "文字の種類の表が壊れています");
    }
  }
  return {};
}

}  // namespace

std::string UnidicFault(const fs::path& dic_dir) {
  std::error_code error;
  if (!fs::is_regular_file(dic_dir / "dicrc", error)) return "dicrc: ありません";
  Matrix matrix;
  std::string fault = CheckMatrix(dic_dir / "matrix.bin", matrix);
  if (fault.empty()) fault = CheckCharacters(dic_dir / "char.bin");
  if (fault.empty()) fault = CheckDictionary(dic_dir / "unk.dic", matrix);
  if (fault.empty()) fault = CheckDictionary(dic_dir / "sys.dic", matrix);
  return fault;
}

}  // namespace engine::context
