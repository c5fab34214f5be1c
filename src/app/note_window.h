// The note window: brings the settings and the pages in at start, shows one page at a time with the page
// commands and the two menus, paints its skinned frame and scroll bar and answers the mouse on them,
// keeps the window's small states (shade, always on top, skin, opacity), and saves everything in its
// close check.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QRect>
#include <QTimer>
#include <QWidget>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/recovery_keeper.h"
#include "app/thumb_math.h"
#include "dialogs/note_window_host.h"
#include "editor/view/editor_window.h"
#include "image/skin_image.h"
#include "platform/clock.h"
#include "qt/dialog_service.h"
#include "qt/global_hot_key.h"
#include "qt/qt_skin_image.h"
#include "qt/tray_icon.h"
#include "qt/url_opener.h"
#include "store/memo_file.h"
#include "store/note_store.h"
#include "store/settings.h"

class QPainter;

namespace editor {
class TObject;
}

namespace qtui {
class TEditorWidget;
}

namespace app {

class TMainMenu;
class TEditMenu;
class TSkinPanel;
class TTitleLabel;

// What the window works with, made in main (or by a test) and outliving the window.
struct TNoteServices {
  const platform::Clock& Clock;
  qtui::TDialogService& Dialogs;
  qtui::TUrlOpener& Opener;  // opens the addresses double-clicked in the text
  store::TPaths Paths;
  std::vector<std::string> Arguments = {};  // the command line after the program's name
  std::filesystem::path ProgramPath = {};   // what the autostart entry starts
  std::filesystem::path AutostartDir = {};  // where autostart entries live; empty for none
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

// The window is also what the two dialogs work on: each method they need means the same in both.
class TfrmMain : public QWidget, public dialogs::TOptionsHost, public dialogs::TPageOrderHost {
  Q_OBJECT

 public:
  explicit TfrmMain(TNoteServices services);
  ~TfrmMain() override;

  // The creation handler: settings, hot key, skin, pages, the first page, the page menu, the tray icon,
  // then Timer1. False when the data file exists but could not be read, or when the program is to end
  // during a start-up message: the window then closes without writing anything.
  bool FormCreate();

  // --- Ending and crash recovery (close_check.cpp, start_checks.cpp).
  // A signal or the desktop session's end: open dialogs are cancelled, then the close check runs and the
  // program ends whatever the save gave, the pages in a rescue file when the data file refused them.
  void EndRequested();
  bool Ending() const { return FEnding; }
  // The pages changed outside the editor's text (a page added, deleted, renamed, its wrap or font).
  void PagesChanged() { FRecovery.Changed(); }
  TRecoveryKeeper& Recovery() { return FRecovery; }

  // --- Pages (page_commands.cpp).
  // Puts the page at `index` (clamped into the list) into the editor and makes it the shown page.
  void ApplyPage(int32_t index) override;
  // Copies the editor's font, and its text with a fresh Updated stamp when modified, into the record.
  void StorePage(int32_t index) override;
  // The numbered entries of the Pages submenu, from the page list.
  void RebuildPageMenu() override;
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
  void LoadSkin(const std::string& fileName) override;
  void SetWindowShade(bool value);
  void SetAlwaysOnTop(bool value);
  // A message dialog with always-on-top suspended while it is open.
  qtui::TModalResult MessageDlgNotTopmost(const QString& text, qtui::TMsgDlgType type, unsigned buttons);
  void mnuAlwaysOnTopClick();
  void mnuMinimizeClick();
  void mnuExitClick();
  // Visible, in front and active: the tray icon's left press and the hot key.
  void ShowAndBringForward() override;
  // Opens the main menu below the menu label (Alt+F).
  void PopupMainMenuBelowLabel();
  // The menu label: a click opens the main menu, a double click closes the window.
  void lblMenuClick();
  void lblMenuDblClick();
  // The close label: hides to the tray when resident, else closes.
  void btnHideClick();
  void mnuOptionsClick();
  void mnuChangePageOrderClick();

  // --- The frame (frame_paint.cpp, frame_mouse.cpp).
  // Where the page corner was at the last full paint; empty before it.
  const QRect& PageCornerRect() const { return FPageCornerRect; }
  // The mouse on the frame itself (no control under it).
  void FormMouseDown(QPoint position);
  void FormMouseUp();
  void FormMouseMove(QPoint position);
  void FormDblClick(QPoint position);

  // --- The skinned scroll bar (scroll_bar.cpp).
  // Places or hides the thumb for the editor's top row.
  void UpdateThumb();
  // Scrolls the editor to the row the thumb's position stands for.
  void ScrollToThumb();
  // One notch of the wheel: delta > 0 turned away from the user.
  void FormMouseWheel(int delta);
  // The arrows' auto-repeat: one row per tick in the direction of the timer's tag (1 up, 2 down).
  void TimerTimer();
  TSkinPanel& PnlScrollArea() { return *FPnlScrollArea; }
  TSkinPanel& PnlScroll() { return *FPnlScroll; }
  bool ThumbDragging() const { return FThumbDragging; }
  const QTimer& Timer() const { return FTimer; }
  int TimerTag() const { return FTimerTag; }

  // --- Links in the text (links.cpp).
  // The hand over an address, else the cursor of the editor's own state.
  void Memo1MouseMove(int x, int y);
  // Opens the address at the caret.
  void Memo1DblClick(editor::TObject* sender);

  // The start timer's one tick: the stored window shade, and hiding when started with "/R".
  void Timer1Timer();

  // --- What the window shows and holds.
  store::TNoteStore& Store() override { return FStore; }
  const store::TSettings& Settings() const { return FSettings; }
  store::TSettings& Settings() override { return FSettings; }
  qtui::TEditorWidget& Memo1() { return *FMemo1; }
  int32_t PageIndex() const override { return FPageIndex; }
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
  // The window's opacity, 0-255 (255 opaque); kept and saved even where no compositor can show it.
  int Opacity() const override { return FAlphaBlend; }
  void SetOpacity(int alpha) override;

  // --- What the dialogs need besides (note_window_host.cpp).
  QWidget& Window() override { return *this; }
  std::filesystem::path SkinDir() const override { return FServices.Paths.SkinDir; }
  void ResetSkin() override;
  void RelayoutFrame() override;
  void Repaint() override { update(); }
  std::filesystem::path ProgramPath() const override { return FServices.ProgramPath; }
  std::filesystem::path AutostartDir() const override { return FServices.AutostartDir; }
  void SetPageIndex(int32_t index) override { FPageIndex = index; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void changeEvent(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  // The editor's wheel turns come to the window, which scrolls the editor itself.
  bool eventFilter(QObject* watched, QEvent* event) override;
  void moveEvent(QMoveEvent* event) override;

 private:
  // A press on the frame waits for the mouse to move; then the window manager moves or sizes the window,
  // or, without one, the frame does it itself.
  enum class TDragMode { None, PendingMove, PendingSize, Move, Size };

  // The close check: true when the pages and the settings were written and the window may close, and
  // always once the program is ending.
  bool FormCloseQuery();
  // Tells of a damaged data file, offers the pages a crash left behind and starts the recovery file.
  // False when the program is to end now.
  bool RecoverAtStart();
  // The pages with the shown page as the editor holds it, the records left as they are.
  std::vector<store::TMemoData> PagesAsShown();
  // What StorePage copies from the editor into a record.
  void CopyEditorInto(store::TMemoData& page);
  // The notification icon and the hot key go when the program ends.
  void EndServices();
  // The pages into a rescue file after a failed save; the same pages again name the file they are in.
  platform::FileResult RescuePages();
  // LoadSettings' share of the window: position, size, shade, always on top, opacity.
  void ApplySettings();
  void CollectSettings();
  // Paints the skin's pieces, the title and the page number, and refreshes the scroll bar.
  void FormPaint(QPainter& painter);
  // Sets the editor's wrap width in columns from its width and its font's cell.
  void Memo1Resize();
  // The window manager's move and size loops take the focus for a moment: no deactivation of the user's.
  void FormDeactivate() {
    if (!FInSystemLoop) FDblClickGuard = true;
  }
  // The editor, the scroll track and the title-bar labels for the window's size.
  void LayOutControls();
  void CreateFrameControls();
  // How wide the title is drawn, in the canvas font.
  int TitleTextWidth() const;
  // Qt's copy of the window's place made equal to the X server's again (see moveEvent).
  void CheckPlace();
  // The skin image changed: the picture the frame and the scroll bar paint from follows.
  void SkinChanged();
  // The editor's state as the scroll bar reads it.
  TScrollState ScrollState();
  void PnlScrollMouseDown(Qt::MouseButton button);
  void PnlScrollMouseMove(QPoint position);
  void PnlScrollMouseUp(Qt::MouseButton button);
  void PnlScrollAreaMouseDown(Qt::MouseButton button, QPoint position);
  void PnlScrollAreaMouseMove(QPoint position);
  void PnlScrollAreaMouseUp(Qt::MouseButton button);
  void Memo1TopRowChange(editor::TObject* sender);
  // The editor's change event: a refresh of the recovery file once typing pauses.
  void Memo1Change(editor::TObject*) { FRecovery.Changed(); }
  bool MenuPressIsLabelDoubleClick(const QMouseEvent& press) const;

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
  bool FStarted = false;                        // the creation handler ran to its end: there are pages to save
  bool FEnding = false;                         // a signal or the session's end came: no dialog may hold the end
  std::vector<store::TMemoData> FRescuedPages;  // what the last rescue file holds
  platform::FileResult FRescued;
  image::TSkinImage FImgSkin;
  qtui::TQtBmpDecoder FSkinDecoder;
  qtui::TEditorWidget* FMemo1 = nullptr;
  TMainMenu* FMainMenu = nullptr;
  TEditMenu* FEditMenu = nullptr;
  qtui::TTrayIcon FTrayIcon;  // the notification-area icon's record
  qtui::TGlobalHotKey FHotKey;
  QTimer FTimer;  // the scroll arrows' 50 ms auto-repeat, started by presses on the frame's arrows
  int FTimerTag = 0;
  QTimer FTimer1;  // fires once after start-up
  int FAlphaBlend = 255;

  QImage FSkinPicture;  // ImgSkin as the painter takes it
  QRect FPageCornerRect;
  TTitleLabel* FLblMenu = nullptr;
  QElapsedTimer FLblMenuClicked;  // since the click on the menu label that opened the menu
  TSkinPanel* FPnlScrollArea = nullptr;
  TSkinPanel* FPnlScroll = nullptr;
  bool FThumbDragging = false;
  std::vector<TTitleLabel*> FTitleLabels;  // anchored to the title bar's right end
  int FWheelDelta = 0;                     // wheel turns short of a notch (smooth wheels, touch pads)
  TDragMode FDragMode = TDragMode::None;
  QPoint FDragStart;           // where the press was, on the screen
  QRect FDragGeometry;         // the window's place and size when the frame took over
  bool FInSystemLoop = false;  // the window manager moves or sizes the window
  QTimer FPlaceCheck;          // a moment after the last move Qt reported
  TRecoveryKeeper FRecovery;
};

}  // namespace app
