// Colours of the editor core (0x00BBGGRR, system colours with the top bit set) as QColor.
#pragma once

#include <QColor>

#include "editor/base/geometry.h"

namespace qtui {

// Windows' system colour indexes that the editor's defaults use, as the core writes them.
inline constexpr editor::TColor clSystemBit = 0x80000000u;
inline constexpr editor::TColor clHighlight = clSystemBit | 13;
inline constexpr editor::TColor clHighlightText = clSystemBit | 14;
inline constexpr editor::TColor clWindow = clSystemBit | 5;
inline constexpr editor::TColor clWindowText = clSystemBit | 8;
inline constexpr editor::TColor clBtnFace = clSystemBit | 15;
inline constexpr editor::TColor clGrayText = clSystemBit | 17;

// A colour of the core on screen. System colours come from the application's palette; clNone (which
// callers normally resolve first) is transparent.
QColor ToQColor(editor::TColor color);

}  // namespace qtui
