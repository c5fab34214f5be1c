// The control's fonts on Linux: Windows Japanese face names mapped to an installed Japanese font, and
// the metrics GetTextMetricsA would report, measured so the cell grid holds.
#pragma once

#include <QFont>

#include "editor/base/editor_font.h"

namespace qtui {

// Maps the Windows Japanese faces ("ＭＳ ゴシック", "MS Gothic", ...) to IPAGothic, then Noto Sans Mono
// CJK JP; fontconfig would otherwise pick a proportional Latin font and break the grid. Call once at
// start-up (QFont's substitution table is the application's).
void InstallFontSubstitutions();

// The QFont of a core font (code page 932 face name, points, style bits). Underline is left off: the
// editor draws it itself as a dotted line.
QFont ToQFont(const editor::TEditorFont& font);

// Height (ascent + descent), external leading, the half-width cell width and ascent of the font.
editor::TFontMetrics MeasureFont(const QFont& font);

}  // namespace qtui
