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

// The file's first line, ";このファイルの編集を行うとアプリケーションが正しく動作しなくなる可能性があります。",
// in code page 932; an empty line follows it.
inline constexpr char kCommentLine[] =
    "\x3B\x82\xB1\x82\xCC\x83\x74\x83\x40\x83\x43\x83\x8B\x82\xCC\x95\xD2\x8F\x57\x82\xF0\x8D\x73\x82"
    "\xA4\x82\xC6\x83\x41\x83\x76\x83\x8A\x83\x50\x81\x5B\x83\x56\x83\x87\x83\x93\x82\xAA\x90\xB3\x82"
    "\xB5\x82\xAD\x93\xAE\x8D\xEC\x82\xB5\x82\xC8\x82\xAD\x82\xC8\x82\xE9\x89\xC2\x94\x5C\x90\xAB\x82"
    "\xAA\x82\xA0\x82\xE8\x82\xDC\x82\xB7\x81\x42";

// False when the text holds a line that is exactly "{$BEGIN}" or "{$END}". Lines after a NUL are
// checked too, since the writer keeps them (a NUL is written as a space).
bool CheckSavableText(std::string_view text);

// Splits a header line into fields by the reader's rule (quoted fields with doubled quotes, blanks
// and control characters around fields skipped, double-byte characters stepped whole).
std::vector<std::string> SplitHeaderFields(std::string_view line);

// The header line the writer makes for a page: 17 fields. A CR, LF or NUL in the title or font name is
// written as a space, and blanks, commas and quotes are left out of the bare time stamps, so the line
// always reads back as 17 fields.
std::string FormatHeaderLine(const TMemoData& page);

// Fills the header fields of `page` from 16 or 17 split fields (16: Reserved6 is taken as 255). Returns
// false when a field does not parse; other field counts leave the header at its zero values and succeed.
bool ReadHeaderFields(std::vector<std::string> fields, TMemoData& page);

// The whole file's bytes for a page list (CR LF breaks only; a NUL in a text written as a space), or
// SaveBadText with the first unsavable page's index (badIndex is -1 otherwise), or SaveFailed when
// memory runs out.
TSaveResult BuildMemoFile(const std::vector<TMemoData>& pages, std::string& bytes, int32_t& badIndex);

// Parses a whole data file into `pages` (emptied first). False when a header field does not parse or
// the file has no line at all; the pages read until then are in `pages`. A file without blocks leaves
// `pages` empty: the caller adds the new page.
bool ParseMemoFile(std::string_view bytes, std::vector<TMemoData>& pages);
// The same, and `complete` tells whether every byte found its place: false when the file holds a NUL,
// a line outside the blocks other than empty lines and a first ";" comment line, a header of another
// field count than 16 or 17, a "{$BEGIN}" too near the end to open a block, or a last block without its
// "{$END}". Writing such pages back would lose what the reader dropped.
bool ParseMemoFile(std::string_view bytes, std::vector<TMemoData>& pages, bool& complete);

// The text with every line that is exactly "{$BEGIN}" or "{$END}" moved one space to the right, so that a
// rescue file can hold every page and read back with all of them.
std::string IndentMarkerLines(std::string_view text);

// The data file of one run. Once a file that exists has failed to read, every later save is refused
// with SaveFailed, so the unreadable file is never overwritten. A file read only in part (Damaged) is kept
// as "<name>.bak" beside it before any save may replace it.
class TMemoFile {
 public:
  explicit TMemoFile(std::filesystem::path path) : FPath(std::move(path)) {}

  // Reads the file into store.Pages; a missing file gives one new page. False when the file exists but
  // cannot be read or parsed. A file whose bytes did not all find a place is copied at once to
  // "<stem>.DAT.bak" beside it ("-2", "-3" ... before ".DAT" when that name holds other bytes).
  bool LoadMemoFile(TNoteStore& store);

  // Writes store.Pages: SaveOk; SaveBadText with badIndex set to the page's index (nothing written);
  // SaveFailed when writing failed, the file could not be read at start, or a damaged file's copy could
  // not be made (the old file is left as it was). LastError() then tells why.
  TSaveResult SaveMemoFile(const TNoteStore& store, int32_t& badIndex);
  TSaveResult SaveMemoFile(const TNoteStore& store, int32_t& badIndex, platform::WriteCalls& calls);

  bool ReadFailed() const { return FReadFailed; }
  const std::filesystem::path& Path() const { return FPath; }

  // After SaveFailed: Error in words, File (the file that could not be written) and Reason (the system's
  // reason); SafetyCopy when a write in place stopped half way and the pages sit complete in that copy.
  const platform::FileResult& LastError() const { return FLastError; }

  // After SaveFailed: makes sure the pages are on disk somewhere the user can find them, and returns Ok
  // with File naming it: the copy a write in place already made, or a new rescue file (WriteRescueFile).
  platform::FileResult RescuePages(const TNoteStore& store) const;

  // True when the file read at start held bytes the reader could not place in a page: the window tells
  // the user once, naming DamagedCopy().File, the copy of the file as it was.
  bool Damaged() const { return FDamaged; }
  // Ok with File set once the damaged file's copy exists; the failure while it could not be made.
  const platform::FileResult& DamagedCopy() const { return FDamagedCopy; }

 private:
  bool KeepDamagedOriginal();

  std::filesystem::path FPath;
  bool FReadFailed = false;
  bool FDamaged = false;
  std::string FOriginal;  // a damaged file's bytes until their copy is on disk
  platform::FileResult FDamagedCopy;
  platform::FileResult FLastError;
};

}  // namespace store
