// The BMP check: every well-formed kind of file passes with its layout, damaged ones are refused.
#include "image/bmp_check.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "support/bmp_writer.h"
#include "support/case_table.h"

namespace image {
namespace {

using namespace image_test;

TEST(CheckBmp, WellFormedFilesOfEveryKindPassWithTheirLayout) {
  const std::map<std::string, TCompression> compressions = {
      {"rgb", BI_RGB}, {"rle8", BI_RLE8}, {"rle4", BI_RLE4}, {"bitfields", BI_BITFIELDS}};
  for (const test_support::TRow& row : test_support::Rows("image.txt", "bmp")) {
    const TBmpShape shape{row.Int(0), row.Int(1), row.Int(2), compressions.at(row[3]), row.Int(4) != 0};
    const std::optional<TBmpLayout> layout = CheckBmp(MakeBmp(shape));
    ASSERT_TRUE(layout) << row.Where();
    EXPECT_TRUE(layout->Width == shape.Width && layout->Height == shape.Height && layout->TopDown == shape.TopDown &&
                layout->BitCount == shape.BitCount && layout->Compression == shape.Compression)
        << row.Where();
    EXPECT_EQ(layout->PixelOffset, static_cast<std::size_t>(row.Int(5))) << row.Where();
    EXPECT_EQ(layout->RowBytes, static_cast<std::size_t>(row.Int(6))) << row.Where();
  }
}

// A header field by offset: 10 pixel data offset, 14 header size, 18 width, 22 height, 26 planes, 28 bit
// count, 30 compression, 46 colours used.
std::string Set(std::string file, std::size_t at, std::uint32_t value, std::size_t size = 4) {
  std::string bytes;
  for (std::size_t i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
  return file.replace(at, size, bytes);
}

TEST(CheckBmp, DamagedFilesAreRefused) {
  const std::string rgb = MakeBmp({131, 70, 24});
  const std::string indexed = MakeBmp({131, 70, 8});
  const std::string rle8 = MakeBmp({131, 70, 8, BI_RLE8});
  // A 7 x 3 RLE8 file whose pixel data the test writes itself.
  auto rle8With = [](const std::string& pixels) {
    return MakeBmp({7, 3, 8, BI_RLE8}).substr(0, 14 + 40 + 64) + pixels;
  };
  const std::vector<std::pair<const char*, std::string>> damaged = {
      {"empty", ""},
      {"not a bitmap", std::string("PK\x03\x04 some zip", 14) + rgb.substr(14)},
      {"info header cut", rgb.substr(0, 30)},
      {"no pixels", rgb.substr(0, 54)},
      {"one byte short", rgb.substr(0, rgb.size() - 1)},
      {"palette cut", indexed.substr(0, 54 + 20)},
      {"run-length data cut", rle8.substr(0, rle8.size() / 2)},
      {"run-length 4 data cut", MakeBmp({131, 70, 4, BI_RLE4}).substr(0, 600)},
      {"too wide", Set(Set(rgb, 18, 4097), 22, 1)},
      {"too high", Set(Set(rgb, 18, 1), 22, 4097)},
      {"most negative height", Set(rgb, 22, 0x80000000)},
      {"zero width", Set(rgb, 18, 0)},
      {"zero height", Set(rgb, 22, 0)},
      {"negative width", Set(rgb, 18, static_cast<std::uint32_t>(-131))},
      {"two planes", Set(rgb, 26, 2, 2)},
      {"seven bits per pixel", Set(rgb, 28, 7, 2)},
      {"unknown compression", Set(rgb, 30, 9)},
      {"run-length coding on 24 bits", Set(rgb, 30, BI_RLE8)},
      {"run-length coding stored top-down", Set(rle8, 22, static_cast<std::uint32_t>(-70))},
      {"header size 5", Set(rgb, 14, 5)},
      {"pixels before the headers", Set(rgb, 10, 53)},
      {"pixels beyond the file", Set(rgb, 10, 0x7FFFFFF0)},
      {"257 palette colours", Set(indexed, 46, 257)},
      {"run past the end of the row", rle8With(std::string("\x08\x01\x00\x01", 4))},
      {"run below the picture", rle8With(std::string("\x00\x00\x00\x00\x00\x00\x01\x01\x00\x01", 10))},
      {"delta below the picture", rle8With(std::string("\x00\x02\x00\x04\x00\x01", 6))},
      {"delta past the row", rle8With(std::string("\x00\x02\x08\x00\x00\x01", 6))},
      {"delta cut", rle8With(std::string("\x00\x02\x01", 3))},
      {"absolute run past the row", rle8With(std::string("\x00\x08\x01\x02\x03\x04\x05\x06\x07\x08\x00\x01", 12))},
      {"absolute run beyond the data", rle8With(std::string("\x00\x04\x01\x02\x03", 5))},
      {"no end of bitmap", rle8With(std::string("\x02\x01", 2))},
  };
  for (const auto& [name, bytes] : damaged) EXPECT_FALSE(CheckBmp(bytes)) << name;
  // The limits themselves are no damage: end of bitmap right after the last row, a run to the row's end.
  EXPECT_TRUE(CheckBmp(rle8With(std::string("\x07\x01\x00\x00\x00\x02\x00\x01\x00\x04\x01\x02\x03\x04\x00\x01", 16))));
  EXPECT_TRUE(CheckBmp(Set(indexed, 46, 256)));
}

// The old OS/2 header: 16-bit sizes, 3-byte palette entries. A 3 x 2 picture of 1 bit per pixel.
TEST(CheckBmp, OldOs2HeaderPassesWithItsLayout) {
  std::string os2 = std::string("BM") + std::string(38, '\0');
  for (const auto& [at, value] : {std::pair{10, 32}, {14, 12}})
    os2 = Set(os2, static_cast<std::size_t>(at), static_cast<std::uint32_t>(value));
  for (const auto& [at, value] : {std::pair{18, 3}, {20, 2}, {22, 1}, {24, 1}})
    os2 = Set(os2, static_cast<std::size_t>(at), static_cast<std::uint32_t>(value), 2);
  const std::optional<TBmpLayout> layout = CheckBmp(os2);
  ASSERT_TRUE(layout);
  EXPECT_TRUE(layout->Width == 3 && layout->Height == 2 && layout->BitCount == 1 && !layout->TopDown);
  EXPECT_TRUE(layout->PixelOffset == 32 && layout->RowBytes == 4);
  EXPECT_FALSE(CheckBmp(Set(os2, 22, 2, 2))) << "two planes";
  EXPECT_FALSE(CheckBmp(Set(os2, 10, 25))) << "pixels inside the header";
  EXPECT_FALSE(CheckBmp(os2.substr(0, 39))) << "one byte short";
}

}  // namespace
}  // namespace image
