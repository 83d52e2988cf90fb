// One ruby group of a stream, found in the blocks the stream has loaded.
#include "rubywindow/ruby_group_reader.h"

#include <string_view>

#include "common/notation/ruby_group.h"
#include "common/encoding/sjis.h"

namespace rubywindow {

namespace {

constexpr char kReturn = '\r';
constexpr common::GroupLineRule kRule = common::GroupLineRule::kEndsAtLine;

// Appends `part` without the CRs that stand as characters of their own.
void AppendWithoutReturns(std::string_view part, std::string& out) {
  std::size_t at = 0;
  while (at < part.size()) {
    std::size_t cr = common::FindCharacterUnit(part, kReturn, at);
    if (cr == std::string_view::npos) cr = part.size();
    out.append(part.substr(at, cr - at));
    at = cr + 1;
  }
}

void AppendParts(std::string_view inside, bool closed, std::string& base, std::string& reading) {
  common::GroupParts parts = common::SplitGroupInside(inside, closed);
  AppendWithoutReturns(parts.base, base);
  AppendWithoutReturns(parts.reading, reading);
}

// True when the group stops inside `loaded`: at its '}' (taken) or its line feed (left).
bool StopsIn(std::string_view loaded, const common::GroupStop& stop) {
  return stop.closed || stop.at < loaded.size();
}

void TakeStop(ByteInput& in, const common::GroupStop& stop) {
  in.Skip(stop.closed ? stop.at + 1 : stop.at);
}

// A group that runs on past the loaded bytes, gathered block by block.
void ReadLongGroup(ByteInput& in, std::string& base, std::string& reading) {
  std::string inside;
  common::GroupStop stop;
  bool cut_character = false;  // the last block ended between a lead byte and its trail byte
  for (std::string_view loaded = in.Loaded(); !loaded.empty(); loaded = in.Loaded()) {
    std::size_t from = cut_character ? 1 : 0;
    stop = common::FindGroupStop(loaded, from, kRule);
    inside.append(loaded.substr(0, stop.at));
    if (StopsIn(loaded, stop)) {
      TakeStop(in, stop);
      break;
    }
    cut_character = !common::IsCharacterStart(loaded, from, loaded.size());
    in.Skip(loaded.size());
  }
  AppendParts(inside, stop.closed, base, reading);
}

}  // namespace

void ReadGroup(ByteInput& in, std::string& base, std::string& reading) {
  std::string_view loaded = in.Loaded();
  common::GroupStop stop = common::FindGroupStop(loaded, 0, kRule);
  if (!StopsIn(loaded, stop)) {
    ReadLongGroup(in, base, reading);
    return;
  }
  AppendParts(loaded.substr(0, stop.at), stop.closed, base, reading);
  TakeStop(in, stop);
}

}  // namespace rubywindow
