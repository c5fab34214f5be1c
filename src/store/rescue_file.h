// The rescue file: every page, written to the user's data folder when the data file cannot take them.
#pragma once

#include "platform/file_io.h"
#include "store/note_store.h"

namespace store {

// Writes store.Pages in the data file's format, through the atomic write, to a new file
// "tacknote-rescue-<yyyymmddhhmmss>.DAT" in the user's data folder (platform::UserDataDir), stamped by the
// store's clock. Every page goes in: a line "{$BEGIN}" or "{$END}" is written one space to the right, so
// the file reads back with all of its pages. Ok with File naming the file, or the failure in words.
platform::FileResult WriteRescueFile(const TNoteStore& store);

}  // namespace store
