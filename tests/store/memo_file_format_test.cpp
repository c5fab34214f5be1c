// Tests of the data file's bytes: the example block, the header line's fields, and the writer's and
// reader's edge cases.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/cp932.h"
#include "store_test_support.h"

namespace store {
namespace {

using namespace store_test;
using Fields = std::vector<std::string>;

// A file written as its lines: "|" is CR LF, <H> a header of 17 fields, <O> the older one of 16, <X> one
// whose third field does not parse, <0> a NUL.
std::string FileOf(std::string shape) {
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
      {"NUL ends the line", std::string("a,b\0,c", 6), {"a", "b"}},
  };
  for (const auto& c : cases) EXPECT_EQ(SplitHeaderFields(c.Line), c.Expected) << c.Name;
}

TEST(HeaderFieldsTest, AFieldThatDoesNotParseFailsAndChangesNothing) {
  const Fields good =
      SplitHeaderFields("9,T,1,2,3,4,0,-1,77,16777215,-2147483643,F,12,3,True,20240101000000,20240102000000");
  for (const std::size_t position : {0u, 2u, 6u, 8u, 12u, 14u}) {
    for (const char* bad : {"", "abc", "1.5", "99999999999"}) {
      Fields fields = good;
      fields[position] = bad;
      TMemoData page = Page("kept");
      EXPECT_FALSE(ReadHeaderFields(fields, page)) << position << " " << bad;
      EXPECT_EQ(page, Page("kept"));
    }
  }
  TMemoData page;
  ASSERT_TRUE(ReadHeaderFields(good, page));
  EXPECT_EQ(page, (TMemoData{9, "T", 1, 2, 3, 4, false, true, 16777215, -2147483643, "F", 12, 3, true, 77,
                             "20240101000000", "20240102000000", ""}));
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
  // The older sixteen-field form lacks the 255 before the colours; it is written back with it.
  const std::vector<TMemoData> old = Parse(FileOf("{$BEGIN}|<O>|x"));
  EXPECT_EQ(FormatHeaderLine(old.at(0)), "0,\"t\",0,0,0,0,-1,0,255,16777215,0,\"f\",10,0,0,1,2");
}

TEST(MemoFileWriterTest, OnlyExactMarkerLinesMakeAPageUnsavable) {
  for (const char* text : {"{$BEGIN}", "{$END}", "a\r\n{$END}", "a\r{$END}\nb", "{$BEGIN}\r\n"}) {
    EXPECT_FALSE(CheckSavableText(text)) << text;
  }
  EXPECT_FALSE(CheckSavableText(std::string_view("x\0\n{$END}", 9)));  // a NUL hides no later line
  for (const char* text : {"", " {$END}", "{$END} ", "{$end}", "{$BEGIN}{$END}", "a{$END}", "{$BEGIN"}) {
    EXPECT_TRUE(CheckSavableText(text)) << text;
  }
  EXPECT_TRUE(CheckSavableText(std::string_view("{$E\0ND}", 7)));
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

// Complete: every byte found its place, so writing the pages back loses nothing of the file. A block
// without a text line takes its own end marker as text and runs on to the next one; a block without its
// end marker runs to the end of the file; a bad field fails the read, keeping the pages before it.
TEST(MemoFileReaderTest, FindsThePagesOfDamagedAndHandEditedFilesAndTellsWhatItDropped) {
  const struct {
    const char* Name;
    const char* File;
    bool Ok, Complete;
    Texts Expected;
  } cases[] = {
      {"empty file", "", false, true, {}},
      {"comment lines only", ";comment||", true, true, {}},
      {"old header, lone breaks", ";c||{$BEGIN}|<O>|a\nb\rc|{$END}|", true, true, {"a\r\nb\r\nc"}},
      {"empty text, empty lines", "||{$BEGIN}|<H>||{$END}||", true, true, {""}},
      {"NUL at the start", "<0>{$BEGIN}", true, false, {}},  // one line, " {$BEGIN}"
      {"NUL in a text", "{$BEGIN}|<H>|a<0>b|{$END}|{$BEGIN}|<H>|2|{$END}|", true, false, {"a b", "2"}},
      {"no text line", "{$BEGIN}|<H>|{$END}|more|{$END}|after|", true, false, {"{$END}\r\nmore"}},
      {"no text line at the end", "{$BEGIN}|<H>|{$END}|more|", true, false, {"{$END}\r\nmore"}},
      {"begin marker last", "x|{$BEGIN}|", true, false, {}},
      {"begin marker and header last", "{$BEGIN}|<H>|t|{$END}|{$BEGIN}|<H>|", true, false, {"t"}},
      {"no final end marker", "{$BEGIN}|<H>|a|{$END}|{$BEGIN}|<H>|b|c|", true, false, {"a", "b\r\nc"}},
      {"a final break", "{$BEGIN}|<H>|b|", true, false, {"b"}},  // starts no further line
      {"a comment line between blocks", "{$BEGIN}|<H>|a|{$END}|;x|", true, false, {"a"}},
      {"a header of five fields", "{$BEGIN}|0,1,2,3,4|a|{$END}|", true, false, {"a"}},
      {"a bad field", "{$BEGIN}|<H>|1|{$END}|{$BEGIN}|<X>|y|", false, true, {"1"}},
  };
  for (const auto& c : cases) {
    std::vector<TMemoData> pages;
    bool complete = !c.Complete;
    EXPECT_EQ(ParseMemoFile(FileOf(c.File), pages, complete), c.Ok) << c.Name;
    EXPECT_TRUE(!c.Ok || complete == c.Complete) << c.Name;
    // After a failed read only the pages before the bad one are promised.
    if (!c.Ok && pages.size() > c.Expected.size()) pages.resize(c.Expected.size());
    EXPECT_EQ(TextsOf(pages), c.Expected) << c.Name;
  }
}

TEST(MemoFileReaderTest, AcceptsWhatTheWriterNeverMakes) {
  const std::string bytes =
      "junk before\n{$BEGIN}\r 0 , \"t\" ,1,$FF,0x10,4, true ,False,5,6,7,\"f\",8,9,-3,a,b\n"
      "one\rtwo\n{$END}\r\nbetween\r\n" +
      FileOf("{$BEGIN}|<H>|{$BEGIN}|{$END}|trailing");
  std::vector<TMemoData> pages;
  bool complete = true;
  ASSERT_TRUE(ParseMemoFile(bytes, pages, complete));
  EXPECT_FALSE(complete) << "the lines outside the blocks are lost to the next save";
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0],
            (TMemoData{0, "t", 1, 255, 16, 4, true, false, 6, 7, "f", 8, 9, true, 5, "a", "b", "one\r\ntwo"}));
  // The reader stops only at "{$END}": a "{$BEGIN}" line inside a block is text.
  EXPECT_EQ(pages[1].Text, "{$BEGIN}");
}

}  // namespace
}  // namespace store
