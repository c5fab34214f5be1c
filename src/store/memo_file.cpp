// Writing and reading the data file: the header line's fields, the {$BEGIN} ... {$END} blocks, and the
// safe save that never leaves a half-written or unreadable file behind.
#include "store/memo_file.h"

#include <algorithm>
#include <exception>
#include <iterator>
#include <optional>
#include <string>
#include <utility>

#include "platform/cp932.h"
#include "platform/line_split.h"
#include "platform/number_parse.h"
#include "store/rescue_file.h"

namespace store {

namespace {

// How one header field is written; reading follows from the field's type.
enum class THeaderEncoding {
  Zero,     // an integer written always as "0"
  Decimal,  // a signed decimal integer
  Boolean,  // "-1" / "0"
  Quoted,   // in double quotes, inner quotes doubled
  Bare,     // as it is, unquoted
};

struct THeaderField {
  THeaderEncoding Encoding;
  int32_t TMemoData::*Integer = nullptr;
  bool TMemoData::*Boolean = nullptr;
  std::string TMemoData::*String = nullptr;
};

// The header line's fields in file order. Reserved6 stands ninth, out of the record's order: the older
// 16-field header lacks it, and the reader inserts it there.
constexpr THeaderField kHeaderFields[] = {
    {.Encoding = THeaderEncoding::Zero, .Integer = &TMemoData::Reserved0},
    {.Encoding = THeaderEncoding::Quoted, .String = &TMemoData::Title},
    {.Encoding = THeaderEncoding::Decimal, .Integer = &TMemoData::Reserved1},
    {.Encoding = THeaderEncoding::Decimal, .Integer = &TMemoData::Reserved2},
    {.Encoding = THeaderEncoding::Decimal, .Integer = &TMemoData::Reserved3},
    {.Encoding = THeaderEncoding::Decimal, .Integer = &TMemoData::Reserved4},
    {.Encoding = THeaderEncoding::Boolean, .Boolean = &TMemoData::ReservedFlag1},
    {.Encoding = THeaderEncoding::Boolean, .Boolean = &TMemoData::ReservedFlag2},
    {.Encoding = THeaderEncoding::Decimal, .Integer = &TMemoData::Reserved6},
    {.Encoding = THeaderEncoding::Decimal, .Integer = &TMemoData::Reserved5},
    {.Encoding = THeaderEncoding::Decimal, .Integer = &TMemoData::FontColor},
    {.Encoding = THeaderEncoding::Quoted, .String = &TMemoData::FontName},
    {.Encoding = THeaderEncoding::Decimal, .Integer = &TMemoData::FontSize},
    {.Encoding = THeaderEncoding::Decimal, .Integer = &TMemoData::FontStyle},
    {.Encoding = THeaderEncoding::Boolean, .Boolean = &TMemoData::WordWrap},
    {.Encoding = THeaderEncoding::Bare, .String = &TMemoData::Created},
    {.Encoding = THeaderEncoding::Bare, .String = &TMemoData::Updated},
};
constexpr std::size_t kHeaderFieldCount = std::size(kHeaderFields);
constexpr std::size_t kOldHeaderFieldCount = kHeaderFieldCount - 1;
constexpr std::size_t kReserved6Position = 8;

constexpr std::string_view kCrLf = kLineBreak;

unsigned char Byte(char c) { return static_cast<unsigned char>(c); }

bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// The length of the character at `pos`: a lead byte and a trail byte are one character. A lead byte
// at the end of the line, or before a byte that cannot trail, stands alone, so a broken character
// never swallows a quote or a comma and never reaches past the line.
std::size_t CharLength(std::string_view line, std::size_t pos) {
  if (platform::IsLeadByte(line[pos]) && pos + 1 < line.size() && IsTrailByte(Byte(line[pos + 1]))) return 2;
  return 1;
}

bool IsBlank(char c) { return Byte(c) <= 0x20; }

// A quoted field's value. A CR, LF or NUL in it would split or end the header line in the file and so
// lose the page's header and mix it into its text; each becomes a space. Such bytes cannot come from the
// file and the program's input boxes do not make them.
void AppendQuoted(std::string& out, std::string_view value) {
  out += '"';
  for (const char c : value) {
    if (c == '"') {
      out += "\"\"";
    } else if (c == '\r' || c == '\n' || c == '\0') {
      out += ' ';
    } else {
      out += c;
    }
  }
  out += '"';
}

// A bare field (the time stamps) must not hold what ends or opens a field when read back (blanks,
// commas, quotes): one would shift every later field and lose the header. Stamps hold only digits, so
// these bytes can come only from a hand-edited file, and they are left out.
void AppendBare(std::string& out, std::string_view value) {
  for (const char c : value) {
    if (!IsBlank(c) && c != ',' && c != '"') out += c;
  }
}

// The page's text as it goes into the file. A NUL would end the whole output under the line rule and
// lose every later page, so it is written as a space: a space keeps the text's length and columns, and
// unlike dropping the NUL it cannot join its neighbours into a marker line or a new double-byte
// character. CheckSavableText looks past NULs for the same reason.
void AppendText(std::string& out, std::string_view text) {
  std::size_t start = 0;
  for (std::size_t nul = text.find('\0'); nul != std::string_view::npos; nul = text.find('\0', start)) {
    out.append(text.substr(start, nul - start));
    out += ' ';
    start = nul + 1;
  }
  out.append(text.substr(start));
}

bool IsMarkerLine(std::string_view line) { return line == kBeginMarker || line == kEndMarker; }

// Calls visit(line, its line break) for each line of a page's text (cut at CR LF, CR and LF, never at a
// NUL) until it returns false; returns false when it did.
template <class Visit>
bool ForEachTextLine(std::string_view text, Visit visit) {
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    std::size_t next = end;
    if (end < text.size()) next = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
    if (!visit(text.substr(start, end - start), text.substr(end, next - end))) return false;
    start = next;
  }
  return true;
}

// The lines [first, end) joined by CR LF, sized once so a page of many lines is built in linear time.
std::string JoinLines(const std::vector<std::string>& lines, std::size_t first, std::size_t end) {
  std::size_t size = 0;
  for (std::size_t i = first; i < end; ++i) size += lines[i].size() + kCrLf.size();
  std::string text;
  text.reserve(size);
  for (std::size_t i = first; i < end; ++i) {
    if (i > first) text += kCrLf;
    text += lines[i];
  }
  return text;
}

}  // namespace

bool CheckSavableText(std::string_view text) {
  // Lines are cut at CR LF, CR and LF only; a NUL does not end the text here because the writer keeps
  // what follows a NUL (see AppendText), so a marker line after one would reach the file.
  return ForEachTextLine(text, [](std::string_view line, std::string_view) { return !IsMarkerLine(line); });
}

std::string IndentMarkerLines(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 16);
  ForEachTextLine(text, [&out](std::string_view line, std::string_view lineBreak) {
    if (IsMarkerLine(line)) out += ' ';
    out.append(line);
    out.append(lineBreak);
    return true;
  });
  return out;
}

std::vector<std::string> SplitHeaderFields(std::string_view line) {
  // A NUL ends the line as it ends every text of the program; it also could not be stepped over below.
  line = line.substr(0, line.find('\0'));
  const std::size_t n = line.size();
  std::size_t p = 0;
  const auto skipBlanks = [&] {
    while (p < n && IsBlank(line[p])) ++p;
  };

  std::vector<std::string> fields;
  fields.reserve(kHeaderFieldCount);
  skipBlanks();
  while (p < n) {
    std::string field;
    if (line[p] == '"') {
      ++p;
      while (p < n) {
        const std::size_t runStart = p;
        while (p < n && line[p] != '"') p += CharLength(line, p);
        field.append(line.substr(runStart, p - runStart));
        if (p == n) break;  // a quote with no partner: the field runs to the end of the line
        if (p + 1 < n && line[p + 1] == '"') {
          field += '"';
          p += 2;
        } else {
          ++p;
          break;
        }
      }
    } else {
      const std::size_t start = p;
      while (p < n && !IsBlank(line[p]) && line[p] != ',') p += CharLength(line, p);
      field.assign(line.substr(start, p - start));
    }
    fields.push_back(std::move(field));
    skipBlanks();
    if (p < n && line[p] == ',') {
      if (p + 1 == n) fields.emplace_back();
      ++p;
      skipBlanks();
    }
  }
  return fields;
}

std::string FormatHeaderLine(const TMemoData& page) {
  std::string line;
  line.reserve(96 + page.Title.size() + page.FontName.size());
  for (const THeaderField& field : kHeaderFields) {
    if (!line.empty()) line += ',';
    switch (field.Encoding) {
      case THeaderEncoding::Zero:
        line += '0';
        break;
      case THeaderEncoding::Decimal:
        line += std::to_string(page.*field.Integer);
        break;
      case THeaderEncoding::Boolean:
        line += page.*field.Boolean ? "-1" : "0";
        break;
      case THeaderEncoding::Quoted:
        AppendQuoted(line, page.*field.String);
        break;
      case THeaderEncoding::Bare:
        AppendBare(line, page.*field.String);
        break;
    }
  }
  return line;
}

bool ReadHeaderFields(std::vector<std::string> fields, TMemoData& page) {
  if (fields.size() == kOldHeaderFieldCount) {
    fields.insert(fields.begin() + kReserved6Position, "255");
  }
  if (fields.size() != kHeaderFieldCount) return true;

  // Filled into a copy so a field that does not parse leaves the page as it was.
  TMemoData read = page;
  for (std::size_t i = 0; i < kHeaderFieldCount; ++i) {
    const THeaderField& field = kHeaderFields[i];
    if (field.Integer != nullptr) {
      const std::optional<int32_t> value = platform::ParseInt32(fields[i]);
      if (!value) return false;
      read.*field.Integer = *value;
    } else if (field.Boolean != nullptr) {
      const std::optional<bool> value = platform::ParseBool(fields[i]);
      if (!value) return false;
      read.*field.Boolean = *value;
    } else {
      read.*field.String = std::move(fields[i]);
    }
  }
  page = std::move(read);
  return true;
}

TSaveResult BuildMemoFile(const std::vector<TMemoData>& pages, std::string& bytes, int32_t& badIndex) {
  badIndex = -1;
  for (std::size_t i = 0; i < pages.size(); ++i) {
    if (!CheckSavableText(pages[i].Text)) {
      badIndex = static_cast<int32_t>(i);
      return SaveBadText;
    }
  }
  try {
    std::size_t size = 256;
    for (const TMemoData& page : pages) size += page.Text.size() + page.Title.size() + page.FontName.size() + 160;
    std::string out;
    out.reserve(size);
    out += kCommentLine;
    out += kCrLf;
    out += kCrLf;
    for (const TMemoData& page : pages) {
      out += kBeginMarker;
      out += kCrLf;
      out += FormatHeaderLine(page);
      out += kCrLf;
      AppendText(out, page.Text);
      out += kCrLf;
      out += kEndMarker;
      out += kCrLf;
    }
    // Going through the line rule once more writes every lone CR or LF of a text as CR LF, so the file
    // holds CR LF breaks only.
    bytes = platform::JoinLinesCrLf(platform::SplitLines(out));
    return SaveOk;
  } catch (const std::exception&) {
    return SaveFailed;
  }
}

bool ParseMemoFile(std::string_view bytes, std::vector<TMemoData>& pages) {
  bool complete = true;
  return ParseMemoFile(bytes, pages, complete);
}

bool ParseMemoFile(std::string_view bytes, std::vector<TMemoData>& pages, bool& complete) {
  complete = true;
  try {
    pages.clear();
    // The line rule ends a text at its first NUL, which would drop every page after one in a damaged
    // or foreign file, and the next save would make that loss permanent. A NUL is read as a space,
    // as the writer writes it.
    std::string withoutNuls;
    if (bytes.find('\0') != std::string_view::npos) {
      complete = false;
      withoutNuls.assign(bytes);
      std::replace(withoutNuls.begin(), withoutNuls.end(), '\0', ' ');
      bytes = withoutNuls;
    }
    const std::vector<std::string> lines = platform::SplitLines(bytes);
    if (lines.empty()) return false;
    const std::size_t n = lines.size();
    std::size_t i = 0;
    while (i < n) {
      if (lines[i] != kBeginMarker || i + 2 >= n) {
        // Outside the blocks a file holds its comment line and empty lines; anything else is text no
        // page takes in, which the next save would drop.
        if (!lines[i].empty() && !(i == 0 && lines[i].front() == ';')) complete = false;
        ++i;
        continue;
      }
      pages.emplace_back();
      std::vector<std::string> fields = SplitHeaderFields(lines[i + 1]);
      if (fields.size() != kHeaderFieldCount && fields.size() != kOldHeaderFieldCount) complete = false;
      if (!ReadHeaderFields(std::move(fields), pages.back())) return false;
      // The first text line is taken whatever it holds, so a block without a text line takes its own
      // "{$END}" and runs on to the next one.
      const std::size_t first = i + 2;
      std::size_t end = first + 1;
      while (end < n && lines[end] != kEndMarker) ++end;
      // A block that runs to the end of the file was most likely cut short there.
      if (end == n) complete = false;
      pages.back().Text = JoinLines(lines, first, end);
      i = end + 1;  // past the "{$END}" line
    }
    return true;
  } catch (const std::exception&) {
    return false;
  }
}

bool TMemoFile::LoadMemoFile(TNoteStore& store) {
  store.Pages.clear();
  FDamaged = false;
  FOriginal = std::string();
  FDamagedCopy = platform::FileResult::Success();
  // Any failure but a missing file means a file is there that we could not take in whole; remembering
  // it keeps every later save from overwriting it.
  try {
    std::string bytes;
    const platform::FileResult read = platform::ReadWholeFile(FPath, bytes);
    if (!read.Ok && read.Missing) return store.AddNewPage();
    bool complete = true;
    if (!read.Ok || !ParseMemoFile(bytes, store.Pages, complete)) {
      FReadFailed = true;
      return false;
    }
    if (!complete) {
      FDamaged = true;
      FOriginal = std::move(bytes);
      KeepDamagedOriginal();
    }
  } catch (const std::exception&) {
    FReadFailed = true;
    return false;
  }
  if (store.Pages.empty()) return store.AddNewPage();
  return true;
}

bool TMemoFile::KeepDamagedOriginal() {
  if (!FDamaged || (FDamagedCopy.Ok && !FDamagedCopy.File.empty())) return true;
  const std::filesystem::path folder = FPath.parent_path().empty() ? "." : FPath.parent_path();
  const std::string ext = FPath.extension().string() + ".bak";
  FDamagedCopy = platform::WriteNewFile(folder, FPath.stem().string(), ext, FOriginal, true);
  if (!FDamagedCopy.Ok) return false;
  FOriginal = std::string();
  return true;
}

TSaveResult TMemoFile::SaveMemoFile(const TNoteStore& store, int32_t& badIndex) {
  platform::WriteCalls calls;
  return SaveMemoFile(store, badIndex, calls);
}

TSaveResult TMemoFile::SaveMemoFile(const TNoteStore& store, int32_t& badIndex, platform::WriteCalls& calls) {
  badIndex = -1;
  FLastError = platform::FileResult::Success();
  if (FReadFailed) {
    FLastError = platform::FileResult::Failure("cannot write", FPath, "the file could not be read at start");
    return SaveFailed;
  }
  try {
    std::string bytes;
    const TSaveResult built = BuildMemoFile(store.Pages, bytes, badIndex);
    if (built != SaveOk) {
      if (built == SaveFailed) FLastError = platform::FileResult::Failure("cannot write", FPath, "out of memory");
      return built;
    }
    // The file as it was must be safe before the first save replaces what the reader could not place.
    if (!KeepDamagedOriginal()) {
      FLastError = FDamagedCopy;
      return SaveFailed;
    }
    FLastError = platform::WriteFileAtomically(FPath, bytes, calls);
    return FLastError.Ok ? SaveOk : SaveFailed;
  } catch (const std::exception&) {
    FLastError = platform::FileResult::Failure("cannot write", FPath, "out of memory");
    return SaveFailed;
  }
}

platform::FileResult TMemoFile::RescuePages(const TNoteStore& store) const {
  if (!FLastError.Ok && !FLastError.SafetyCopy.empty()) {
    platform::FileResult copy = platform::FileResult::Success();
    copy.File = FLastError.SafetyCopy;
    return copy;
  }
  return WriteRescueFile(store);
}

}  // namespace store
