// Tokenizer speed: a 10 MB mixed text row by row, beside a baseline that only classifies each byte
// through a 256-entry table; start-state propagation over the same rows; one long run of short tokens.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "editor/syntax/editor_parser.h"
#include "editor/syntax/fountain.h"

namespace {

using namespace editor;

// Rows of about 50 bytes: English words, numbers, URLs, mail addresses and Japanese (hiragana, katakana,
// kanji, full-width symbols and Latin letters) in code page 932.
std::vector<std::string> MixedRows(std::size_t totalBytes) {
  const std::vector<std::string> pieces = {
      "note ",
      "the ",
      "meeting_at ",
      "10:30 ",
      "3.14 ",
      "1e-9 ",
      "http://example.com/a?b=1 ",
      "www.example.jp ",
      "someone@example.co.jp, ",
      "(see) ",
      "\t",
      "\x82\xB1\x82\xEA\x82\xCD ",          // これは
      "\x83\x65\x83\x58\x83\x67\x81\x5B ",  // テスト−
      "\x93\xFA\x96\x7B\x8C\xEA ",          // 日本語
      "\x81\x41\x81\x42",                   // 、。
      "\x82\x60\x82\x61\x82\x62 ",          // ＡＢＣ
      "\xB1\xB2\xB3 ",                      // ｱｲｳ
  };
  std::mt19937 random(12345);
  std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
  std::vector<std::string> rows;
  std::size_t bytes = 0;
  while (bytes < totalBytes) {
    std::string row;
    while (row.size() < 50) row += pieces[pick(random)];
    bytes += row.size();
    rows.push_back(std::move(row));
  }
  return rows;
}

const std::vector<std::string>& TenMegabytes() {
  static const std::vector<std::string> rows = MixedRows(10 * 1024 * 1024);
  return rows;
}

std::int64_t TotalBytes(const std::vector<std::string>& rows) {
  std::int64_t bytes = 0;
  for (const std::string& row : rows) bytes += static_cast<std::int64_t>(row.size());
  return bytes;
}

// The note window's scheme: URL and mail detection on, everything else off.
void NoteWindowScheme(TEditorFountain& fountain) {
  fountain.SetUrl(true);
  fountain.SetMail(true);
}

void BM_ClassifyBytesBaseline(benchmark::State& state) {
  const auto& rows = TenMegabytes();
  std::array<std::uint8_t, 256> classes{};
  for (int c = 0; c < 256; ++c) classes[static_cast<std::size_t>(c)] = static_cast<std::uint8_t>(c % 7);
  for (auto _ : state) {
    std::uint64_t sum = 0;
    for (const std::string& row : rows) {
      for (const char* p = row.c_str(); *p; ++p) sum += classes[static_cast<unsigned char>(*p)];
    }
    benchmark::DoNotOptimize(sum);
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes(rows));
}
BENCHMARK(BM_ClassifyBytesBaseline)->Unit(benchmark::kMillisecond);

void BM_TokenizeRows(benchmark::State& state) {
  const auto& rows = TenMegabytes();
  TEditorFountain fountain;
  NoteWindowScheme(fountain);
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
  state.SetBytesProcessed(state.iterations() * TotalBytes(rows));
}
BENCHMARK(BM_TokenizeRows)->Unit(benchmark::kMillisecond);

// As drawing reads them: every token's colour too.
void BM_TokenizeRowsWithColours(benchmark::State& state) {
  const auto& rows = TenMegabytes();
  TEditorFountain fountain;
  NoteWindowScheme(fountain);
  auto parser = fountain.CreateParser();
  const TRowAttributeData start;
  std::int64_t coloured = 0;
  for (auto _ : state) {
    for (const std::string& row : rows) {
      parser->SetSource(row, start);
      while (parser->NextToken() != tokEnd) coloured += parser->TokenColor() != nullptr;
    }
  }
  benchmark::DoNotOptimize(coloured);
  state.SetBytesProcessed(state.iterations() * TotalBytes(rows));
}
BENCHMARK(BM_TokenizeRowsWithColours)->Unit(benchmark::kMillisecond);

// The rows as a wrapped text (every third row wraps into the next), for NextRowState.
class TBenchRows : public TRowSource {
 public:
  explicit TBenchRows(const std::vector<std::string>& rows) : FRows(rows) {}
  int RowCount() const override { return static_cast<int>(FRows.size()); }
  std::string_view RowText(int row) const override { return FRows[static_cast<std::size_t>(row)]; }
  std::uint8_t RowAttribute(int row) const override { return row % 3 == 0 ? RowAttrWrap : RowAttrBreak; }

 private:
  const std::vector<std::string>& FRows;
};

void BM_NextRowStateOverAllRows(benchmark::State& state) {
  const auto& rows = TenMegabytes();
  TBenchRows source(rows);
  TEditorFountain fountain;
  NoteWindowScheme(fountain);
  auto parser = fountain.CreateParser();
  for (auto _ : state) {
    TRowAttributeData data;
    for (int row = 0; row < source.RowCount(); ++row) {
      data.RowAttribute = source.RowAttribute(row);
      parser->NextRowState(row, source, data);
    }
    benchmark::DoNotOptimize(data);
  }
  state.SetBytesProcessed(state.iterations() * TotalBytes(rows));
}
BENCHMARK(BM_NextRowStateOverAllRows)->Unit(benchmark::kMillisecond);

// One 1 MB row of "a," pairs: every token start sees the same long run of mail characters.
void BM_LongRunOfMailCharacters(benchmark::State& state) {
  std::string row;
  while (row.size() < 1024 * 1024) row += "a,";
  TEditorFountain fountain;
  NoteWindowScheme(fountain);
  auto parser = fountain.CreateParser();
  std::int64_t tokens = 0;
  for (auto _ : state) {
    parser->SetSource(row, {});
    while (parser->NextToken() != tokEnd) ++tokens;
  }
  benchmark::DoNotOptimize(tokens);
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(row.size()));
}
BENCHMARK(BM_LongRunOfMailCharacters)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
