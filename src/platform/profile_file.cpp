// Profile (INI) files read and written the way the Windows profile functions do, keeping every other line.
#include "platform/profile_file.h"

#include <optional>

#include "platform/concat.h"
#include "platform/cp932.h"
#include "platform/line_split.h"
#include "platform/number_parse.h"

namespace platform {

namespace {

// The longest value a read returns: what fits in the 2048-byte buffer the Windows program reads into.
constexpr std::size_t kMaxValueBytes = 2047;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view Trim(std::string_view s) {
  s = TrimLeft(s);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

enum class LineKind { Other, Comment, Section, Key };

// What one line of the file means. Views point into the line.
struct LineInfo {
  LineKind Kind = LineKind::Other;
  std::string_view Name;   // section or key name, trimmed
  std::string_view Value;  // key value, trimmed, quotes still on
};

LineInfo Classify(std::string_view line) {
  LineInfo info;
  std::string_view t = TrimLeft(line);
  if (t.empty()) return info;
  if (t.front() == ';') {
    info.Kind = LineKind::Comment;
    return info;
  }
  if (t.front() == '[') {
    std::size_t close = t.find(']');
    // A "[" without its "]" is no section header; it is read like any other line below.
    if (close != std::string_view::npos) {
      info.Kind = LineKind::Section;
      info.Name = Trim(t.substr(1, close - 1));
      return info;
    }
  }
  std::size_t equals = t.find('=');
  if (equals == std::string_view::npos) return info;
  info.Kind = LineKind::Key;
  info.Name = Trim(t.substr(0, equals));
  info.Value = Trim(t.substr(equals + 1));
  return info;
}

// The profile's own line rule: that of every other file (CR LF, lone CR, lone LF), except that a NUL
// byte is kept as a byte, so that a stray NUL never costs the lines after it when the file is written back.
std::vector<std::string> SplitProfileLines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c != '\r' && c != '\n') continue;
    lines.emplace_back(text.substr(start, i - start));
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < text.size()) lines.emplace_back(text.substr(start));
  return lines;
}

// The value a read returns: one pair of enclosing quotes off, then cut to the buffer size without
// leaving half of a double-byte character at the end.
std::string FinishValue(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  if (value.size() > kMaxValueBytes) {
    std::size_t i = 0;
    while (i < kMaxValueBytes) {
      std::size_t step = IsLeadByte(value[i]) && i + 1 < value.size() ? 2 : 1;
      if (i + step > kMaxValueBytes) break;
      i += step;
    }
    value = value.substr(0, i);
  }
  return std::string(value);
}

// A name or value is one line of the file: anything from a line break (or NUL) on would otherwise
// become lines, and keys, of their own.
std::string_view OneLine(std::string_view s) { return s.substr(0, s.find_first_of(std::string_view("\r\n\0", 3))); }

// A value that a read would change (blanks around it, or enclosing quotes) is written in double quotes,
// which every reader of the file strips again, so it reads back as written.
std::string ValueForWriting(std::string_view value) {
  bool blankEdge = !value.empty() && (IsBlank(value.front()) || IsBlank(value.back()));
  bool quoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
  if (blankEdge || quoted) return Concat("\"", value, "\"");
  return std::string(value);
}

}  // namespace

FileResult ProfileFile::Load(const std::filesystem::path& path, ProfileFile& out) {
  std::string bytes;
  FileResult result = ReadWholeFile(path, bytes);
  if (!result.Ok) {
    if (!result.Missing) return result;
    out = ProfileFile();
    return FileResult::Success();
  }
  out = Parse(bytes);
  return FileResult::Success();
}

ProfileFile ProfileFile::Parse(std::string_view text) {
  ProfileFile profile;
  profile.FLines = SplitProfileLines(text);
  return profile;
}

std::string ProfileFile::ReadString(std::string_view section, std::string_view key,
                                    std::string_view defaultValue) const {
  bool inSection = false;
  for (const std::string& line : FLines) {
    LineInfo info = Classify(line);
    if (info.Kind == LineKind::Section) {
      // Only the first section of that name counts, as on Windows.
      if (inSection) break;
      inSection = SameName(info.Name, section);
    } else if (inSection && info.Kind == LineKind::Key && SameName(info.Name, key)) {
      return FinishValue(info.Value);
    }
  }
  return std::string(defaultValue);
}

int32_t ProfileFile::ReadInteger(std::string_view section, std::string_view key, int32_t defaultValue) const {
  std::string text = ReadString(section, key, "");
  if (text.empty()) return defaultValue;
  return ParseInt32(text).value_or(defaultValue);
}

bool ProfileFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  return ReadInteger(section, key, defaultValue ? 1 : 0) != 0;
}

void ProfileFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  section = OneLine(section);
  key = OneLine(key);
  const std::string written = ValueForWriting(OneLine(value));

  std::optional<std::size_t> header;
  for (std::size_t i = 0; i < FLines.size() && !header; ++i) {
    LineInfo info = Classify(FLines[i]);
    if (info.Kind == LineKind::Section && SameName(info.Name, section)) header = i;
  }
  if (!header) {
    FLines.push_back(Concat("[", section, "]"));
    FLines.push_back(Concat(key, "=", written));
    return;
  }

  std::size_t insertAt = *header + 1;
  for (std::size_t i = *header + 1; i < FLines.size(); ++i) {
    LineInfo info = Classify(FLines[i]);
    if (info.Kind == LineKind::Section) break;
    if (info.Kind != LineKind::Key) continue;
    if (SameName(info.Name, key)) {
      // The key keeps the spelling the file gave it.
      FLines[i] = Concat(info.Name, "=", written);
      return;
    }
    insertAt = i + 1;
  }
  FLines.insert(FLines.begin() + static_cast<std::ptrdiff_t>(insertAt), Concat(key, "=", written));
}

void ProfileFile::WriteInteger(std::string_view section, std::string_view key, int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void ProfileFile::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteString(section, key, value ? "1" : "0");
}

std::string ProfileFile::Serialize() const { return JoinLinesCrLf(FLines); }

FileResult ProfileFile::Save(const std::filesystem::path& path) const {
  WriteCalls calls;
  return Save(path, calls);
}

FileResult ProfileFile::Save(const std::filesystem::path& path, WriteCalls& calls) const {
  FileResult result = WriteFileAtomically(path, Serialize(), calls);
  // The message is the platform's own; the system's reason and any safety copy stay for the caller.
  if (!result.Ok) result.Error = Concat(path.string(), " に書き込めません");
  return result;
}

}  // namespace platform
