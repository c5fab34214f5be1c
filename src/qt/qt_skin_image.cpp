// Decoding skin files with Qt's BMP reader, and the skin image handed to QPainter.
#include "qt/qt_skin_image.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

namespace qtui {
namespace {

// No skin needs more than this; a header claiming more is corrupt or hostile, and is refused before
// anything is allocated for it.
constexpr int kMaxSkinSide = 4096;

}  // namespace

std::optional<image::TBitmap> TQtBmpDecoder::Decode(std::string_view bytes) const {
  const QByteArray data = QByteArray::fromRawData(bytes.data(), static_cast<qsizetype>(bytes.size()));
  QBuffer buffer;
  buffer.setData(data);
  if (!buffer.open(QIODevice::ReadOnly)) return std::nullopt;
  QImageReader reader(&buffer, "bmp");
  const QSize size = reader.size();
  if (!size.isValid() || size.width() > kMaxSkinSide || size.height() > kMaxSkinSide) return std::nullopt;
  QImage picture;
  if (!reader.read(&picture)) return std::nullopt;
  picture = picture.convertToFormat(QImage::Format_RGB888);
  image::TBitmap result{picture.width(), picture.height(), {}};
  result.Pixels.reserve(static_cast<std::size_t>(picture.width()) * static_cast<std::size_t>(picture.height()));
  for (int y = 0; y < picture.height(); ++y) {
    const uchar* line = picture.constScanLine(y);
    for (int x = 0; x < picture.width(); ++x, line += 3) result.Pixels.push_back({line[0], line[1], line[2]});
  }
  return result;
}

QImage ToQImage(const image::TSkinImage& skin) {
  QImage result(image::TSkinImage::Width, image::TSkinImage::Height, QImage::Format_RGB888);
  for (int y = 0; y < image::TSkinImage::Height; ++y) {
    uchar* line = result.scanLine(y);
    for (int x = 0; x < image::TSkinImage::Width; ++x, line += 3) {
      const image::TRgb pixel = skin.Pixel(x, y);
      line[0] = pixel.R;
      line[1] = pixel.G;
      line[2] = pixel.B;
    }
  }
  return result;
}

}  // namespace qtui
