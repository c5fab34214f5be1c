// The recovery file: refreshed once typing pauses, removed by a good close, offered after a crash.
#include <QTest>

#include "app/note_window_support.h"
#include "app/safety_messages.h"
#include "editor/control/editor.h"
#include "editor/text/editor_strings.h"
#include "qt/editor_widget.h"

namespace app_test {
namespace {

class RecoveryTest : public NoteWindowTest {
 protected:
  fs::path Recovery() const { return Dat().string() + ".recovery"; }

  static bool WaitFor(const fs::path& file, bool present) {
    return QTest::qWaitFor([&] { return fs::exists(file) == present; }, 5000);
  }

  // A run that types into the first page, renames the second and is then killed (destroyed unclosed)
  // once its recovery file is there.
  void RunAndCrash() {
    WritePages({"one", "two"});
    app::TfrmMain window(Services());
    ASSERT_TRUE(window.FormCreate());
    window.Recovery().SetDelay(100);
    window.Memo1().Editor().PutText("typed ");
    FDialogs.Inputs = {QStringLiteral("renamed")};
    window.JumpToPage(1);
    window.mnuPageTitleClick();
    ASSERT_TRUE(WaitFor(Recovery(), true));
    EXPECT_EQ(FilePages(Recovery()), (std::vector<std::string>{"p0:typed one", "renamed:two"}));
  }
};

TEST_F(RecoveryTest, TypingRefreshesTheFileOnlyOncePausedNeverTheDataFileAndAGoodCloseRemovesIt) {
  WritePages({"one"});
  const std::string data = ReadDat();
  app::TfrmMain window(Services());
  ASSERT_TRUE(window.FormCreate());
  window.Recovery().SetDelay(1000);
  editor::TEditor& editor = window.Memo1().Editor();
  // Every change puts the refresh off again: a second of typing at short intervals writes nothing.
  for (int i = 0; i < 4; ++i) {
    editor.PutText("x");
    QTest::qWait(300);
    EXPECT_FALSE(fs::exists(Recovery())) << "after change " << i;
  }
  ASSERT_TRUE(WaitFor(Recovery(), true));
  EXPECT_EQ(FilePages(Recovery()), std::vector<std::string>{"p0:xxxxone"});
  EXPECT_EQ(ReadDat(), data);
  EXPECT_TRUE(window.close());
  EXPECT_FALSE(fs::exists(Recovery()));
  EXPECT_NE(ReadDat().find("xxxxone"), std::string::npos);
}

TEST_F(RecoveryTest, ACommandThatChangesNoPageLeavesNoFile) {
  WritePages({"one", "two"});
  app::TfrmMain window(Services());
  ASSERT_TRUE(window.FormCreate());
  window.Recovery().SetDelay(50);
  window.mnuAlwaysOnTopClick();  // not a page change
  window.PagesChanged();
  QTest::qWait(300);
  EXPECT_FALSE(fs::exists(Recovery()));
}

TEST_F(RecoveryTest, AfterACrashTheNextStartAsksAndYesBringsThePagesBackUntilTheCloseSavesThem) {
  RunAndCrash();
  const std::string data = ReadDat();
  FDialogs.Answers = {qtui::mrYes};
  app::TfrmMain window(Services());
  ASSERT_TRUE(window.FormCreate());
  ASSERT_EQ(FDialogs.Shown.size(), 2u);  // the rename box, then the question
  EXPECT_EQ(FDialogs.Shown[1].Text, app::kRecoveryQuestion);
  EXPECT_EQ(FDialogs.Shown[1].Type, qtui::TMsgDlgType::mtConfirmation);
  EXPECT_EQ(FDialogs.Shown[1].Buttons, qtui::mbYes | qtui::mbNo);
  EXPECT_EQ(Titles(window), (std::vector<std::string>{"p0", "renamed"}));
  EXPECT_EQ(window.Memo1().Editor().Lines().Text(), "typed one");
  // Still only in the recovery file: another crash now would find them there again.
  EXPECT_EQ(ReadDat(), data);
  EXPECT_TRUE(fs::exists(Recovery()));
  EXPECT_TRUE(window.close());
  EXPECT_EQ(FilePages(Dat()), (std::vector<std::string>{"p0:typed one", "renamed:two"}));
  EXPECT_FALSE(fs::exists(Recovery()));
}

TEST_F(RecoveryTest, NoDeletesTheLeftPagesAndAFileOlderThanTheDataFileIsNotOffered) {
  RunAndCrash();
  FDialogs.Shown.clear();
  FDialogs.Answers = {qtui::mrNo};
  {
    app::TfrmMain window(Services());
    ASSERT_TRUE(window.FormCreate());
    ASSERT_EQ(FDialogs.Shown.size(), 1u);
    EXPECT_EQ(Titles(window), (std::vector<std::string>{"p0", "p1"}));
    EXPECT_FALSE(fs::exists(Recovery()));
  }
  RunAndCrash();
  WritePages({"saved later"});  // the data file is newer now
  FDialogs.Shown.clear();
  app::TfrmMain window(Services());
  ASSERT_TRUE(window.FormCreate());
  EXPECT_TRUE(FDialogs.Shown.empty());
  EXPECT_EQ(window.Memo1().Editor().Lines().Text(), "saved later");
}

}  // namespace
}  // namespace app_test
