// The editor's published settings as one part of the control: the property objects and the plain
// properties with their construction defaults.
#pragma once

#include <cstdint>

#include "editor/base/editor_font.h"
#include "editor/props/editor_bars.h"
#include "editor/props/editor_caret.h"
#include "editor/props/editor_margin.h"
#include "editor/props/editor_view_info.h"

namespace editor {

enum TBorderStyle : std::uint8_t { bsNone, bsSingle };
enum TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TEditorHitStyle : std::uint8_t { hsSelect, hsDraw, hsCaret };

inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clNavy = 0x800000;

// The control's plain published properties, with their construction defaults.
struct TEditorSettings {
  TBorderStyle BorderStyle = bsSingle;
  TColor Color = clWhite;
  TEditorFont Font{"FixedSys", 10, 0, 0};
  TEditorHitStyle HitStyle = hsSelect;
  TScrollStyle ScrollBars = ssNone;
  int HitLength = 0;  // the last hit length given to SetHitLength
  // The tab width the rows were last cut with, so only a real change of it re-wraps.
  int CutTabSpaceCount = 8;
};

// The property objects in the order the control creates them; each reports to onChange (the control's
// PropertyChanged) with itself as sender.
class TEditorProperties {
 public:
  explicit TEditorProperties(TNotifyEvent onChange);
  TEditorProperties(const TEditorProperties&) = delete;
  TEditorProperties& operator=(const TEditorProperties&) = delete;

  TEditorViewInfo& View() { return FView; }
  TEditorCaret& Caret() { return FCaret; }
  TEditorMarks& Marks() { return FMarks; }
  TEditorMargin& Margin() { return FMargin; }
  TEditorImagebar& Imagebar() { return FImagebar; }
  TEditorLeftbar& Leftbar() { return FLeftbar; }
  TEditorRuler& Ruler() { return FRuler; }
  TEditorSpeed& Speed() { return FSpeed; }
  const TEditorViewInfo& View() const { return FView; }
  const TEditorCaret& Caret() const { return FCaret; }
  const TEditorMarks& Marks() const { return FMarks; }
  const TEditorMargin& Margin() const { return FMargin; }
  const TEditorImagebar& Imagebar() const { return FImagebar; }
  const TEditorLeftbar& Leftbar() const { return FLeftbar; }
  const TEditorRuler& Ruler() const { return FRuler; }
  const TEditorSpeed& Speed() const { return FSpeed; }

  // The plain properties; the control's setters add their effects.
  TEditorSettings& Settings() { return FSettings; }
  const TEditorSettings& Settings() const { return FSettings; }

 private:
  TEditorSettings FSettings;
  TEditorViewInfo FView;
  TEditorCaret FCaret;
  TEditorMarks FMarks;
  TEditorMargin FMargin;
  TEditorImagebar FImagebar;
  TEditorLeftbar FLeftbar;
  TEditorRuler FRuler;
  TEditorSpeed FSpeed;
};

}  // namespace editor
