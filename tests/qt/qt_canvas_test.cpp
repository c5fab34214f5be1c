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

// The byte order of plain colours is the pixel rows' of qt.txt.
TEST(QtColors, SystemColoursAndNone) {
  EXPECT_EQ(ToQColor(clWindow), QGuiApplication::palette().color(QPalette::Base));
  EXPECT_EQ(ToQColor(editor::clNone).alpha(), 0);
}

// Lines leave out their end point, straight or diagonal; dots alternate; fills stop before their right and
// bottom edges; images keep their transparent pixels; opaque text fills its whole clip and its glyphs stay
// in their cells.
TEST(QtCanvas, LinesDotsFillsImagesAndTextHitTheirPixels) {
  QImage image(120, 70, QImage::Format_RGB32);
  image.fill(Qt::white);
  editor::TEditorImageList images(2, 2, 0x0000FFu);  // transparent red
  images.Add({0x00000000u, 0x0000FFu, 0x0000FFu, 0x00000000u});
  const std::string text = Sjis("W日");
  {
    QPainter painter(&image);
    TQtCanvas canvas(painter, {0, 0, 120, 70});
    canvas.Line({5, 2}, {15, 2}, 0x000000FFu);  // red
    canvas.DottedLine(20, 30, 10, 0x00000000u, 0x0000FF00u);
    canvas.FillRect({50, 20, 60, 30}, 0x00FF0000u);
    canvas.Line({10, 10}, {14, 14}, 0x00000000u);
    canvas.DrawImage(100, 30, images, 0);
    canvas.SetFont({Sjis("ＭＳ ゴシック"), 12, 0, 0});
    // White glyphs on black.
    canvas.TextOut({.X = 10, .Y = 40, .Clip = {10, 40, 70, 60}, .Options = editor::etoOpaque | editor::etoClipped,
                    .Text = text, .CellWidth = 10, .Color = 0x00FFFFFF, .BkColor = 0x00000000});
  }
  for (const TRow& row : Rows("qt.txt", "pixel")) {
    EXPECT_EQ(image.pixelColor(row.Int(0), row.Int(1)), QColor(QString::fromStdString(row.Text(2)))) << row.Where();
  }
  for (const TRow& row : Rows("qt.txt", "glyphs")) {
    int white = 0;
    for (int x = row.Int(0); x < row.Int(1); ++x)
      for (int y = 40; y < 60; ++y) white += image.pixelColor(x, y) == QColor(Qt::white);
    EXPECT_EQ(white > 0, row.Int(2) != 0) << row.Where();
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
