// Integer and boolean reading with the rules of the Windows program's run-time library (StrToInt, StrToBool).
#include "platform/number_parse.h"

namespace platform {

namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Skips a hexadecimal prefix ("$", "x", "X", "0x", "0X"); false when there is none.
bool SkipHexPrefix(std::string_view& text) {
  if (!text.empty() && (text[0] == '$' || text[0] == 'x' || text[0] == 'X')) {
    text.remove_prefix(1);
    return true;
  }
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    return true;
  }
  return false;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace

std::optional<int32_t> ParseInt32(std::string_view text) {
  while (!text.empty() && text[0] == ' ') text.remove_prefix(1);

  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }

  if (SkipHexPrefix(text)) {
    if (text.empty()) return std::nullopt;
    // Hexadecimal is a 32-bit pattern: anything up to FFFFFFFF, leading zeros allowed.
    uint32_t value = 0;
    for (char c : text) {
      int digit = HexDigit(c);
      if (digit < 0 || value > 0x0FFFFFFFu) return std::nullopt;
      value = (value << 4) | static_cast<uint32_t>(digit);
    }
    if (negative) value = 0u - value;
    return static_cast<int32_t>(value);
  }

  if (text.empty()) return std::nullopt;
  // Decimal is a signed value: the magnitude may reach 2^31 only when negative.
  const uint32_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
  uint32_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    uint32_t digit = static_cast<uint32_t>(c - '0');
    if (value > (limit - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  if (negative) value = 0u - value;
  return static_cast<int32_t>(value);
}

std::optional<bool> ParseBool(std::string_view text) {
  if (std::optional<int32_t> number = ParseInt32(text)) return *number != 0;
  if (EqualsIgnoringCase(text, "true")) return true;
  if (EqualsIgnoringCase(text, "false")) return false;
  return std::nullopt;
}

}  // namespace platform
