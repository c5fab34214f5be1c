// The version strings the About tab shows.
#pragma once

#include <string>

namespace dialogs {

struct TVersionStrings {
  std::string ProductName;
  std::string FileVersion;
  std::string LegalCopyright;
};

// The strings compiled into the program (UTF-8).
TVersionStrings ReadVersionInfo();

}  // namespace dialogs
