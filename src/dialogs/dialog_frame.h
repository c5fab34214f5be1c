// What both dialogs share: their font, their fixed stay-on-top frame, design positions and their place
// beside the note window.
#pragma once

#include <QRect>
#include <QString>

class QDialog;
class QWidget;

namespace dialogs {

// How far right of and below the note window's top-left corner a dialog opens.
inline constexpr int kDialogOffset = 20;

// A fixed client size, the 12-pixel "ＭＳ Ｐゴシック" font, always on top; `closeBox` adds the system
// menu and the close button to the title bar.
void SetUpDialogFrame(QDialog& dialog, const QString& caption, QSize clientSize, bool closeBox);

// Moves the dialog's top-left corner 20 pixels right of and below the note window's.
void PlaceBesideNoteWindow(QDialog& dialog, const QWidget& noteWindow);

// Gives a control its design name and position; an empty size keeps the control's own (for labels and
// check boxes, whose size follows their text).
void Place(QWidget& control, const char* name, QRect geometry);
inline void Place(QWidget& control, const char* name, int left, int top) {
  Place(control, name, QRect(left, top, 0, 0));
}

}  // namespace dialogs
