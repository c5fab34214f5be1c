// The editor control's own popup menu, used when the window that holds the control assigns none.
#pragma once

#include <QMenu>

#include "editor/control/editor.h"

namespace qtui {

class TEditorPopupMenu : public QMenu {
  Q_OBJECT

 public:
  // The menu's actions carry their shortcuts; `shortcutOwner` gets them so they work while it has the focus.
  TEditorPopupMenu(editor::TEditor& editor, QWidget* shortcutOwner);

  // Enables the items for the editor's state, as each popup does.
  void UpdateItems();

 private:
  editor::TEditor& FEditor;
  QAction* FUndo = nullptr;
  QAction* FRedo = nullptr;
  QAction* FCut = nullptr;
  QAction* FCopy = nullptr;
  QAction* FPaste = nullptr;
  QAction* FBoxPaste = nullptr;
  QAction* FDelete = nullptr;
  QAction* FBoxMode = nullptr;
};

}  // namespace qtui
