// The Qt canvas and clipboard: glyphs land in their cells, fills and lines hit the right pixels, and
// Japanese text survives the clipboard as code page 932.
#include <gtest/gtest.h>

#include <QClipboard>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPalette>

#include "editor/view/editor_images.h"
#include "platform/cp932.h"
#include "qt/qt_canvas.h"
#include "qt/qt_clipboard.h"
#include "qt/qt_colors.h"
#include "qt/qt_fonts.h"
#include "support/case_table.h"

namespace qtui {
namespace {

using test_support::Rows;
using test_support::TRow;

std::string Sjis(const char* utf8) { return platform::Utf8ToCp932(utf8); }

// Where each character of a text stands and what is drawn there.
TEST(CellGlyphs, DoubleByteCharactersSpanTwoCellsAndBrokenBytesKeepTheirCell) {
  for (const TRow& row : Rows("qt.txt", "cells")) {
    std::vector<std::string> glyphs, expected;
    for (const TCellGlyph& glyph : CellGlyphs(editor::test::ParseQuoted(row[0]).Text))
      glyphs.push_back(std::to_string(glyph.Cell) + " " + QString::fromUcs4(&glyph.Char, 1).toStdString());
    for (std::size_t i = 1; i + 1 < row.Size(); i += 2) expected.push_back(row[i] + " " + row.Text(i + 1));
    EXPECT_EQ(glyphs, expected) << row.Where();
  }
}

TEST(QtColors, WindowsColourOrderAndSystemColours) {
  EXPECT_EQ(ToQColor(0x00FF0000u), QColor(0, 0, 255));  // 0x00BBGGRR: blue
  EXPECT_EQ(ToQColor(0x00000080u), QColor(128, 0, 0));
  EXPECT_EQ(ToQColor(clWindow), QGuiApplication::palette().color(QPalette::Base));
  EXPECT_EQ(ToQColor(editor::clNone).alpha(), 0);
}

class QtCanvasTest : public ::testing::Test {
 protected:
  QtCanvasTest() : FImage(120, 40, QImage::Format_RGB32) { FImage.fill(Qt::white); }
  QImage FImage;
};

TEST_F(QtCanvasTest, OpaqueTextFillsItsClipAndGlyphsStayInTheirCells) {
  {
    QPainter painter(&FImage);
    TQtCanvas canvas(painter, {0, 0, 120, 40});
    canvas.SetFont({Sjis("ＭＳ ゴシック"), 12, 0, 0});
    editor::TTextOut out;
    out.X = 10;
    out.Y = 5;
    out.Clip = {10, 5, 70, 25};
    out.Options = editor::etoOpaque | editor::etoClipped;
    const std::string text = Sjis("W日");
    out.Text = text;
    out.CellWidth = 10;
    out.Color = 0x00FFFFFF;  // white glyphs
    out.BkColor = 0x00000000;
    canvas.TextOut(out);
  }
  // The background is black across the whole clip, even past the text's three cells.
  EXPECT_EQ(FImage.pixelColor(65, 6), QColor(Qt::black));
  EXPECT_EQ(FImage.pixelColor(9, 6), QColor(Qt::white));
  EXPECT_EQ(FImage.pixelColor(70, 6), QColor(Qt::white));
  // Some glyph pixels are white inside the cells of the text, none beyond them.
  auto whiteIn = [this](int left, int right) {
    int count = 0;
    for (int x = left; x < right; ++x)
      for (int y = 5; y < 25; ++y) count += FImage.pixelColor(x, y) == QColor(Qt::white);
    return count;
  };
  EXPECT_GT(whiteIn(10, 20), 0);
  EXPECT_GT(whiteIn(20, 40), 0);
  EXPECT_EQ(whiteIn(41, 70), 0);
}

// Lines leave out their end point, straight or diagonal; dots alternate; fills stop before their right and
// bottom edges; images keep their transparent pixels.
TEST_F(QtCanvasTest, LinesDotsFillsAndImagesHitTheirPixels) {
  editor::TEditorImageList images(2, 2, 0x0000FFu);  // transparent red
  images.Add({0x00000000u, 0x0000FFu, 0x0000FFu, 0x00000000u});
  {
    QPainter painter(&FImage);
    TQtCanvas canvas(painter, {0, 0, 120, 40});
    canvas.Line({5, 2}, {15, 2}, 0x000000FFu);  // red
    canvas.DottedLine(20, 30, 10, 0x00000000u, 0x0000FF00u);
    canvas.FillRect({50, 20, 60, 30}, 0x00FF0000u);
    canvas.Line({10, 10}, {14, 14}, 0x00000000u);
    canvas.DrawImage(100, 30, images, 0);
  }
  for (const TRow& row : Rows("qt.txt", "pixel")) {
    EXPECT_EQ(FImage.pixelColor(row.Int(0), row.Int(1)), QColor(QString::fromStdString(row.Text(2)))) << row.Where();
  }
}

TEST(QtFonts, WindowsJapaneseFaceMapsToAFontWithAnEvenCellGrid) {
  InstallFontSubstitutions();
  const QFont font = ToQFont({Sjis("ＭＳ ゴシック"), 15, editor::fsBold | editor::fsUnderline, 0});
  EXPECT_TRUE(font.bold());
  EXPECT_FALSE(font.underline());  // the editor draws underlines itself
  const editor::TFontMetrics metrics = MeasureFont(font);
  ASSERT_GT(metrics.AveCharWidth, 0);
  // A full-width character is exactly two half-width cells: the grid holds.
  EXPECT_EQ(QFontMetrics(font).horizontalAdvance(QStringLiteral("日")), 2 * metrics.AveCharWidth);
}

TEST(QtClipboard, JapaneseTextAndTheBoxFlagRoundTrip) {
  TQtClipboard clipboard;
  const std::string text = Sjis("日本語\r\nテキスト①");
  clipboard.SetText(text, false);
  ASSERT_TRUE(clipboard.HasText());
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QStringLiteral("日本語\r\nテキスト①"));  // as other programs see it
  EXPECT_EQ(clipboard.GetText(), text);
  EXPECT_FALSE(clipboard.HasBoxFormat());

  clipboard.SetText(std::string("box\0tail", 8), true);
  EXPECT_EQ(clipboard.GetText(), "box");  // the text ends at its first NUL
  EXPECT_TRUE(clipboard.HasBoxFormat());
}

}  // namespace
}  // namespace qtui
