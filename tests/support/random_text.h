// The one random source of the tests: numbers, picks and code page 932 text glued from the pieces a
// test names (single- and double-byte characters, lone lead bytes, line breaks), all from one seed, so
// a failure comes back with the same seed.
#pragma once

#include <cstdint>
#include <iterator>
#include <random>
#include <string>

namespace editor::test {

class TRandomText {
 public:
  explicit TRandomText(std::uint32_t seed) : FEngine(seed) {}

  // 0 .. n - 1 (0 when n is not positive).
  int Below(int n) { return n <= 0 ? 0 : Between(0, n - 1); }
  // low .. high.
  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(FEngine); }
  bool Chance(int percent) { return Below(100) < percent; }
  // One of the items.
  template <class Range>
  const auto& Pick(const Range& items) {
    return *std::next(std::begin(items), Below(static_cast<int>(std::size(items))));
  }

  // A double-byte character: a lead byte of the lower range (0x81-0x9F) in lowerPercent of the draws,
  // else of the upper one (0xE0-0xFC), and a trail byte 0x40-0xFC other than 0x7F.
  std::string DoubleByte(int lowerPercent = 70) {
    const int lead = Chance(lowerPercent) ? 0x81 + Below(0x1F) : 0xE0 + Below(0x1D);
    int trail = 0x40 + Below(0xBD);
    if (trail == 0x7F) trail = 0x80;
    return {static_cast<char>(lead), static_cast<char>(trail)};
  }
  // 1 .. maxLength lowercase ASCII letters.
  std::string Word(int maxLength) {
    std::string word;
    for (int i = 1 + Below(maxLength); i > 0; --i) word += static_cast<char>('a' + Below(26));
    return word;
  }
  // 0 .. maxPieces of the pieces, glued together.
  template <class Range>
  std::string Glue(const Range& pieces, int maxPieces) {
    std::string text;
    for (int count = Below(maxPieces + 1); count > 0; --count) text += Pick(pieces);
    return text;
  }

 private:
  std::mt19937 FEngine;
};

}  // namespace editor::test
