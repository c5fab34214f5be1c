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

// The 3 x 2 OS/2 file of 1 bit per pixel: 16-bit sizes, 3-byte palette entries.
std::string Os2() {
  std::string os2 = std::string("BM") + std::string(38, '\0');
  for (const auto& [at, value] : {std::pair{10, 32}, {14, 12}})
    os2 = Set(os2, static_cast<std::size_t>(at), static_cast<std::uint32_t>(value));
  for (const auto& [at, value] : {std::pair{18, 3}, {20, 2}, {22, 1}, {24, 1}})
    os2 = Set(os2, static_cast<std::size_t>(at), static_cast<std::uint32_t>(value), 2);
  return os2;
}

// The file a row of image.txt describes: a base file, then its edits in order.
std::string Edited(const test_support::TRow& row) {
  const std::map<std::string, std::string> bases = {
      {"rgb", MakeBmp({131, 70, 24})},          {"indexed", MakeBmp({131, 70, 8})},
      {"rle8", MakeBmp({131, 70, 8, BI_RLE8})}, {"rle4", MakeBmp({131, 70, 4, BI_RLE4})},
      {"rle7", MakeBmp({7, 3, 8, BI_RLE8}).substr(0, 14 + 40 + 64)}, {"os2", Os2()}, {"empty", ""}};
  std::string file = bases.at(row[1]);
  for (std::size_t i = 2; i < row.Size(); ++i) {
    const std::string& edit = row[i];
    if (edit == "cut") {
      file.resize(static_cast<std::size_t>(row.Int(++i)));
    } else if (edit == "drop") {
      file.resize(file.size() - static_cast<std::size_t>(row.Int(++i)));
    } else if (edit == "set" || edit == "set2") {
      file = Set(file, static_cast<std::size_t>(row.Int(i + 1)), static_cast<std::uint32_t>(row.Int(i + 2)),
                 edit == "set" ? 4 : 2);
      i += 2;
    } else if (edit == "start") {
      const std::string start = row.Text(++i);
      file.replace(0, start.size(), start);
    } else {
      file += row.Text(i);  // pixel data
    }
  }
  return file;
}

TEST(CheckBmp, DamagedFilesAreRefusedAndTheLimitsPass) {
  for (const test_support::TRow& row : test_support::Rows("image.txt", "damaged"))
    EXPECT_FALSE(CheckBmp(Edited(row))) << row[0] << " at " << row.Where();
  for (const test_support::TRow& row : test_support::Rows("image.txt", "limit"))
    EXPECT_TRUE(CheckBmp(Edited(row))) << row[0] << " at " << row.Where();
}

TEST(CheckBmp, OldOs2HeaderPassesWithItsLayout) {
  const std::optional<TBmpLayout> layout = CheckBmp(Os2());
  ASSERT_TRUE(layout);
  EXPECT_TRUE(layout->Width == 3 && layout->Height == 2 && layout->BitCount == 1 && !layout->TopDown);
  EXPECT_TRUE(layout->PixelOffset == 32 && layout->RowBytes == 4);
}

}  // namespace
}  // namespace image
