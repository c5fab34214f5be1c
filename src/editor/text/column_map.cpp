// Building and walking column maps.
#include "editor/text/column_map.h"

#include <algorithm>

#include "platform/cp932.h"

namespace editor {

void BuildColumnMap(std::string_view text, const TColumnRules& rules, std::size_t minColumns, std::string& map) {
  const TDelimiters& delimiters = rules.Delimiters ? *rules.Delimiters : kDefaultDelimiters;
  const int tabCount = std::max(1, rules.TabSpaceCount);
  const int wrapByte = std::max(1, rules.WrapByte);
  // A byte gives at most a tab's worth of columns, so the map is written into room made once (minColumns
  // may be the largest size_t: "the whole text").
  const std::size_t most = text.size() * static_cast<std::size_t>(tabCount);
  const std::size_t room = minColumns < most ? std::min(most, minColumns + static_cast<std::size_t>(tabCount)) : most;
  map.resize(room);
  char* const out = map.data();
  std::size_t column = 0;
  std::size_t i = 0;
  while (i < text.size() && column < minColumns) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (platform::IsLeadByte(c) && i + 1 < text.size()) {
      out[column++] = colLead;
      out[column++] = colTrail;
      i += 2;
    } else if (c == '\t') {
      int fill = tabCount - 1 - static_cast<int>(column) % tabCount;
      if (rules.WordWrap) fill = std::min(fill, wrapByte - 1 - static_cast<int>(column) % wrapByte);
      out[column++] = colDelimiter;
      for (int f = 0; f < fill; ++f) out[column++] = colTabFill;
      ++i;
    } else {
      out[column++] = platform::IsLeadByte(c) || !delimiters[c] ? colWord : colDelimiter;
      ++i;
    }
  }
  map.resize(column);
}

int ByteIndexOfColumn(std::string_view map, int column) {
  if (column <= 0) return 0;
  const std::size_t entries = std::min(map.size(), static_cast<std::size_t>(column) + 1);
  const auto fills = std::count(map.begin(), map.begin() + static_cast<std::ptrdiff_t>(entries), colTabFill);
  return column - static_cast<int>(fills);
}

int ColumnOfByteIndex(std::string_view map, int bytes) {
  int taken = 0;
  std::size_t column = 0;
  for (; column < map.size(); ++column) {
    if (map[column] == colTabFill) continue;
    if (taken == bytes) break;
    ++taken;
  }
  return static_cast<int>(column);
}

bool CharacterStartsAt(std::string_view text, std::size_t at) {
  // From the start of the run its bytes pair up, and `at` begins a character when they pair up evenly.
  std::size_t run = 0;
  while (run < at && platform::IsLeadByte(text[at - 1 - run])) ++run;
  return run % 2 == 0;
}

bool InCharSet(std::string_view ch, std::string_view set) {
  if (ch.empty()) return false;
  std::size_t i = 0;
  while (i < set.size()) {
    const std::size_t length = platform::IsLeadByte(set[i]) && i + 1 < set.size() ? 2 : 1;
    if (set.substr(i, length) == ch) return true;
    i += length;
  }
  return false;
}

void TEditorAttributeArray::Reset(std::string_view text, std::string_view map) {
  FText = text;
  FMap = map;
  FColumn = 0;
  FByteCount = 0;
  FCode = colWord;  // column 0 is not the terminator, so the first step goes forward
  StepForward();
}

void TEditorAttributeArray::StepForward() {
  if (FCode == colEnd) return;
  ++FColumn;
  FCode = CodeAt(FColumn);
  if (FCode != colTabFill) ++FByteCount;
}

void TEditorAttributeArray::StepBack() {
  if (FColumn <= 1) return;
  if (FCode != colTabFill) --FByteCount;
  --FColumn;
  FCode = CodeAt(FColumn);
}

void TEditorAttributeArray::MoveTo(int column) {
  while (FColumn < column && FCode != colEnd) StepForward();
  while (FColumn > column && FColumn > 1) StepBack();
}

void TEditorAttributeArray::StepForwardChar() {
  StepForward();
  if (FCode == colLead) StepForward();
}

void TEditorAttributeArray::StepBackChar() {
  StepBack();
  if (FCode == colLead) StepBack();
}

std::string_view TEditorAttributeArray::Bytes(int first, int count) const {
  if (first < 0 || static_cast<std::size_t>(first) >= FText.size()) return {};
  return FText.substr(static_cast<std::size_t>(first), static_cast<std::size_t>(count));
}

std::string_view TEditorAttributeArray::CurrentChar() const {
  switch (FCode) {
    case colEnd:
      return {};
    case colLead:
      return Bytes(FByteCount - 1, 2);
    case colTrail:
      return Bytes(FByteCount - 2, 2);
    default:
      return Bytes(FByteCount - 1, 1);
  }
}

std::string_view TEditorAttributeArray::NextChar() {
  if (FCode == colEnd) return {};
  StepForward();
  const std::string_view ch = CurrentChar();
  StepBack();
  return ch;
}

}  // namespace editor
