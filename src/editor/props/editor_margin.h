// The Margin and Marks property objects of the editor: spacing around the text and the optional marks.
#pragma once

#include "editor/base/geometry.h"
#include "editor/base/notify.h"

namespace editor {

// Pixels around and between the cells. Every value is limited to 0 .. 100.
class TEditorMargin : public TNotifyPersistent {
 public:
  static constexpr int MaxMargin = 100;

  int Character() const { return FCharacter; }  // extra pixels in every character cell
  int Left() const { return FLeft; }            // between the bars and the text
  int Line() const { return FLine; }            // extra pixels between rows
  int Top() const { return FTop; }              // above the first row (below the ruler)
  void SetCharacter(int value) { Store(FCharacter, value); }
  void SetLeft(int value) { Store(FLeft, value); }
  void SetLine(int value) { Store(FLine, value); }
  void SetTop(int value) { Store(FTop, value); }

  // The caret-row underline's extra pixel row: 1 while Marks.Underline is visible. The control keeps it
  // in step with Marks itself, so setting it reports nothing.
  int UnderlineSpace() const { return FUnderlineSpace; }
  void SetUnderlineSpace(bool underline) { FUnderlineSpace = underline ? 1 : 0; }

  void Assign(const TPersistent& source) override;

 private:
  void Store(int& field, int value);

  int FCharacter = 0;
  int FLeft = 19;
  int FLine = 0;
  int FTop = 2;
  int FUnderlineSpace = 0;
};

// One optional mark: its colour and whether it shows.
class TEditorMark : public TNotifyPersistent {
 public:
  static constexpr TColor DefaultColor = 0x808080;  // gray

  TColor Color() const { return FColor; }
  bool Visible() const { return FVisible; }
  void SetColor(TColor value);
  void SetVisible(bool value);
  void Assign(const TPersistent& source) override;

 private:
  TColor FColor = DefaultColor;
  bool FVisible = false;
};

// The five marks; a change of any of them is a change of Marks.
class TEditorMarks : public TNotifyPersistent {
 public:
  TEditorMarks();

  TEditorMark& EofMark() { return FEofMark; }
  TEditorMark& RetMark() { return FRetMark; }
  TEditorMark& WrapMark() { return FWrapMark; }
  TEditorMark& HideMark() { return FHideMark; }
  TEditorMark& Underline() { return FUnderline; }
  const TEditorMark& EofMark() const { return FEofMark; }
  const TEditorMark& RetMark() const { return FRetMark; }
  const TEditorMark& WrapMark() const { return FWrapMark; }
  const TEditorMark& HideMark() const { return FHideMark; }
  const TEditorMark& Underline() const { return FUnderline; }

  // Copies all five marks, reporting once.
  void Assign(const TPersistent& source) override;

 private:
  TEditorMark* Marks(int index);
  const TEditorMark* Marks(int index) const;

  TEditorMark FEofMark;
  TEditorMark FRetMark;
  TEditorMark FWrapMark;
  TEditorMark FHideMark;
  TEditorMark FUnderline;
};

}  // namespace editor
