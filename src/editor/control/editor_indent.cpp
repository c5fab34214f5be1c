// Indentation at the caret: the white space a new line starts with (AutoIndent, PrevSpaceIndent,
// TabIndent) and Backspace taking the caret back to an earlier row's indentation (BackSpaceUnIndent).
#include <algorithm>
#include <limits>
#include <string>
#include <string_view>

#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"

namespace editor {

namespace {

constexpr std::string_view kFullWidthSpace = "\x81\x40";

// The byte length of the white space a row starts with: spaces, tabs and full-width spaces.
std::size_t LeadingWhiteBytes(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] == ' ' || text[i] == '\t') {
      ++i;
    } else if (text.substr(i, 2) == kFullWidthSpace) {
      i += 2;
    } else {
      break;
    }
  }
  return i;
}

// The columns a row's start takes, measured as the row's own column map measures it, so a tab
// reaches its stop (or the wrap edge) and a full-width space takes two. Only the white space is
// mapped: the rest of the row cannot change its width, and a long row costs nothing.
std::string WhiteMap(std::string_view text, const TColumnRules& rules) {
  std::string map;
  BuildColumnMap(text.substr(0, LeadingWhiteBytes(text)), rules, std::numeric_limits<std::size_t>::max(), map);
  return map;
}

int LeadingWhiteWidth(std::string_view text, const TColumnRules& rules) {
  return static_cast<int>(WhiteMap(text, rules).size());
}

// A row that holds nothing but white space says nothing about the indentation around it.
bool IsBlank(std::string_view text) { return LeadingWhiteBytes(text) == text.size(); }

}  // namespace

std::string TEditor::NewLineIndent() const {
  const TCaretOptions& options = CaretOptions();
  if (!options.AutoIndent || FCaret.Row >= FRows->Count()) return {};
  const TColumnRules rules = ColumnRules();
  const int first = FRows->LineStartRow(FCaret.Row);
  const int own = LeadingWhiteWidth(FRows->RowText(first), rules);
  // A caret inside the white space splits it: the text after the caret keeps its own white space,
  // so the new line only needs the part before the caret to stay where it showed.
  int width = FCaret.Row == first ? std::min(own, FCaret.Col) : own;
  // The line's own width decides, not the limited one: borrowing an earlier indentation for a line
  // split at column 0 would push that line's own white space further right.
  if (own == 0 && options.PrevSpaceIndent && FCaret.Row == first && FCaret.Col == 0) {
    for (int row = first - 1; row >= 0;) {
      const int start = FRows->LineStartRow(row);
      width = LeadingWhiteWidth(FRows->RowText(start), rules);
      if (width > 0) break;
      row = start - 1;
    }
  }
  if (width <= 0) return {};
  if (!options.TabIndent) return std::string(static_cast<std::size_t>(width), ' ');
  const int tab = options.TabSpaceCount;
  return std::string(static_cast<std::size_t>(width / tab), '\t') +
         std::string(static_cast<std::size_t>(width % tab), ' ');
}

bool TEditor::UnIndentBack(const std::string& text, int index) {
  const std::size_t white = LeadingWhiteBytes(text);
  const bool atIndentEnd = white > 0 && static_cast<std::size_t>(index) == white;
  const bool inBlankRow = white == text.size() && index > 0 && static_cast<std::size_t>(index) <= white;
  if (!atIndentEnd && !inBlankRow) return false;

  const TColumnRules rules = ColumnRules();
  const std::string map = WhiteMap(text, rules);
  const int caretWidth = ColumnOfByteIndex(map, index);
  // The nearest earlier line that has text and starts left of the caret. Continuation rows of a
  // wrapped line start wherever the wrap put them, so only a line's first row counts.
  int target = 0;
  for (int row = FCaret.Row - 1; row >= 0; --row) {
    if (row > 0 && FRows->RowAttribute(row - 1) == raWrap) continue;
    const std::string earlier(FRows->RowText(row));
    if (IsBlank(earlier)) continue;
    const int width = LeadingWhiteWidth(earlier, rules);
    if (width < caretWidth) {
      target = width;
      break;
    }
  }
  // Keep the whole white-space characters that end at or before the target; a tab reaching past it
  // goes, and spaces make up the columns it covered.
  int kept = 0;
  std::size_t i = 0;
  while (i < static_cast<std::size_t>(index)) {
    const std::size_t next = i + (text.substr(i, 2) == kFullWidthSpace ? 2 : 1);
    if (ColumnOfByteIndex(map, static_cast<int>(next)) > target) break;
    i = next;
    kept = static_cast<int>(i);
  }
  const int pad = target - ColumnOfByteIndex(map, kept);
  std::string rowText = text.substr(0, static_cast<std::size_t>(kept));
  rowText.append(static_cast<std::size_t>(pad), ' ');
  rowText += text.substr(static_cast<std::size_t>(index));
  if (FRows->RowAttribute(FCaret.Row) == raBreak) rowText += "\r\n";
  const int from = FRows->LineStartRow(FCaret.Row);
  EditRows(FCaret.Row, 1, rowText, from, OffsetFrom(from, FCaret.Row, kept + pad));
  return true;
}

}  // namespace editor
