// Typed access to the packed per-row words: how a row ends, the tokenizer's start state and the row marks.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "editor/text/row_attribute_data.h"
#include "editor/text/the_string_list.h"

namespace editor {

// How a row ends.
enum TRowAttribute : std::uint8_t {
  raBreak = 0,  // ends a logical line: CR LF follows it in the text
  raWrap = 1,   // the logical line goes on in the next row
  raEnd = 2,    // last row of a text without a final line break
  raNone = 3,   // no row (an index outside the list; an undo record holding no rows)
};

// Where a field lives: which word, its lowest bit and its width. A field stored with an offset (BracketIndex,
// value + 2) adds it on writing and takes it off on reading.
struct TRowField {
  std::uint8_t Word;  // 0: the attribute word, 1: the second word
  std::uint8_t Shift;
  std::uint8_t Width;
  std::int8_t Offset;
};

// The layout of the two words, bit 0 the least significant.
inline constexpr TRowField kRowAttributeField{0, 0, 2, 0};
inline constexpr TRowField kPrevRowAttributeField{0, 2, 2, 0};
inline constexpr TRowField kBracketIndexField{0, 4, 4, 2};  // -2 (not computed) .. 13
inline constexpr TRowField kScanState1Field{0, 8, 8, 0};
inline constexpr TRowField kRemainField{0, 16, 8, 0};
inline constexpr TRowField kScanState2Field{0, 24, 8, 0};
inline constexpr TRowField kStartTokenField{1, 0, 8, 0};
inline constexpr TRowField kScanState3Field{1, 8, 8, 0};
inline constexpr TRowField kRowMarksField{1, 16, 16, 0};

constexpr std::uint32_t FieldMask(TRowField field) { return ((std::uint32_t{1} << field.Width) - 1u) << field.Shift; }

// A field's value in a row's words (its offset taken off).
inline int UnpackField(const TRowWords& words, TRowField field) {
  const std::uint32_t word = field.Word == 0 ? words.Attribute : words.Attribute2;
  return static_cast<int>((word & FieldMask(field)) >> field.Shift) - field.Offset;
}

// A set of up to 16 row marks, bit n for mark n.
using TRowMarks = std::uint16_t;

// The row list with typed, per-row reads and writes of every packed field. A write replaces only its
// own bits; a value outside its field's range keeps only the bits that fit. Rows outside 0 .. Count - 1
// raise the list-index error.
class TRowAttributeStringList : public TheStringList {
 public:
  TRowAttribute RowAttribute(int index) const { return static_cast<TRowAttribute>(Field(index, kRowAttributeField)); }
  // RowAttribute(Count() - 1), at no cost to reads near the row read before.
  TRowAttribute LastRowAttribute() const;
  void SetRowAttribute(int index, TRowAttribute value) { SetField(index, kRowAttributeField, value); }
  TRowAttribute PrevRowAttribute(int index) const {
    return static_cast<TRowAttribute>(Field(index, kPrevRowAttributeField));
  }
  void SetPrevRowAttribute(int index, TRowAttribute value) { SetField(index, kPrevRowAttributeField, value); }
  int BracketIndex(int index) const { return Field(index, kBracketIndexField); }
  void SetBracketIndex(int index, int value) { SetField(index, kBracketIndexField, value); }
  int ScanState1(int index) const { return Field(index, kScanState1Field); }
  void SetScanState1(int index, int value) { SetField(index, kScanState1Field, value); }
  int Remain(int index) const { return Field(index, kRemainField); }
  void SetRemain(int index, int value) { SetField(index, kRemainField, value); }
  int ScanState2(int index) const { return Field(index, kScanState2Field); }
  void SetScanState2(int index, int value) { SetField(index, kScanState2Field, value); }
  std::uint8_t StartToken(int index) const { return static_cast<std::uint8_t>(Field(index, kStartTokenField)); }
  void SetStartToken(int index, std::uint8_t value) { SetField(index, kStartTokenField, value); }
  std::uint8_t ScanState3(int index) const { return static_cast<std::uint8_t>(Field(index, kScanState3Field)); }
  void SetScanState3(int index, std::uint8_t value) { SetField(index, kScanState3Field, value); }
  TRowMarks RowMarks(int index) const { return static_cast<TRowMarks>(Field(index, kRowMarksField)); }
  void SetRowMarks(int index, TRowMarks value) { SetField(index, kRowMarksField, value); }

  const std::string& ScanText(int index) const;
  void SetScanText(int index, std::string value);
  std::int32_t RowData(int index) const;
  void SetRowData(int index, std::int32_t value);

  // The words whole, as temporary lists and undo copy them.
  std::uint32_t AttributeWord(int index) const { return WordsAt(index).Attribute; }
  void SetAttributeWord(int index, std::uint32_t value) { WordsAt(index).Attribute = value; }
  std::uint32_t SecondWord(int index) const { return WordsAt(index).Attribute2; }
  void SetSecondWord(int index, std::uint32_t value) { WordsAt(index).Attribute2 = value; }

  // The tokenizer's view of one row: every state field (and the row's own attributes) at once.
  TRowAttributeData RowAttributeData(int index) const;
  // Stores the record's state fields. The row's own RowAttribute is left alone: it says where the text
  // breaks, and only the row store may change that.
  void SetRowAttributeData(int index, const TRowAttributeData& data);

  // Reads a field (offset taken off) / writes it (offset added, masked to its width).
  int Field(int index, TRowField field) const { return UnpackField(WordsAt(index), field); }
  void SetField(int index, TRowField field, int value);

 protected:
  const TRowWords& WordsAt(int index) const {
    CheckIndex(index);
    return Store().Words(index);
  }
  TRowWords& WordsAt(int index) {
    CheckIndex(index);
    return Store().Words(index);
  }
};

// The temporary row lists that cutting a text fills.
class TEditorStringList : public TRowAttributeStringList {
 public:
  // Appends a fresh row (both words zero) with the given text and attribute.
  void AddRow(std::string_view text, TRowAttribute attribute);
  // Replaces every row with rows (and no extras).
  void AssignRows(const TRowChunk& rows);
  // The rows' texts and words, as they go into another list.
  TRowChunk Rows() const;
};

}  // namespace editor
