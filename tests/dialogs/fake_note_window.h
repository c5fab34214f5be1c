// A note window stand-in for the dialog tests: real store and settings, a log of every call the dialogs
// make, a skins folder and an autostart folder in a temporary folder, and scripted modal dialogs.
#pragma once

#include <QTemporaryDir>
#include <QWidget>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "dialogs/note_window_host.h"
#include "platform/clock.h"
#include "qt/dialog_service.h"

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
    FStore.InitDefaultMemo();
    FWindow.setGeometry(300, 200, 352, 355);
    std::filesystem::create_directories(SkinDir());
  }

  // Pages titled and filled as given; the editor shows page `shown`.
  void SetPages(const std::vector<std::string>& titles, int32_t shown) {
    FStore.Pages.clear();
    for (std::size_t i = 0; i < titles.size(); ++i) {
      store::TMemoData page = FStore.DefaultMemo;
      page.Title = titles[i];
      page.Text = "text " + std::to_string(i);
      FStore.Pages.push_back(page);
    }
    FPageIndex = shown;
    EditorText = FStore.Pages[static_cast<std::size_t>(shown)].Text;
  }

  void AddSkinFile(const std::string& name) { std::ofstream(SkinDir() / name) << "BM"; }

  // TOptionsHost and TPageOrderHost
  QWidget& Window() override { return FWindow; }
  store::TNoteStore& Store() override { return FStore; }
  store::TSettings& Settings() override { return FSettings; }
  std::filesystem::path SkinDir() const override { return Root() / "SKINS"; }
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
  std::filesystem::path ProgramPath() const override { return Program; }
  std::filesystem::path AutostartDir() const override { return Root() / "config/autostart"; }
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

  void SetOpacityQuietly(int alpha) { FOpacity = alpha; }
  std::filesystem::path Root() const { return FRoot.path().toStdString(); }

  std::vector<std::string> Calls;
  std::string EditorText;  // what the editor holds: StorePage and ApplyPage move it
  std::filesystem::path Program = "/opt/tack note/tacknote";

 private:
  QTemporaryDir FRoot;
  platform::FixedClock FClock;
  store::TNoteStore FStore;
  store::TSettings FSettings;
  TLoggingWindow FWindow;
  int32_t FPageIndex = 0;
  int FOpacity = 255;
};

// Modal dialogs with scripted answers: ChooseFont answers with `ChosenFont` and notes what it was given.
class TScriptedDialogs : public qtui::TDialogService {
 public:
  qtui::TModalResult MessageDlg(QWidget*, const QString&, qtui::TMsgDlgType, unsigned) override { return qtui::mrOk; }
  void ShowMessage(QWidget*, const QString&) override {}
  QString InputBox(QWidget*, const QString&, const QString&, const QString& initial) override { return initial; }
  std::optional<editor::TEditorFont> ChooseFont(QWidget*, const editor::TEditorFont& initial) override {
    FontAskedWith = initial;
    return ChosenFont;
  }
  std::optional<std::filesystem::path> OpenFile(QWidget*, const QString&) override { return {}; }
  std::optional<std::filesystem::path> SaveFile(QWidget*, const QString&, const QString&) override { return {}; }

  std::optional<editor::TEditorFont> ChosenFont;
  std::optional<editor::TEditorFont> FontAskedWith;
};

}  // namespace dialogs_test
