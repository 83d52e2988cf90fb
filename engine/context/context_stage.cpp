// The text is taken a block of whole lines at a time. One thread divides a block into
// sentences while the taggers read the sentences of the block before, side by side, each
// taking the next one left; the block is written when they are done.
#include "engine/context/context_stage.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "common/encoding/cp932_tables.h"
#include "common/encoding/sjis.h"
#include "common/encoding/text_file.h"
#include "engine/context/reader.h"

namespace engine::context {
namespace {

constexpr std::size_t kBlockBytes = 1 << 18;
// A sentence of more characters is cut, so that the analyser's lattice stays small.
constexpr std::size_t kLongestSentence = 1024;

constexpr std::uint16_t kFullStop = 0x8142;     // 。
constexpr std::uint16_t kExclamation = 0x8149;  // ！
constexpr std::uint16_t kQuestion = 0x8148;     // ？
constexpr std::uint16_t kGeta = 0x81AC;         // 〓, for what the analyser cannot be given

// Divides a working file into sentences, carrying what it is inside (the HTML head, a non-ruby
// area, a tag, a group) from one block to the next.
class SentenceScanner {
 public:
  explicit SentenceScanner(bool html_mode) : state_(html_mode ? kHead : kText), html_(html_mode) {}

  void Scan(std::string_view block, std::vector<Sentence>& out) {
    current_ = Sentence{block, {}, {}};
    std::size_t i = 0;
    while (i < block.size()) {
      auto byte = static_cast<unsigned char>(block[i]);
      std::size_t width = common::IsLeadByte(byte) && i + 1 < block.size() ? 2 : 1;
      Step(block, i, width, out);
      i += width;
    }
    Flush(out);
  }

 private:
  enum State { kHead, kText, kArea, kTag, kGroupBase, kGroupReading };

  void Step(std::string_view block, std::size_t i, std::size_t width, std::vector<Sentence>& out) {
    char byte = block[i];
    bool single = width == 1;
    switch (state_) {
      case kHead:
        if (single && byte == common::kBodyStart) state_ = kText;
        return;
      case kArea:
        if (single && byte == common::kAreaEnd) state_ = kText;
        return;
      case kTag:
        if (single && byte == '>') state_ = kText;
        return;
      case kGroupBase:
        if (single && byte == common::kGroupSeparator) {
          state_ = kGroupReading;
        } else if (single && byte == common::kGroupClose) {
          state_ = kText;
        } else {
          Add(block, i, width, true);
        }
        return;
      case kGroupReading:
        if (single && byte == common::kGroupClose) state_ = kText;
        return;
      case kText:
        break;
    }
    if (single && byte == common::kAreaStart) {
      Flush(out);
      state_ = kArea;
    } else if (single && byte == common::kGroupOpen) {
      state_ = kGroupBase;
    } else if (single && html_ && byte == '<') {
      state_ = kTag;
    } else if (single && (byte == '\n' || byte == '\r' || byte == common::kAreaEnd ||
                          byte == common::kBodyStart || byte == '\0')) {
      Flush(out);
    } else {
      Add(block, i, width, false);
      std::uint16_t code = current_.chars.back().code;
      if (code == kFullStop || code == kExclamation || code == kQuestion ||
          current_.chars.size() >= kLongestSentence) {
        Flush(out);
      }
    }
  }

  void Add(std::string_view block, std::size_t i, std::size_t width, bool fixed) {
    SentenceChar c;
    c.offset = i;
    c.size = static_cast<std::uint8_t>(width);
    c.fixed = fixed;
    c.utf8_begin = static_cast<std::uint32_t>(current_.utf8.size());
    const Converted& converted = Convert(block.substr(i, width));
    c.code = converted.code;
    current_.utf8.append(converted.utf8, converted.size);
    current_.chars.push_back(c);
  }

  // A character's code and its UTF-8, converted the first time the character is met: a text
  // uses a few thousand characters over and over.
  struct Converted {
    std::uint16_t code = 0;
    std::uint8_t size = 0;  // 0: not converted yet
    char utf8[8] = {};
  };

  const Converted& Convert(std::string_view bytes) {
    auto first = static_cast<unsigned char>(bytes[0]);
    std::size_t key =
        bytes.size() == 2 ? common::CodeOf(first, static_cast<unsigned char>(bytes[1])) : first;
    std::unique_ptr<ConvertedPage>& page = converted_[key >> 8];
    if (!page) page = std::make_unique<ConvertedPage>();
    Converted& known = (*page)[key & 0xFF];
    if (known.size != 0) return known;
    char utf8[8];
    known.code = static_cast<std::uint16_t>(key);
    char* end = common::TableCp932ToUtf8Into(bytes, utf8);
    if (end == nullptr || static_cast<unsigned char>(utf8[0]) == 0xFF ||
        (bytes.size() == 1 && first < 0x20 && first != '\t')) {
      end = common::TableCp932ToUtf8Into(std::string_view("\x81\xAC", 2), utf8);
      known.code = kGeta;
    }
    known.size = static_cast<std::uint8_t>(end - utf8);
    std::copy(utf8, end, known.utf8);
    return known;
  }

  void Flush(std::vector<Sentence>& out) {
    if (!current_.chars.empty()) {
      // A block's sentences are kept until it is written: without the room their growth left.
      current_.chars.shrink_to_fit();
      current_.utf8.shrink_to_fit();
      out.push_back(std::move(current_));
    }
    current_ = Sentence{current_.source, {}, {}};
  }

  State state_;
  bool html_;
  Sentence current_;
  // By lead byte, a page made when a character of it is first met: a short run makes a few.
  using ConvertedPage = std::array<Converted, 256>;
  std::array<std::unique_ptr<ConvertedPage>, 256> converted_;
};

// The block with the groups of its sentences written in: the characters of a span become
// groups, and whatever stood between them (a tag) goes ahead of the first.
void WriteBlock(std::string_view block, const std::vector<Sentence>& sentences,
                const std::vector<std::vector<RubySpan>>& spans, std::string& out) {
  std::size_t cursor = 0;
  for (std::size_t s = 0; s < sentences.size(); ++s) {
    const std::vector<SentenceChar>& chars = sentences[s].chars;
    for (const RubySpan& span : spans[s]) {
      const SentenceChar& first = chars[span.first];
      if (first.offset < cursor) continue;  // never: spans do not overlap
      out.append(block.substr(cursor, first.offset - cursor));
      for (std::size_t c = span.first; c + 1 < span.last; ++c) {
        std::size_t gap = chars[c].offset + chars[c].size;
        out.append(block.substr(gap, chars[c + 1].offset - gap));
      }
      for (std::size_t c = span.first; c < span.last; ++c) {
        out += common::kGroupOpen;
        out.append(block.substr(chars[c].offset, chars[c].size));
        out += common::kGroupSeparator;
        out += span.segments[c - span.first];
        out += common::kGroupClose;
      }
      cursor = chars[span.last - 1].offset + chars[span.last - 1].size;
    }
  }
  out.append(block.substr(cursor));
}

// Reads the sentences of each block with several taggers; each keeps its tagger from block
// to block.
class BlockReader {
 public:
  BlockReader(const ContextResources& resources, unsigned threads)
      : reader_(*resources.lexicon, *resources.conventions) {
    if (threads == 0) threads = std::max(1u, std::thread::hardware_concurrency());
    for (unsigned t = 0; t < threads; ++t) {
      std::unique_ptr<Tagger> tagger = resources.analyser->NewTagger();
      if (!tagger) break;
      taggers_.push_back(std::move(tagger));
    }
  }

  bool Usable() const { return !taggers_.empty(); }

  std::string Read(std::string_view block, SentenceScanner& scanner) {
    std::vector<Sentence> sentences;
    scanner.Scan(block, sentences);
    return Read(block, sentences);
  }

  // The block with the groups of its sentences, found by the taggers side by side. What one of
  // them throws (memory running short) stops the others and reaches the caller.
  std::string Read(std::string_view block, const std::vector<Sentence>& sentences) {
    std::vector<std::vector<RubySpan>> spans(sentences.size());
    std::atomic<std::size_t> next{0};
    std::mutex failure_lock;
    std::exception_ptr failure;
    auto work = [&](Tagger& tagger) {
      try {
        for (std::size_t s = next++; s < sentences.size(); s = next++) {
          if (!reader_.Read(tagger, sentences[s], spans[s])) spans[s].clear();
        }
      } catch (...) {
        next = sentences.size();
        std::lock_guard<std::mutex> hold(failure_lock);
        if (!failure) failure = std::current_exception();
      }
    };
    {
      std::vector<std::jthread> helpers;  // joined on leaving the block
      if (sentences.size() > 1) {
        for (std::size_t t = 1; t < taggers_.size(); ++t) {
          helpers.emplace_back(work, std::ref(*taggers_[t]));
        }
      }
      work(*taggers_[0]);
    }
    if (failure) std::rethrow_exception(failure);
    std::string out;
    out.reserve(block.size() + block.size() / 2);
    WriteBlock(block, sentences, spans, out);
    return out;
  }

 private:
  Reader reader_;
  std::vector<std::unique_ptr<Tagger>> taggers_;
};

// A block of whole lines and its sentences.
struct ScannedBlock {
  std::string text;
  std::vector<Sentence> sentences;  // pointing into `text`
};

// Reads the next block of `in` into `out` and divides it into sentences; false at the end.
bool ReadBlock(common::TextReader& in, SentenceScanner* scanner, ScannedBlock& out) {
  out.text.clear();
  out.sentences.clear();
  if (!in.ReadBlock(out.text, kBlockBytes)) return false;
  std::string line;
  // A block ends with a whole line.
  if (out.text.back() != '\n' && in.ReadLine(line, std::string::npos)) out.text += line;
  if (scanner != nullptr) scanner->Scan(out.text, out.sentences);
  return true;
}

}  // namespace

// While the taggers read a block, another thread reads and divides the next one; each block is
// written when its sentences are read.
ContextStatus RunContextReading(const common::WorkDir& work, std::string_view input,
                                std::string_view output, bool html_mode,
                                const ContextResources& resources, unsigned threads) {
  common::TextReader in;
  if (!in.Open(work.File(std::string(input)))) return ContextStatus::kInputMissing;
  common::TextWriter out;
  if (!out.Open(work.File(std::string(output)))) return ContextStatus::kOutputFailed;
  BlockReader reader(resources, threads);
  SentenceScanner scanner(html_mode);
  SentenceScanner* scanning = reader.Usable() ? &scanner : nullptr;
  // Held by pointer: a block's sentences point into its text, which must not move.
  auto current = std::make_unique<ScannedBlock>();
  auto next = std::make_unique<ScannedBlock>();
  bool more = ReadBlock(in, scanning, *current);
  while (more) {
    bool next_read = false;
    std::exception_ptr failed;  // out of memory while reading ahead: thrown here
    // Joined on leaving, should writing this block throw.
    std::jthread ahead([&] {
      try {
        next_read = ReadBlock(in, scanning, *next);
      } catch (...) {
        failed = std::current_exception();
      }
    });
    if (scanning != nullptr) {
      out.Write(reader.Read(current->text, current->sentences));
    } else {
      out.Write(current->text);
    }
    ahead.join();
    if (failed) std::rethrow_exception(failed);
    std::swap(current, next);
    more = next_read;
  }
  bool read_ok = !in.Failed();
  if (!out.Close() || !in.Close() || !read_ok) return ContextStatus::kOutputFailed;
  return ContextStatus::kOk;
}

std::string ReadInContext(std::string_view text, bool html_mode,
                          const ContextResources& resources, unsigned threads) {
  BlockReader reader(resources, threads);
  SentenceScanner scanner(html_mode);
  return reader.Usable() ? reader.Read(text, scanner) : std::string(text);
}

}  // namespace engine::context
