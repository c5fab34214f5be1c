// The recovery file: the unsaved pages kept beside the data file while the program runs, for after a crash.
#pragma once

#include <filesystem>
#include <vector>

#include "platform/file_io.h"
#include "store/memo_data.h"

namespace store {

// A copy of the page list in the data file's format, refreshed while pages are modified and deleted by a
// successful close, so that a crash or a kill loses nothing that was typed before the last refresh.
class TRecoveryFile {
 public:
  explicit TRecoveryFile(std::filesystem::path path) : FPath(std::move(path)) {}

  // The recovery file of a data file: beside it, "<data file name>.recovery".
  static std::filesystem::path PathFor(const std::filesystem::path& dataFile);

  // Writes the pages through the atomic write. While a page holds a line "{$BEGIN}" or "{$END}", which
  // the format cannot hold, nothing is written and the file keeps the last complete list it had:
  // leaving that page out would make a restore drop it, and with it the copy in the data file.
  platform::FileResult Write(const std::vector<TMemoData>& pages) const;

  // True when the file exists and was written after the data file (or there is no data file).
  bool NewerThan(const std::filesystem::path& dataFile) const;

  // Reads the pages back. Fails when the file is missing, cannot be read, holds no page or holds bytes
  // the reader could not place (it is left as it was then).
  platform::FileResult Read(std::vector<TMemoData>& pages) const;

  // Removes the file; one that is not there is no failure.
  platform::FileResult Delete() const;

  const std::filesystem::path& Path() const { return FPath; }

 private:
  std::filesystem::path FPath;
};

}  // namespace store
