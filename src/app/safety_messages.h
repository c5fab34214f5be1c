// The messages that tell the user where their pages went when a file could not be written or read whole,
// and the question that offers the pages a crash left behind.
#pragma once

#include <QString>

#include <filesystem>

#include "platform/file_io.h"

namespace app {

// A failure's reason for the user: the system's reason in Japanese with its own words after it in
// parentheses ("ディスクの空き容量が足りません (No space left on device)"), or only its own words when the
// program has no Japanese for it.
QString ReasonText(const platform::FileResult& failure);

// The data file could not be written at close. `failure` is the save's error; `rescue` where the pages
// went instead (Ok with File), or why they could not go there either.
QString SaveFailedMessage(const std::filesystem::path& dataFile, const platform::FileResult& failure,
                          const platform::FileResult& rescue);

// The settings file could not be written: its path with " に書き込めません", then the reason.
QString SettingsFailedMessage(const platform::FileResult& failure);

// Told once at start when the data file held bytes the reader could not place: where the untouched copy
// is, or why there is none yet.
QString DamagedFileMessage(const platform::FileResult& copy);

// Asked at start when a crash left pages that were never saved.
extern const QString kRecoveryQuestion;

}  // namespace app
