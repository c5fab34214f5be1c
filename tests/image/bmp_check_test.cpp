// The BMP check: every well-formed kind of file passes with its layout, damaged ones are refused; and the
// seeds of the skin fuzz target.
#include "image/bmp_check.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "fuzz/skin_check.h"
#include "support/bmp_writer.h"
#include "support/case_table.h"
#include "support/temp_dir.h"

namespace image {
namespace {

using namespace image_test;

// A 3 x 2 OS/2 file of 1 bit per pixel: 16-bit sizes after a 12-byte header, 3-byte palette entries, the
// pixels at 32.
const std::string kOs2 =
    std::string("BM\0\0\0\0\0\0\0\0\x20\0\0\0\x0C\0\0\0\x03\0\x02\0\x01\0\x01\0", 26) + std::string(14, '\0');

// The shape a bmp or seed row gives: WIDTH HEIGHT BITS COMPRESSION TOPDOWN.
TBmpShape ShapeOf(const test_support::TRow& row) {
  const std::map<std::string, TCompression> compressions = {
      {"rgb", BI_RGB}, {"rle8", BI_RLE8}, {"rle4", BI_RLE4}, {"bitfields", BI_BITFIELDS}, {"os2", BI_RGB}};
  return {row.Int(0), row.Int(1), row.Int(2), compressions.at(row[3]), row.Int(4) != 0};
}

TEST(CheckBmp, WellFormedFilesOfEveryKindPassWithTheirLayout) {
  for (const test_support::TRow& row : test_support::Rows("image.txt", "bmp")) {
    const TBmpShape shape = ShapeOf(row);
    const std::optional<TBmpLayout> layout = CheckBmp(row[3] == "os2" ? kOs2 : MakeBmp(shape));
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
  detail::Put(bytes, value, static_cast<int>(size));
  return file.replace(at, size, bytes);
}

// The file a row of image.txt describes: a base file, then its edits in order.
std::string Edited(const test_support::TRow& row) {
  const std::map<std::string, std::string> bases = {
      {"rgb", MakeBmp({131, 70, 24})},          {"indexed", MakeBmp({131, 70, 8})},
      {"rle8", MakeBmp({131, 70, 8, BI_RLE8})}, {"rle4", MakeBmp({131, 70, 4, BI_RLE4})},
      {"rle7", MakeBmp({7, 3, 8, BI_RLE8}).substr(0, 14 + 40 + 64)}, {"os2", kOs2}, {"empty", ""}};
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

// The seed corpus of the skin fuzz target: the seed rows, a file a row short and one cut after "BM", each
// already holding the property the target checks.
TEST(FuzzSeeds, SkinSeedsHoldTheFuzzProperty) {
  std::vector<std::string> seeds;
  for (const test_support::TRow& row : test_support::Rows("image.txt", "seed")) seeds.push_back(MakeBmp(ShapeOf(row)));
  std::string cut = seeds[4];
  cut.resize(cut.size() - 5);  // a row short
  seeds.push_back(cut);
  seeds.push_back("BM");
  for (const std::string& seed : seeds) EXPECT_EQ(fuzz::CheckSkin(seed, nullptr), "") << testing::PrintToString(seed);
  test_support::WriteSeeds("skin", seeds);
}

}  // namespace
}  // namespace image
