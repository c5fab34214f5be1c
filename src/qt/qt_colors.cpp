// The mapping of the core's colour values to QColor, system colours through the palette.
#include "qt/qt_colors.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>
#include <utility>

namespace qtui {
namespace {

// Windows system colour index -> palette role, for the indexes that have a fitting role.
constexpr std::array<std::pair<unsigned, QPalette::ColorRole>, 9> kSystemRoles = {{
    {5, QPalette::Base},              // COLOR_WINDOW
    {8, QPalette::Text},              // COLOR_WINDOWTEXT
    {13, QPalette::Highlight},        // COLOR_HIGHLIGHT
    {14, QPalette::HighlightedText},  // COLOR_HIGHLIGHTTEXT
    {15, QPalette::Button},           // COLOR_BTNFACE
    {17, QPalette::PlaceholderText},  // COLOR_GRAYTEXT
    {18, QPalette::ButtonText},       // COLOR_BTNTEXT
    {23, QPalette::ToolTipText},      // COLOR_INFOTEXT
    {24, QPalette::ToolTipBase},      // COLOR_INFOBK
}};

}  // namespace

QColor ToQColor(editor::TColor color) {
  if (color == editor::clNone) return Qt::transparent;
  if (color & clSystemBit) {
    const unsigned index = color & 0xFFu;
    const QPalette palette = QGuiApplication::palette();
    for (const auto& [systemIndex, role] : kSystemRoles) {
      if (systemIndex == index) return palette.color(role);
    }
    return palette.color(QPalette::Text);
  }
  return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                static_cast<int>((color >> 16) & 0xFF));
}

}  // namespace qtui
