// The built-in skin as a table of drawing rules, painted in order: later rules cover earlier ones.
#include "image/builtin_skin.h"

#include <array>
#include <cstdlib>
#include <string_view>

namespace image {
namespace {

constexpr TRgb kLine = Grey(153);
constexpr TRgb kBand = Grey(247);
constexpr TRgb kWhite = Grey(255);
constexpr TRgb kTrack = Grey(245);
constexpr TRgb kTeal{0, 128, 128};
constexpr TRgb kThumbTop{233, 243, 253};
constexpr TRgb kThumbMiddle{193, 222, 250};
constexpr TRgb kThumbBottom{247, 251, 254};

// Glyph pictures fill their rule's rectangle row by row: '#' is a line pixel, '.' keeps the background.
constexpr std::string_view kNewPage =
    ".######...."
    ".#....##..."
    ".#....#.#.."
    ".#....####."
    ".#.......#."
    ".#.......#."
    ".#.......#."
    ".#.......#."
    ".#.......#."
    ".#.......#."
    ".#########.";
constexpr std::string_view kScissors =
    "..#.....#.."
    "..#.....#.."
    "...#...#..."
    "...#...#..."
    "....#.#...."
    ".....#....."
    "....#.#...."
    ".###...###."
    "#..#...#..#"
    "#..#...#..#"
    ".##.....##.";
constexpr std::string_view kTwoPages =
    ".#####....."
    ".#...#....."
    ".#..######."
    ".#..#....#."
    ".#..#....#."
    ".#..#....#."
    ".####....#."
    "....#....#."
    "....#....#."
    "....######."
    "...........";
constexpr std::string_view kClipboard =
    "....###...."
    ".###.#.###."
    ".#.#####.#."
    ".#.......#."
    ".#.#####.#."
    ".#.......#."
    ".#.#####.#."
    ".#.......#."
    ".#.####..#."
    ".#.......#."
    ".#########.";
constexpr std::string_view kFourSquares =
    "..........."
    ".###...###."
    ".#.#...#.#."
    ".###...###."
    "..........."
    "..........."
    "..........."
    ".###...###."
    ".#.#...#.#."
    ".###...###."
    "...........";
constexpr std::string_view kShadeBox =
    "###########"
    "#.........#"
    "#.........#"
    "###########"
    "#.........#"
    "#.........#"
    "#.........#"
    "#.........#"
    "#.........#"
    "#.........#"
    "###########";
constexpr std::string_view kCloseBox =
    "###########"
    "#.........#"
    "#.#.....#.#"
    "#..#...#..#"
    "#...#.#...#"
    "#....#....#"
    "#...#.#...#"
    "#..#...#..#"
    "#.#.....#.#"
    "#.........#"
    "###########";
constexpr std::string_view kUpTriangle =
    "...##..."
    "..####.."
    ".######."
    "########";
constexpr std::string_view kDownTriangle =
    "########"
    ".######."
    "..####.."
    "...##...";

enum class TPaint {
  Fill,      // the whole rectangle in Color
  Frame,     // its outline in Color
  Gradient,  // rows from Color at the top to To at the bottom
  Diagonal,  // a 45-degree line from (X0, Y0) to (X1, Y1), every Step-th pixel
  Glyph,     // Picture's '#' pixels in Color
};

struct TRule {
  TPaint Paint;
  int X0, Y0, X1, Y1;  // corners, both inclusive
  TRgb Color;
  TRgb To{};
  int Step = 1;
  std::string_view Picture{};
};

constexpr TRule Fill(int x0, int y0, int x1, int y1, TRgb color) { return {TPaint::Fill, x0, y0, x1, y1, color}; }
constexpr TRule Frame(int x0, int y0, int x1, int y1) { return {TPaint::Frame, x0, y0, x1, y1, kLine}; }
constexpr TRule Gradient(int x0, int y0, int x1, int y1, TRgb top, TRgb bottom) {
  return {TPaint::Gradient, x0, y0, x1, y1, top, bottom};
}
constexpr TRule Dotted(int x0, int y0, int x1, int y1) { return {TPaint::Diagonal, x0, y0, x1, y1, kLine, {}, 2}; }
constexpr TRule Glyph(int x0, int y0, int x1, int y1, std::string_view picture) {
  return {TPaint::Glyph, x0, y0, x1, y1, kLine, {}, 1, picture};
}

constexpr auto kRules = std::to_array<TRule>({
    Fill(0, 0, 130, 69, kTeal),
    // Title bar: the background by rows, the outer lines, the menu box and the seven button glyphs.
    Fill(0, 1, 130, 2, Grey(252)),
    Fill(0, 3, 130, 3, Grey(247)),
    Fill(0, 4, 130, 5, Grey(245)),
    Fill(0, 6, 130, 7, Grey(243)),
    Fill(0, 8, 130, 8, Grey(241)),
    Fill(0, 9, 130, 9, Grey(231)),
    Fill(0, 10, 130, 10, Grey(239)),
    Fill(0, 11, 130, 11, Grey(247)),
    Fill(0, 12, 130, 16, kWhite),
    Fill(0, 0, 130, 0, kLine),
    Fill(0, 17, 130, 17, kLine),
    Fill(0, 0, 0, 17, kLine),
    Fill(130, 0, 130, 17, kLine),
    Frame(4, 3, 14, 13),
    Glyph(41, 3, 51, 13, kNewPage),
    Glyph(53, 3, 63, 13, kScissors),
    Glyph(65, 3, 75, 13, kTwoPages),
    Glyph(77, 3, 87, 13, kClipboard),
    Glyph(89, 3, 99, 13, kFourSquares),
    Glyph(104, 3, 114, 13, kShadeBox),
    Glyph(116, 3, 126, 13, kCloseBox),
    // Side edges (the rows the frame stretches down) and the bottom strip: outer line, grey band, inner line.
    Fill(0, 32, 130, 69, kWhite),
    Fill(1, 32, 4, 68, kBand),
    Fill(127, 32, 129, 68, kBand),
    Fill(1, 66, 129, 68, kBand),
    Fill(5, 32, 5, 65, kLine),
    Fill(126, 32, 126, 65, kLine),
    Fill(0, 32, 0, 69, kLine),
    Fill(130, 32, 130, 69, kLine),
    Fill(0, 69, 130, 69, kLine),
    // The page corner, cut where a press turns forward or back, and the page edges under the text.
    Frame(5, 35, 28, 59),
    {TPaint::Diagonal, 5, 35, 28, 58, kLine},
    Fill(5, 59, 110, 59, kLine),
    Fill(5, 61, 110, 61, kLine),
    Fill(5, 63, 110, 63, kLine),
    Fill(5, 65, 110, 65, kLine),
    // The scroll arrows and the size grip.
    Gradient(112, 36, 125, 42, Grey(252), Grey(240)),
    Gradient(112, 44, 125, 50, Grey(252), Grey(240)),
    Frame(111, 35, 126, 43),
    Frame(111, 43, 126, 51),
    Glyph(115, 37, 122, 40, kUpTriangle),
    Glyph(115, 46, 122, 49, kDownTriangle),
    Dotted(122, 65, 125, 62),
    Dotted(118, 65, 125, 58),
    Dotted(114, 65, 125, 54),
    // The scroll thumb and its track.
    Frame(95, 19, 109, 33),
    Gradient(96, 20, 108, 26, kThumbTop, kThumbMiddle),
    Gradient(96, 26, 108, 32, kThumbMiddle, kThumbBottom),
    Fill(99, 24, 105, 24, kLine),
    Fill(99, 26, 105, 26, kLine),
    Fill(99, 28, 105, 28, kLine),
    Fill(111, 19, 125, 33, kTrack),
    // Teal again where the frame never reads: separator lines and what lies between the pieces.
    Fill(35, 0, 35, 69, kTeal),
    Fill(38, 0, 38, 69, kTeal),
    Fill(0, 18, 130, 18, kTeal),
    Fill(0, 34, 130, 34, kTeal),
    Fill(0, 19, 94, 31, kTeal),
    Fill(110, 19, 110, 31, kTeal),
    Fill(126, 19, 130, 31, kTeal),
    Fill(18, 32, 38, 33, kTeal),
});

// One channel of a row of a gradient, rounded to the nearest level.
std::uint8_t Blend(std::uint8_t top, std::uint8_t bottom, int row, int rows) {
  if (rows <= 1) return top;
  const int span = (bottom - top) * row;
  const int steps = rows - 1;
  const int rounded = (2 * span + (span < 0 ? -steps : steps)) / (2 * steps);
  return static_cast<std::uint8_t>(top + rounded);
}

void Paint(const TRule& rule, TSkinImage& skin) {
  if (rule.Paint == TPaint::Diagonal) {
    const int length = std::abs(rule.X1 - rule.X0);
    const int dx = rule.X1 >= rule.X0 ? 1 : -1;
    const int dy = rule.Y1 >= rule.Y0 ? 1 : -1;
    for (int i = 0; i <= length; i += rule.Step) skin.SetPixel(rule.X0 + i * dx, rule.Y0 + i * dy, rule.Color);
    return;
  }
  const int width = rule.X1 - rule.X0 + 1;
  for (int y = rule.Y0; y <= rule.Y1; ++y) {
    for (int x = rule.X0; x <= rule.X1; ++x) {
      switch (rule.Paint) {
        case TPaint::Fill:
          skin.SetPixel(x, y, rule.Color);
          break;
        case TPaint::Frame:
          if (x == rule.X0 || x == rule.X1 || y == rule.Y0 || y == rule.Y1) skin.SetPixel(x, y, rule.Color);
          break;
        case TPaint::Gradient: {
          const int row = y - rule.Y0;
          const int rows = rule.Y1 - rule.Y0 + 1;
          skin.SetPixel(x, y,
                        {Blend(rule.Color.R, rule.To.R, row, rows), Blend(rule.Color.G, rule.To.G, row, rows),
                         Blend(rule.Color.B, rule.To.B, row, rows)});
          break;
        }
        case TPaint::Glyph:
          if (rule.Picture[static_cast<std::size_t>((y - rule.Y0) * width + (x - rule.X0))] == '#')
            skin.SetPixel(x, y, rule.Color);
          break;
        case TPaint::Diagonal:  // drawn above
          break;
      }
    }
  }
}

}  // namespace

TSkinImage BuiltInSkin() {
  TSkinImage skin;
  for (const TRule& rule : kRules) Paint(rule, skin);
  return skin;
}

}  // namespace image
