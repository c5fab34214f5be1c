// The data file: every page in one code page 932 text file of {$BEGIN} ... {$END} blocks.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_io.h"
#include "store/note_store.h"

namespace store {

enum TSaveResult : int { SaveOk = 1, SaveBadText = 2, SaveFailed = 3 };

// False when the text holds a line that is exactly "{$BEGIN}" or "{$END}".
bool CheckSavableText(std::string_view text);

// Splits a header line into fields by the reader's rule (quoted fields with doubled quotes, blanks
// and control characters around fields skipped, double-byte characters stepped whole).
std::vector<std::string> SplitHeaderFields(std::string_view line);

// The header line the writer makes for a page: 17 fields.
std::string FormatHeaderLine(const TMemoData& page);

// Fills the header fields of `page` from 16 or 17 split fields (16: Reserved6 is taken as 255). Returns
// false when a field does not parse; other field counts leave the header at its zero values and succeed.
bool ReadHeaderFields(std::vector<std::string> fields, TMemoData& page);

// The whole file's bytes for a page list, or SaveBadText with the first unsavable page's index.
TSaveResult BuildMemoFile(const std::vector<TMemoData>& pages, std::string& bytes, int32_t& badIndex);

// Parses a whole data file into pages. False when a header field does not parse or the file has no
// line at all; the pages read until then are in `pages`.
bool ParseMemoFile(std::string_view bytes, std::vector<TMemoData>& pages);

// The data file of one run. Once a file that exists has failed to read, every later save is refused
// with SaveFailed, so the unreadable file is never overwritten.
class TMemoFile {
 public:
  explicit TMemoFile(std::filesystem::path path) : FPath(std::move(path)) {}

  // Reads the file into store.Pages; a missing file gives one new page. False when the file exists but
  // cannot be read or parsed.
  bool LoadMemoFile(TNoteStore& store);

  // Writes store.Pages: SaveOk; SaveBadText with badIndex set to the page's index (nothing written);
  // SaveFailed when writing failed or the file could not be read at start (old file left as it was).
  TSaveResult SaveMemoFile(const TNoteStore& store, int32_t& badIndex);
  TSaveResult SaveMemoFile(const TNoteStore& store, int32_t& badIndex, platform::WriteCalls& calls);

  bool ReadFailed() const { return FReadFailed; }
  const std::filesystem::path& Path() const { return FPath; }

 private:
  std::filesystem::path FPath;
  bool FReadFailed = false;
};

}  // namespace store
