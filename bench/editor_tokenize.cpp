// Tokenizer speed beyond bench_editor_goals' Tokenize/10MB: the same rows with every token's colour read,
// start-state propagation over them, and one long run of short tokens.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "editor/syntax/editor_parser.h"
#include "editor/syntax/fountain.h"
#include "token_rows.h"

namespace {

using namespace editor;

// The note window's scheme: URL and mail detection on, everything else off.
void NoteWindowScheme(TEditorFountain& fountain) {
  fountain.SetUrl(true);
  fountain.SetMail(true);
}

// As drawing reads them: every token's colour too.
void BM_TokenizeRowsWithColours(benchmark::State& state) {
  const auto& rows = bench::TenMegabyteRows();
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
  state.SetBytesProcessed(state.iterations() * bench::TotalBytes(rows));
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
  const auto& rows = bench::TenMegabyteRows();
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
  state.SetBytesProcessed(state.iterations() * bench::TotalBytes(rows));
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
