// The column map every wrap and caret decision is measured in, the cursor that walks it, the delimiter
// set and the character-boundary membership test for the wrap option strings.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace editor {

// One code per display column of a row.
inline constexpr char colEnd = '0';        // the terminator after the last column
inline constexpr char colWord = '1';       // a single-byte character that is not a delimiter
inline constexpr char colDelimiter = '2';  // a single-byte delimiter (a tab included)
inline constexpr char colTabFill = '3';    // a fill column of a tab
inline constexpr char colLead = '4';       // first byte of a double-byte character
inline constexpr char colTrail = '5';      // second byte of that character

// A 256-entry set of delimiter bytes.
using TDelimiters = std::array<bool, 256>;

// The bytes that are word characters, not delimiters; every other byte is one.
struct TByteRange {
  unsigned char First;
  unsigned char Last;
};
inline constexpr std::array<TByteRange, 6> kWordByteRanges = {{
    {'0', '9'},
    {'A', 'Z'},
    {'a', 'z'},
    {'_', '_'},
    {0x81, 0x9F},  // lead bytes of double-byte characters
    {0xA6, 0xFC},  // half-width katakana letters and the upper lead bytes
}};

constexpr TDelimiters MakeDefaultDelimiters() {
  TDelimiters set{};
  for (auto& entry : set) entry = true;
  for (const TByteRange& range : kWordByteRanges)
    for (int c = range.First; c <= range.Last; ++c) set[static_cast<std::size_t>(c)] = false;
  return set;
}
inline constexpr TDelimiters kDefaultDelimiters = MakeDefaultDelimiters();

// What a column map depends on besides the text.
struct TColumnRules {
  bool WordWrap = false;
  int WrapByte = 80;
  int TabSpaceCount = 8;
  const TDelimiters* Delimiters = &kDefaultDelimiters;
  bool operator==(const TColumnRules&) const = default;
};

// Builds the map of text into `map` (replacing its contents) until it holds at least minColumns columns
// or the text ends. A lead byte yields "45" with whatever byte follows it; a lead byte that ends the text
// has no partner and counts as a word byte. A tab yields "2" and its fill: up to the next tab stop, and
// with word wrap on never past the end of the row (column WrapByte).
void BuildColumnMap(std::string_view text, const TColumnRules& rules, std::size_t minColumns, std::string& map);

// The byte index of caret column `column` in a row with this map: the column less the fill columns
// before it (a column at or past the end maps past the last byte).
int ByteIndexOfColumn(std::string_view map, int column);
// The columns the first `bytes` bytes of the row take (a tab with its fill), at most the map's length.
int ColumnOfByteIndex(std::string_view map, int bytes);

// Whether a character of text (read from its start, as a map pairs bytes) begins at byte `at`
// (0 < at < text.size()). A byte that is no lead byte always ends a character, so only the run of
// lead-range bytes just before `at` is read, however far into the text it lies.
bool CharacterStartsAt(std::string_view text, std::size_t at);

// True when ch (one character, one or two bytes) occurs in set at a character boundary of set. An empty
// ch is in no set.
bool InCharSet(std::string_view ch, std::string_view set);

// A cursor over a text and its column map. Columns count from 1; the column after the last holds the
// terminator. The byte count is the number of text bytes up to and including the current column, so
// cutting after the current column keeps exactly that many bytes.
class TEditorAttributeArray {
 public:
  // Stands on column 1 (or on the terminator of an empty map).
  void Reset(std::string_view text, std::string_view map);
  void StepForward();
  void StepBack();
  // Steps forward (stopping at the terminator) or back (not below column 1) to column n.
  void MoveTo(int column);
  // Over one character: both columns of a double-byte character.
  void StepForwardChar();
  void StepBackChar();

  int Length() const { return static_cast<int>(FMap.size()); }
  int Column() const { return FColumn; }
  int ByteCount() const { return FByteCount; }
  char Code() const { return FCode; }
  bool OnTerminator() const { return FCode == colEnd; }
  // The character the current column belongs to; empty on the terminator.
  std::string_view CurrentChar() const;
  // The character after it; empty at the end.
  std::string_view NextChar();

 private:
  char CodeAt(int column) const {
    return column >= 1 && column <= Length() ? FMap[static_cast<std::size_t>(column - 1)] : colEnd;
  }
  std::string_view Bytes(int first, int count) const;

  std::string_view FText;
  std::string_view FMap;
  int FColumn = 0;
  int FByteCount = 0;
  char FCode = colEnd;
};

}  // namespace editor
