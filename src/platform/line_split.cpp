// The line rule shared by the data file, the settings file and the text checks, in one linear pass.
#include "platform/line_split.h"

#include <cstring>

namespace platform {

namespace {

// Finds line breaks with memchr (multi-megabyte files are common) while remembering the next CR and
// the next LF separately, so a file that uses only one kind of break is still scanned once, not once
// per line.
class BreakScanner {
 public:
  // Members are declared so that FEnd is set before Find runs.
  BreakScanner(const char* begin, const char* end)
      : FEnd(end), FNextCr(Find(begin, '\r')), FNextLf(Find(begin, '\n')) {}

  // The first CR or LF at or after `p`; the end when there is none.
  const char* Next(const char* p) {
    if (FNextCr < p) FNextCr = Find(p, '\r');
    if (FNextLf < p) FNextLf = Find(p, '\n');
    return FNextCr < FNextLf ? FNextCr : FNextLf;
  }

  // Steps over the break at `p` (CR LF counts as one).
  const char* After(const char* p) const {
    if (*p == '\r' && p + 1 < FEnd && p[1] == '\n') return p + 2;
    return p + 1;
  }

 private:
  const char* Find(const char* p, char c) const {
    const void* hit = std::memchr(p, c, static_cast<std::size_t>(FEnd - p));
    return hit ? static_cast<const char*>(hit) : FEnd;
  }

  const char* FEnd;
  const char* FNextCr;
  const char* FNextLf;
};

}  // namespace

std::size_t ForEachLine(std::string_view text, const std::function<void(std::string_view line)>& line) {
  std::size_t nul = text.find('\0');
  if (nul != std::string_view::npos) text = text.substr(0, nul);
  const char* const begin = text.data();
  const char* const end = begin + text.size();
  std::size_t count = 0;
  BreakScanner scanner(begin, end);
  for (const char* p = begin; p < end;) {
    const char* brk = scanner.Next(p);
    line(std::string_view(p, static_cast<std::size_t>(brk - p)));
    ++count;
    if (brk == end) break;
    p = scanner.After(brk);
  }
  return count;
}

std::vector<std::string> SplitLines(std::string_view text) {
  // Counting first lets the vector be allocated once, which halves peak memory on huge files.
  std::vector<std::string> lines;
  lines.reserve(ForEachLine(text, [](std::string_view) {}));
  ForEachLine(text, [&lines](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

std::string JoinLinesCrLf(const std::vector<std::string>& lines) {
  std::size_t size = 0;
  for (const std::string& line : lines) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

}  // namespace platform
