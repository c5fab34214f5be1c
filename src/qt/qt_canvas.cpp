// Cell-by-cell text output, fills and lines on a QPainter for the editor's drawing.
#include "qt/qt_canvas.h"

#include <QFontMetrics>

#include <algorithm>
#include <cmath>

#include "editor/view/editor_images.h"
#include "platform/cp932.h"
#include "qt/qt_colors.h"
#include "qt/qt_fonts.h"

namespace qtui {
namespace {

QRect ToQRect(const editor::TRect& r) { return QRect(r.Left, r.Top, r.Width(), r.Height()); }

bool IsTrailByte(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// The byte length of the character at `pos`, as the decoder steps it.
std::size_t CharLength(std::string_view bytes, std::size_t pos) {
  if (platform::IsLeadByte(bytes[pos]) && pos + 1 < bytes.size() &&
      IsTrailByte(static_cast<unsigned char>(bytes[pos + 1]))) {
    return 2;
  }
  return 1;
}

std::u32string Decode(std::string_view bytes) {
  return QString::fromStdString(platform::Cp932ToUtf8(bytes)).toStdU32String();
}

int Sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

std::vector<TCellGlyph> CellGlyphs(std::string_view bytes) {
  std::vector<TCellGlyph> glyphs;
  std::vector<std::size_t> starts;
  for (std::size_t pos = 0; pos < bytes.size(); pos += CharLength(bytes, pos)) starts.push_back(pos);
  const std::u32string whole = Decode(bytes);
  glyphs.reserve(starts.size());
  if (whole.size() == starts.size()) {
    for (std::size_t i = 0; i < starts.size(); ++i) glyphs.push_back({static_cast<int>(starts[i]), whole[i]});
    return glyphs;
  }
  // The decoder did not give one character per character (it never should): decode one by one.
  for (std::size_t start : starts) {
    const std::u32string one = Decode(bytes.substr(start, CharLength(bytes, start)));
    glyphs.push_back({static_cast<int>(start), one.size() == 1 ? one[0] : U'?'});
  }
  return glyphs;
}

TQtCanvas::TQtCanvas(QPainter& painter, const editor::TRect& clip) : FPainter(painter), FClip(clip) {}

void TQtCanvas::SetFont(const editor::TEditorFont& font) {
  FFont = ToQFont(font);
  const editor::TFontMetrics metrics = MeasureFont(FFont);
  FAscent = metrics.Ascent;
  FHeight = metrics.Height;
}

void TQtCanvas::TextOut(const editor::TTextOut& out) {
  FPainter.save();
  if (out.Options & editor::etoClipped) FPainter.setClipRect(ToQRect(out.Clip), Qt::IntersectClip);
  if (out.BkColor != editor::clNone) {
    if (out.Options & editor::etoOpaque) {
      FPainter.fillRect(ToQRect(out.Clip), ToQColor(out.BkColor));
    } else {
      const int width = static_cast<int>(out.Text.size()) * out.CellWidth;
      FPainter.fillRect(QRect(out.X, out.Y, width, FHeight), ToQColor(out.BkColor));
    }
  }
  QFont font = FFont;
  font.setBold(out.Style & editor::fsBold);
  font.setItalic(out.Style & editor::fsItalic);
  font.setStrikeOut(out.Style & editor::fsStrikeOut);
  FPainter.setFont(font);
  FPainter.setPen(ToQColor(out.Color));
  const int baseline = out.Y + FAscent;
  for (const TCellGlyph& glyph : CellGlyphs(out.Text)) {
    if (glyph.Char < 0x20 || glyph.Char == 0x7F || glyph.Char == U' ' || glyph.Char == U'\u3000') continue;
    const char32_t one[] = {glyph.Char};
    FPainter.drawText(QPoint(out.X + glyph.Cell * out.CellWidth, baseline), QString::fromUcs4(one, 1));
  }
  FPainter.restore();
}

void TQtCanvas::FillRect(const editor::TRect& rect, editor::TColor color) {
  if (rect.IsEmpty() || color == editor::clNone) return;
  FPainter.fillRect(ToQRect(rect), ToQColor(color));
}

void TQtCanvas::Line(editor::TPoint from, editor::TPoint to, editor::TColor color) {
  if (from == to) return;
  // LineTo leaves out its end point: the last pixel drawn is the one before it on the line, one step
  // back along the longer axis and as far along the other as the line's slope says.
  const int dx = to.X - from.X;
  const int dy = to.Y - from.Y;
  editor::TPoint last = to;
  const auto along = [](int step, int span, int other) {
    return static_cast<int>(std::lround(static_cast<double>(step) * other / span));
  };
  if (std::abs(dx) >= std::abs(dy)) {
    last.X -= Sign(dx);
    last.Y = from.Y + along(last.X - from.X, dx, dy);
  } else {
    last.Y -= Sign(dy);
    last.X = from.X + along(last.Y - from.Y, dy, dx);
  }
  FPainter.save();
  FPainter.setPen(QPen(ToQColor(color), 1));
  FPainter.drawLine(QPoint(from.X, from.Y), QPoint(last.X, last.Y));
  FPainter.restore();
}

void TQtCanvas::DottedLine(int x1, int x2, int y, editor::TColor color, editor::TColor bkColor) {
  if (x2 <= x1) return;
  FPainter.save();
  const QColor dots = ToQColor(color);
  const QColor gaps = ToQColor(bkColor);
  for (int x = x1; x < x2; ++x) {
    const bool dot = (x - x1) % 2 == 0;
    if (!dot && bkColor == editor::clNone) continue;
    FPainter.setPen(dot ? dots : gaps);
    FPainter.drawPoint(x, y);
  }
  FPainter.restore();
}

void TQtCanvas::DrawImage(int x, int y, const editor::TEditorImageList& list, int index) {
  QImage image(list.Width(), list.Height(), QImage::Format_ARGB32);
  const std::vector<editor::TColor>& pixels = list.Pixels(index);
  for (int row = 0; row < list.Height(); ++row) {
    for (int col = 0; col < list.Width(); ++col) {
      const editor::TColor color = pixels[static_cast<std::size_t>(row * list.Width() + col)];
      image.setPixelColor(col, row, color == list.Transparent() ? QColor(Qt::transparent) : ToQColor(color));
    }
  }
  FPainter.drawImage(x, y, image);
}

void TQtCanvas::InvertRect(const editor::TRect& rect) {
  // White XORed onto the pixels inverts them, whatever the text and background colours are.
  FPainter.save();
  FPainter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  FPainter.fillRect(QRect(rect.Left, rect.Top, rect.Width(), rect.Height()), Qt::white);
  FPainter.restore();
}

}  // namespace qtui
