// The tokenizer's start state that the row store keeps for every row: the store packs it, the tokenizer
// gives it meaning, so the record lives with the rows and the tokenizer builds on it.
#pragma once

#include <cstdint>
#include <string>

namespace editor {

// A row's end attribute, as the row store keeps it in two bits.
inline constexpr std::uint8_t RowAttrBreak = 0;
inline constexpr std::uint8_t RowAttrWrap = 1;
inline constexpr std::uint8_t RowAttrEnd = 2;

// BracketIndex of a row whose start state has not been computed yet.
inline constexpr std::int32_t BracketNotComputed = -2;
// BracketIndex outside any bracket region.
inline constexpr std::int32_t BracketNone = -1;
// The row store keeps Remain in one byte.
inline constexpr std::int32_t MaxRemain = 255;

// The tokenizer's state at the start of one row. The default value is the state of the first row.
// ScanState1..3 and ScanText belong to no parser of this editor; they are only carried along.
struct TRowAttributeData {
  std::uint8_t RowAttribute = 0;      // this row's end attribute
  std::uint8_t PrevRowAttribute = 0;  // the previous row's end attribute
  std::int32_t BracketIndex = BracketNone;
  std::int32_t ScanState1 = 0;
  std::int32_t Remain = 0;  // bytes at the row start that finish the carried-over token; 0 = rescan it
  std::int32_t ScanState2 = 0;
  std::uint8_t StartToken = 0;  // kind carried over from the previous row; 0 = none
  std::uint8_t ScanState3 = 0;
  std::string ScanText;

  bool operator==(const TRowAttributeData&) const = default;
};

// True when a stored start state already says what a fresh computation says. The row's own end
// attribute is not part of the state: it belongs to the row.
bool SameStartState(const TRowAttributeData& stored, const TRowAttributeData& computed);

}  // namespace editor
