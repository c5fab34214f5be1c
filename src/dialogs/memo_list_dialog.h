// The page-order dialog: lists the pages by title, shows the clicked one, moves the shown one up or down.
#pragma once

#include <QDialog>

#include "dialogs/note_window_host.h"

class QListWidget;

namespace dialogs {

// The selected entry is always the page the note window shows. Every change is applied at once, so
// closing by the button, the close box or Esc makes no difference.
class TfrmMemoList : public QDialog {
  Q_OBJECT

 public:
  // Builds the controls, lists the pages and selects the shown one.
  explicit TfrmMemoList(TPageOrderHost& host);

 protected:
  // A press on the dialog's own surface drags the dialog.
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void FormShow();
  void lstMemoClick();
  // Moves the selected page one place by `step` (-1 up, +1 down), keeping it selected and shown.
  void MovePage(int step);

  TPageOrderHost& FHost;
  QListWidget* FLstMemo = nullptr;
};

// The Pages submenu's page-order command: opens the dialog beside the note window, modally, and rebuilds
// the page items of the submenu after it closes.
void RunMemoListDialog(TPageOrderHost& host);

}  // namespace dialogs
