// The BMP check: every well-formed kind of file passes with its layout, damaged ones are refused.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "image/bmp_check.h"
#include "image/bmp_writer.h"

namespace image {
namespace {

using namespace image_test;

std::string Set32(std::string file, std::size_t at, std::uint32_t value) {
  for (std::size_t i = 0; i < 4; ++i) file[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return file;
}
std::string Set16(std::string file, std::size_t at, std::uint32_t value) {
  file[at] = static_cast<char>(value & 0xFF);
  file[at + 1] = static_cast<char>((value >> 8) & 0xFF);
  return file;
}

TEST(CheckBmp, WellFormedFilesOfEveryKindPassWithTheirLayout) {
  struct Case {
    TBmpSpec Spec;
    std::size_t Offset, RowBytes;
  };
  for (const Case& c : {Case{{131, 70, 1}, 62, 20}, Case{{131, 70, 4}, 118, 68}, Case{{131, 70, 8}, 118, 132},
                        Case{{131, 70, 16}, 54, 264}, Case{{131, 70, 24}, 54, 396}, Case{{131, 70, 32}, 54, 524},
                        Case{{7, 3, 16, BI_BITFIELDS}, 66, 16}, Case{{7, 3, 32, BI_BITFIELDS}, 66, 28},
                        Case{{200, 100, 4, BI_RLE4}, 118, 100}, Case{{200, 100, 8, BI_RLE8}, 118, 200},
                        Case{{1, 1, 24, BI_RGB, true}, 54, 4}, Case{{4096, 1, 1}, 62, 512}}) {
    const std::optional<TBmpLayout> layout = CheckBmp(MakeBmp(c.Spec));
    ASSERT_TRUE(layout) << c.Spec.BitCount << " bpp";
    EXPECT_EQ(layout->Width, c.Spec.Width);
    EXPECT_EQ(layout->Height, c.Spec.Height);
    EXPECT_EQ(layout->TopDown, c.Spec.TopDown);
    EXPECT_EQ(layout->BitCount, c.Spec.BitCount);
    EXPECT_EQ(layout->PixelOffset, c.Offset);
    EXPECT_EQ(layout->RowBytes, c.RowBytes);
  }
}

TEST(CheckBmp, ATopDownFileTurnedBottomUpIsTheBottomUpFile) {
  for (int bits : {1, 8, 24, 32}) {
    const std::string topDown = MakeBmp({13, 5, bits, BI_RGB, true});
    const std::optional<TBmpLayout> layout = CheckBmp(topDown);
    ASSERT_TRUE(layout);
    EXPECT_EQ(BottomUpCopy(topDown, *layout), MakeBmp({13, 5, bits, BI_RGB, false})) << bits << " bpp";
  }
}

// Header fields by offset: 10 pixel data offset, 14 header size, 18 width, 22 height, 26 planes,
// 28 bit count, 30 compression, 46 colours used.
TEST(CheckBmp, DamagedFilesAreRefused) {
  const std::string rgb = MakeBmp({131, 70, 24});
  const std::string indexed = MakeBmp({131, 70, 8});
  const std::string rle8 = MakeBmp({131, 70, 8, BI_RLE8});
  const std::string rle4 = MakeBmp({131, 70, 4, BI_RLE4});
  // A 7 x 3 RLE8 file whose pixel data the test writes itself.
  auto rle8With = [](const std::string& pixels) {
    return MakeBmp({7, 3, 8, BI_RLE8}).substr(0, 14 + 40 + 64) + pixels;
  };
  const std::vector<std::pair<const char*, std::string>> corrupt = {
      {"empty", ""},
      {"not a bitmap", std::string("PK\x03\x04 some zip", 14)},
      {"file header only", rgb.substr(0, 14)},
      {"info header cut", rgb.substr(0, 30)},
      {"no pixels", rgb.substr(0, 54)},
      {"half the pixels", rgb.substr(0, 54 + (rgb.size() - 54) / 2)},
      {"one byte short", rgb.substr(0, rgb.size() - 1)},
      {"palette cut", indexed.substr(0, 54 + 20)},
      {"run-length data cut", rle8.substr(0, rle8.size() / 2)},
      {"run-length 4 data cut", rle4.substr(0, rle4.size() / 3)},
      {"huge width and height", Set32(Set32(rgb, 18, 100000), 22, 100000)},
      {"width beyond 32 bits", Set32(rgb, 18, 0x7FFFFFFF)},
      {"most negative height", Set32(rgb, 22, 0x80000000)},
      {"zero width", Set32(rgb, 18, 0)},
      {"negative width", Set32(rgb, 18, static_cast<std::uint32_t>(-131))},
      {"seven bits per pixel", Set16(rgb, 28, 7)},
      {"zero bits per pixel", Set16(rgb, 28, 0)},
      {"unknown compression", Set32(rgb, 30, 9)},
      {"run-length coding on 24 bits", Set32(rgb, 30, BI_RLE8)},
      {"header size 5", Set32(rgb, 14, 5)},
      {"pixels beyond the file", Set32(rgb, 10, 0x7FFFFFF0)},
      {"two billion palette colours", Set32(indexed, 46, 0x7FFFFFFF)},
      {"run past the end of the row", rle8With(std::string("\xFF\x01\x00\x00\x00\x01", 6))},
      {"delta below the picture", rle8With(std::string("\x00\x02\x05\x7F\x02\x01\x00\x01", 8))},
      {"absolute run beyond the data", rle8With(std::string("\x00\xFF\x01\x02", 4))},
      {"no end of bitmap", rle8With(std::string("\x02\x01", 2))},
  };
  for (const auto& [name, bytes] : corrupt) EXPECT_FALSE(CheckBmp(bytes)) << name;
}

}  // namespace
}  // namespace image
