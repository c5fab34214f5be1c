// The editor's popup menu in the note window (mnuEdit): undo, redo, the clipboard and select all, with
// hidden items that only serve their shortcuts.
#pragma once

#include <QMenu>

namespace editor {
class TEditor;
}

namespace app {

class TfrmMain;

class TEditMenu : public QMenu {
  Q_OBJECT

 public:
  // The items, in order; every shortcut works while the editor has the focus.
  TEditMenu(TfrmMain& window, editor::TEditor& editor);

  // An item by its name ("mnuEUndo", "dmyCut", ...), shown or hidden; nullptr for none.
  QAction* Item(const char* name) const;

 private:
  // Enables the shown items for the editor's state. The enabling is for the popup only: once it closes,
  // every shortcut works again, whatever the state was when the menu last opened.
  void EnableItems();
  void EnableAll();

  editor::TEditor& FEditor;
};

}  // namespace app
