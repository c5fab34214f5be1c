// The version strings come from the build's configured header rather than from a resource in the file.
#include "dialogs/version_info.h"

#include "dialogs/version_strings.h"

namespace dialogs {

TVersionStrings ReadVersionInfo() {
  return TVersionStrings{TACKNOTE_PRODUCT_NAME, TACKNOTE_FILE_VERSION, TACKNOTE_LEGAL_COPYRIGHT};
}

}  // namespace dialogs
