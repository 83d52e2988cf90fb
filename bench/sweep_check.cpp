// Times (in processor time) the matching passes of a dictionary run on a text in memory, the
// sweep against the pass-by-pass reference kept with the tests (written to be plain, not fast,
// so its speed is no yardstick), and compares their bytes: with the main dictionary alone, with
// the user dictionary first, and each on the text and on an HTML page made of it (tags between
// characters every few dozen characters).
//
//   sweep_check MAIN.dic USER.dic TEXT
//
// Prints one line per case; exits 1 when the outputs of any case differ.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <deque>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/stderr_messenger.h"
#include "common/encoding/sjis.h"
#include "dictionary/ruby_dictionary.h"
#include "engine/sweep/matching_pass.h"
#include "engine/memory_stream.h"
#include "bench/reference/reference_pass.h"

namespace {

constexpr int kRounds = 3;

bool Load(const char* path, int lowest, std::deque<dictionary::LengthSection>& sections,
          std::vector<engine::PassWords>& passes) {
  cli::StderrMessenger messenger(std::cerr, cli::AnswerMode::kAlwaysNo);
  dictionary::RubyDictionary dictionary;
  if (!dictionary.Open(path, messenger)) return false;
  for (int length = 10; length >= lowest; --length) {
    if (!dictionary.LoadLength(length, sections.emplace_back(), messenger)) return false;
    passes.push_back({length, &sections.back()});
  }
  return true;
}

// The text with its line ends as the passes read them.
std::string ReadText(const char* path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  std::string text = bytes.str();
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  return text;
}

// A page of the text: a head, the body-start marker, and a tag after every 37th character.
std::string HtmlPage(const std::string& text) {
  std::string page = "<html><head><title>t</title></head><body>\x0F";
  int characters = 0;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t size = common::IsLeadByte(text[at]) && at + 1 < text.size() ? 2 : 1;
    page.append(text, at, size);
    at += size;
    if (++characters % 37 == 0) page += characters % 74 == 0 ? "</b>" : "<b>";
  }
  return page;
}

// Processor time rather than wall time: the machine is shared, and a busy moment of another
// program should not count against either side.
double ProcessorSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// Fastest of kRounds runs of `run`, which leaves its output in `out`.
template <typename Run>
double Fastest(Run run, std::string& out) {
  double best = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    double start = ProcessorSeconds();
    out = run();
    best = std::min(best, ProcessorSeconds() - start);
  }
  return best;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::cerr << "usage: sweep_check MAIN.dic USER.dic TEXT\n";
    return 2;
  }
  std::deque<dictionary::LengthSection> sections;
  std::vector<engine::PassWords> main_only;
  std::vector<engine::PassWords> user_then_main;
  if (!Load(argv[2], 2, sections, user_then_main) || !Load(argv[1], 1, sections, main_only)) {
    return 2;
  }
  user_then_main.insert(user_then_main.end(), main_only.begin(), main_only.end());
  std::string text = ReadText(argv[3]);
  std::string page = HtmlPage(text);

  bool all_identical = true;
  struct Case {
    const char* name;
    const std::vector<engine::PassWords>* passes;
    bool html_mode;
    const std::string* input;
  };
  const Case cases[] = {{"mode 0", &main_only, false, &text},
                        {"mode 2", &user_then_main, false, &text},
                        {"mode 0, HTML", &main_only, true, &page},
                        {"mode 2, HTML", &user_then_main, true, &page}};
  for (const Case& c : cases) {
    std::string swept;
    std::string expected;
    double sweep = Fastest(
        [&] {
          engine::StringSource in(*c.input);
          engine::StringSink out;
          engine::RunMatchingPasses(*c.passes, c.html_mode, in, out);
          return std::move(out.Text());
        },
        swept);
    double reference = Fastest(
        [&] {
          return engine_testing::reference::RunReferencePasses(*c.passes, c.html_mode, *c.input);
        },
        expected);
    bool identical = swept == expected;
    all_identical = all_identical && identical;
    double megabytes = static_cast<double>(c.input->size()) / 1e6;
    std::printf("%-14s %5.1f MB  sweep %6.1f MB/s  pass by pass %6.1f MB/s  %4.2fx  %s\n", c.name,
                megabytes, megabytes / sweep, megabytes / reference, reference / sweep,
                identical ? "identical bytes" : "OUTPUTS DIFFER");
  }
  return all_identical ? 0 : 1;
}
