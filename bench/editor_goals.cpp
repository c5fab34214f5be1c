// The editor's speed goals in one run: loading against a plain split, keystrokes through the key and
// character entry points with the note window's settings, and the tokenizer against a byte-classify
// loop, each baseline in the same process on the same bytes. The names are fixed so that the JSON of two
// versions can be compared (bench/goals_table.py prints the table).
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "app/note_editor_preset.h"
#include "editor/control/editor.h"
#include "editor/control/editor_key.h"
#include "editor/syntax/editor_parser.h"
#include "editor/syntax/fountain.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_undo_obj.h"
#include "token_rows.h"

namespace {

using namespace editor;

// ---- texts --------------------------------------------------------------------------------------------

// Lines of mixed ASCII words and double-byte characters, about 50 bytes each; one in eight is long
// enough to wrap at 80 columns. 200,000 lines make the 10 MB text.
std::string MixedText(int lines) {
  std::mt19937 random(7);
  std::string result;
  result.reserve(static_cast<std::size_t>(lines) * 56);
  for (int line = 0; line < lines; ++line) {
    const int length = random() % 8 == 0 ? 100 + static_cast<int>(random() % 150) : static_cast<int>(random() % 70);
    int bytes = 0;
    while (bytes < length) {
      if (random() % 4 == 0) {
        result += "\x82\xA0";  // a double-byte character
        bytes += 2;
      } else {
        result += static_cast<char>(random() % 6 == 0 ? ' ' : 'a' + random() % 26);
        ++bytes;
      }
    }
    result += "\r\n";
  }
  return result;
}

const std::string& TenMegabyteText() {
  static const std::string text = MixedText(200'000);
  return text;
}

// One line of `bytes` bytes of words and double-byte characters, without any line break.
std::string Paragraph(std::size_t bytes) {
  std::mt19937 random(11);
  std::string result;
  result.reserve(bytes + 2);
  while (result.size() < bytes) {
    if (random() % 5 == 0) {
      result += "\x93\xFA";  // a kanji
    } else {
      result += static_cast<char>(random() % 7 == 0 ? ' ' : 'a' + random() % 26);
    }
  }
  result.resize(bytes);
  if (static_cast<unsigned char>(result.back()) == 0x93) result.back() = 'z';  // no lone lead byte at the end
  return result;
}

// ---- measuring single keys ----------------------------------------------------------------------------

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

double ThreadCpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The worst of `count` runs of fixed work that takes `seconds`, each timed on the thread's CPU clock as
// the keys are: what the machine alone adds to the worst of so many keys.
double WorstOfFixedWork(double seconds, int count) {
  std::uint64_t x = 1;
  const auto work = [&x](long steps) {
    for (long i = 0; i < steps; ++i) x = x * 6364136223846793005u + 1442695040888963407u;
    benchmark::DoNotOptimize(x);
  };
  constexpr long kCalibrationSteps = 1'000'000;
  const double start = ThreadCpuSeconds();
  work(kCalibrationSteps);
  const double perStep = (ThreadCpuSeconds() - start) / kCalibrationSteps;
  const long steps = std::max(1L, static_cast<long>(seconds / perStep));
  double worst = 0;
  for (int n = 0; n < count; ++n) {
    const double runStart = ThreadCpuSeconds();
    work(steps);
    worst = std::max(worst, ThreadCpuSeconds() - runStart);
  }
  return worst;
}

// ---- driving the editor -------------------------------------------------------------------------------

constexpr int kBurst = 8;       // keys typed at one spot before moving to a fresh one
constexpr int kWorstOf = 2000;  // keys timed one by one for the worst
constexpr int kVisibleRows = 30;

void NoteEditor(TEditor& editor, bool wordWrap = true) {
  app::ApplyNoteWindowEditorSettings(editor);
  editor.SetWordWrap(wordWrap);
  editor.SetVisibleRows(kVisibleRows);
  editor.SetFocused(true);
}

// What the widget sends for a key with a text: the key, then its character bytes.
void TypeKey(TEditor& editor, std::string_view bytes) {
  editor.KeyDown(TEditorKey::Other, 0, false);
  for (char byte : bytes) editor.KeyChar(static_cast<unsigned char>(byte));
}

void ReturnKey(TEditor& editor) {
  editor.KeyDown(TEditorKey::Return, 0, false);
  editor.KeyChar(kCharReturn);
}

// The characters typed, one key each: letters, a space and a double-byte character.
std::string_view NextCharacter(int n) {
  static const std::array<std::string_view, 12> keys = {"t", "y", "p", "e", " ", "\x82\xA0",
                                                        "d", "o", "n", "e", ".", " "};
  return keys[static_cast<std::size_t>(n) % keys.size()];
}

// Puts the caret on a random row between first and last, at a random column of it.
void MoveToFreshSpot(TEditor& editor, std::mt19937& random, int first, int last) {
  const int row = first + static_cast<int>(random() % static_cast<unsigned>(std::max(1, last - first + 1)));
  editor.SetRow(row);
  editor.SetCol(static_cast<int>(random() % static_cast<unsigned>(editor.RowWidth(editor.Row()) + 1)));
  editor.SetTopRow(std::max(0, editor.Row() - kVisibleRows / 2));
}

// Every benchmark iteration is one key; after kBurst keys, with the timer paused, the keys are undone (so
// the text keeps its size) and the caret goes to a fresh spot in rows first .. last (-1: the last row).
// Nothing but the key runs in the timed loop. Afterwards `worstOf` more keys, each timed on the thread's
// CPU clock (a system call here, too dear to read around every key of the timed loop), give the worst
// single key as max_us, and on the wall clock as max_wall_us: on a shared machine the wall clock of a key
// also holds the time other programs ran. noise_max_us is the same worst for fixed work as long as the
// mean of those keys: the part of max_us the machine adds whatever the key does.
template <class KeyAction>
void KeysAtFreshSpots(benchmark::State& state, TEditor& editor, int first, int last, int worstOf, KeyAction&& key) {
  std::mt19937 random(2024);
  const auto lastRow = [&] { return last < 0 ? editor.ListInfo().Count() - 1 : last; };
  const auto freshSpot = [&](int& inBurst) {
    for (; inBurst > 0; --inBurst) editor.Undo();
    MoveToFreshSpot(editor, random, first, lastRow());
  };
  int inBurst = 0;
  freshSpot(inBurst);
  int typed = 0;
  for (auto _ : state) {
    if (inBurst == kBurst) {
      state.PauseTiming();
      freshSpot(inBurst);
      state.ResumeTiming();
    }
    key(typed);
    ++inBurst;
    ++typed;
  }
  double worst = 0;
  double worstWall = 0;
  double total = 0;
  for (int n = 0; n < worstOf; ++n) {
    if (inBurst == kBurst) freshSpot(inBurst);
    const double start = ThreadCpuSeconds();
    const auto wallStart = std::chrono::steady_clock::now();
    key(typed++);
    worstWall = std::max(worstWall, Seconds(std::chrono::steady_clock::now() - wallStart));
    const double seconds = ThreadCpuSeconds() - start;
    worst = std::max(worst, seconds);
    total += seconds;
    ++inBurst;
  }
  freshSpot(inBurst);
  state.counters["max_us"] = worst * 1e6;
  state.counters["max_wall_us"] = worstWall * 1e6;
  state.counters["noise_max_us"] = WorstOfFixedWork(total / worstOf, worstOf) * 1e6;
  state.counters["rows"] = editor.ListInfo().Count();
}

void TypeChar(benchmark::State& state, int lines) {
  const std::string text = MixedText(lines);
  TEditor editor;
  NoteEditor(editor);
  editor.Lines().SetText(text);
  KeysAtFreshSpots(state, editor, 0, -1, kWorstOf, [&](int n) { TypeKey(editor, NextCharacter(n)); });
}

void Return(benchmark::State& state, int lines) {
  const std::string text = MixedText(lines);
  TEditor editor;
  NoteEditor(editor);
  editor.Lines().SetText(text);
  KeysAtFreshSpots(state, editor, 0, -1, kWorstOf, [&](int) { ReturnKey(editor); });
}

// Typing at fresh spots inside one paragraph of `bytes` bytes between short lines, word wrap on.
void TypeLongParagraph(benchmark::State& state, std::size_t bytes) {
  std::string text;
  for (int i = 0; i < 100; ++i) text += "a short line before\r\n";
  text += Paragraph(bytes) + "\r\n";
  for (int i = 0; i < 100; ++i) text += "a short line after\r\n";
  TEditor editor;
  NoteEditor(editor);
  editor.Lines().SetText(text);
  const int first = editor.ListInfo().LineToRow(100);
  const int last = editor.ListInfo().LineEndRow(first);
  KeysAtFreshSpots(state, editor, first, last, kWorstOf, [&](int n) { TypeKey(editor, NextCharacter(n)); });
  state.counters["paragraph_rows"] = last - first + 1;
}

// The first key typed in the middle of the text right after it was loaded: the text is loaded once, and
// before every further key (timer paused) the last one is undone and the start states are reset as a
// load leaves them, so each key is again the first after a load at a fresh spot.
void FirstKeyAfterLoad(benchmark::State& state, int lines) {
  const std::string text = MixedText(lines);
  TEditor editor;
  NoteEditor(editor);
  editor.Lines().SetText(text);
  std::mt19937 random(5);
  const int count = editor.ListInfo().Count();
  double worst = 0;
  for (auto _ : state) {
    state.PauseTiming();
    if (editor.CanUndo()) editor.Undo();
    editor.SetTopRow(0);  // where a load leaves the view
    editor.ListInfo().ResetStates();
    MoveToFreshSpot(editor, random, count / 4, count * 3 / 4);
    state.ResumeTiming();
    const auto start = std::chrono::steady_clock::now();
    TypeKey(editor, "x");
    worst = std::max(worst, Seconds(std::chrono::steady_clock::now() - start));
  }
  state.counters["max_wall_us"] = worst * 1e6;
}

// Heap bytes in use (the allocator's own count).
double HeapInUse() { return static_cast<double>(mallinfo2().uordblks); }

// Typing at fresh spots in a page that holds one line of 10 MB; afterwards what the undo history holds
// for 64 keys typed there.
void TypeInHugeLine(benchmark::State& state, bool wordWrap) {
  const std::string line = Paragraph(10 * 1024 * 1024);
  TEditor editor;
  NoteEditor(editor, wordWrap);
  editor.Lines().SetText(line);
  KeysAtFreshSpots(state, editor, 0, -1, 64, [&](int n) { TypeKey(editor, NextCharacter(n)); });
  editor.ListInfo().UndoObj().Clear();
  std::mt19937 random(99);
  for (int key = 0; key < 64; ++key) {
    if (key % kBurst == 0) MoveToFreshSpot(editor, random, 0, editor.ListInfo().Count() - 1);
    TypeKey(editor, NextCharacter(key));
  }
  double bytes = 0;
  for (const TUndoData& record : editor.ListInfo().UndoObj().UndoList())
    bytes += static_cast<double>(sizeof(TUndoData) + record.Text.capacity());
  state.counters["undo_kb_64_keys"] = bytes / 1024;
}

// ---- loading ------------------------------------------------------------------------------------------

std::vector<std::string> SplitIntoStrings(const std::string& text) {
  std::vector<std::string> lines;
  lines.reserve(200'000);  // sized up front, as a row store sizes its array
  std::size_t pos = 0;
  while (pos < text.size()) {
    std::size_t end = pos;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n') ++end;
    lines.emplace_back(text, pos, end - pos);
    pos = end;
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
  return lines;
}

void Split(benchmark::State& state) {
  const std::string& text = TenMegabyteText();
  for (auto _ : state) {
    std::vector<std::string> lines = SplitIntoStrings(text);
    benchmark::DoNotOptimize(lines.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

void Load(benchmark::State& state, bool wordWrap) {
  const std::string& text = TenMegabyteText();
  {
    // What a row costs besides its text, in a text loaded once into a fresh editor.
    const double before = HeapInUse();
    TEditor editor;
    NoteEditor(editor, wordWrap);
    editor.Lines().SetText(text);
    const TEditorScreenStrings& rows = editor.ListInfo();
    double textBytes = 0;
    for (int row = 0; row < rows.Count(); ++row) textBytes += static_cast<double>(rows.RowText(row).size());
    state.counters["heap_bytes_per_row"] = (HeapInUse() - before - textBytes) / rows.Count();
    state.counters["rows"] = rows.Count();
  }
  TEditor editor;
  NoteEditor(editor, wordWrap);
  for (auto _ : state) {
    editor.Lines().SetText(text);
    benchmark::DoNotOptimize(editor.ListInfo().Count());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size()));
}

// ---- the tokenizer ------------------------------------------------------------------------------------

void Classify(benchmark::State& state) {
  const auto& rows = bench::TenMegabyteRows();
  std::array<std::uint8_t, 256> classes{};
  for (int c = 0; c < 256; ++c) classes[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c % 7);
  for (auto _ : state) {
    std::uint64_t sum = 0;
    for (const std::string& row : rows) {
      for (const char* p = row.c_str(); *p; ++p) sum += classes[static_cast<unsigned char>(*p)];
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * bench::TotalBytes(rows));
}

// The note window's scheme: URL and mail detection on, everything else off.
void Tokenize(benchmark::State& state) {
  const auto& rows = bench::TenMegabyteRows();
  TEditorFountain fountain;
  fountain.SetUrl(true);
  fountain.SetMail(true);
  auto parser = fountain.CreateParser();
  const TRowAttributeData start;
  std::int64_t tokens = 0;
  for (auto _ : state) {
    for (const std::string& row : rows) {
      parser->SetSource(row, start);
      while (parser->NextToken() != tokEnd) ++tokens;
    }
  }
  benchmark::DoNotOptimize(tokens);
  state.SetBytesProcessed(state.iterations() * bench::TotalBytes(rows));
}

void Register() {
  using benchmark::kMicrosecond;
  using benchmark::kMillisecond;
  benchmark::RegisterBenchmark("Split/10MB", Split)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("LoadWrapOff/10MB", Load, false)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("LoadWrapOn/10MB", Load, true)->Unit(kMillisecond);
  for (int lines : {1'000, 10'000, 100'000})
    benchmark::RegisterBenchmark(("TypeChar/" + std::to_string(lines)).c_str(), TypeChar, lines)->Unit(kMicrosecond);
  for (int lines : {1'000, 10'000, 100'000})
    benchmark::RegisterBenchmark(("Return/" + std::to_string(lines)).c_str(), Return, lines)->Unit(kMicrosecond);
  benchmark::RegisterBenchmark("TypeLongParagraph/10240", TypeLongParagraph, std::size_t{10240})->Unit(kMicrosecond);
  benchmark::RegisterBenchmark("FirstKeyAfterLoad/100000", FirstKeyAfterLoad, 100'000)->Unit(kMicrosecond);
  benchmark::RegisterBenchmark("TypeInHugeLine/10MB", TypeInHugeLine, true)->Unit(kMicrosecond);
  benchmark::RegisterBenchmark("TypeInHugeLineWrapOff/10MB", TypeInHugeLine, false)->Unit(kMicrosecond);
  benchmark::RegisterBenchmark("Classify/10MB", Classify)->Unit(kMillisecond);
  benchmark::RegisterBenchmark("Tokenize/10MB", Tokenize)->Unit(kMillisecond);
}

}  // namespace

int main(int argc, char** argv) {
  Register();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
