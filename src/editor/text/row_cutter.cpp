// The line-breaking rules in their order of precedence: never split a double-byte character, break at a
// word boundary, let punctuation hang, keep opening brackets off a row's end and closing marks off its start.
#include "editor/text/row_cutter.h"

#include <algorithm>

namespace editor {

TRowCutter::TRowCutter(const TEditorWrapOption& option, const TColumnRules& rules) : FOption(option), FRules(rules) {
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

void TRowCutter::Cut(std::string_view line, std::vector<std::size_t>& lengths) {
  lengths.clear();
  const int wrapByte = FRules.WrapByte;
  const std::size_t mapLimit = static_cast<std::size_t>(wrapByte) + 3;
  BuildColumnMap(line, FRules, mapLimit, FMap);
  if (FMap.size() < static_cast<std::size_t>(wrapByte)) {
    lengths.push_back(line.size());
    return;
  }
  std::string_view rest = line;
  TEditorAttributeArray cursor;
  cursor.Reset(rest, FMap);
  cursor.MoveTo(wrapByte);
  while (!cursor.OnTerminator()) {
    FindBreak(cursor);
    // Every column up to the cursor is a whole character of the rest, so this is at least one byte.
    const std::size_t taken =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(1, cursor.ByteCount())), rest.size());
    lengths.push_back(taken);
    rest.remove_prefix(taken);
    BuildColumnMap(rest, FRules, mapLimit, FMap);
    cursor.Reset(rest, FMap);
    cursor.MoveTo(wrapByte);
  }
  if (!rest.empty()) {
    lengths.push_back(rest.size());
  } else if (!FOption.FollowRetMark()) {
    lengths.push_back(0);  // the line end opens an empty row
  }
}

int TRowCutter::RowsNeeded(std::string_view line) {
  Cut(line, FScratch);
  return static_cast<int>(FScratch.size());
}

}  // namespace editor
