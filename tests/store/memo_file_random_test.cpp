// Randomized tests of the data file: writer-to-reader round trips and a flood of malformed inputs.
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "store/memo_file.h"

namespace store {
namespace {

class TRandom {
 public:
  explicit TRandom(uint32_t seed) : FEngine(seed) {}
  // A number in [0, n).
  std::size_t Below(std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(FEngine); }
  bool Chance(int percent) { return Below(100) < static_cast<std::size_t>(percent); }
  int32_t AnyInt32() {
    switch (Below(4)) {
      case 0:
        return static_cast<int32_t>(Below(300)) - 150;
      case 1:
        return Chance(50) ? INT32_MIN : INT32_MAX;
      default:
        return static_cast<int32_t>(std::uniform_int_distribution<uint32_t>()(FEngine));
    }
  }
  template <class T, std::size_t N>
  const T& Pick(const T (&items)[N]) {
    return items[Below(N)];
  }
  template <class T>
  const T& Pick(const std::vector<T>& items) {
    return items[Below(items.size())];
  }

 private:
  std::mt19937 FEngine;
};

// Pieces that title and text bytes are made of: the bytes the format treats specially and double-byte
// characters, a 5C trail byte and lone lead bytes among them.
constexpr std::string_view kTitlePieces[] = {
    "a",        "Z",    "\"",   "\"\"", ",",      " ", "  ",   "\t",      "\x96\xB3\x91\xE8",
    "\x95\x5C", "\x81", "\xFC", "0",    "{$END}", "'", "\x7F", "\xA0\xDF"};
constexpr std::string_view kLinePieces[] = {"abc",       " ",       "\"", ",",  "\x82\xA0", "\x83\x5C", "\x81",
                                            "{$BEGIN} ", " {$END}", "\t", "12", "\xE0",     "\x1A",     "xyz"};
constexpr std::string_view kBreaks[] = {"\r\n", "\r\n", "\r", "\n"};

std::string RandomTitle(TRandom& random) {
  std::string title;
  for (std::size_t n = random.Below(8); n > 0; --n) title += random.Pick(kTitlePieces);
  return title;
}

std::string RandomText(TRandom& random) {
  std::string text;
  const std::size_t lines = random.Below(10);
  for (std::size_t i = 0; i < lines; ++i) {
    if (i > 0) text += random.Pick(kBreaks);
    for (std::size_t n = random.Below(6); n > 0; --n) text += random.Pick(kLinePieces);
    if (random.Chance(2)) text += '\0';
    if (random.Chance(1)) text += random.Chance(50) ? "{$BEGIN}" : "{$END}";  // may make a marker line
  }
  if (lines > 0 && random.Chance(30)) text += random.Pick(kBreaks);
  return text;
}

std::string RandomStamp(TRandom& random) {
  std::string stamp;
  for (std::size_t n = random.Chance(20) ? 0 : random.Below(15); n > 0; --n)
    stamp += static_cast<char>('0' + random.Below(10));
  return stamp;
}

// Braced initializers run in order, so the page comes out the same for the same seed.
TMemoData RandomPage(TRandom& random) {
  return {random.AnyInt32(),   RandomTitle(random), random.AnyInt32(), random.AnyInt32(), random.AnyInt32(),
          random.AnyInt32(),   random.Chance(50),   random.Chance(50), random.AnyInt32(), random.AnyInt32(),
          RandomTitle(random), random.AnyInt32(),   random.AnyInt32(), random.Chance(50), random.AnyInt32(),
          RandomStamp(random), RandomStamp(random), RandomText(random)};
}

// What a text comes back as: every break CR LF, every NUL a space.
std::string NormalizedText(std::string_view text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      out += "\r\n";
    } else {
      out += text[i] == '\0' ? ' ' : text[i];
    }
  }
  return out;
}

bool HasMarkerLine(std::string_view normalized) {
  std::size_t start = 0;
  while (true) {
    const std::size_t end = normalized.find("\r\n", start);
    const std::string_view line = normalized.substr(start, end == std::string_view::npos ? end : end - start);
    if (line == "{$BEGIN}" || line == "{$END}") return true;
    if (end == std::string_view::npos) return false;
    start = end + 2;
  }
}

TEST(MemoFileRandomTest, EveryWrittenPageListReadsBack) {
  TRandom random(20240131);
  int saved = 0;
  int refused = 0;
  for (int round = 0; round < 10000; ++round) {
    std::vector<TMemoData> pages(random.Below(6));
    for (TMemoData& page : pages) page = RandomPage(random);

    std::vector<TMemoData> expected = pages;
    int32_t expectedBad = -1;
    for (std::size_t i = 0; i < expected.size(); ++i) {
      expected[i].Reserved0 = 0;
      expected[i].Text = NormalizedText(expected[i].Text);
      if (expectedBad < 0 && HasMarkerLine(expected[i].Text)) expectedBad = static_cast<int32_t>(i);
    }

    std::string bytes;
    int32_t badIndex = -2;
    const TSaveResult result = BuildMemoFile(pages, bytes, badIndex);
    ASSERT_EQ(badIndex, expectedBad) << "round " << round;
    if (expectedBad >= 0) {
      ASSERT_EQ(result, SaveBadText);
      ++refused;
      continue;
    }
    ASSERT_EQ(result, SaveOk);
    // Every line ends with CR LF, whatever breaks the texts used (the reader would accept lone ones).
    for (std::size_t at = bytes.find_first_of("\r\n"); at != std::string::npos;
         at = bytes.find_first_of("\r\n", at + 2)) {
      ASSERT_EQ(bytes.compare(at, 2, "\r\n"), 0) << "round " << round;
    }
    std::vector<TMemoData> back;
    bool complete = false;
    ASSERT_TRUE(ParseMemoFile(bytes, back, complete)) << "round " << round;
    ASSERT_TRUE(complete) << "round " << round;
    ASSERT_EQ(back, expected) << "round " << round;
    ++saved;
  }
  // Both outcomes must really have been exercised.
  EXPECT_GT(saved, 8000);
  EXPECT_GT(refused, 50);
}

// Inputs the reader meets only from damaged or hand-edited files: random bytes, a soup of the format's
// tokens, a file the writer made and then cut short, overwritten or spliced, and now and then one
// huge line.
std::string MalformedInput(TRandom& random, int index, const std::vector<std::string>& intactFiles) {
  static constexpr std::string_view kTokens[] = {"{$BEGIN}",
                                                 "{$END}",
                                                 "\r\n",
                                                 "\r",
                                                 "\n",
                                                 std::string_view("\0", 1),
                                                 "\"",
                                                 "\"\"",
                                                 ",",
                                                 " ",
                                                 "0",
                                                 "-1",
                                                 "255",
                                                 "$7FFFFFFF",
                                                 "0x",
                                                 "True",
                                                 "x",
                                                 "\x81",
                                                 "\xFC",
                                                 "\x82\xA0",
                                                 "{$BEGIN}\r\n",
                                                 "{$END}\r\n",
                                                 "0,\"t\",0,0,0,0,-1,0,255,16777215,0,\"f\",10,0,0,1,2\r\n",
                                                 "0,\"t\",0,0,0,0,-1,0,16777215,0,\"f\",10,0,0,1,2\r\n"};
  std::string bytes;
  if (index % 50000 == 0) {
    bytes = random.Chance(50) ? "{$BEGIN}\r\n\"" : "{$BEGIN}\r\n";
    bytes.append(1024 * 1024, random.Chance(50) ? ',' : 'a').append("\r\n").append(1024 * 1024, '\x81');
    return bytes;
  }
  switch (random.Below(4)) {
    case 0:
      for (std::size_t n = random.Below(200); n > 0; --n) bytes += static_cast<char>(random.Below(256));
      return bytes;
    case 1:
      for (std::size_t n = random.Below(40); n > 0; --n) bytes += random.Pick(kTokens);
      if (random.Chance(20)) bytes += "\x81";  // a lone lead byte at the very end
      return bytes;
    default:
      bytes = random.Pick(intactFiles);
      for (std::size_t n = 1 + random.Below(4); n > 0; --n) {
        const std::size_t at = random.Below(bytes.size() + 1);
        switch (random.Below(4)) {
          case 0:
            bytes.resize(at);
            break;
          case 1:
            if (at < bytes.size()) bytes[at] = static_cast<char>(random.Below(256));
            break;
          case 2:
            bytes.insert(at, random.Chance(50) ? "{$BEGIN}\r\n" : "{$END}\r\n");
            break;
          default:
            bytes.insert(at, 1, random.Pick({'\0', '\r', '\n', '"', ',', '\x81'}));
        }
      }
      return bytes;
  }
}

// Whatever the reader takes in, the writer writes out again, and that file reads back to the same
// pages: reading damaged input never yields pages the program cannot keep. The write-back is checked on
// every fourth input so the test stays fast under the sanitizers.
TEST(MemoFileRandomTest, MalformedInputsNeitherCrashNorHang) {
  TRandom random(7);
  std::vector<std::string> intactFiles;  // made once; damaging a copy is what varies
  while (intactFiles.size() < 500) {
    std::vector<TMemoData> pages(1 + random.Below(3));
    for (TMemoData& page : pages) page = RandomPage(random);
    std::string bytes;
    int32_t badIndex = -1;
    if (BuildMemoFile(pages, bytes, badIndex) == SaveOk) intactFiles.push_back(std::move(bytes));
  }
  int parsed = 0;
  int rewrittenCount = 0;
  for (int index = 0; index < 100000; ++index) {
    const std::string bytes = MalformedInput(random, index, intactFiles);
    std::vector<TMemoData> pages;
    if (!ParseMemoFile(bytes, pages)) continue;
    ++parsed;
    if (index % 4 != 0) continue;
    std::string written;
    int32_t badIndex = -1;
    if (BuildMemoFile(pages, written, badIndex) != SaveOk) continue;
    std::vector<TMemoData> again;
    ASSERT_TRUE(ParseMemoFile(written, again)) << "input " << index;
    std::string rewritten;
    ASSERT_EQ(BuildMemoFile(again, rewritten, badIndex), SaveOk) << "input " << index;
    ASSERT_EQ(rewritten, written) << "input " << index;
    ++rewrittenCount;
  }
  EXPECT_GT(parsed, 30000);
  EXPECT_GT(rewrittenCount, 5000);
}

}  // namespace
}  // namespace store
