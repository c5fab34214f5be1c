// Skin files of every BMP depth and compression, and corrupt ones, through Qt's BMP reader onto the skin.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "qt/qt_skin_image.h"
#include "support/bmp_writer.h"
#include "support/case_table.h"

namespace qtui {
namespace {

TEST(QtBmpDecoder, EveryDepthAndCompressionDecodesToItsPixels) {
  using namespace image_test;
  const TQtBmpDecoder decoder;
  for (const auto& [width, height] : {std::pair{131, 70}, std::pair{100, 50}, std::pair{200, 100}, std::pair{7, 3}}) {
    for (const test_support::TRow& row : test_support::Rows("qt.txt", "bmp")) {
      const TBmpShape shape{width, height, row.Int(0), static_cast<TCompression>(row.Int(1)), row.Int(2) != 0};
      SCOPED_TRACE(row.Where() + " at " + std::to_string(width) + " x " + std::to_string(height));
      const std::optional<image::TBitmap> picture = image::DecodeSkinFile(MakeBmp(shape), decoder);
      EXPECT_TRUE(picture);
      if (!picture) continue;
      const image::TBitmap expected = Expected(shape);
      ASSERT_EQ(picture->Width, expected.Width);
      ASSERT_EQ(picture->Height, expected.Height);
      const auto mismatch = std::mismatch(picture->Pixels.begin(), picture->Pixels.end(), expected.Pixels.begin());
      const auto wrong = mismatch.first - picture->Pixels.begin();
      EXPECT_TRUE(mismatch.first == picture->Pixels.end())
          << "first wrong pixel " << wrong % shape.Width << "," << wrong / shape.Width;
    }
  }
}

// Every single-byte change of the headers and the first pixels of each kind of file: whatever the check
// lets through to Qt's reader, nothing crashes and a picture that comes back has the pixels it promises.
TEST(QtBmpDecoder, DamagedBytesNeverCrashTheReader) {
  using namespace image_test;
  const TQtBmpDecoder decoder;
  const unsigned values[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};
  for (const TBmpShape& shape : {TBmpShape{9, 5, 1}, TBmpShape{9, 5, 4, BI_RLE4}, TBmpShape{9, 5, 8, BI_RLE8},
                                 TBmpShape{9, 5, 16, BI_BITFIELDS}, TBmpShape{9, 5, 32, BI_BITFIELDS}}) {
    const std::string file = MakeBmp(shape);
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
