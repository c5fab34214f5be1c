// The note window: brings the settings and the pages in at start, shows the current page, and saves
// everything in its close check.
#pragma once

#include <QWidget>

#include <cstdint>

#include "platform/clock.h"
#include "qt/dialog_service.h"
#include "store/memo_file.h"
#include "store/note_store.h"
#include "store/settings.h"

class QLabel;

namespace qtui {
class TEditorWidget;
}

namespace app {

// What the window works with, made in main (or by a test) and outliving the window.
struct TNoteServices {
  const platform::Clock& Clock;
  qtui::TDialogService& Dialogs;
  store::TPaths Paths;
};

// Design values of the window.
inline constexpr int MinWindowWidth = 150;
inline constexpr int MinWindowHeight = 80;

class TfrmMain : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmMain(TNoteServices services);

  // Runs the creation steps: settings, pages, the first page shown. Returns false when the data file
  // exists but could not be read; the window then closes without writing anything.
  bool FormCreate();

  store::TNoteStore& Store() { return FStore; }
  const store::TSettings& Settings() const { return FSettings; }
  int32_t PageIndex() const { return FPageIndex; }
  const std::string& CurrentTitle() const { return FCurrentTitle; }
  qtui::TEditorWidget& EditorWidget() { return *FEditor; }

  // Puts the page at `index` (clamped into the list) into the editor and makes it the shown page.
  void ApplyPage(int32_t index);
  // Copies the editor's font, and its text with a fresh Updated stamp when modified, into the record.
  void StorePage(int32_t index);

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // The close check: true when the pages and the settings were written and the window may close.
  bool CloseQuery();
  void ApplySettings();
  void CollectSettings();

  TNoteServices FServices;
  store::TNoteStore FStore;
  store::TMemoFile FMemoFile;
  store::TSettings FSettings;
  int32_t FPageIndex = 0;
  std::string FCurrentTitle;
  bool FLoadFailed = false;
  QLabel* FTitleLabel = nullptr;
  qtui::TEditorWidget* FEditor = nullptr;
};

}  // namespace app
