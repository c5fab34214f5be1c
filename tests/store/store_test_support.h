// Helpers the store tests share: the platform tests' file helpers, and building and reading data
// files that are expected to succeed.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "platform/temp_dir.h"
#include "store/memo_file.h"
#include "store/note_store.h"

namespace store_test {

using platform_test::FaultyCalls;
using platform_test::ReadBytes;
using platform_test::TempDir;
using platform_test::WriteBytes;

inline std::string Build(const std::vector<store::TMemoData>& pages) {
  std::string bytes;
  int32_t badIndex = -2;
  EXPECT_EQ(store::BuildMemoFile(pages, bytes, badIndex), store::SaveOk);
  EXPECT_EQ(badIndex, -1);
  return bytes;
}

inline std::vector<store::TMemoData> Parse(std::string_view bytes) {
  std::vector<store::TMemoData> pages;
  EXPECT_TRUE(store::ParseMemoFile(bytes, pages));
  return pages;
}

inline store::TMemoData PageWithText(std::string text) {
  store::TMemoData page = store::BuiltInDefaultMemo();
  page.Text = std::move(text);
  return page;
}

}  // namespace store_test
