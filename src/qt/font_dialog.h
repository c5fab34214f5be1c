// The page-font dialog: fixed-pitch faces, style, size, underline, strike-out and colour, as the program's
// font dialog always offered them (Qt's own font dialog has no colour and judges CJK faces proportional).
#pragma once

#include <QDialog>

#include <optional>

#include "editor/view/editor_window.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidget;

namespace qtui {

class TFontDialog : public QDialog {
  Q_OBJECT

 public:
  // Preset to `initial`; a face that is not installed (a Windows name the program maps to an installed
  // font) is listed first, so choosing OK without a change keeps it.
  TFontDialog(QWidget* parent, const editor::TEditorFont& initial);

  // The font as the dialog shows it now; the face in code page 932.
  editor::TEditorFont Font() const;

  // Families whose half-width characters all have one advance, judged by measuring: fontconfig calls
  // the Japanese gothic faces proportional although their grid is fixed.
  static QStringList FixedPitchFamilies();

 private:
  void UpdateSample();

  editor::TEditorFont FInitial;
  QString FInitialFace;
  QListWidget* FFamilies = nullptr;
  QListWidget* FStyles = nullptr;
  QComboBox* FSize = nullptr;
  QCheckBox* FStrikeOut = nullptr;
  QCheckBox* FUnderline = nullptr;
  QComboBox* FColour = nullptr;
  QLabel* FSample = nullptr;
};

}  // namespace qtui
