// The stop-early re-wrap: the new text is read from the anchor row on, row by row, and cutting stops at
// the first new row that starts where an old row started after the edit.
#include "editor/text/row_recut.h"

#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "editor/text/row_cutter.h"

namespace editor {

namespace {

constexpr std::size_t kNone = std::string::npos;

// The new text from the anchor row's start, built as far as the cutting reads it: the old bytes before the
// edit, the inserted bytes, then the old text after the edit one row at a time. Its only line breaks are
// CR LF, and it knows where each old row it took in starts.
class TNewText {
 public:
  TNewText(const TEditorScreenStrings& rows, int anchor, TTextPos start, TTextPos end, std::string_view inserted,
           TRecut& scratch)
      : FRows(rows),
        FBuffer(scratch.NewText),
        FOldStarts(scratch.OldStarts),
        FNextRow(end.Row),
        FNextIndex(static_cast<std::size_t>(end.Index)) {
    FBuffer.clear();
    FOldStarts.clear();
    // The rows between the anchor and the edit are wrapped rows of the edit's line: no break between them.
    for (int row = anchor; row < start.Row; ++row) FBuffer += rows.RowText(row);
    if (start.Row < rows.Count()) FBuffer += rows.RowText(start.Row).substr(0, static_cast<std::size_t>(start.Index));
    FBuffer += inserted;
    FTailStart = FBuffer.size();
  }

  std::size_t Size() const { return FBuffer.size(); }
  std::size_t TailStart() const { return FTailStart; }
  std::string_view View(std::size_t pos, std::size_t length) const {
    return std::string_view(FBuffer).substr(pos, length);
  }
  // The old text is in the buffer to its end.
  bool Ended() const { return FNextRow >= FRows.Count(); }

  // Takes in old rows until the buffer holds the line from pos to its break, or `need` bytes of it.
  void Fill(std::size_t pos, std::size_t need) {
    while (LineBreak(pos) == kNone && FBuffer.size() - pos < need && AppendRow()) {
    }
  }

  // The first line break at or after pos that the buffer holds, or kNone.
  std::size_t LineBreak(std::size_t pos) {
    if (FBreak != kNone && FBreak >= pos) return FBreak;
    std::size_t from = pos;
    if (pos >= FClearFrom && pos < FClearTo) from = FClearTo;  // no break there, as searched before
    const void* hit = from < FBuffer.size() ? std::memchr(FBuffer.data() + from, '\r', FBuffer.size() - from) : nullptr;
    if (hit) {
      FBreak = static_cast<std::size_t>(static_cast<const char*>(hit) - FBuffer.data());
      return FBreak;
    }
    FBreak = kNone;
    FClearFrom = pos;
    FClearTo = FBuffer.size();
    return kNone;
  }

  // The old row that starts at pos, or -1. A row that starts a line matches only a new row that starts
  // one (an empty line right after the edit starts where the line before it now ends).
  int OldRowAt(std::size_t pos, bool midLine) {
    while (FNextStart < FOldStarts.size() && FOldStarts[FNextStart].Offset < pos) ++FNextStart;
    if (FNextStart == FOldStarts.size()) return -1;
    const TOldStart& start = FOldStarts[FNextStart];
    return start.Offset == pos && start.MidLine == midLine ? start.Row : -1;
  }

 private:
  bool AppendRow() {
    if (Ended()) return false;
    if (FNextIndex == 0)
      FOldStarts.push_back({FBuffer.size(), FNextRow, FNextRow > 0 && FRows.RowAttribute(FNextRow - 1) == raWrap});
    FBuffer.append(FRows.RowText(FNextRow).substr(FNextIndex));
    if (FRows.RowAttribute(FNextRow) == raBreak) FBuffer += "\r\n";
    ++FNextRow;
    FNextIndex = 0;
    return true;
  }

  using TOldStart = TRecut::TOldStart;

  const TEditorScreenStrings& FRows;
  std::string& FBuffer;
  std::vector<TOldStart>& FOldStarts;
  std::size_t FTailStart = 0;
  int FNextRow;
  std::size_t FNextIndex;
  std::size_t FNextStart = 0;
  std::size_t FBreak = kNone;
  std::size_t FClearFrom = 0;
  std::size_t FClearTo = 0;
};

void SetAttribute(TRowChunk& rows, int index, TRowAttribute attribute) {
  std::uint32_t& word = rows.Words(index).Attribute;
  word = (word & ~3u) | attribute;
}

}  // namespace

void RecutRows(const TEditorScreenStrings& rows, int anchor, TTextPos start, TTextPos end, std::string_view inserted,
               TRecut& result) {
  TNewText text(rows, anchor, start, end, inserted, result);
  TRowChunk& out = result.Rows;
  out.Clear();
  const auto emit = [&](std::size_t pos, std::size_t length, TRowAttribute attribute) {
    out.Add(text.View(pos, length), {attribute, 0});
  };
  std::optional<TRowCutter> cutter;
  if (rows.WordWrap()) cutter.emplace(rows.WrapOption(), rows.ColumnRules());
  const std::size_t need = cutter ? cutter->Lookahead() : kNone;

  std::size_t pos = 0;  // where the next new row starts
  bool midLine = anchor > 0 && anchor < rows.Count() && rows.RowAttribute(anchor - 1) == raWrap;  // after a wrap cut
  while (true) {
    text.Fill(pos, need);
    if (text.Ended() && pos == text.Size() && !midLine) {
      result.OldEnd = rows.Count();
      return;
    }
    if (pos >= text.TailStart()) {
      const int old = text.OldRowAt(pos, midLine);
      if (old >= 0) {
        result.OldEnd = old;  // from here on the old rows are what cutting would make again
        return;
      }
    }
    const std::size_t brk = text.LineBreak(pos);
    // Where the line ends, when the buffer holds it; a line without a break ends the text.
    const std::size_t lineEnd = brk != kNone ? brk : text.Ended() ? text.Size() : kNone;
    const TRowAttribute ending = brk != kNone ? raBreak : raEnd;
    const std::size_t afterLine = brk != kNone ? brk + 2 : text.Size();
    if (!cutter) {
      emit(pos, lineEnd - pos, ending);
      pos = afterLine;
      continue;
    }
    if (lineEnd == pos) {
      // Nothing of the line is left: an empty line, or one that filled its last row exactly.
      if (midLine && cutter->FollowRetMark() && !out.Empty()) {
        SetAttribute(out, out.Count() - 1, ending);
      } else {
        emit(pos, 0, ending);
      }
      midLine = false;
      pos = afterLine;
      continue;
    }
    const std::size_t available = (lineEnd != kNone ? lineEnd : text.Size()) - pos;
    const std::size_t window = std::min(available, cutter->Lookahead());
    const TRowCutter::TRowCut cut = cutter->NextRow(text.View(pos, window), lineEnd != kNone && window == available);
    if (cut.Last) {
      emit(pos, available, ending);
      midLine = false;
      pos = afterLine;
    } else {
      emit(pos, cut.Length, raWrap);
      midLine = true;
      pos += cut.Length;
    }
  }
}

}  // namespace editor
