// The note window's start and close check, driven on the offscreen platform with scripted dialogs.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "app/note_window.h"
#include "editor/control/editor.h"
#include "editor/text/editor_strings.h"
#include "qt/editor_widget.h"
#include "qt/text_convert.h"

namespace app {
namespace {

namespace fs = std::filesystem;

// Remembers every message the window shows instead of showing it.
class TScriptedDialogs : public qtui::TDialogService {
 public:
  qtui::TModalResult MessageDlg(QWidget*, const QString& text, qtui::TMsgDlgType type, unsigned) override {
    Shown.push_back(text);
    Types.push_back(type);
    return qtui::mrOk;
  }
  void ShowMessage(QWidget*, const QString& text) override { Shown.push_back(text); }
  QString InputBox(QWidget*, const QString&, const QString&, const QString& initial) override { return initial; }
  std::optional<editor::TEditorFont> ChooseFont(QWidget*, const editor::TEditorFont&) override { return {}; }
  std::optional<std::filesystem::path> OpenFile(QWidget*, const QString&) override { return {}; }
  std::optional<std::filesystem::path> SaveFile(QWidget*, const QString&, const QString&) override { return {}; }

  std::vector<QString> Shown;
  std::vector<qtui::TMsgDlgType> Types;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }

class NoteWindowTest : public ::testing::Test {
 protected:
  NoteWindowTest() : FClock(platform::LocalTime{2025, 3, 2, 12, 5, 9}) {}

  TNoteServices Services() { return TNoteServices{FClock, FDialogs, store::TPaths::FromExecutable(Exe())}; }
  fs::path Exe() const { return fs::path(FDir.path().toStdString()) / "tacknote"; }
  fs::path Dat() const { return Exe().string() + ".DAT"; }
  fs::path Ini() const { return Exe().string() + ".INI"; }

  // A data file of one block per text, titled "p0", "p1", ...
  void WritePages(const std::vector<std::string>& texts) {
    std::string bytes = ";\r\n\r\n";
    for (std::size_t i = 0; i < texts.size(); ++i) {
      bytes += "{$BEGIN}\r\n0,\"p" + std::to_string(i) +
               "\",0,0,0,0,-1,0,255,16777215,0,\"x\",10,0,0,20240101000000,20240101000000\r\n" + texts[i] +
               "\r\n{$END}\r\n";
    }
    WriteFile(Dat(), bytes);
  }

  QTemporaryDir FDir;
  platform::FixedClock FClock;
  TScriptedDialogs FDialogs;
};

TEST_F(NoteWindowTest, FirstStartShowsOneUntitledPageAtTheDesignPlaceAndSavesAtClose) {
  TfrmMain window(Services());
  ASSERT_TRUE(window.FormCreate());
  EXPECT_EQ(window.Store().Pages.size(), 1u);
  EXPECT_EQ(qtui::FromCp932(window.CurrentTitle()), QStringLiteral("無題"));
  EXPECT_EQ(window.pos(), QPoint(247, 142));
  EXPECT_EQ(window.size(), QSize(352, 355));
  EXPECT_EQ(window.Store().Pages[0].Created, "20250302120509");

  EXPECT_TRUE(window.close());
  EXPECT_TRUE(FDialogs.Shown.empty());
  const std::string dat = ReadFile(Dat());
  EXPECT_NE(dat.find("{$BEGIN}\r\n0,\"\x96\xB3\x91\xE8\",0,0,0,0,-1,0,255,16777215,0,"), std::string::npos);
  const std::string ini = ReadFile(Ini());
  EXPECT_EQ(ini.rfind("[TACKNOTE]\r\nSkinFile=DEFAULT.BMP\r\nLeft=247\r\nTop=142\r\n", 0), 0u) << ini;
}

TEST_F(NoteWindowTest, StoredPagesAndGeometryComeBack) {
  WritePages({"first\r\nline", "second"});
  WriteFile(Ini(), "[TACKNOTE]\r\nLeft=10\r\nTop=$20\r\nWidth=400\r\nHeight=300\r\n");
  TfrmMain window(Services());
  ASSERT_TRUE(window.FormCreate());
  EXPECT_EQ(window.Store().Pages.size(), 2u);
  EXPECT_EQ(window.CurrentTitle(), "p0");
  EXPECT_EQ(window.EditorWidget().Editor().Lines().Text(), "first\r\nline");
  EXPECT_EQ(window.pos(), QPoint(10, 32));
  EXPECT_EQ(window.size(), QSize(400, 300));
}

TEST_F(NoteWindowTest, EditsInTheEditorAreStoredWithAFreshStampAndSavedAtClose) {
  WritePages({"one", "two"});
  TfrmMain window(Services());
  ASSERT_TRUE(window.FormCreate());
  editor::TEditor& editor = window.EditorWidget().Editor();
  editor.SetRow(0);
  editor.SetCol(3);
  editor.PutText("!\r\nmore");
  FClock.Set(platform::LocalTime{2026, 1, 2, 3, 4, 5});
  EXPECT_TRUE(window.close());
  const std::string dat = ReadFile(Dat());
  EXPECT_NE(dat.find(",20240101000000,20260102030405\r\none!\r\nmore\r\n{$END}"), std::string::npos) << dat;
  // The untouched page keeps its stamp and text.
  EXPECT_NE(dat.find(",20240101000000,20240101000000\r\ntwo\r\n{$END}"), std::string::npos);
}

TEST_F(NoteWindowTest, UnsavablePageRefusesTheCloseShowsThatPageAndWritesNothing) {
  WritePages({"fine", "a\r\n{$BEGIN}\r\nb", "{$BEGIN}"});
  const std::string before = ReadFile(Dat());
  TfrmMain window(Services());
  ASSERT_TRUE(window.FormCreate());
  EXPECT_FALSE(window.close());
  EXPECT_EQ(window.PageIndex(), 1);  // the first page that cannot be stored
  EXPECT_EQ(window.EditorWidget().Editor().Lines().Text(), "a\r\n{$BEGIN}\r\nb");
  EXPECT_EQ(window.EditorWidget().Editor().Row(), 0);
  ASSERT_EQ(FDialogs.Shown.size(), 1u);
  EXPECT_EQ(FDialogs.Shown[0],
            QStringLiteral("ファイルの保存に失敗しました。\r\n保存できない文字列が発見されました。"));
  EXPECT_EQ(FDialogs.Types[0], qtui::TMsgDlgType::mtError);
  EXPECT_EQ(ReadFile(Dat()), before);
  EXPECT_FALSE(fs::exists(Ini()));
}

TEST_F(NoteWindowTest, UnreadableDataFileIsNeverOverwrittenNorAreTheSettings) {
  // A header field that does not parse makes the whole file unreadable.
  const std::string broken = "{$BEGIN}\r\n0,\"t\",zz,0,0,0,-1,0,255,16777215,0,\"x\",10,0,0,1,1\r\ntext\r\n{$END}\r\n";
  WriteFile(Dat(), broken);
  TfrmMain window(Services());
  EXPECT_FALSE(window.FormCreate());
  ASSERT_EQ(FDialogs.Shown.size(), 1u);
  EXPECT_TRUE(FDialogs.Shown[0].contains(QString::fromStdString(Dat().string())));
  EXPECT_TRUE(window.close());
  EXPECT_EQ(ReadFile(Dat()), broken);
  EXPECT_FALSE(fs::exists(Ini()));
}

TEST_F(NoteWindowTest, SettingsThatCannotBeWrittenKeepTheWindowOpenWithTheError) {
  fs::create_directory(Ini());  // a folder where the settings file should be
  TfrmMain window(Services());
  ASSERT_TRUE(window.FormCreate());
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(fs::exists(Dat()));  // the pages were saved first
  ASSERT_EQ(FDialogs.Shown.size(), 1u);
  EXPECT_EQ(FDialogs.Shown[0], QString::fromStdString(Ini().string()) + QStringLiteral(" に書き込めません"));
}

}  // namespace
}  // namespace app
