// The note window: brings the settings and the pages in at start, shows one page at a time with the page
// commands and the two menus, keeps the window's small states (shade, always on top, skin), and saves
// everything in its close check.
#pragma once

#include <QRect>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <string>
#include <vector>

#include "editor/view/editor_window.h"
#include "image/skin_image.h"
#include "platform/clock.h"
#include "qt/dialog_service.h"
#include "qt/global_hot_key.h"
#include "qt/qt_skin_image.h"
#include "qt/tray_icon.h"
#include "store/memo_file.h"
#include "store/note_store.h"
#include "store/settings.h"

class QPainter;

namespace qtui {
class TEditorWidget;
}

namespace app {

class TMainMenu;
class TEditMenu;

// What the window works with, made in main (or by a test) and outliving the window.
struct TNoteServices {
  const platform::Clock& Clock;
  qtui::TDialogService& Dialogs;
  store::TPaths Paths;
  std::vector<std::string> Arguments = {};  // the command line after the program's name
};

// The window's fixed layout, in pixels.
inline constexpr int TitleBarHeight = 18;  // also the height of a rolled-up window
inline constexpr int MinWindowWidth = 150;
inline constexpr int MinWindowHeight = 80;
// The editor keeps these distances to the window's edges.
inline constexpr int Memo1Left = 7;
inline constexpr int Memo1Top = 18;
inline constexpr int Memo1RightGap = 20;
inline constexpr int Memo1BottomGap = 35;
// The menu label in the title bar; the main menu opens below it.
inline constexpr QRect lblMenuRect{5, 5, 12, 12};
// Where the title and the page number are drawn.
inline constexpr int TitleTextLeft = 24;
inline constexpr int TitleTextTop = 3;
inline constexpr int PageNumberRise = 28;  // above the bottom edge

class TfrmMain : public QWidget {
  Q_OBJECT

 public:
  explicit TfrmMain(TNoteServices services);
  ~TfrmMain() override;

  // The creation handler: settings, hot key, skin, pages, the first page, the page menu, the tray icon,
  // then Timer1. False when the data file exists but could not be read: the window then closes without
  // writing anything.
  bool FormCreate();

  // --- Pages (page_commands.cpp).
  // Puts the page at `index` (clamped into the list) into the editor and makes it the shown page.
  void ApplyPage(int32_t index);
  // Copies the editor's font, and its text with a fresh Updated stamp when modified, into the record.
  void StorePage(int32_t index);
  // The numbered entries of the Pages submenu, from the page list.
  void RebuildPageMenu();
  void mnuNewClick();
  void mnuDeleteClick();
  void mnuPreviousClick();
  void mnuNextClick();
  void JumpToPage(int32_t index);
  void mnuPageTitleClick();
  void mnuFontClick();
  void mnuWordWrapClick();
  void mnuLoadTextClick();
  void E1Click();  // export

  // --- Window states (window_state.cpp).
  // Draws the skin file of that name in the skins folder over the skin image; a missing file is
  // skipped, an unreadable one reported. The caller repaints.
  void LoadSkin(const std::string& fileName);
  void SetWindowShade(bool value);
  void SetAlwaysOnTop(bool value);
  // A message dialog with always-on-top suspended while it is open.
  qtui::TModalResult MessageDlgNotTopmost(const QString& text, qtui::TMsgDlgType type, unsigned buttons);
  void mnuAlwaysOnTopClick();
  void mnuMinimizeClick();
  void mnuExitClick();
  // Visible, in front and active: the tray icon's left press and the hot key.
  void ShowAndBringForward();
  // Opens the main menu below the menu label (Alt+F).
  void PopupMainMenuBelowLabel();

  // The start timer's one tick: the stored window shade, and hiding when started with "/R".
  void Timer1Timer();

  // --- What the window shows and holds.
  store::TNoteStore& Store() { return FStore; }
  const store::TSettings& Settings() const { return FSettings; }
  qtui::TEditorWidget& Memo1() { return *FMemo1; }
  int32_t PageIndex() const { return FPageIndex; }
  const std::string& CurrentTitle() const { return FCurrentTitle; }
  // The window canvas's font: the editor's font at 9 points, for the title and the page number.
  const editor::TEditorFont& CanvasFont() const { return FCanvasFont; }
  bool IsShaded() const { return FIsShaded; }
  int UnshadedHeight() const { return FUnshadedHeight; }
  bool IsAlwaysOnTop() const { return FIsAlwaysOnTop; }
  bool DblClickGuard() const { return FDblClickGuard; }
  const image::TSkinImage& ImgSkin() const { return FImgSkin; }
  TMainMenu& MainMenu() { return *FMainMenu; }
  TEditMenu& EditMenu() { return *FEditMenu; }
  const qtui::TTrayIcon& TrayIcon() const { return FTrayIcon; }
  const qtui::TGlobalHotKey& HotKey() const { return FHotKey; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // The close check: true when the pages and the settings were written and the window may close.
  bool FormCloseQuery();
  // LoadSettings' share of the window: position, size, shade, always on top, opacity.
  void ApplySettings();
  void CollectSettings();
  // Paints the frame: the paint hook the skinned frame takes over.
  void FormPaint(QPainter& painter);
  // Sets the editor's wrap width in columns from its width and its font's cell.
  void Memo1Resize();
  void FormDeactivate() { FDblClickGuard = true; }
  void LayOutMemo1();

  TNoteServices FServices;
  store::TNoteStore FStore;
  store::TMemoFile FMemoFile;
  store::TSettings FSettings;
  int32_t FPageIndex = 0;
  std::string FCurrentTitle;
  editor::TEditorFont FCanvasFont;
  bool FIsShaded = false;
  int FUnshadedHeight = 0;
  bool FIsAlwaysOnTop = false;
  bool FStartShaded = false;
  bool FDblClickGuard = false;
  bool FLoadFailed = false;
  image::TSkinImage FImgSkin;
  qtui::TQtBmpDecoder FSkinDecoder;
  qtui::TEditorWidget* FMemo1 = nullptr;
  TMainMenu* FMainMenu = nullptr;
  TEditMenu* FEditMenu = nullptr;
  qtui::TTrayIcon FTrayIcon;  // the notification-area icon's record
  qtui::TGlobalHotKey FHotKey;
  QTimer FTimer;   // the scroll arrows' 50 ms auto-repeat, started by presses on the frame's arrows
  QTimer FTimer1;  // fires once after start-up
};

}  // namespace app
