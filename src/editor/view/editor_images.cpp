// The image lists and the built-in pictures, drawn from tables of pixels and shapes.
#include "editor/view/editor_images.h"

#include <array>
#include <cstdlib>
#include <string_view>

namespace editor {
namespace {

constexpr TColor kRed = 0x0000FF;
constexpr TColor kWhite = 0xFFFFFF;
constexpr TColor kBlack = 0x000000;
constexpr TColor kNavy = 0x800000;

// The digits 0 to 9, five pixels wide and seven high, "#" for ink.
constexpr std::array<std::array<std::string_view, 7>, 10> kDigitGlyphs = {{
    {" ### ", "#   #", "#  ##", "# # #", "##  #", "#   #", " ### "},
    {"  #  ", " ##  ", "  #  ", "  #  ", "  #  ", "  #  ", " ### "},
    {" ### ", "#   #", "    #", "   # ", "  #  ", " #   ", "#####"},
    {"#####", "   # ", "  #  ", "   # ", "    #", "#   #", " ### "},
    {"   # ", "  ## ", " # # ", "#  # ", "#####", "   # ", "   # "},
    {"#####", "#    ", "#### ", "    #", "    #", "#   #", " ### "},
    {"  ## ", " #   ", "#    ", "#### ", "#   #", "#   #", " ### "},
    {"#####", "    #", "   # ", "  #  ", " #   ", " #   ", " #   "},
    {" ### ", "#   #", "#   #", " ### ", "#   #", "#   #", " ### "},
    {" ### ", "#   #", "#   #", " ####", "    #", "   # ", " ##  "},
}};

// The six marks as shapes around the picture's centre (dx, dy from -5 to 5): a disc, a square, a
// triangle pointing right, a diamond, a cross and a plus.
bool InMark(int mark, int dx, int dy) {
  const int ax = std::abs(dx);
  const int ay = std::abs(dy);
  switch (mark) {
    case 0:
      return dx * dx + dy * dy <= 16;
    case 1:
      return ax <= 3 && ay <= 3;
    case 2:
      return dx >= -3 && dx <= 3 && 2 * ay <= 3 - dx;
    case 3:
      return ax + ay <= 4;
    case 4:
      return ax == ay && ax <= 4;
    default:
      return (dx == 0 && ay <= 4) || (dy == 0 && ax <= 4);
  }
}

}  // namespace

TEditorImageList::~TEditorImageList() {
  // A listener typically clears its pointer and may take itself out: copy first.
  TMethodList listeners;
  for (std::size_t i = 0; i < FFreeNotifies.Count(); ++i) listeners.Add(FFreeNotifies.Items(i));
  FFreeNotifies.Clear();
  for (std::size_t i = 0; i < listeners.Count(); ++i) listeners.Items(i)(this);
}

void TEditorImageList::Add(std::vector<TColor> pixels) {
  pixels.resize(static_cast<std::size_t>(FWidth * FHeight), FTransparent);
  FImages.push_back(std::move(pixels));
}

const TEditorImageList& BuiltInDigitImages() {
  struct TDigits : TEditorImageList {
    TDigits() : TEditorImageList(8, 11, kRed) {
      for (const auto& glyph : kDigitGlyphs) {
        std::vector<TColor> pixels(8 * 11, kRed);
        for (std::size_t y = 0; y < glyph.size(); ++y)
          for (std::size_t x = 0; x < glyph[y].size(); ++x)
            if (glyph[y][x] == '#') pixels[(y + 2) * 8 + x + 1] = kBlack;
        Add(std::move(pixels));
      }
    }
  };
  static const TDigits digits;
  return digits;
}

const TEditorImageList& BuiltInMarkImages() {
  struct TMarks : TEditorImageList {
    TMarks() : TEditorImageList(11, 11, kWhite) {
      for (int mark = 0; mark < 6; ++mark) {
        std::vector<TColor> pixels(11 * 11, kWhite);
        for (int y = 0; y < 11; ++y)
          for (int x = 0; x < 11; ++x)
            if (InMark(mark, x - 5, y - 5)) pixels[static_cast<std::size_t>(y * 11 + x)] = kNavy;
        Add(std::move(pixels));
      }
    }
  };
  static const TMarks marks;
  return marks;
}

}  // namespace editor
