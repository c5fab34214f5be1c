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

namespace store {
namespace {

using Fields = std::vector<std::string>;

// A file made of the given lines, each ended by CR LF.
std::string FileOf(std::initializer_list<std::string_view> lines) {
  std::string file;
  for (const std::string_view line : lines) {
    file += line;
    file += "\r\n";
  }
  return file;
}

std::string Preamble() { return std::string(kCommentLine) + "\r\n\r\n"; }

constexpr std::string_view kPlainHeader = "0,\"t\",0,0,0,0,-1,0,255,16777215,0,\"f\",10,0,0,,";

std::string Build(const std::vector<TMemoData>& pages) {
  std::string bytes;
  int32_t badIndex = -2;
  EXPECT_EQ(BuildMemoFile(pages, bytes, badIndex), SaveOk);
  EXPECT_EQ(badIndex, -1);
  return bytes;
}

std::vector<TMemoData> Parse(std::string_view bytes) {
  std::vector<TMemoData> pages;
  EXPECT_TRUE(ParseMemoFile(bytes, pages));
  return pages;
}

TMemoData PageWithText(std::string text) {
  TMemoData page = BuiltInDefaultMemo();
  page.Text = std::move(text);
  return page;
}

// ---- The example block and the shared constants --------------------------------------------------

TEST(MemoFileBytesTest, ConstantsAreTheCodePage932FormsOfTheirTexts) {
  EXPECT_EQ(std::string(kCommentLine),
            platform::Utf8ToCp932(";このファイルの編集を行うとアプリケーションが正しく動作しなくなる可能性があります。"));
  EXPECT_EQ(std::string(kDefaultTitle), platform::Utf8ToCp932("無題"));
  EXPECT_EQ(std::string(kDefaultFontName), platform::Utf8ToCp932("ＭＳ ゴシック"));
}

TEST(MemoFileBytesTest, NewPageAtEndOfJanuaryIsWrittenAsTheExampleBlock) {
  platform::FixedClock clock({2024, 1, 31, 23, 59, 59});
  TNoteStore store(clock);
  ASSERT_TRUE(store.AddNewPage());
  // What the New command does with the page it adds.
  store.Pages[0].Title = std::string(kDefaultTitle) + " " + platform::FormatTitleStamp(clock.Now());
  store.Pages[0].Text = "abc\r\ndef";

  const std::string expected = Preamble() +
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

// ---- Splitting and reading the header line -------------------------------------------------------

struct TSplitCase {
  const char* Name;
  std::string Line;
  Fields Expected;
};

TEST(HeaderFieldsTest, SplitFollowsTheReadersRule) {
  const TSplitCase cases[] = {
      {"doubled quote, comma and space inside quotes", "0,\"a\"\"b, c\",1", {"0", "a\"b, c", "1"}},
      {"empty quoted field", "\"\",x", {"", "x"}},
      {"only a quote inside", "\"\"\"\"", {"\""}},
      {"blanks and control characters around fields", " \x01 a \t, b\x1F ,c  ", {"a", "b", "c"}},
      {"blank inside a bare field ends it", "a b,c", {"a", "b", "c"}},
      {"comma as the last character adds an empty field", "a,", {"a", ""}},
      {"comma followed by blanks adds nothing", "a, ", {"a"}},
      {"lone comma", ",", {"", ""}},
      {"empty fields between commas", "a,,b,", {"a", "", "b", ""}},
      {"empty line", "", {}},
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
  for (const TSplitCase& c : cases) EXPECT_EQ(SplitHeaderFields(c.Line), c.Expected) << c.Name;
}

Fields SeventeenFields() {
  return {"9", "T", "1", "2", "3", "4", "0", "-1", "77", "16777215", "-2147483643", "F", "12", "3", "True",
          "20240101000000", "20240102000000"};
}

TEST(HeaderFieldsTest, AFieldThatDoesNotParseFailsAndChangesNothing) {
  for (const std::size_t position : {0u, 2u, 6u, 8u, 12u, 14u}) {
    for (const char* bad : {"", "abc", "1.5", "yes", "99999999999"}) {
      Fields fields = SeventeenFields();
      fields[position] = bad;
      TMemoData page = PageWithText("kept");
      EXPECT_FALSE(ReadHeaderFields(fields, page)) << position << " " << bad;
      EXPECT_EQ(page, PageWithText("kept"));
    }
  }
  // Strings take anything.
  Fields fields = SeventeenFields();
  fields[1] = fields[11] = fields[15] = "abc";
  TMemoData page;
  EXPECT_TRUE(ReadHeaderFields(fields, page));
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
}

// ---- The writer ----------------------------------------------------------------------------------

TEST(MemoFileWriterTest, QuotesInTitlesAreDoubledAndReadBack) {
  TMemoData page = BuiltInDefaultMemo();
  page.Title = "a\"b, c";
  page.FontName = "\"x\"";
  const std::string bytes = Build({page});
  EXPECT_NE(bytes.find(",\"a\"\"b, c\","), std::string::npos);
  EXPECT_NE(bytes.find(",\"\"\"x\"\"\","), std::string::npos);
  EXPECT_EQ(Parse(bytes), std::vector<TMemoData>{page});
}

TEST(MemoFileWriterTest, EmptyTextIsOneEmptyLine) {
  TMemoData page = BuiltInDefaultMemo();
  const std::string bytes = Build({page});
  EXPECT_EQ(bytes, Preamble() + FileOf({"{$BEGIN}", FormatHeaderLine(page), "", "{$END}"}));
  EXPECT_EQ(Parse(bytes)[0].Text, "");
}

TEST(MemoFileWriterTest, LineBreaksComeBackAsCrLfAndTrailingBreaksSurvive) {
  struct {
    const char* Text;
    const char* Back;
  } const cases[] = {
      {"a\nb", "a\r\nb"},          {"a\rb", "a\r\nb"},         {"a\r\r\nb", "a\r\n\r\nb"},
      {"a\n\rb", "a\r\n\r\nb"},    {"abc\r\n", "abc\r\n"},     {"abc\r", "abc\r\n"},
      {"abc\n", "abc\r\n"},        {"\r\n", "\r\n"},           {"\r\n\r\n", "\r\n\r\n"},
      {"\n\n\n", "\r\n\r\n\r\n"},  {"x\r\n\ry", "x\r\n\r\ny"},
  };
  for (const auto& c : cases) {
    const std::string bytes = Build({PageWithText(c.Text)});
    EXPECT_EQ(bytes.find_first_of("\r\n"), bytes.find("\r\n"));
    for (std::size_t i = 0; i < bytes.size(); ++i) {
      const bool crWithoutLf = bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n');
      const bool lfWithoutCr = bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r');
      ASSERT_FALSE(crWithoutLf || lfWithoutCr) << c.Text;
    }
    EXPECT_EQ(Parse(bytes)[0].Text, c.Back) << c.Text;
  }
}

TEST(MemoFileWriterTest, Reserved0IsAlwaysWrittenAsZero) {
  const std::vector<TMemoData> pages = Parse(FileOf({"{$BEGIN}", "5,\"t\",0,0,0,0,-1,0,255,0,0,\"f\",10,0,0,,", "x"}));
  ASSERT_EQ(pages[0].Reserved0, 5);
  EXPECT_EQ(FormatHeaderLine(pages[0]).substr(0, 2), "0,");
  EXPECT_EQ(Parse(Build(pages))[0].Reserved0, 0);
}

TEST(MemoFileWriterTest, MarkerLinesMakeThePageUnsavable) {
  for (const char* text : {"{$BEGIN}", "{$END}", "a\r\n{$END}", "a\r{$END}\nb", "{$BEGIN}\r\n"}) {
    EXPECT_FALSE(CheckSavableText(text)) << text;
  }
  // A NUL does not hide the lines after it: the writer keeps them.
  EXPECT_FALSE(CheckSavableText(std::string_view("x\0\n{$END}", 9)));
  for (const char* text : {"", " {$END}", "{$END} ", "{$end}", "{$BEGIN}{$END}", "a{$END}", "{$BEGIN"}) {
    EXPECT_TRUE(CheckSavableText(text)) << text;
  }
  EXPECT_TRUE(CheckSavableText(std::string_view("{$E\0ND}", 7)));
}

TEST(MemoFileWriterTest, FirstUnsavablePageIsReportedAndNothingIsBuilt) {
  const std::vector<TMemoData> pages = {PageWithText("ok"), PageWithText("x\r\n{$END}"), PageWithText("{$BEGIN}")};
  std::string bytes = "untouched";
  int32_t badIndex = -1;
  EXPECT_EQ(BuildMemoFile(pages, bytes, badIndex), SaveBadText);
  EXPECT_EQ(badIndex, 1);
  EXPECT_EQ(bytes, "untouched");
}

TEST(MemoFileWriterTest, NulInATextLosesNoLaterPage) {
  const std::vector<TMemoData> pages = {PageWithText(std::string("a\0b\r\n\0", 6)), PageWithText("next")};
  const std::string bytes = Build(pages);
  EXPECT_EQ(bytes.find('\0'), std::string::npos);
  const std::vector<TMemoData> back = Parse(bytes);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].Text, "a b\r\n ");
  EXPECT_EQ(back[1].Text, "next");
}

TEST(MemoFileWriterTest, BreaksAndNulsInTitlesDoNotSplitTheHeader) {
  TMemoData page = PageWithText("body");
  page.Title = std::string("a\r\nb\0c", 6);
  page.FontName = "f\rg";
  const std::vector<TMemoData> back = Parse(Build({page, PageWithText("next")}));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].Title, "a  b c");
  EXPECT_EQ(back[0].FontName, "f g");
  EXPECT_EQ(back[0].Text, "body");
  EXPECT_EQ(back[1].Text, "next");
}

TEST(MemoFileWriterTest, StampsThatWouldShiftFieldsLoseTheOffendingBytes) {
  // A hand-edited file can quote a stamp; written back bare, its blank or comma would make 18 fields.
  const std::vector<TMemoData> pages =
      Parse(FileOf({"{$BEGIN}", "0,\"t\",0,0,0,0,-1,0,255,0,0,\"f\",10,0,0,\"2024 01,02\",\"\"\"9\"", "x", "{$END}"}));
  ASSERT_EQ(pages[0].Created, "2024 01,02");
  ASSERT_EQ(pages[0].Updated, "\"9");
  const std::vector<TMemoData> back = Parse(Build(pages));
  EXPECT_EQ(back[0].Title, "t");
  EXPECT_EQ(back[0].Created, "20240102");
  EXPECT_EQ(back[0].Updated, "9");
}

// ---- The reader ----------------------------------------------------------------------------------

TEST(MemoFileReaderTest, EmptyFileFailsAndACommentOnlyFileHasNoPage) {
  std::vector<TMemoData> pages;
  EXPECT_FALSE(ParseMemoFile("", pages));
  EXPECT_TRUE(Parse(std::string_view("\0{$BEGIN}", 9)).empty());  // one line, " {$BEGIN}": no block
  EXPECT_TRUE(Parse(Preamble()).empty());
  EXPECT_TRUE(Parse("\r\n").empty());
}

TEST(MemoFileReaderTest, NulInADamagedFileLosesNoLaterPage) {
  // Read as the writer writes it (a space), so the next save keeps every page of the file.
  const std::string header = "0,\"t\",0,0,0,0,-1,0,255,16777215,0,\"f\",10,0,0,1,1\r\n";
  const std::string bytes = "{$BEGIN}\r\n" + header + std::string("a\0b\r\n{$END}\r\n", 13) + "{$BEGIN}\r\n" +
                            header + "second\r\n{$END}\r\n";
  const std::vector<TMemoData> back = Parse(bytes);
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].Text, "a b");
  EXPECT_EQ(back[1].Text, "second");
}

TEST(MemoFileReaderTest, SixteenFieldHeaderIsWrittenBackWithSeventeen) {
  const std::vector<TMemoData> pages =
      Parse(FileOf({"{$BEGIN}", "0,\"t\",0,0,0,0,-1,0,16777215,0,\"f\",10,0,0,1,2", "x", "{$END}"}));
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].Reserved6, 255);
  EXPECT_EQ(pages[0].Reserved5, 16777215);
  EXPECT_EQ(FormatHeaderLine(pages[0]), "0,\"t\",0,0,0,0,-1,0,255,16777215,0,\"f\",10,0,0,1,2");
}

TEST(MemoFileReaderTest, BlockWithoutTextLineTakesItsEndMarkerAsText) {
  const std::string header(kPlainHeader);
  std::vector<TMemoData> pages = Parse(FileOf({"{$BEGIN}", header, "{$END}", "more", "{$END}", "after"}));
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].Text, "{$END}\r\nmore");
  pages = Parse(FileOf({"{$BEGIN}", header, "{$END}", "more"}));
  EXPECT_EQ(pages[0].Text, "{$END}\r\nmore");
}

TEST(MemoFileReaderTest, BeginMarkerNearTheEndIsIgnored) {
  const std::string header(kPlainHeader);
  EXPECT_TRUE(Parse(FileOf({"x", "{$BEGIN}"})).empty());
  EXPECT_TRUE(Parse(FileOf({"{$BEGIN}", header})).empty());
  const std::vector<TMemoData> pages = Parse(FileOf({"{$BEGIN}", header, "t", "{$END}", "{$BEGIN}", header}));
  ASSERT_EQ(pages.size(), 1u);
  EXPECT_EQ(pages[0].Text, "t");
}

TEST(MemoFileReaderTest, MissingFinalEndMarkerRunsToTheEnd) {
  const std::string header(kPlainHeader);
  std::vector<TMemoData> pages = Parse(FileOf({"{$BEGIN}", header, "a", "{$END}", "{$BEGIN}", header, "b", "c"}));
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[1].Text, "b\r\nc");
  pages = Parse("{$BEGIN}\r\n" + header + "\r\nb\r\n");  // a final break starts no further line
  EXPECT_EQ(pages[0].Text, "b");
}

TEST(MemoFileReaderTest, AcceptsWhatTheWriterNeverMakes) {
  const std::string bytes = "junk before\n{$BEGIN}\r 0 , \"t\" ,1,$FF,0x10,4, true ,False,5,6,7,\"f\",8,9,-3,a,b\n"
                            "one\rtwo\n{$END}\r\nbetween\r\n{$BEGIN}\r\n" +
                            std::string(kPlainHeader) + "\r\n{$BEGIN}\r\n{$END}\r\ntrailing";
  const std::vector<TMemoData> pages = Parse(bytes);
  ASSERT_EQ(pages.size(), 2u);
  EXPECT_EQ(pages[0].Title, "t");
  EXPECT_EQ(pages[0].Reserved2, 255);
  EXPECT_EQ(pages[0].Reserved3, 16);
  EXPECT_TRUE(pages[0].ReservedFlag1);
  EXPECT_FALSE(pages[0].ReservedFlag2);
  EXPECT_TRUE(pages[0].WordWrap);
  EXPECT_EQ(pages[0].FontStyle, 9);
  EXPECT_EQ(pages[0].Created, "a");
  EXPECT_EQ(pages[0].Text, "one\r\ntwo");
  // The reader stops only at "{$END}": a "{$BEGIN}" line inside a block is text.
  EXPECT_EQ(pages[1].Text, "{$BEGIN}");
}

TEST(MemoFileReaderTest, FieldThatDoesNotParseFailsTheReadKeepingEarlierPages) {
  const std::string header(kPlainHeader);
  std::vector<TMemoData> pages;
  EXPECT_FALSE(ParseMemoFile(
      FileOf({"{$BEGIN}", header, "first", "{$END}", "{$BEGIN}", "0,\"t\",x,0,0,0,-1,0,255,0,0,\"f\",10,0,0,,", "y"}),
      pages));
  ASSERT_GE(pages.size(), 1u);
  EXPECT_EQ(pages[0].Text, "first");
}

}  // namespace
}  // namespace store
