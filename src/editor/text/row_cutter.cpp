// The line-breaking rules in their order of precedence: never split a double-byte character, break at a
// word boundary, let punctuation hang, keep opening brackets off a row's end and closing marks off its start.
#include "editor/text/row_cutter.h"

#include <algorithm>
#include <cstring>

#include "platform/cp932.h"

namespace editor {

TRowCutter::TRowCutter(const TEditorWrapOption& option, const TColumnRules& rules)
    : FOption(option), FRules(rules), FPlain(!option.WordBreak() && !option.FollowPunctuation() && !option.Leading()) {
  FRules.WordWrap = true;
  FRules.WrapByte = option.WrapByte();
}

void TRowCutter::FindBreak(TEditorAttributeArray& cursor) const {
  const int wrapByte = FRules.WrapByte;
  const int wordLimit = wrapByte / 3;
  const int leadingLimit = wrapByte / 5 * 4;
  const int hangLimit = wrapByte + 2;

  if (cursor.Code() == colLead) {
    // The row would end between the two bytes: the whole character goes to the next row.
    cursor.StepBack();
  } else if (FOption.WordBreak() && cursor.Length() > wrapByte) {
    while (cursor.Code() != colDelimiter && cursor.Code() != colTabFill && cursor.Code() != colTrail &&
           cursor.Column() > wordLimit)
      cursor.StepBackChar();
  }

  if (FOption.FollowPunctuation()) {
    while (cursor.Column() < hangLimit && InCharSet(cursor.NextChar(), FOption.PunctuationStr()))
      cursor.StepForwardChar();
  }

  if (FOption.Leading() && cursor.Length() > cursor.Column()) {
    while (cursor.Column() > leadingLimit && InCharSet(cursor.CurrentChar(), FOption.LeadStr())) cursor.StepBackChar();
    if (cursor.Length() > cursor.Column() + 1 && InCharSet(cursor.NextChar(), FOption.FollowStr())) {
      // A character that may not begin a row travels with the one before it.
      while (cursor.Column() > leadingLimit &&
             (InCharSet(cursor.CurrentChar(), FOption.LeadStr()) || InCharSet(cursor.NextChar(), FOption.FollowStr())))
        cursor.StepBackChar();
    }
  }
}

TRowCutter::TRowCut TRowCutter::NextRow(std::string_view rest, bool restIsWhole) {
  const auto wrapByte = static_cast<std::size_t>(FRules.WrapByte);
  const std::size_t mapped = std::min(rest.size(), wrapByte + 3);
  if (FPlain && std::memchr(rest.data(), '\t', mapped) == nullptr) {
    // Without a tab every byte is one column: the row takes WrapByte bytes, one less when they would end
    // between the two bytes of a character (a lead byte that ends the text has no second byte).
    if (rest.size() < wrapByte) return {rest.size(), true};
    if (rest.size() == wrapByte || CharacterStartsAt(rest, wrapByte)) return {wrapByte, false};
    return {wrapByte - 1, false};
  }
  BuildColumnMap(rest, FRules, wrapByte + 3, FMap);
  if (FMap.size() < wrapByte) return {rest.size(), true};
  (void)restIsWhole;  // a window shorter than the rest holds at least WrapByte + 3 columns
  TEditorAttributeArray cursor;
  cursor.Reset(rest, FMap);
  cursor.MoveTo(FRules.WrapByte);
  FindBreak(cursor);
  // Every column up to the cursor is a whole character of the rest, so this is at least one byte.
  return {std::min<std::size_t>(static_cast<std::size_t>(std::max(1, cursor.ByteCount())), rest.size()), false};
}

void TRowCutter::Cut(std::string_view line, std::vector<std::size_t>& lengths) {
  lengths.clear();
  std::string_view rest = line;
  while (true) {
    const TRowCut cut = NextRow(rest.substr(0, Lookahead()), rest.size() <= Lookahead());
    if (cut.Last) {
      lengths.push_back(rest.size());
      return;
    }
    lengths.push_back(cut.Length);
    rest.remove_prefix(cut.Length);
    if (rest.empty()) {
      // The line ends exactly at a row end: it opens an empty row, unless the break may stay on that row.
      if (!FOption.FollowRetMark()) lengths.push_back(0);
      return;
    }
  }
}

int TRowCutter::RowsNeeded(std::string_view line) {
  Cut(line, FScratch);
  return static_cast<int>(FScratch.size());
}

}  // namespace editor
