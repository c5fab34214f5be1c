// Skin files of every BMP depth and compression, and corrupt ones, through Qt's BMP reader onto the skin.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/bmp_writer.h"
#include "image/builtin_skin.h"
#include "platform/temp_dir.h"
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
    int wrong = 0;
    for (int y = 0; y < spec.Height; ++y)
      for (int x = 0; x < spec.Width; ++x) {
        if (picture->At(x, y) == expected.At(x, y)) continue;
        if (++wrong <= 3)
          ADD_FAILURE() << "pixel " << x << "," << y << " got " << int{picture->At(x, y).R} << ","
                        << int{picture->At(x, y).G} << "," << int{picture->At(x, y).B} << " want "
                        << int{expected.At(x, y).R} << "," << int{expected.At(x, y).G} << ","
                        << int{expected.At(x, y).B};
      }
    EXPECT_EQ(wrong, 0);
  }
}

}  // namespace
}  // namespace qtui

namespace qtui {
namespace {

using image_test::MakeBmp;

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

namespace qtui {
namespace {

// A skin file smaller than the skin replaces only its own area; a damaged one changes nothing.
TEST(QtBmpDecoder, SkinFilesOnDiskAreDrawnOverTheBuiltInSkin) {
  using namespace image_test;
  platform_test::TempDir dir;
  const TQtBmpDecoder decoder;
  platform_test::WriteBytes(dir / "SMALL.BMP", MakeBmp({100, 50, 24}));
  std::string damaged = MakeBmp({131, 70, 24});
  damaged.resize(damaged.size() - 1);
  platform_test::WriteBytes(dir / "CUT.BMP", damaged);

  image::TSkinImage skin = image::BuiltInSkin();
  EXPECT_EQ(image::LoadSkinFile(dir / "CUT.BMP", decoder, skin), image::TSkinLoad::Failed);
  EXPECT_EQ(skin, image::BuiltInSkin());
  EXPECT_EQ(image::LoadSkinFile(dir / "SMALL.BMP", decoder, skin), image::TSkinLoad::Loaded);
  const image::TBitmap small = Expected({100, 50, 24});
  EXPECT_EQ(skin.Pixel(99, 49), small.At(99, 49));
  EXPECT_EQ(skin.Pixel(0, 0), small.At(0, 0));
  EXPECT_EQ(skin.Pixel(100, 49), image::BuiltInSkin().Pixel(100, 49));
  EXPECT_EQ(skin.Pixel(99, 50), image::BuiltInSkin().Pixel(99, 50));
  // The image the window paints from shows the same pixels.
  const QImage painted = ToQImage(skin);
  EXPECT_EQ(painted.size(), QSize(131, 70));
  EXPECT_EQ(painted.pixelColor(130, 69), QColor(153, 153, 153));
  EXPECT_EQ(painted.pixelColor(99, 49), QColor(small.At(99, 49).R, small.At(99, 49).G, small.At(99, 49).B));
}

}  // namespace
}  // namespace qtui
