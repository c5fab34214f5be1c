// The bar property objects of the editor (line-number bar, ruler, image bar) and the speed settings.
#pragma once

#include <cstdint>
#include <functional>

#include "editor/base/geometry.h"
#include "editor/base/notify.h"

namespace editor {

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clSilver = 0xC0C0C0;

enum TNumberMode : std::uint8_t { nmRow, nmLine };

// A notifying object whose setters store a value, or a whole record, only when it differs.
class TEditorBarBase : public TNotifyPersistent {
 protected:
  // Stores all values of a record at once, reporting once when anything changed.
  template <class T>
  void StoreAll(T& values, const T& value) {
    if (values == value) return;
    values = value;
    Changed();
  }
};

// The line-number bar's values.
struct TLeftbarValues {
  TColor BkColor = clSilver;
  TColor Color = clBlack;
  int Column = 4;  // digits, 1 .. 8
  bool Edge = true;
  int LeftMargin = 8;   // 0 .. 100
  int RightMargin = 4;  // 0 .. 100
  bool ShowNumber = true;
  TNumberMode ShowNumberMode = nmRow;
  bool Visible = false;
  bool ZeroBase = false;
  bool ZeroLead = false;
  bool operator==(const TLeftbarValues&) const = default;
};

class TEditorLeftbar : public TEditorBarBase {
 public:
  const TLeftbarValues& Values() const { return FValues; }
  // All values at once (unclamped: a preset or a copy), one report when anything changed.
  void SetValues(const TLeftbarValues& value) { StoreAll(FValues, value); }
  TColor BkColor() const { return FValues.BkColor; }
  TColor Color() const { return FValues.Color; }
  int Column() const { return FValues.Column; }
  bool Edge() const { return FValues.Edge; }
  int LeftMargin() const { return FValues.LeftMargin; }
  int RightMargin() const { return FValues.RightMargin; }
  bool ShowNumber() const { return FValues.ShowNumber; }
  TNumberMode ShowNumberMode() const { return FValues.ShowNumberMode; }
  bool Visible() const { return FValues.Visible; }
  bool ZeroBase() const { return FValues.ZeroBase; }
  bool ZeroLead() const { return FValues.ZeroLead; }
  void SetBkColor(TColor value) { Store(FValues.BkColor, value); }
  void SetColor(TColor value) { Store(FValues.Color, value); }
  void SetColumn(int value);
  void SetEdge(bool value) { Store(FValues.Edge, value); }
  void SetLeftMargin(int value);
  void SetRightMargin(int value);
  void SetShowNumber(bool value) { Store(FValues.ShowNumber, value); }
  void SetShowNumberMode(TNumberMode value) { Store(FValues.ShowNumberMode, value); }
  void SetVisible(bool value) { Store(FValues.Visible, value); }
  void SetZeroBase(bool value) { Store(FValues.ZeroBase, value); }
  void SetZeroLead(bool value) { Store(FValues.ZeroLead, value); }
  void Assign(const TPersistent& source) override;

 private:
  TLeftbarValues FValues;
};

struct TRulerValues {
  TColor BkColor = clSilver;
  TColor Color = clBlack;
  bool Edge = true;
  int GaugeRange = 10;  // 8 or 10
  TColor MarkColor = clBlack;
  bool Visible = false;
  bool operator==(const TRulerValues&) const = default;
};

class TEditorRuler : public TEditorBarBase {
 public:
  const TRulerValues& Values() const { return FValues; }
  // All values at once (unclamped: a preset or a copy), one report when anything changed.
  void SetValues(const TRulerValues& value) { StoreAll(FValues, value); }
  TColor BkColor() const { return FValues.BkColor; }
  TColor Color() const { return FValues.Color; }
  bool Edge() const { return FValues.Edge; }
  int GaugeRange() const { return FValues.GaugeRange; }
  TColor MarkColor() const { return FValues.MarkColor; }
  bool Visible() const { return FValues.Visible; }
  void SetBkColor(TColor value) { Store(FValues.BkColor, value); }
  void SetColor(TColor value) { Store(FValues.Color, value); }
  void SetEdge(bool value) { Store(FValues.Edge, value); }
  // Limited to 8 .. 10 and made even.
  void SetGaugeRange(int value);
  void SetMarkColor(TColor value) { Store(FValues.MarkColor, value); }
  void SetVisible(bool value) { Store(FValues.Visible, value); }
  void Assign(const TPersistent& source) override;

 private:
  TRulerValues FValues;
};

struct TImagebarValues {
  int DigitWidth = 8;  // every width 0 .. 100
  int LeftMargin = 2;
  int MarkWidth = 0;
  int RightMargin = 2;
  bool Visible = true;
  bool operator==(const TImagebarValues&) const = default;
};

class TEditorImagebar : public TEditorBarBase {
 public:
  const TImagebarValues& Values() const { return FValues; }
  // All values at once (unclamped: a preset or a copy), one report when anything changed.
  void SetValues(const TImagebarValues& value) { StoreAll(FValues, value); }
  int DigitWidth() const { return FValues.DigitWidth; }
  int LeftMargin() const { return FValues.LeftMargin; }
  int MarkWidth() const { return FValues.MarkWidth; }
  int RightMargin() const { return FValues.RightMargin; }
  bool Visible() const { return FValues.Visible; }
  void SetDigitWidth(int value);
  void SetLeftMargin(int value);
  void SetMarkWidth(int value);
  void SetRightMargin(int value);
  void SetVisible(bool value) { Store(FValues.Visible, value); }
  // The sum of the four widths while visible, else 0.
  int Width() const;
  void Assign(const TPersistent& source) override;

 private:
  TImagebarValues FValues;
};

// Scrolling and state-computation speeds. It reports no change: new values take effect when next used.
class TEditorSpeed : public TPersistent {
 public:
  static constexpr int MinRange = 1;
  static constexpr int MaxRange = 4;

  int CaretVerticalAc() const { return FCaretVerticalAc; }
  bool InitBracketsFull() const { return FInitBracketsFull; }
  int PageVerticalRange() const { return FPageVerticalRange; }
  int PageVerticalRangeAc() const { return FPageVerticalRangeAc; }
  void SetCaretVerticalAc(int value);
  void SetInitBracketsFull(bool value);
  void SetPageVerticalRange(int value);
  void SetPageVerticalRangeAc(int value);
  void Assign(const TPersistent& source) override;

  // The row start states keep their own copy of InitBracketsFull; the control hands in the setter here.
  void SetInitBracketsFullSink(std::function<void(bool)> sink);

 private:
  int FCaretVerticalAc = 2;
  bool FInitBracketsFull = false;
  int FPageVerticalRange = 2;
  int FPageVerticalRangeAc = 2;
  std::function<void(bool)> FInitBracketsFullSink;
};

}  // namespace editor
