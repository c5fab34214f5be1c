// The editor's font as the core knows it, and the measurements a window reports of it.
#pragma once

#include <string>

#include "editor/base/geometry.h"

namespace editor {

// The control's font: code page 932 face name, size in points, style bits, colour.
struct TEditorFont {
  std::string Name;
  int Size = 10;
  TFontStyles Style = 0;
  TColor Color = 0;
  bool operator==(const TEditorFont&) const = default;
};

// What GetTextMetricsA reports of a font, in pixels.
struct TFontMetrics {
  int Height = 0;  // ascent + descent
  int ExternalLeading = 0;
  int AveCharWidth = 0;  // the width of one half-width cell
  int Ascent = 0;
};

}  // namespace editor
