// The first-occurrence filter over ruby text, and its step over a working file.
#include "engine/first_ruby.h"

#include <array>
#include <string>
#include <unordered_set>

#include "common/file_system.h"
#include "common/ruby_group.h"
#include "common/text_file.h"
#include "engine/group_scan.h"
#include "engine/memory_stream.h"

namespace engine {
namespace {

struct ScopeName {
  std::string_view name;
  FirstRubyScope scope;
};
constexpr std::array<ScopeName, 3> kScopeNames = {{
    {"every", FirstRubyScope::kEvery},
    {"document", FirstRubyScope::kDocument},
    {"paragraph", FirstRubyScope::kParagraph},
}};

// The scan hands groups to Visit and writes the bytes between them to this same object as a
// sink; a run of groups is held back until the first byte that is not a group ends it, when it
// is known whether the word has been met before.
class FirstRubyFilter final : public GroupVisitor, public ByteSink {
 public:
  FirstRubyFilter(ByteSink& out, FirstRubyScope scope, Alternatives alternatives)
      : out_(out), scope_(scope), alternatives_(alternatives) {}

  void Visit(std::string_view group, ByteSink&) override {
    common::GroupParts parts = common::SplitGroup(group);
    if (!parts.closed || !parts.has_separator) {
      EndRun();
      out_.Write(group);
      return;
    }
    if (alternatives_ == Alternatives::kFirst) {
      run_ += common::kGroupOpen;
      run_ += parts.base;
      run_ += common::kGroupSeparator;
      run_ += common::FirstAlternativeOf(parts.reading);
      run_ += common::kGroupClose;
    } else {
      run_.append(group);
    }
    bases_.append(parts.base);
  }

  void Write(std::string_view bytes) override {
    if (bytes.empty()) return;
    EndRun();
    // A line feed is never a trail byte, so it ends a paragraph wherever it stands.
    if (scope_ == FirstRubyScope::kParagraph && bytes.find('\n') != std::string_view::npos) {
      seen_.clear();
    }
    out_.Write(bytes);
  }

  void EndRun() {
    if (run_.empty()) return;
    if (scope_ == FirstRubyScope::kEvery || seen_.insert(run_).second) {
      out_.Write(run_);
    } else {
      out_.Write(bases_);
      ++stripped_;
    }
    run_.clear();
    bases_.clear();
  }

  int Stripped() const { return stripped_; }

 private:
  ByteSink& out_;
  FirstRubyScope scope_;
  Alternatives alternatives_;
  std::string run_;    // the groups of the word, as they stand
  std::string bases_;  // their bases alone
  std::unordered_set<std::string> seen_;
  int stripped_ = 0;
};

}  // namespace

FirstRubyScope FirstRubyScopeOf(const common::Settings& settings) {
  for (const ScopeName& entry : kScopeNames) {
    if (static_cast<int>(entry.scope) == settings.first_ruby) return entry.scope;
  }
  return FirstRubyScope::kEvery;
}

std::optional<FirstRubyScope> FirstRubyScopeNamed(std::string_view name) {
  for (const ScopeName& entry : kScopeNames) {
    if (entry.name == name) return entry.scope;
  }
  return std::nullopt;
}

int KeepFirstRuby(ByteSource& in, ByteSink& out, FirstRubyScope scope, Alternatives alternatives) {
  if (scope == FirstRubyScope::kEvery && alternatives == Alternatives::kKept) {
    std::string block;
    while (in.ReadBlock(block, 1 << 16)) {
      out.Write(block);
      block.clear();
    }
    return 0;
  }
  FirstRubyFilter filter(out, scope, alternatives);
  ScanGroups(in, filter, /*copy_areas=*/false, filter);
  filter.EndRun();
  return filter.Stripped();
}

std::string KeepFirstRubyOfText(std::string_view text, FirstRubyScope scope,
                                Alternatives alternatives) {
  StringSource source(text);
  StringSink sink;
  // The count is for reports only.
  static_cast<void>(KeepFirstRuby(source, sink, scope, alternatives));
  return std::move(sink.Text());
}

bool RunFirstRubyFilter(const common::WorkDir& work, std::string_view name, FirstRubyScope scope,
                        Alternatives alternatives, const common::UserEncoding& form) {
  if (scope == FirstRubyScope::kEvery && alternatives == Alternatives::kKept &&
      form.IsProgramOwn()) {
    return true;
  }
  const std::filesystem::path file = work.File(name);
  const std::filesystem::path kept = work.File(common::kFirstRubyKept);
  common::TextReader in;
  if (!in.Open(file)) return false;
  common::TextWriter writer;
  if (!writer.Open(kept, form)) return false;
  FileSource source(in);
  FileSink sink(writer);
  // The count is for reports only.
  static_cast<void>(KeepFirstRuby(source, sink, scope, alternatives));
  bool read = in.Close();
  bool written = writer.Close();
  if (!read || !written || !common::RenameFile(kept, file)) {
    common::RemoveFile(kept);
    return false;
  }
  return true;
}

}  // namespace engine
