// Tests of the data file's bytes: the example block, the header line's fields, and the writer's and
// reader's edge cases.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cp932.h"
#include "store_test_support.h"
#include "support/case_table.h"

namespace store {
namespace {

using namespace store_test;
using Fields = std::vector<std::string>;
using test_support::Rows;
using test_support::TRow;

TEST(MemoFileBytesTest, NewPageAtEndOfJanuaryIsWrittenAsTheExampleBlock) {
  platform::FixedClock clock({2024, 1, 31, 23, 59, 59});
  TNoteStore store(clock);
  ASSERT_TRUE(store.AddNewPage());
  // What the New command does with the page it adds.
  store.Pages[0].Title = std::string(kDefaultTitle) + " " + platform::FormatTitleStamp(clock.Now());
  store.Pages[0].Text = "abc\r\ndef";
  const std::string expected =
      platform::Utf8ToCp932(";このファイルの編集を行うとアプリケーションが正しく動作しなくなる可能性があります。") +
      "\r\n\r\n{$BEGIN}\r\n"
      "0,\"\x96\xB3\x91\xE8 2024/01/31 23:59:59\",0,0,0,0,-1,0,255,16777215,0,"
      "\"\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E\",10,0,0,20240131235959,20240131235959\r\n"
      "abc\r\ndef\r\n{$END}\r\n";
  EXPECT_EQ(Build(store.Pages), expected);
  EXPECT_EQ(Parse(expected), store.Pages);
}

TEST(HeaderFieldsTest, SplitFollowsTheReadersRule) {
  for (const TRow& row : Rows("store.txt", "split")) {
    Fields expected;
    for (std::size_t i = 1; i < row.Size(); ++i) expected.push_back(row.Text(i));
    EXPECT_EQ(SplitHeaderFields(row.Text(0)), expected) << row.Where();
  }
}

// A header line read into a page and written back; with a field that does not parse the read fails and
// the page keeps every field it had.
TEST(HeaderFieldsTest, ReadAndWrittenBackOrFailingWithThePageKept) {
  for (const TRow& row : Rows("store.txt", "header")) {
    TMemoData page = Page("kept");
    const bool read = ReadHeaderFields(SplitHeaderFields(row.Text(0)), page);
    if (row[1] == "fail") {
      EXPECT_FALSE(read) << row.Where();
      EXPECT_EQ(page, Page("kept")) << row.Where();
    } else {
      EXPECT_TRUE(read) << row.Where();
      EXPECT_EQ(FormatHeaderLine(page), row.Text(1)) << row.Where();
    }
  }
}

// A header of another field count leaves every header field at its zero value: empty strings, 0, false.
TEST(HeaderFieldsTest, EveryOtherFieldCountLeavesTheHeaderAtZero) {
  for (int count = 0; count <= 40; ++count) {
    std::string header;
    for (int i = 0; i < count; ++i) header += i == 0 ? "7" : ",7";
    const std::vector<TMemoData> pages = Parse(FileOf("{$BEGIN}|" + header + "|text|{$END}|"));
    ASSERT_EQ(pages.size(), 1u) << count;
    const TMemoData expected =
        count == 16 || count == 17
            ? TMemoData{7, "7", 7, 7, 7, 7, true, true, 7, 7, "7", 7, 7, true, count == 16 ? 255 : 7, "7", "7", "text"}
            : TMemoData{0, "", 0, 0, 0, 0, false, false, 0, 0, "", 0, 0, false, 0, "", "", "text"};
    EXPECT_EQ(pages[0], expected) << count;
  }
}

TEST(MemoFileWriterTest, OnlyExactMarkerLinesMakeAPageUnsavable) {
  for (const TRow& row : Rows("store.txt", "savable"))
    EXPECT_EQ(CheckSavableText(row.Text(0)), row.Int(1) != 0) << row.Where();
  EXPECT_EQ(IndentMarkerLines("{$END}\r\na\n{$BEGIN}\r {$END}"), " {$END}\r\na\n {$BEGIN}\r {$END}");
}

// A NUL, CR or LF written as it is would end the header or the text early and lose every later page;
// the writer puts a space in its place. A stamp a hand-edited file quoted loses what would shift fields.
TEST(MemoFileWriterTest, BytesThatWouldEndOrShiftAFieldLoseNoLaterPage) {
  TMemoData page = Page(std::string("a\0b\r\n\0", 6));
  page.Title = std::string("a\r\nb\0c\"", 7);
  page.FontName = "f\rg";
  page.Created = "2024 01,02";
  page.Updated = "\"9";
  const std::string bytes = Build({page, Page("next")});
  EXPECT_EQ(bytes.find('\0'), std::string::npos);
  const std::vector<TMemoData> back = Parse(bytes);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].Title, "a  b c\"");
  EXPECT_EQ(back[0].FontName, "f g");
  EXPECT_EQ(back[0].Created, "20240102");
  EXPECT_EQ(back[0].Updated, "9");
  EXPECT_EQ(TextsOf(back), (Texts{"a b\r\n ", "next"}));
}

TEST(MemoFileReaderTest, FindsThePagesOfDamagedAndHandEditedFilesAndTellsWhatItDropped) {
  for (const TRow& row : Rows("store.txt", "read")) {
    Texts expected;
    for (std::size_t i = 3; i < row.Size(); ++i) expected.push_back(row.Text(i));
    const bool ok = row.Int(1) != 0, wholeFile = row.Int(2) != 0;
    std::vector<TMemoData> pages;
    bool complete = !wholeFile;
    EXPECT_EQ(ParseMemoFile(FileOf(row.Text(0)), pages, complete), ok) << row.Where();
    EXPECT_TRUE(!ok || complete == wholeFile) << row.Where();
    // After a failed read only the pages before the bad one are promised.
    if (!ok && pages.size() > expected.size()) pages.resize(expected.size());
    EXPECT_EQ(TextsOf(pages), expected) << row.Where();
  }
}

}  // namespace
}  // namespace store
