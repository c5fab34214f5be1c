// What the note window tests share: dialogs answered from a script, a scratch folder beside a fake
// executable, and data files built from page texts.
#pragma once

#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <QTest>

#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/note_window.h"
#include "editor/control/editor.h"
#include "platform/cp932.h"
#include "qt/dialog_service.h"
#include "qt/editor_widget.h"
#include "store/memo_file.h"
#include "support/temp_dir.h"

// Texts in failure output as text.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace app_test {

namespace fs = std::filesystem;

inline std::string Sjis(const char* utf8) { return platform::Utf8ToCp932(utf8); }

// Answers every dialog from its queue and remembers what was shown, and whether the window stayed on top
// while it was open. Once cancelled, it shows nothing more and answers every dialog as cancelled.
class TScriptedDialogs : public qtui::TDialogService {
 public:
  struct TShown {
    QString Text;
    qtui::TMsgDlgType Type;  // mtCustom for a plain message box
    unsigned Buttons;
    bool WindowOnTop;
  };

  qtui::TModalResult MessageDlg(QWidget* parent, const QString& text, qtui::TMsgDlgType type,
                                unsigned buttons) override {
    if (Cancelled) return qtui::mrCancel;
    Shown.push_back({text, type, buttons, OnTop(parent)});
    if (Answers.empty()) return qtui::mrOk;
    const qtui::TModalResult answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  void ShowMessage(QWidget* parent, const QString& text) override {
    if (Cancelled) return;
    Shown.push_back({text, qtui::TMsgDlgType::mtCustom, qtui::mbOK, OnTop(parent)});
  }
  QString InputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& initial) override {
    if (Cancelled) return initial;
    Shown.push_back({caption + QLatin1Char('|') + prompt + QLatin1Char('|') + initial, qtui::TMsgDlgType::mtCustom, 0,
                     OnTop(parent)});
    if (Inputs.empty()) return initial;  // cancelled
    const QString typed = Inputs.front();
    Inputs.pop_front();
    return typed;
  }
  std::optional<editor::TEditorFont> ChooseFont(QWidget*, const editor::TEditorFont& initial) override {
    FontOffered = initial;
    return Cancelled ? std::nullopt : Font;
  }
  std::optional<fs::path> OpenFile(QWidget*, const QString& filter) override {
    Filters.push_back(filter);
    return Cancelled ? std::nullopt : OpenPath;
  }
  std::optional<fs::path> SaveFile(QWidget*, const QString& filter, const QString& defaultExt) override {
    Filters.push_back(filter + QLatin1Char('|') + defaultExt);
    return Cancelled ? std::nullopt : SavePath;
  }
  void CancelAll() override { Cancelled = true; }

  std::vector<TShown> Shown;
  std::deque<qtui::TModalResult> Answers;
  std::deque<QString> Inputs;
  std::optional<editor::TEditorFont> Font;
  std::optional<editor::TEditorFont> FontOffered;
  std::optional<fs::path> OpenPath;
  std::optional<fs::path> SavePath;
  std::vector<QString> Filters;
  bool Cancelled = false;

 private:
  static bool OnTop(QWidget* parent) { return parent && parent->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }
};

// Remembers the addresses the window hands over instead of opening them.
class TRecordedOpener : public qtui::TUrlOpener {
 public:
  void Open(const QString& target) override { Opened.push_back(target); }
  std::vector<QString> Opened;
};

class NoteWindowTest : public ::testing::Test {
 protected:
  NoteWindowTest() : FClock(platform::LocalTime{2025, 3, 2, 12, 5, 9}) {}

  // The scripted dialogs, or the ones on screen, fresh for each window: an end cancels them for good.
  app::TNoteServices Services() {
    qtui::TDialogService* dialogs = &FDialogs;
    if (FRealDialogs) dialogs = &FQtDialogs.emplace();
    return app::TNoteServices{FClock, *dialogs, FOpener, store::TPaths::FromExecutable(Exe()), FArguments, Exe(),
                              FDir / "autostart"};
  }
  fs::path Exe() const { return FDir / "tacknote"; }
  fs::path Dat() const { return Exe().string() + ".DAT"; }
  fs::path Ini() const { return Exe().string() + ".INI"; }
  fs::path Skins() const { return FDir / "SKINS"; }

  // A data file of one block per text, titled "p0", "p1", ...
  void WritePages(const std::vector<std::string>& texts) {
    std::string bytes = ";\r\n\r\n";
    for (std::size_t i = 0; i < texts.size(); ++i) {
      bytes += "{$BEGIN}\r\n0,\"p" + std::to_string(i) +
               "\",0,0,0,0,-1,0,255,16777215,0,\"x\",10,0,0,20240101000000,20240101000000\r\n" + texts[i] +
               "\r\n{$END}\r\n";
    }
    test_support::WriteBytes(Dat(), bytes);
  }
  void WriteIni(const std::string& lines) { test_support::WriteBytes(Ini(), "[TACKNOTE]\r\n" + lines); }
  std::string ReadDat() const { return test_support::ReadBytes(Dat()); }

  // A started window over pages p0, p1, ... holding the given texts (none: no data file), shown and
  // painted when asked; or one whose start is expected to be refused.
  app::TfrmMain& Open(const std::vector<std::string>& texts, bool shown = false, bool starts = true) {
    if (!texts.empty()) WritePages(texts);
    FWindow.reset();
    FWindow = std::make_unique<app::TfrmMain>(Services());
    EXPECT_EQ(FWindow->FormCreate(), starts);
    if (!shown || !starts) return *FWindow;
    FWindow->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
    EXPECT_TRUE(QTest::qWaitFor([this] { return !FWindow->PageCornerRect().isEmpty(); }));
    return *FWindow;
  }
  editor::TEditor& Editor() { return FWindow->Memo1().Editor(); }
  // Shown and active, so the window's shortcuts are live; another window taking the focus arms the
  // double-click guard.
  void Activate() {
    FWindow->show();
    FWindow->activateWindow();
    FWindow->Memo1().setFocus();
    EXPECT_TRUE(QTest::qWaitForWindowActive(FWindow.get()));
  }
  void Deactivate() {
    QWidget other;
    other.show();
    other.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
  }

  // The page texts and titles as the window holds them, for comparing whole lists at once.
  static std::vector<std::string> Titles(app::TfrmMain& window) {
    std::vector<std::string> titles;
    for (const store::TMemoData& page : window.Store().Pages) titles.push_back(page.Title);
    return titles;
  }

  // "title:text" of each page of a file in the data file's format; nothing for one that does not read whole.
  static std::vector<std::string> FilePages(const fs::path& file) {
    std::vector<store::TMemoData> pages;
    bool complete = false;
    if (!store::ParseMemoFile(test_support::ReadBytes(file), pages, complete) || !complete) return {};
    std::vector<std::string> result;
    for (const store::TMemoData& page : pages) result.push_back(page.Title + ":" + page.Text);
    return result;
  }

  test_support::TempDir FDir;
  test_support::ScopedEnv FDataHome{"XDG_DATA_HOME", (FDir / "data").c_str()};  // where rescue files go
  platform::FixedClock FClock;
  TScriptedDialogs FDialogs;
  TRecordedOpener FOpener;
  std::vector<std::string> FArguments;  // the command line's, after the program's name
  bool FRealDialogs = false;
  std::optional<qtui::TQtDialogService> FQtDialogs;
  std::unique_ptr<app::TfrmMain> FWindow;
};

}  // namespace app_test
