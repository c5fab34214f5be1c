// What the two dialogs need of the note window, declared here so the window can implement it without a cycle.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "store/note_store.h"
#include "store/settings.h"

class QWidget;

namespace dialogs {

// The note window as the options dialog sees it. Methods of the same name and signature in
// TPageOrderHost mean the same thing, so one window can implement both with one override each.
class TOptionsHost {
 public:
  virtual ~TOptionsHost() = default;

  // The window itself: the dialog opens 20 pixels right of and below its top-left corner.
  virtual QWidget& Window() = 0;
  // DefaultMemo: the dialog edits its WordWrap, FontColor, FontName, FontSize and FontStyle.
  virtual store::TNoteStore& Store() = 0;
  // SkinFile, HotKey and Resident: the dialog edits them in memory; they reach the settings file at close.
  virtual store::TSettings& Settings() = 0;

  // The folder the skins are listed from and loaded from ("SKINS" beside the executable).
  virtual std::filesystem::path SkinDir() const = 0;
  // Draws SkinDir() / fileName over the skin image (`fileName` as the settings hold it, code page 932).
  // A missing file changes nothing; an unreadable one is reported by the window itself
  // ("スキンファイルの読み込みに失敗:" and the path) and changes nothing.
  virtual void LoadSkin(const std::string& fileName) = 0;
  // Puts the built-in skin back into the skin image, so that a following LoadSkin draws over what a
  // fresh start would show rather than over a skin that was only previewed.
  virtual void ResetSkin() = 0;
  // Lays the frame out afresh for the current skin and repaints it.
  virtual void RelayoutFrame() = 0;

  // The window's opacity, 0-255; setting it makes the window translucent exactly when below 255.
  virtual int Opacity() const = 0;
  virtual void SetOpacity(int alpha) = 0;

  // Shows the window and brings it to the front (it may have been hidden in the notification area).
  virtual void ShowAndBringForward() = 0;
  // Repaints the whole window.
  virtual void Repaint() = 0;

  // The program file the autostart entry starts (its current full path).
  virtual std::filesystem::path ProgramPath() const = 0;
  // The folder autostart entries live in (platform::DefaultAutostartDir() on a desktop); empty for none.
  virtual std::filesystem::path AutostartDir() const = 0;
};

// The note window as the page-order dialog sees it.
class TPageOrderHost {
 public:
  virtual ~TPageOrderHost() = default;

  virtual QWidget& Window() = 0;
  // Pages (titles, SwapPages).
  virtual store::TNoteStore& Store() = 0;

  // The index of the page the window shows.
  virtual int32_t PageIndex() const = 0;
  // Makes `index` the shown page's index without touching the editor: the shown page has moved there.
  virtual void SetPageIndex(int32_t index) = 0;
  // Copies the editor's text and font back into the page at `index`.
  virtual void StorePage(int32_t index) = 0;
  // Shows the page at `index` in the editor and makes it the shown page.
  virtual void ApplyPage(int32_t index) = 0;

  virtual void Repaint() = 0;
  // Rebuilds the page items of the Pages submenu so their numbers and titles follow the list.
  virtual void RebuildPageMenu() = 0;
};

}  // namespace dialogs
