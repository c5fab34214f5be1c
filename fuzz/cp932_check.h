// The code page 932 fuzz property, shared by the fuzz target and the test that makes its seeds: both
// conversions take any bytes, give well-formed text, and settle after one round.
#pragma once

#include <string>
#include <string_view>

#include "platform/cp932.h"

namespace fuzz {

inline bool IsWellFormedUtf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const auto c = static_cast<unsigned char>(s[i]);
    const std::size_t n = c < 0x80                 ? 1
                          : c >= 0xC2 && c <= 0xDF ? 2
                          : c >= 0xE0 && c <= 0xEF ? 3
                          : c >= 0xF0 && c <= 0xF4 ? 4
                                                   : 0;
    if (n == 0 || i + n > s.size()) return false;
    for (std::size_t k = 1; k < n; ++k) {
      if ((static_cast<unsigned char>(s[i + k]) & 0xC0) != 0x80) return false;
    }
    if (n == 3 && ((c == 0xE0 && static_cast<unsigned char>(s[i + 1]) < 0xA0) ||
                   (c == 0xED && static_cast<unsigned char>(s[i + 1]) > 0x9F))) {
      return false;
    }
    if (n == 4 && ((c == 0xF0 && static_cast<unsigned char>(s[i + 1]) < 0x90) ||
                   (c == 0xF4 && static_cast<unsigned char>(s[i + 1]) > 0x8F))) {
      return false;
    }
    i += n;
  }
  return true;
}

// Empty when the property holds for `bytes` read both as code page 932 and as UTF-8, else what broke.
inline std::string CheckCp932(std::string_view bytes) {
  const std::string utf8 = platform::Cp932ToUtf8(bytes);
  if (!IsWellFormedUtf8(utf8)) return "decoding gave malformed UTF-8";
  if (platform::Cp932ToUtf8(platform::Utf8ToCp932(utf8)) != utf8) return "decoded text does not survive encoding";

  const std::string cp932 = platform::Utf8ToCp932(bytes);
  if (cp932.size() > bytes.size()) return "encoding grew the text";
  if (platform::Utf8ToCp932(platform::Cp932ToUtf8(cp932)) != cp932) return "encoded text does not survive decoding";
  return {};
}

}  // namespace fuzz
