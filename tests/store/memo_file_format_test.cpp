// Tests of the data file's bytes: the example block, the header line's fields, and the writer's and
// reader's edge cases.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "platform/clock.h"
#include "platform/cp932.h"
#include "store/memo_file.h"
#include "store/note_store.h"
#include "store_test_support.h"

namespace store {
namespace {

using store_test::Build;
using store_test::PageWithText;
using store_test::Parse;
using Fields = std::vector<std::string>;
using Texts = std::vector<std::string>;

// A file made of the given lines, each ended by CR LF.
std::string FileOf(std::initializer_list<std::string_view> lines) {
  std::string file;
  for (const std::string_view line : lines) file.append(line).append("\r\n");
  return file;
}

constexpr std::string_view kHeader = "0,\"t\",0,0,0,0,-1,0,255,16777215,0,\"f\",10,0,0,,";

Texts TextsOf(const std::vector<TMemoData>& pages) {
  Texts texts;
  for (const TMemoData& page : pages) texts.push_back(page.Text);
  return texts;
}

TEST(MemoFileBytesTest, NewPageAtEndOfJanuaryIsWrittenAsTheExampleBlock) {
  platform::FixedClock clock({2024, 1, 31, 23, 59, 59});
  TNoteStore store(clock);
  ASSERT_TRUE(store.AddNewPage());
  // What the New command does with the page it adds.
  store.Pages[0].Title = std::string(kDefaultTitle) + " " + platform::FormatTitleStamp(clock.Now());
  store.Pages[0].Text = "abc\r\ndef";

  const std::string expected =
      platform::Utf8ToCp932(";このファイルの編集を行うとアプリケーションが正しく動作しなくなる可能性があります。") +
      "\r\n"
      "\r\n"
      "{$BEGIN}\r\n"
      "0,\"\x96\xB3\x91\xE8 2024/01/31 23:59:59\",0,0,0,0,-1,0,255,16777215,0,"
      "\"\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E\",10,0,0,"
      "20240131235959,20240131235959\r\n"
      "abc\r\n"
      "def\r\n"
      "{$END}\r\n";
  EXPECT_EQ(Build(store.Pages), expected);
  EXPECT_EQ(Parse(expected), store.Pages);
}

// ---- The header line -----------------------------------------------------------------------------

TEST(HeaderFieldsTest, SplitFollowsTheReadersRule) {
  const struct {
    const char* Name;
    std::string Line;
    Fields Expected;
  } cases[] = {
      {"doubled quote, comma and space inside quotes", "0,\"a\"\"b, c\",1", {"0", "a\"b, c", "1"}},
      {"empty quoted field", "\"\",x", {"", "x"}},
      {"blanks and control characters around fields", " \x01 a \t, b\x1F ,c  ", {"a", "b", "c"}},
      {"blank inside a bare field ends it", "a b,c", {"a", "b", "c"}},
      {"comma followed by blanks adds nothing", "a, ", {"a"}},
      {"lone comma", ",", {"", ""}},
      {"empty fields between commas and at the end", "a,,b,", {"a", "", "b", ""}},
      {"blank line", " \t ", {}},
      {"quote with no partner runs to the end", "1,\"ab, c", {"1", "ab, c"}},
      {"doubled quote at the very end", "\"x\"\"", {"x\""}},
      {"text after a closing quote is a further field", "\"ab\"cd,e", {"ab", "cd", "e"}},
      {"quote inside a bare field is kept", "ab\"c,d", {"ab\"c", "d"}},
      {"double-byte characters with a 5C trail byte", "\"\x95\x5C\",\x83\x5C", {"\x95\x5C", "\x83\x5C"}},
      {"lead byte before a closing quote stands alone", "\"a\x81\",2", {"a\x81", "2"}},
      {"lone lead byte at the end of a bare field", "1,ab\x81", {"1", "ab\x81"}},
      {"lone lead byte at the end of a quoted field", "1,\"ab\xFC", {"1", "ab\xFC"}},
      {"NUL ends the line", std::string("a,b\0,c", 6), {"a", "b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitHeaderFields(c.Line), c.Expected) << c.Name;
}

TEST(HeaderFieldsTest, AFieldThatDoesNotParseFailsAndChangesNothing) {
  const Fields good = {"9",
                       "T",
                       "1",
                       "2",
                       "3",
                       "4",
                       "0",
                       "-1",
                       "77",
                       "16777215",
                       "-2147483643",
                       "F",
                       "12",
                       "3",
                       "True",
                       "20240101000000",
                       "20240102000000"};
  for (const std::size_t position : {0u, 2u, 6u, 8u, 12u, 14u}) {
    for (const char* bad : {"", "abc", "1.5", "yes", "99999999999"}) {
      Fields fields = good;
      fields[position] = bad;
      TMemoData page = PageWithText("kept");
      EXPECT_FALSE(ReadHeaderFields(fields, page)) << position << " " << bad;
      EXPECT_EQ(page, PageWithText("kept"));
    }
  }
  Fields strings = good;  // strings take anything
  strings[1] = strings[11] = strings[15] = "abc";
  TMemoData page;
  EXPECT_TRUE(ReadHeaderFields(strings, page));
}

TEST(HeaderFieldsTest, EveryOtherFieldCountLeavesTheHeaderAtZero) {
  for (int count = 0; count <= 40; ++count) {
    std::string header;
    for (int i = 0; i < count; ++i) header += i == 0 ? "7" : ",7";
    const std::vector<TMemoData> pages = Parse(FileOf({"{$BEGIN}", header, "text", "{$END}"}));
    ASSERT_EQ(pages.size(), 1u) << count;
    TMemoData expected;
    if (count == 16 || count == 17) {
      expected = {7, "7", 7, 7, 7, 7, true, true, 7, 7, "7", 7, 7, true, count == 16 ? 255 : 7, "7", "7", ""};
    }
    expected.Text = "text";
    EXPECT_EQ(pages[0], expected) << count;
  }
  // The older sixteen-field form lacks the 255 before the colours; it is written back with it.
  const std::vector<TMemoData> old =
      Parse(FileOf({"{$BEGIN}", "0,\"t\",0,0,0,0,-1,0,16777215,0,\"f\",10,0,0,1,2", "x"}));
  ASSERT_EQ(old.size(), 1u);
  EXPECT_EQ(FormatHeaderLine(old[0]), "0,\"t\",0,0,0,0,-1,0,255,16777215,0,\"f\",10,0,0,1,2");
}

// ---- The writer ----------------------------------------------------------------------------------

TEST(MemoFileWriterTest, OnlyExactMarkerLinesMakeAPageUnsavable) {
  for (const char* text : {"{$BEGIN}", "{$END}", "a\r\n{$END}", "a\r{$END}\nb", "{$BEGIN}\r\n"}) {
    EXPECT_FALSE(CheckSavableText(text)) << text;
  }
  EXPECT_FALSE(CheckSavableText(std::string_view("x\0\n{$END}", 9)));  // a NUL hides no later line
  for (const char* text : {"", " {$END}", "{$END} ", "{$end}", "{$BEGIN}{$END}", "a{$END}", "{$BEGIN"}) {
    EXPECT_TRUE(CheckSavableText(text)) << text;
  }
  EXPECT_TRUE(CheckSavableText(std::string_view("{$E\0ND}", 7)));
}

// A NUL, CR or LF written as it is would end the header or the text early and lose every later page;
// the writer puts a space in its place.
TEST(MemoFileWriterTest, NulsAndBreaksInTitlesAndNulsInTextsLoseNoLaterPage) {
  TMemoData page = PageWithText(std::string("a\0b\r\n\0", 6));
  page.Title = std::string("a\r\nb\0c", 6);
  page.FontName = "f\rg";
  const std::string bytes = Build({page, PageWithText("next")});
  EXPECT_EQ(bytes.find('\0'), std::string::npos);
  const std::vector<TMemoData> back = Parse(bytes);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].Title, "a  b c");
  EXPECT_EQ(back[0].FontName, "f g");
  EXPECT_EQ(TextsOf(back), (Texts{"a b\r\n ", "next"}));
}

TEST(MemoFileWriterTest, StampsThatWouldShiftFieldsLoseTheOffendingBytes) {
  // A hand-edited file can quote a stamp; written back bare, its blank or comma would make 18 fields.
  const std::vector<TMemoData> pages =
      Parse(FileOf({"{$BEGIN}", "0,\"t\",0,0,0,0,-1,0,255,0,0,\"f\",10,0,0,\"2024 01,02\",\"\"\"9\"", "x", "{$END}"}));
  ASSERT_EQ(pages[0].Created, "2024 01,02");
  const std::vector<TMemoData> back = Parse(Build(pages));
  EXPECT_EQ(back[0].Title, "t");
  EXPECT_EQ(back[0].Created, "20240102");
  EXPECT_EQ(back[0].Updated, "9");
}

// ---- The reader ----------------------------------------------------------------------------------

// Complete: every byte found its place, so writing the pages back loses nothing of the file.
TEST(MemoFileReaderTest, FindsThePagesOfDamagedAndHandEditedFilesAndTellsWhatItDropped) {
  const std::string header(kHeader);
  const std::string oldHeader = "0,\"t\",0,0,0,0,-1,0,16777215,0,\"f\",10,0,0,1,2";
  const struct {
    const char* Name;
    std::string Bytes;
    bool Ok;
    bool Complete;
    Texts Expected;
  } cases[] = {
      {"empty file", "", false, true, {}},
      {"comment lines only", FileOf({";comment", ""}), true, true, {}},
      {"old header, lone breaks, empty lines between blocks",
       FileOf({";c", "", "{$BEGIN}", oldHeader, "a\nb\rc", "{$END}", "", "{$BEGIN}", header, "", "{$END}"}),
       true,
       true,
       {"a\r\nb\r\nc", ""}},
      {"NUL at the start: one line, \" {$BEGIN}\"", std::string("\0{$BEGIN}", 9), true, false, {}},
      {"NUL in a text is read as a space, later pages survive",
       "{$BEGIN}\r\n" + header + std::string("\r\na\0b\r\n{$END}\r\n", 15) +
           FileOf({"{$BEGIN}", header, "second", "{$END}"}),
       true,
       false,
       {"a b", "second"}},
      {"block without a text line takes its end marker as text",
       FileOf({"{$BEGIN}", header, "{$END}", "more", "{$END}", "after"}),
       true,
       false,
       {"{$END}\r\nmore"}},
      {"... also when the file ends there",
       FileOf({"{$BEGIN}", header, "{$END}", "more"}),
       true,
       false,
       {"{$END}\r\nmore"}},
      {"begin marker as the last line", FileOf({"x", "{$BEGIN}"}), true, false, {}},
      {"begin marker and header as the last lines",
       FileOf({"{$BEGIN}", header, "t", "{$END}", "{$BEGIN}", header}),
       true,
       false,
       {"t"}},
      {"missing final end marker runs to the end",
       FileOf({"{$BEGIN}", header, "a", "{$END}", "{$BEGIN}", header, "b", "c"}),
       true,
       false,
       {"a", "b\r\nc"}},
      {"a final break starts no further line", "{$BEGIN}\r\n" + header + "\r\nb\r\n", true, false, {"b"}},
      {"a comment line between blocks", FileOf({"{$BEGIN}", header, "a", "{$END}", ";x"}), true, false, {"a"}},
      {"a header of five fields", FileOf({"{$BEGIN}", "0,1,2,3,4", "a", "{$END}"}), true, false, {"a"}},
      {"a field that does not parse fails the read, keeping earlier pages",
       FileOf({"{$BEGIN}", header, "first", "{$END}", "{$BEGIN}", "0,\"t\",x,0,0,0,-1,0,255,0,0,\"f\",10,0,0,,", "y"}),
       false,
       true,
       {"first"}},
  };
  for (const auto& c : cases) {
    std::vector<TMemoData> pages;
    bool complete = !c.Complete;
    EXPECT_EQ(ParseMemoFile(c.Bytes, pages, complete), c.Ok) << c.Name;
    if (c.Ok) {
      EXPECT_EQ(complete, c.Complete) << c.Name;
    }
    // After a failed read only the pages before the bad one are promised.
    if (!c.Ok && pages.size() > c.Expected.size()) pages.resize(c.Expected.size());
    EXPECT_EQ(TextsOf(pages), c.Expected) << c.Name;
  }
}

TEST(MemoFileReaderTest, AcceptsWhatTheWriterNeverMakes) {
  const std::string bytes =
      "junk before\n{$BEGIN}\r 0 , \"t\" ,1,$FF,0x10,4, true ,False,5,6,7,\"f\",8,9,-3,a,b\n"
      "one\rtwo\n{$END}\r\nbetween\r\n{$BEGIN}\r\n" +
      std::string(kHeader) + "\r\n{$BEGIN}\r\n{$END}\r\ntrailing";
  std::vector<TMemoData> pages;
  bool complete = true;
  ASSERT_TRUE(ParseMemoFile(bytes, pages, complete));
  EXPECT_FALSE(complete) << "the lines outside the blocks are lost to the next save";
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].Title, "t");
  EXPECT_EQ(pages[0].Reserved2, 255);
  EXPECT_EQ(pages[0].Reserved3, 16);
  EXPECT_TRUE(pages[0].ReservedFlag1);
  EXPECT_FALSE(pages[0].ReservedFlag2);
  EXPECT_TRUE(pages[0].WordWrap);
  EXPECT_EQ(pages[0].FontStyle, 9);
  EXPECT_EQ(pages[0].Created, "a");
  // The reader stops only at "{$END}": a "{$BEGIN}" line inside a block is text.
  EXPECT_EQ(TextsOf(pages), (Texts{"one\r\ntwo", "{$BEGIN}"}));
}

}  // namespace
}  // namespace store
