// The one preamble of the dialog tests: a note window stand-in with the real store and settings, a log of
// every call the dialogs make, a skins folder and an autostart folder in a scratch folder, scripted modal
// dialogs, and finding a dialog's controls by their names.
#pragma once

#include <QWidget>

#include <filesystem>
#include <string>
#include <vector>

#include "dialogs/note_window_host.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "support/find_control.h"
#include "support/scripted_dialogs.h"
#include "support/temp_dir.h"

namespace dialogs_test {

// A window that notes when it is hidden or shown.
class TLoggingWindow : public QWidget {
 public:
  explicit TLoggingWindow(std::vector<std::string>& calls) : FCalls(calls) {}
  void setVisible(bool visible) override {
    FCalls.push_back(visible ? "show" : "hide");
    QWidget::setVisible(visible);
  }

 private:
  std::vector<std::string>& FCalls;
};

class TFakeNoteWindow : public dialogs::TOptionsHost, public dialogs::TPageOrderHost {
 public:
  TFakeNoteWindow() : FClock(platform::LocalTime{2025, 3, 2, 12, 5, 9}), FStore(FClock), FWindow(Calls) {
    FWindow.setGeometry(300, 200, 352, 355);
    std::filesystem::create_directories(SkinDir());
  }

  // Pages titled as given (UTF-8, stored as code page 932), each holding "text <index>"; the editor shows
  // page `shown`.
  void SetPages(const std::vector<std::string>& titles, int32_t shown) {
    FStore.Pages.clear();
    for (const std::string& title : titles) {
      FStore.Pages.push_back(FStore.DefaultMemo);
      FStore.Pages.back().Title = platform::Utf8ToCp932(title);
      FStore.Pages.back().Text = "text " + std::to_string(FStore.Pages.size() - 1);
    }
    FPageIndex = shown;
    EditorText = FStore.Pages[static_cast<std::size_t>(shown)].Text;
  }
  void AddSkinFile(const std::string& name) { test_support::WriteBytes(SkinDir() / name, "BM"); }
  void SetOpacityQuietly(int alpha) { FOpacity = alpha; }

  // TOptionsHost and TPageOrderHost
  QWidget& Window() override { return FWindow; }
  store::TNoteStore& Store() override { return FStore; }
  store::TSettings& Settings() override { return FSettings; }
  std::filesystem::path SkinDir() const override { return FRoot / "SKINS"; }
  void LoadSkin(const std::string& fileName) override { Calls.push_back("LoadSkin " + fileName); }
  void ResetSkin() override { Calls.push_back("ResetSkin"); }
  void RelayoutFrame() override { Calls.push_back("RelayoutFrame"); }
  int Opacity() const override { return FOpacity; }
  void SetOpacity(int alpha) override {
    FOpacity = alpha;
    Calls.push_back("SetOpacity " + std::to_string(alpha));
  }
  void ShowAndBringForward() override { Calls.push_back("ShowAndBringForward"); }
  void Repaint() override { Calls.push_back("Repaint"); }
  std::filesystem::path ProgramPath() const override { return "/opt/tack note/tacknote"; }
  std::filesystem::path AutostartDir() const override { return FRoot / "config/autostart"; }
  int32_t PageIndex() const override { return FPageIndex; }
  void SetPageIndex(int32_t index) override {
    FPageIndex = index;
    Calls.push_back("SetPageIndex " + std::to_string(index));
  }
  void StorePage(int32_t index) override {
    FStore.Pages[static_cast<std::size_t>(index)].Text = EditorText;
    Calls.push_back("StorePage " + std::to_string(index));
  }
  void ApplyPage(int32_t index) override {
    EditorText = FStore.Pages[static_cast<std::size_t>(index)].Text;
    FPageIndex = index;
    Calls.push_back("ApplyPage " + std::to_string(index));
  }
  void RebuildPageMenu() override { Calls.push_back("RebuildPageMenu"); }

  std::vector<std::string> Calls;
  std::string EditorText;  // what the editor holds: StorePage and ApplyPage move it

 private:
  test_support::TempDir FRoot;
  platform::FixedClock FClock;
  store::TNoteStore FStore;
  store::TSettings FSettings;
  TLoggingWindow FWindow;
  int32_t FPageIndex = 0;
  int FOpacity = 255;
};

}  // namespace dialogs_test
