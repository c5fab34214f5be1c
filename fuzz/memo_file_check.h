// The data file's fuzz property, shared by the fuzz target and the test that makes its seeds: whatever
// the reader takes in, the writer writes out, and that reads back whole to the same pages and bytes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/memo_file.h"

namespace fuzz {

// Empty when the property holds for `bytes`, else what broke.
inline std::string CheckMemoFile(std::string_view bytes) {
  std::vector<store::TMemoData> pages;
  bool complete = false;
  if (!store::ParseMemoFile(bytes, pages, complete)) return {};
  std::string written;
  int32_t badIndex = -1;
  const store::TSaveResult built = store::BuildMemoFile(pages, written, badIndex);
  if (built == store::SaveBadText) {
    // Only a text holding a marker line may be refused, and the reader makes those only from a block
    // that lacks its text line; the rescue writer must take it all the same.
    if (store::CheckSavableText(pages[static_cast<std::size_t>(badIndex)].Text)) return "refused a savable page";
    for (store::TMemoData& page : pages) page.Text = store::IndentMarkerLines(page.Text);
    if (store::BuildMemoFile(pages, written, badIndex) != store::SaveOk) return "indented pages still refused";
  } else if (built != store::SaveOk) {
    return "the writer failed";
  }
  std::vector<store::TMemoData> again;
  if (!store::ParseMemoFile(written, again, complete)) return "the written file does not read";
  if (!complete) return "the written file does not read whole";
  if (again.size() != pages.size()) return "the written file has another number of pages";
  std::string rewritten;
  if (store::BuildMemoFile(again, rewritten, badIndex) != store::SaveOk) return "the read-back pages are refused";
  if (rewritten != written) return "writing the read-back pages changes the file";
  return {};
}

}  // namespace fuzz
