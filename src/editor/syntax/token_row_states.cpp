// Start-state propagation over a row store, and its installation on the editor's row list.
#include "editor/syntax/token_row_states.h"

#include <algorithm>

#include "editor/syntax/editor_parser.h"
#include "editor/syntax/fountain.h"
#include "editor/text/editor_screen_strings.h"

namespace editor {
namespace {

// A state that has not been computed yet: BracketIndex -2, everything else 0 or empty.
TRowAttributeData NotComputedState() {
  TRowAttributeData data;
  data.BracketIndex = BracketNotComputed;
  return data;
}

// The editor's row list seen as a state store.
class TScreenStringsStore final : public TRowStateStore {
 public:
  explicit TScreenStringsStore(TEditorScreenStrings& rows) : FRows(rows) {}
  int RowCount() const override { return FRows.Count(); }
  std::string_view RowText(int row) const override { return FRows.RowText(row); }
  std::uint8_t RowAttribute(int row) const override { return FRows.RowAttribute(row); }
  TRowAttributeData RowState(int row) const override { return FRows.RowAttributeData(row); }
  void SetRowState(int row, const TRowAttributeData& data) override { FRows.SetRowAttributeData(row, data); }

 private:
  TEditorScreenStrings& FRows;
};

// Stores the computed state of row and computes the next row's into state.
void StoreAndAdvance(TRowStateStore& rows, TFountainParser& parser, int row, TRowAttributeData& state) {
  state.PrevRowAttribute = row > 0 ? rows.RowAttribute(row - 1) : RowAttrBreak;
  rows.SetRowState(row, state);
  state.RowAttribute = rows.RowAttribute(row);
  parser.NextRowState(row, rows, state);
}

}  // namespace

int UpdateRowStates(TRowStateStore& rows, TFountainParser& parser, int fromRow, int screenRows,
                    const std::function<void(int row)>& rowChanged) {
  const int count = rows.RowCount();
  if (fromRow < 0 || fromRow >= count) return 0;

  int start = fromRow;
  while (start > 0 && rows.RowState(start - 1).BracketIndex == BracketNotComputed) --start;
  TRowAttributeData state;  // the first row's
  if (start > 0) {
    state = rows.RowState(start - 1);
    parser.NextRowState(start - 1, rows, state);
  }

  const int limit = std::min(count - 1, fromRow + 2 * std::max(screenRows, 0));
  int changed = 0;
  for (int row = start; row <= limit; ++row) {
    state.PrevRowAttribute = row > 0 ? rows.RowAttribute(row - 1) : RowAttrBreak;
    if (SameStartState(rows.RowState(row), state)) return changed;  // the rest already agrees
    StoreAndAdvance(rows, parser, row, state);
    if (rowChanged) {
      ++changed;
      rowChanged(row);
    }
  }
  const TRowAttributeData notComputed = NotComputedState();
  for (int row = limit + 1; row < count; ++row) rows.SetRowState(row, notComputed);
  return changed;
}

void ResetRowStates(TRowStateStore& rows, TFountainParser& parser, int lastRow) {
  const int count = rows.RowCount();
  const TRowAttributeData notComputed = NotComputedState();
  for (int row = 0; row < count; ++row) rows.SetRowState(row, notComputed);
  TRowAttributeData state;
  for (int row = 0; row <= std::min(lastRow, count - 1); ++row) StoreAndAdvance(rows, parser, row, state);
}

std::unique_ptr<TFountainParser> CreateStateParser(const TFountain* fountain) {
  if (!fountain) return std::make_unique<TTokenParser>();
  std::unique_ptr<TFountainParser> parser = fountain->CreateParser();
  if (!parser) parser = std::make_unique<TFountainParser>(fountain);
  return parser;
}

int TTokenRowStates::UpdateStates(TEditorScreenStrings& rows, int fromRow, bool notify) {
  if (fromRow < 0 || fromRow >= rows.Count()) return 0;
  TScreenStringsStore store(rows);
  std::unique_ptr<TFountainParser> parser = CreateStateParser(FFountain);
  const int screenRows = rows.WatcherCount() > 0 ? rows.Watchers(0)->ScreenRows() : 0;
  std::function<void(int)> rowChanged;
  if (notify) {
    rowChanged = [this, &rows](int row) {
      if (OnInvalidateRow) OnInvalidateRow(rows, row);
    };
  }
  return UpdateRowStates(store, *parser, fromRow, screenRows, rowChanged);
}

void TTokenRowStates::ResetStates(TEditorScreenStrings& rows) {
  TScreenStringsStore store(rows);
  std::unique_ptr<TFountainParser> parser = CreateStateParser(FFountain);
  int lastRow = rows.Count() - 1;
  if (!FInitBracketsFull) {
    const TRowsWatcher* watcher = rows.WatcherCount() > 0 ? rows.Watchers(0) : nullptr;
    const int top = watcher ? watcher->TopRow() : 0;
    const int screenRows = watcher ? watcher->ScreenRows() : 0;
    lastRow = std::min(lastRow, top + 2 * screenRows);
  }
  ResetRowStates(store, *parser, lastRow);
}

}  // namespace editor
