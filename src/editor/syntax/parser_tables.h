// The byte classes the tokenizer's scanners test, built at compile time from the ranges the rules name.
#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>

#include "editor/syntax/token.h"

namespace editor::parser_tables {

// A set of byte values: membership is one indexed load.
class TByteSet {
 public:
  struct TRange {
    unsigned char First;
    unsigned char Last;
  };
  constexpr TByteSet(std::initializer_list<TRange> ranges) {
    for (TRange range : ranges) {
      for (int c = range.First; c <= range.Last; ++c) FMember[static_cast<std::size_t>(c)] = true;
    }
  }
  constexpr bool Contains(unsigned char c) const { return FMember[c]; }

 private:
  std::array<bool, 256> FMember{};
};

inline constexpr TByteSet Digits = {{'0', '9'}};
inline constexpr TByteSet HexDigits = {{'0', '9'}, {'A', 'F'}, {'a', 'f'}};
inline constexpr TByteSet AnkChars = {{'0', '9'}, {'A', 'Z'}, {'a', 'z'}, {'_', '_'}};
// Blanks belong to no token: every control byte and the space, except the tab (a token of its own).
inline constexpr TByteSet Blanks = {{0x01, 0x08}, {0x0A, 0x20}};
// Bytes that end most scanners.
inline constexpr TByteSet RowEnds = {{0x00, 0x00}, {0x0A, 0x0A}, {0x0D, 0x0D}};

// What a URL may hold after its prefix.
inline constexpr TByteSet UrlChars = {{'#', '#'}, {'%', '&'}, {'+', '+'}, {'-', '/'}, {'0', ':'}, {'=', '='},
                                      {'?', '?'}, {'A', 'Z'}, {'_', '_'}, {'a', 'z'}, {'~', '~'}};
// What a mail address may hold.
inline constexpr TByteSet MailChars = {{'!', '!'}, {'$', '&'}, {'*', '*'}, {',', '9'}, {';', ';'}, {'=', '='},
                                       {'?', '@'}, {'A', 'Z'}, {'^', '_'}, {'a', 'z'}, {'~', '~'}};

inline constexpr TByteSet KanjiLeads = {{0x88, 0x9F}, {0xE0, 0xFC}};
inline constexpr TByteSet HalfKanaSymbols = {{0xA1, 0xA5}};
inline constexpr TByteSet HalfKanas = {{0xA6, 0xDF}};
// Lead bytes whose every pair is one full-width symbol.
inline constexpr TByteSet WideSymbolLeads = {{0x81, 0x81}, {0x84, 0x87}};

// A range of pairs (lead byte, trail byte from First to Last) and the kind it gives.
struct TWidePairs {
  unsigned char Lead;
  unsigned char First;
  unsigned char Last;
  TTokenKind Kind;
};

// The kind the first pair of a 0x82/0x83 character gives; runs of every kind but tokWideSymbol go on.
inline constexpr TWidePairs WideWordStarts[] = {
    {0x82, 0x40, 0x4E, tokWideSymbol}, {0x82, 0x4F, 0x58, tokWideDigits}, {0x82, 0x59, 0x5F, tokWideSymbol},
    {0x82, 0x60, 0x79, tokWideLatin},  {0x82, 0x7A, 0x80, tokWideSymbol}, {0x82, 0x81, 0x9A, tokWideLatin},
    {0x82, 0x9B, 0x9E, tokWideSymbol}, {0x82, 0x9F, 0xF1, tokHiragana},   {0x82, 0xF2, 0xFF, tokWideSymbol},
    {0x83, 0x40, 0x96, tokKatakana},   {0x83, 0x97, 0xF0, tokWideSymbol},
};

// The pairs that continue a run of each kind: digits take the full-width comma and full stop, kana the
// prolonged-sound mark and the minus.
inline constexpr TWidePairs WideRunPairs[] = {
    {0x82, 0x4F, 0x58, tokWideDigits}, {0x81, 0x43, 0x44, tokWideDigits}, {0x82, 0x60, 0x79, tokWideLatin},
    {0x82, 0x81, 0x9A, tokWideLatin},  {0x82, 0x9F, 0xF1, tokHiragana},   {0x81, 0x5B, 0x5B, tokHiragana},
    {0x81, 0x7C, 0x7C, tokHiragana},   {0x83, 0x40, 0x96, tokKatakana},   {0x81, 0x5B, 0x5B, tokKatakana},
    {0x81, 0x7C, 0x7C, tokKatakana},
};

// The tables above unfolded for the three lead bytes 0x81 to 0x83, so that a pair is classified with
// two loads: StartKind (tokEnd = the pair starts nothing) and the run kinds a pair continues (bit = kind).
class TWidePairClasses {
 public:
  constexpr TWidePairClasses() {
    for (const TWidePairs& pairs : WideWordStarts) {
      for (int t = pairs.First; t <= pairs.Last; ++t) FStart[Row(pairs.Lead)][static_cast<std::size_t>(t)] = pairs.Kind;
    }
    for (const TWidePairs& pairs : WideRunPairs) {
      for (int t = pairs.First; t <= pairs.Last; ++t) {
        FRuns[Row(pairs.Lead)][static_cast<std::size_t>(t)] |= std::uint32_t{1} << pairs.Kind;
      }
    }
  }
  // lead must be 0x81, 0x82 or 0x83.
  constexpr TTokenKind StartKind(unsigned char lead, unsigned char trail) const { return FStart[Row(lead)][trail]; }
  constexpr bool Continues(unsigned char lead, unsigned char trail, TTokenKind kind) const {
    return ((FRuns[Row(lead)][trail] >> kind) & 1u) != 0;
  }

 private:
  static constexpr std::size_t Row(unsigned char lead) { return static_cast<std::size_t>(lead - 0x81); }
  std::array<std::array<TTokenKind, 256>, 3> FStart{};
  std::array<std::array<std::uint32_t, 256>, 3> FRuns{};
};

inline constexpr TWidePairClasses WidePairClasses{};

}  // namespace editor::parser_tables
