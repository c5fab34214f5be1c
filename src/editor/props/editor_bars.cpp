// The bar property objects and the speed settings: clamping and copying.
#include "editor/props/editor_bars.h"

#include <algorithm>

namespace editor {
namespace {

constexpr int kMaxBarMargin = 100;

int ClampSpeed(int value) { return std::clamp(value, TEditorSpeed::MinRange, TEditorSpeed::MaxRange); }

}  // namespace

void TEditorLeftbar::SetColumn(int value) { Store(FValues.Column, std::clamp(value, 1, 8)); }

void TEditorLeftbar::SetLeftMargin(int value) { Store(FValues.LeftMargin, std::clamp(value, 0, kMaxBarMargin)); }

void TEditorLeftbar::SetRightMargin(int value) { Store(FValues.RightMargin, std::clamp(value, 0, kMaxBarMargin)); }

void TEditorLeftbar::Assign(const TPersistent& source) {
  const auto* bar = dynamic_cast<const TEditorLeftbar*>(&source);
  if (!bar) return TNotifyPersistent::Assign(source);
  FValues = bar->FValues;
  Changed();
}

void TEditorRuler::SetGaugeRange(int value) {
  value = std::clamp(value, 8, 10);
  Store(FValues.GaugeRange, value - value % 2);
}

void TEditorRuler::Assign(const TPersistent& source) {
  const auto* ruler = dynamic_cast<const TEditorRuler*>(&source);
  if (!ruler) return TNotifyPersistent::Assign(source);
  FValues = ruler->FValues;
  Changed();
}

void TEditorImagebar::SetDigitWidth(int value) { Store(FValues.DigitWidth, std::clamp(value, 0, kMaxBarMargin)); }

void TEditorImagebar::SetLeftMargin(int value) { Store(FValues.LeftMargin, std::clamp(value, 0, kMaxBarMargin)); }

void TEditorImagebar::SetMarkWidth(int value) { Store(FValues.MarkWidth, std::clamp(value, 0, kMaxBarMargin)); }

void TEditorImagebar::SetRightMargin(int value) { Store(FValues.RightMargin, std::clamp(value, 0, kMaxBarMargin)); }

int TEditorImagebar::Width() const {
  if (!FValues.Visible) return 0;
  return FValues.LeftMargin + FValues.DigitWidth + FValues.MarkWidth + FValues.RightMargin;
}

void TEditorImagebar::Assign(const TPersistent& source) {
  const auto* bar = dynamic_cast<const TEditorImagebar*>(&source);
  if (!bar) return TNotifyPersistent::Assign(source);
  FValues = bar->FValues;
  Changed();
}

void TEditorSpeed::SetCaretVerticalAc(int value) { FCaretVerticalAc = ClampSpeed(value); }

void TEditorSpeed::SetInitBracketsFull(bool value) {
  FInitBracketsFull = value;
  if (FInitBracketsFullSink) FInitBracketsFullSink(value);
}

void TEditorSpeed::SetPageVerticalRange(int value) { FPageVerticalRange = ClampSpeed(value); }

void TEditorSpeed::SetPageVerticalRangeAc(int value) { FPageVerticalRangeAc = ClampSpeed(value); }

void TEditorSpeed::Assign(const TPersistent& source) {
  const auto* speed = dynamic_cast<const TEditorSpeed*>(&source);
  if (!speed) return TPersistent::Assign(source);
  FCaretVerticalAc = speed->FCaretVerticalAc;
  FPageVerticalRange = speed->FPageVerticalRange;
  FPageVerticalRangeAc = speed->FPageVerticalRangeAc;
  SetInitBracketsFull(speed->FInitBracketsFull);
}

void TEditorSpeed::SetInitBracketsFullSink(std::function<void(bool)> sink) {
  FInitBracketsFullSink = std::move(sink);
  if (FInitBracketsFullSink) FInitBracketsFullSink(FInitBracketsFull);
}

}  // namespace editor
