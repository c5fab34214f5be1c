// Seeded random damaged input for the converters, the number reader and the profile parser: nothing
// crashes, nothing outside the damage is lost (run under ASan and UBSan too).
#include <gtest/gtest.h>

#include <charconv>
#include <optional>
#include <random>
#include <string>

#include "fuzz/cp932_check.h"
#include "platform/cp932.h"
#include "platform/number_parse.h"
#include "platform/profile_file.h"

namespace {

// Bytes below '?' are never part of a multi-byte character in either encoding, so both conversions
// must carry them over one for one, in order.
std::string LowBytes(const std::string& s) {
  std::string low;
  for (char c : s) {
    if (static_cast<unsigned char>(c) < '?') low += c;
  }
  return low;
}

// Random bytes, half of them drawn from the ones that trouble a converter.
std::string RandomBytes(std::mt19937& random, std::size_t maxSize) {
  static constexpr unsigned char kTricky[] = {0x81, 0x82, 0x9F, 0xE0, 0xEE, 0xFC, 0xFD, 0xFF, 0x80, 0xA0,
                                              0x00, '\r', '\n', 0x40, 0x7E, 0x7F, 0xC2, 0xE3, 0xED, 0xF0};
  std::string s;
  std::size_t size = random() % (maxSize + 1);
  for (std::size_t i = 0; i < size; ++i) {
    s += static_cast<char>(random() % 2 ? kTricky[random() % sizeof kTricky] : random() % 256);
  }
  return s;
}

TEST(MalformedInput, Cp932ConversionsNeverLoseTheUndamagedText) {
  std::mt19937 random(932);
  for (int round = 0; round < 30000; ++round) {
    std::string bytes = RandomBytes(random, 64);
    std::string utf8 = platform::Cp932ToUtf8(bytes);
    ASSERT_TRUE(fuzz::IsWellFormedUtf8(utf8)) << testing::PrintToString(bytes);
    ASSERT_EQ(LowBytes(utf8), LowBytes(bytes)) << testing::PrintToString(bytes);
    ASSERT_EQ(platform::Cp932ToUtf8(platform::Utf8ToCp932(utf8)), utf8) << testing::PrintToString(bytes);

    std::string cp932 = platform::Utf8ToCp932(bytes);
    ASSERT_EQ(LowBytes(cp932), LowBytes(bytes)) << testing::PrintToString(bytes);
    ASSERT_LE(cp932.size(), bytes.size());
  }
}

// The number reader against a second implementation built on std::from_chars.
std::optional<int32_t> ReferenceParse(std::string s) {
  s.erase(0, s.find_first_not_of(' ') == std::string::npos ? s.size() : s.find_first_not_of(' '));
  bool negative = !s.empty() && s[0] == '-';
  if (!s.empty() && (s[0] == '-' || s[0] == '+')) s.erase(0, 1);
  int base = 10;
  if (s.rfind("0x", 0) == 0 || s.rfind("0X", 0) == 0) {
    base = 16;
    s.erase(0, 2);
  } else if (!s.empty() && (s[0] == '$' || s[0] == 'x' || s[0] == 'X')) {
    base = 16;
    s.erase(0, 1);
  }
  if (s.empty() || s[0] == '+' || s[0] == '-') return std::nullopt;
  uint64_t value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, base);
  if (ec != std::errc() || end != s.data() + s.size()) return std::nullopt;
  if (base == 16) {
    if (value > 0xFFFFFFFFull) return std::nullopt;
    auto pattern = static_cast<uint32_t>(value);
    return static_cast<int32_t>(negative ? 0u - pattern : pattern);
  }
  if (value > (negative ? 0x80000000ull : 0x7FFFFFFFull)) return std::nullopt;
  return static_cast<int32_t>(negative ? -static_cast<int64_t>(value) : static_cast<int64_t>(value));
}

TEST(MalformedInput, NumbersAgreeWithAReferenceReader) {
  std::mt19937 random(32);
  const std::string alphabet = " +-$xX0123456789aAfFgG";
  const std::string digits[] = {"2147483647", "2147483648", "4294967295", "FFFFFFFF", "100000000", "0000"};
  for (int round = 0; round < 50000; ++round) {
    std::string text;
    std::size_t size = random() % 12;
    for (std::size_t i = 0; i < size; ++i) {
      if (random() % 8 == 0)
        text += digits[random() % std::size(digits)];
      else
        text += alphabet[random() % alphabet.size()];
    }
    ASSERT_EQ(platform::ParseInt32(text), ReferenceParse(text)) << '"' << text << '"';
  }
}

TEST(MalformedInput, ProfileParserIsStableAndWritesReadBack) {
  std::mt19937 random(2047);
  static constexpr char kAlphabet[] = "[]=;\"' \t\r\n\0aAbBkKsS\x82\xA0\xFF";
  const std::string alphabet(kAlphabet, sizeof kAlphabet - 1);
  const std::string names[] = {"s", "S", "k", "K", "a b", ""};
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    std::size_t size = random() % 200;
    for (std::size_t i = 0; i < size; ++i) text += alphabet[random() % alphabet.size()];

    platform::ProfileFile profile = platform::ProfileFile::Parse(text);
    std::string serialized = profile.Serialize();
    ASSERT_EQ(platform::ProfileFile::Parse(serialized).Serialize(), serialized) << testing::PrintToString(text);

    const std::string& section = names[random() % std::size(names)];
    const std::string& key = names[random() % std::size(names)];
    std::string value = text.substr(0, random() % 20);
    value = value.substr(0, value.find_first_of(std::string("\r\n\0", 3)));
    profile.WriteString(section, key, value);
    ASSERT_EQ(platform::ProfileFile::Parse(profile.Serialize()).ReadString(section, key, "<none>"), value)
        << testing::PrintToString(text) << " " << section << "/" << key << "=" << testing::PrintToString(value);
  }
}

}  // namespace
