// Skin files of every BMP depth and compression, and corrupt ones, through Qt's BMP reader onto the skin.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "image/bmp_writer.h"
#include "qt/qt_skin_image.h"

namespace qtui {
namespace {

using image_test::TBmpSpec;

std::string Describe(const TBmpSpec& spec) {
  return std::to_string(spec.Width) + "x" + std::to_string(spec.Height) + " " + std::to_string(spec.BitCount) +
         " bpp, compression " + std::to_string(spec.Compression) + (spec.TopDown ? ", top-down" : "");
}

TEST(QtBmpDecoder, EveryDepthAndCompressionDecodesToItsPixels) {
  using namespace image_test;
  std::vector<TBmpSpec> specs;
  for (const auto& [width, height] : {std::pair{131, 70}, std::pair{100, 50}, std::pair{200, 100}, std::pair{7, 3}}) {
    for (int bits : {1, 4, 8, 16, 24, 32}) specs.push_back({width, height, bits, BI_RGB, false});
    specs.push_back({width, height, 16, BI_BITFIELDS, false});
    specs.push_back({width, height, 32, BI_BITFIELDS, false});
    specs.push_back({width, height, 4, BI_RLE4, false});
    specs.push_back({width, height, 8, BI_RLE8, false});
    specs.push_back({width, height, 24, BI_RGB, true});
    specs.push_back({width, height, 8, BI_RGB, true});
  }
  const TQtBmpDecoder decoder;
  for (const TBmpSpec& spec : specs) {
    SCOPED_TRACE(Describe(spec));
    const std::optional<image::TBitmap> picture = image::DecodeSkinFile(MakeBmp(spec), decoder);
    EXPECT_TRUE(picture);
    if (!picture) continue;
    const image::TBitmap expected = Expected(spec);
    ASSERT_EQ(picture->Width, expected.Width);
    ASSERT_EQ(picture->Height, expected.Height);
    const auto mismatch = std::mismatch(picture->Pixels.begin(), picture->Pixels.end(), expected.Pixels.begin());
    const auto wrong = mismatch.first - picture->Pixels.begin();
    EXPECT_TRUE(mismatch.first == picture->Pixels.end())
        << "first wrong pixel " << wrong % spec.Width << "," << wrong / spec.Width;
  }
}

// Every single-byte change of the headers and the first pixels of each kind of file: whatever the check
// lets through to Qt's reader, nothing crashes and a picture that comes back has the pixels it promises.
TEST(QtBmpDecoder, DamagedBytesNeverCrashTheReader) {
  using namespace image_test;
  const TQtBmpDecoder decoder;
  const unsigned values[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};
  for (const TBmpSpec& spec : {TBmpSpec{9, 5, 1}, TBmpSpec{9, 5, 4, BI_RLE4}, TBmpSpec{9, 5, 8, BI_RLE8},
                               TBmpSpec{9, 5, 16, BI_BITFIELDS}, TBmpSpec{9, 5, 32, BI_BITFIELDS}}) {
    const std::string file = MakeBmp(spec);
    for (std::size_t at = 0; at < std::min<std::size_t>(file.size(), 140); ++at) {
      for (unsigned value : values) {
        std::string damaged = file;
        damaged[at] = static_cast<char>(value);
        const std::optional<image::TBitmap> picture = image::DecodeSkinFile(damaged, decoder);
        if (picture) {
          ASSERT_EQ(picture->Pixels.size(),
                    static_cast<std::size_t>(picture->Width) * static_cast<std::size_t>(picture->Height));
        }
      }
    }
  }
}

}  // namespace
}  // namespace qtui
