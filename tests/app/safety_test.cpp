// Files that refuse the pages at close, an end nobody can answer, and a damaged data file at start: what
// the user is told, and where the pages went.
#include <sys/resource.h>
#include <sys/stat.h>

#include <csignal>

#include "app/note_window_support.h"
#include "app/safety_messages.h"
#include "editor/control/editor.h"
#include "qt/editor_widget.h"
#include "support/case_table.h"

namespace app_test {
namespace {

class SafetyTest : public NoteWindowTest {
 protected:
  fs::path RescueDir() const { return FDir / "data" / "tacknote"; }
  // The rescue file a close at the fixture's clock writes.
  fs::path RescueFile() const { return RescueDir() / "tacknote-rescue-20250302120509.DAT"; }
  QString Path(const fs::path& path) const { return QString::fromStdString(path.string()); }

  test_support::ScopedEnv FDataHome{"XDG_DATA_HOME", (FDir / "data").c_str()};
};

// A file-size limit for one test; with SIGXFSZ ignored, as main ignores it, a write past it fails with EFBIG.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &FOld);
    rlimit limit = FOld;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~TFileSizeLimit() { setrlimit(RLIMIT_FSIZE, &FOld); }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

 private:
  rlimit FOld{};
};

TEST(SafetyMessages, ReasonsAreJapaneseWhereTheProgramKnowsThemAndTheSystemsOwnWordsFollow) {
  for (const test_support::TRow& row : test_support::Rows("window.txt", "reason")) {
    const platform::FileResult failure = row[0] == "-" ? platform::FileResult::Failure(row.Text(1))
                                         : row.Int(0) == 0
                                             ? platform::FileResult::Failure("cannot write", "/f", row.Text(1))
                                             : platform::FileResult::Failure("cannot write", "/f", row.Int(0));
    EXPECT_EQ(app::ReasonText(failure), QString::fromStdString(row.Text(2))) << row.Where();
  }
}

TEST_F(SafetyTest, AFailedSaveKeepsTheWindowOpenNamingTheFileTheReasonAndTheRescueFileWrittenFirst) {
  struct Case {
    const char* Name;
    std::function<void()> Break;
    QString Cause;
    bool Rescued;
  };
  const std::vector<Case> cases = {
      {"read-only data file", [this] { fs::permissions(Dat(), fs::perms::owner_read | fs::perms::others_read); },
       QStringLiteral("原因: アクセスが拒否されました (the file is read-only)"), true},
      {"a folder where the data file was",
       [this] {
         fs::remove(Dat());
         fs::create_directory(Dat());
       },
       QStringLiteral("原因: not a regular file"), true},
      {"a file-size limit, and the rescue file hits it too", [] {},
       QStringLiteral("原因: ファイルサイズの上限を超えました (File too large)"), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    FDialogs.Shown.clear();
    fs::remove_all(FDir / "data");
    fs::remove_all(Dat());
    WritePages({"first", "second"});
    app::TfrmMain window(Services());
    ASSERT_TRUE(window.FormCreate());
    window.Memo1().Editor().PutText("typed ");
    c.Break();
    const std::string before = fs::is_regular_file(Dat()) ? ReadDat() : "";
    {
      std::optional<TFileSizeLimit> limit;
      if (!c.Rescued) limit.emplace(200);
      EXPECT_FALSE(window.close());
    }
    ASSERT_EQ(FDialogs.Shown.size(), 1u);
    EXPECT_EQ(FDialogs.Shown[0].Type, qtui::TMsgDlgType::mtError);
    const QString head =
        QStringLiteral("ファイルの保存に失敗しました。\r\n") + Path(Dat()) + QStringLiteral("\r\n") + c.Cause;
    if (c.Rescued) {
      EXPECT_EQ(FDialogs.Shown[0].Text,
                head + QStringLiteral("\r\n\r\nすべてのページを次のファイルに保存しました。\r\n") + Path(RescueFile()));
      EXPECT_EQ(FilePages(RescueFile()), (std::vector<std::string>{"p0:typed first", "p1:second"}));
    } else {
      EXPECT_EQ(FDialogs.Shown[0].Text,
                head + QStringLiteral("\r\n\r\nページを別のファイルにも保存できませんでした。\r\n原因: ") +
                    Path(RescueFile()) +
                    QStringLiteral(
                        ": ファイルサイズの上限を超えました (File too large)\r\n"
                        "ページはこのウィンドウに残っています。保存できるようにしてから、もう一度終了してください。"));
    }
    if (fs::is_regular_file(Dat())) {
      EXPECT_EQ(ReadDat(), before);
    }
    if (c.Rescued) {  // closing again with the same pages names the same file
      EXPECT_FALSE(window.close());
      ASSERT_EQ(FDialogs.Shown.size(), 2u);
      EXPECT_EQ(FDialogs.Shown[1].Text, FDialogs.Shown[0].Text);
      EXPECT_EQ(std::distance(fs::directory_iterator(RescueDir()), fs::directory_iterator()), 1);
    }
    EXPECT_FALSE(fs::exists(Ini()));
    EXPECT_EQ(window.Memo1().Editor().Lines().Text(), "typed first");  // nothing left the window
    fs::permissions(Dat(), fs::perms::owner_all, fs::perm_options::add);
  }
}

TEST_F(SafetyTest, SettingsThatCannotBeWrittenAreNamedWithTheReason) {
  fs::create_directory(Ini());  // a folder where the settings file should be
  app::TfrmMain window(Services());
  ASSERT_TRUE(window.FormCreate());
  EXPECT_FALSE(window.close());
  EXPECT_TRUE(fs::exists(Dat()));  // the pages were saved first
  ASSERT_EQ(FDialogs.Shown.size(), 1u);
  EXPECT_EQ(FDialogs.Shown[0].Text,
            Path(Ini()) + QStringLiteral(" に書き込めません\r\n原因: 同じ名前のフォルダーがあります (Is a directory)"));
}

// A signal or the session's end: no message, the pages where they can go, and the program ends.
TEST_F(SafetyTest, AnEndThatCannotSaveLeavesThePagesInARescueFileAndEndsWithoutAWord) {
  struct Case {
    const char* Name;
    const char* Page2;
    bool ReadOnly;
    bool NoRescueFolder;
    std::vector<std::string> Rescued;    // in the rescue file
    std::vector<std::string> Recovered;  // in the recovery file beside the data file
  };
  for (const Case& c : {
           Case{"read-only data file", "second", true, false, {"p0:typed first", "p1:second"}, {}},
           // The rescue file moves a marker line one space right, so it holds every page.
           Case{"a page with a marker line", "a\r\n{$END}", false, false, {"p0:typed first", "p1:a\r\n {$END}"}, {}},
           // With no rescue folder, the recovery file is the last place, and the next start offers it.
           Case{"no rescue folder either", "second", true, true, {}, {"p0:typed first", "p1:second"}},
       }) {
    SCOPED_TRACE(c.Name);
    FDialogs.Shown.clear();
    fs::remove_all(FDir / "data");
    if (fs::exists(Dat())) fs::permissions(Dat(), fs::perms::owner_all, fs::perm_options::add);
    WritePages({"first", "second"});
    if (c.NoRescueFolder) test_support::WriteBytes(FDir / "data", "a file where the folder would be");
    const std::string before = ReadDat();
    app::TfrmMain window(Services());
    ASSERT_TRUE(window.FormCreate());
    window.show();
    window.Memo1().Editor().PutText("typed ");
    window.Store().Pages[1].Text = c.Page2;
    if (c.ReadOnly) fs::permissions(Dat(), fs::perms::owner_read);
    window.EndRequested();
    EXPECT_TRUE(window.isHidden());
    EXPECT_TRUE(FDialogs.Shown.empty());
    EXPECT_EQ(ReadDat(), before);
    EXPECT_EQ(FilePages(RescueFile()), c.Rescued);
    EXPECT_EQ(FilePages(window.Recovery().Path()), c.Recovered);
    fs::remove(window.Recovery().Path());
  }
}

TEST_F(SafetyTest, ADamagedDataFileIsToldOnceAtStartWithWhereItsCopyIs) {
  // The first block's bytes zeroed: only the second page can be read.
  WritePages({"lost", "kept"});
  std::string bytes = ReadDat();
  std::fill(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(bytes.find("lost") + 4), '\0');
  test_support::WriteBytes(Dat(), bytes);
  app::TfrmMain window(Services());
  ASSERT_TRUE(window.FormCreate());
  ASSERT_EQ(FDialogs.Shown.size(), 1u);
  EXPECT_EQ(FDialogs.Shown[0].Type, qtui::TMsgDlgType::mtWarning);
  EXPECT_EQ(FDialogs.Shown[0].Text,
            QStringLiteral("データファイルに読み込めない部分がありました。読み込めたページだけを表示しています。\r\n"
                           "元のファイルは次の名前で残してあります。\r\n") +
                Path(FDir / "tacknote.DAT.bak"));
  EXPECT_EQ(test_support::ReadBytes(FDir / "tacknote.DAT.bak"), bytes);
  EXPECT_TRUE(window.close());
  EXPECT_EQ(FDialogs.Shown.size(), 1u);
}

}  // namespace
}  // namespace app_test
