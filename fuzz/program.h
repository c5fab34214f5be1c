// A fuzz input read as a program for a stateful target: bytes taken one at a time as choices and texts.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace fuzz {

class TProgram {
 public:
  explicit TProgram(std::string_view bytes) : FBytes(bytes) {}

  bool AtEnd() const { return FAt >= FBytes.size(); }
  // The next byte; 0 once the input is used up, so every program ends.
  unsigned Next() { return AtEnd() ? 0u : static_cast<unsigned char>(FBytes[FAt++]); }
  // 0 .. n - 1.
  unsigned Below(unsigned n) { return n == 0 ? 0 : Next() % n; }
  int Below(int n) { return n <= 0 ? 0 : static_cast<int>(Below(static_cast<unsigned>(n))); }
  // One of the items.
  template <class T, std::size_t N>
  const T& Pick(const std::array<T, N>& items) {
    return items[Next() % N];
  }
  // A length byte (at most `most`), then that many bytes as they stand.
  std::string Text(unsigned most) {
    const std::size_t length = std::min<std::size_t>(Below(most + 1), FBytes.size() - std::min(FAt, FBytes.size()));
    std::string text(FBytes.substr(FAt, length));
    FAt += length;
    return text;
  }

 private:
  std::string_view FBytes;
  std::size_t FAt = 0;
};

}  // namespace fuzz
