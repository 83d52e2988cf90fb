// Length records and reading decoding of the ruby dictionary.
#include "dictionary/ruby_dictionary_format.h"

namespace dictionary {

LengthRecord ParseLengthRecord(const char* record) {
  LengthRecord parsed;
  parsed.hushv = static_cast<std::uint16_t>(ReadLe16(record));
  parsed.gosuu = static_cast<std::uint16_t>(ReadLe16(record + 2));
  parsed.dicd_ofs = ReadLe24(record + 16);
  parsed.jukud_ofs = ReadLe24(record + 20);
  parsed.adrs_ofs = ReadLe24(record + 24);
  parsed.yomid_ofs = ReadLe24(record + 28);
  return parsed;
}

void AppendLengthRecord(std::string& out, const LengthRecord& record) {
  WriteLe16(out, record.hushv);
  WriteLe16(out, record.gosuu);
  out.append(12, '\0');
  WriteLe32(out, record.dicd_ofs);
  WriteLe32(out, record.jukud_ofs);
  WriteLe32(out, record.adrs_ofs);
  WriteLe32(out, record.yomid_ofs);
}

std::string DecodeReading(std::string_view encoded) {
  std::string out;
  out.reserve(encoded.size() * 2);
  for (char byte : encoded) {
    if (byte == kSegmentSeparator || byte == kAlternativeSeparator) {
      out += byte;
    } else if (static_cast<unsigned char>(byte) == kEncodedLongVowel) {
      out += "\x81\x5B";  // ー
    } else {
      out += static_cast<char>(kHiraganaLead);
      out += byte;
    }
  }
  return out;
}

}  // namespace dictionary
