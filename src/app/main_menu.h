// The note window's main menu (mnuMain): the page commands, the page list, the window's states and exit.
#pragma once

#include <QMenu>

#include <string>
#include <vector>

namespace app {

class TfrmMain;

class TMainMenu : public QMenu {
  Q_OBJECT

 public:
  // The items, in order, with their shortcuts registered on the window.
  explicit TMainMenu(TfrmMain& window);

  // An item by its name ("mnuNew", "E1", ...); nullptr for none.
  QAction* Item(const char* name) const;
  QMenu& PagesMenu() const { return *FPages; }

  // The numbered entries after the Pages submenu's four fixed ones, one per title (code page 932):
  // "&1 title" to "&9 title" with Ctrl+1 to Ctrl+9, then "&0 title", the first of them with Ctrl+0.
  void RebuildPageItems(const std::vector<std::string>& titles);

 private:
  // Sets the check marks from the shown page's word wrap and from always-on-top.
  void UpdateChecks();

  TfrmMain& FWindow;
  QMenu* FPages = nullptr;
};

}  // namespace app
