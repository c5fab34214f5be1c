// The one preamble of the store tests: a scratch folder for the data and settings files, a rescue folder
// of their own, a clock stopped at 2024-05-06 07:08:09 and a page list, with building and reading data
// files that are expected to succeed.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/clock.h"
#include "store/memo_file.h"
#include "store/note_store.h"
#include "support/failure_injection.h"
#include "support/temp_dir.h"

namespace store_test {

using namespace test_support;
using store::TMemoData;
using Texts = std::vector<std::string>;

inline std::string Build(const std::vector<TMemoData>& pages) {
  std::string bytes;
  int32_t badIndex = -2;
  EXPECT_EQ(store::BuildMemoFile(pages, bytes, badIndex), store::SaveOk);
  EXPECT_EQ(badIndex, -1);
  return bytes;
}

inline std::vector<TMemoData> Parse(std::string_view bytes) {
  std::vector<TMemoData> pages;
  EXPECT_TRUE(store::ParseMemoFile(bytes, pages));
  return pages;
}

// A file written as its lines: "|" is CR LF, <H> a header of 17 fields, <O> the older one of 16, <X> one
// whose third field does not parse, <0> a NUL.
inline std::string FileOf(std::string shape) {
  const std::pair<std::string_view, std::string_view> kPieces[] = {
      {"|", "\r\n"},
      {"<H>", "0,\"t\",0,0,0,0,-1,0,255,16777215,0,\"f\",10,0,0,,"},
      {"<O>", "0,\"t\",0,0,0,0,-1,0,16777215,0,\"f\",10,0,0,1,2"},
      {"<X>", "0,\"t\",x,0,0,0,-1,0,255,0,0,\"f\",10,0,0,,"},
      {"<0>", std::string_view("", 1)},
  };
  for (const auto& [from, to] : kPieces) {
    for (std::size_t at = shape.find(from); at != std::string::npos; at = shape.find(from, at + to.size()))
      shape.replace(at, from.size(), to);
  }
  return shape;
}

// A page of the built-in defaults holding `text`.
inline TMemoData Page(std::string text) {
  TMemoData page = store::BuiltInDefaultMemo();
  page.Text = std::move(text);
  return page;
}

inline Texts TextsOf(const std::vector<TMemoData>& pages) {
  Texts texts;
  for (const TMemoData& page : pages) texts.push_back(page.Text);
  return texts;
}

class StoreTest : public ::testing::Test {
 protected:
  TempDir FDir, FData;
  ScopedEnv FDataHome{"XDG_DATA_HOME", FData.Path().c_str()};
  platform::FixedClock FClock{{2024, 5, 6, 7, 8, 9}};
  store::TNoteStore FStore{FClock};
  std::filesystem::path FDat = FDir / "TACKNOTE.DAT";
  std::filesystem::path FIni = FDir / "TACKNOTE.INI";

  void SetPages(std::initializer_list<std::string> texts) {
    FStore.Pages.clear();
    for (const std::string& text : texts) FStore.Pages.push_back(Page(text));
  }
  // Saves the page list; a save that is not refused for its text reports no page.
  store::TSaveResult Save(store::TMemoFile& file, platform::WriteCalls&& calls = platform::WriteCalls()) {
    int32_t badIndex = 7;
    const store::TSaveResult result = file.SaveMemoFile(FStore, badIndex, calls);
    EXPECT_TRUE(result == store::SaveBadText || badIndex == -1) << badIndex;
    return result;
  }
};

}  // namespace store_test
