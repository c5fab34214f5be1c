// Writing the rescue file: the last place the pages can go when their own file refuses them.
#include "store/rescue_file.h"

#include <exception>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/rescue_folder.h"
#include "store/memo_file.h"

namespace store {

platform::FileResult WriteRescueFile(const TNoteStore& store) {
  try {
    std::vector<TMemoData> pages = store.Pages;
    for (TMemoData& page : pages) {
      if (!CheckSavableText(page.Text)) page.Text = IndentMarkerLines(page.Text);
    }
    std::string bytes;
    int32_t badIndex = -1;
    if (BuildMemoFile(pages, bytes, badIndex) != SaveOk) {
      return platform::FileResult::Failure("cannot write a rescue file: out of memory");
    }
    return platform::WriteRescueCopy(platform::FormatStamp(store.GetClock().Now()), ".DAT", bytes);
  } catch (const std::exception&) {
    return platform::FileResult::Failure("cannot write a rescue file: out of memory");
  }
}

}  // namespace store
