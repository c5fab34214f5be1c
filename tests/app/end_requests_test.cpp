// A signal or the session's end while a real dialog is open, on the offscreen platform: the dialog goes as
// if cancelled and the program saves and ends; during the start it ends without writing anything.
#include <QApplication>
#include <QTimer>

#include <csignal>

#include "app/note_window_support.h"
#include "app/quit_signals.h"
#include "editor/control/editor.h"
#include "qt/editor_widget.h"

namespace app_test {
namespace {

class EndRequestsTest : public NoteWindowTest {
 protected:
  // Services with the dialogs on screen, fresh for each window: an end cancels them for good.
  app::TNoteServices RealDialogs() {
    FQtDialogs.emplace();
    return Services({}, &*FQtDialogs);
  }

  // Runs the event loop: `open` starts something that shows a dialog, and once a modal dialog is on the
  // screen `end` asks for the end. True when the loop ended on its own within ten seconds.
  static bool RunUntilEnded(const std::function<void()>& open, const std::function<void()>& end) {
    bool asked = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
      const QWidget* modal = QApplication::activeModalWidget();
      if (asked || !modal || !modal->isVisible()) return;
      asked = true;
      end();
    });
    poll.start(10);
    QTimer::singleShot(0, open);
    QTimer::singleShot(10000, [] { QCoreApplication::exit(1); });
    return QCoreApplication::exec() == 0 && asked;
  }

  std::optional<qtui::TQtDialogService> FQtDialogs;
  test_support::ScopedEnv FDataHome{"XDG_DATA_HOME", (FDir / "data").c_str()};
};

TEST_F(EndRequestsTest, AnEndWhileAPageCommandsDialogIsOpenCancelsItAndSavesWhatWasTyped) {
  app::TQuitSignals::BlockQuitSignals();  // this thread's SIGTERM goes to the signalfd
  struct Case {
    const char* Name;
    void (app::TfrmMain::*Command)();
    bool BySignal;
  };
  for (const Case& c :
       {Case{"delete", &app::TfrmMain::mnuDeleteClick, true},
        Case{"next on the last page", &app::TfrmMain::mnuNextClick, false},
        Case{"rename", &app::TfrmMain::mnuPageTitleClick, true}, Case{"page font", &app::TfrmMain::mnuFontClick, false},
        Case{"import", &app::TfrmMain::mnuLoadTextClick, false}, Case{"export", &app::TfrmMain::E1Click, true},
        Case{"options", &app::TfrmMain::mnuOptionsClick, false},
        Case{"page order", &app::TfrmMain::mnuChangePageOrderClick, true}}) {
    SCOPED_TRACE(c.Name);
    fs::remove(Ini());
    WritePages({"one"});
    app::TfrmMain window(RealDialogs());
    ASSERT_TRUE(window.FormCreate());
    window.show();
    window.Memo1().Editor().PutText("typed ");
    app::TQuitSignals quitSignals;
    QObject::connect(&quitSignals, &app::TQuitSignals::QuitRequested, &window, &app::TfrmMain::EndRequested);
    ASSERT_TRUE(RunUntilEnded([&] { (window.*c.Command)(); },
                              [&] { c.BySignal ? static_cast<void>(std::raise(SIGTERM)) : window.EndRequested(); }));
    EXPECT_TRUE(window.isHidden());
    EXPECT_EQ(FilePages(Dat()), std::vector<std::string>{"p0:typed one"});
    EXPECT_NE(test_support::ReadBytes(Ini()).find("FontName="), std::string::npos);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }
}

TEST_F(EndRequestsTest, AnEndWhileTheFailedSaveMessageIsOpenEndsWithThePagesRescued) {
  WritePages({"one"});
  app::TfrmMain window(RealDialogs());
  ASSERT_TRUE(window.FormCreate());
  window.show();
  window.Memo1().Editor().PutText("typed ");
  fs::permissions(Dat(), fs::perms::owner_read);
  ASSERT_TRUE(RunUntilEnded([&] { window.close(); }, [&] { window.EndRequested(); }));
  EXPECT_TRUE(window.isHidden());
  EXPECT_EQ(FilePages(Dat()), std::vector<std::string>{"p0:one"});
  // The close the user asked for wrote the rescue file before its message; the end found the pages there.
  const fs::path rescue = FDir / "data" / "tacknote" / "tacknote-rescue-20250302120509.DAT";
  EXPECT_EQ(FilePages(rescue), std::vector<std::string>{"p0:typed one"});
  EXPECT_EQ(std::distance(fs::directory_iterator(rescue.parent_path()), fs::directory_iterator()), 1);
  EXPECT_FALSE(fs::exists(Ini()));
}

TEST_F(EndRequestsTest, AnEndDuringAStartUpMessageEndsTheStartAndWritesNothing) {
  struct Case {
    const char* Name;
    std::string Data;
    std::string Recovery;
  };
  const std::string block = "{$BEGIN}\r\n0,\"t\",0,0,0,0,-1,0,255,16777215,0,\"x\",10,0,0,1,1\r\ntext\r\n{$END}\r\n";
  for (const Case& c : {
           Case{"the data file cannot be read",
                "{$BEGIN}\r\n0,\"t\",zz,0,0,0,-1,0,255,16777215,0,\"x\",10,0,0,1,1\r\ntext\r\n{$END}\r\n", ""},
           Case{"the data file is damaged", std::string(8, '\0') + "\r\n" + block, ""},
           Case{"pages a crash left are offered", block, ";\r\n\r\n" + block + block},
       }) {
    SCOPED_TRACE(c.Name);
    test_support::WriteBytes(Dat(), c.Data);
    if (!c.Recovery.empty()) {
      const fs::path recovery = Dat().string() + ".recovery";
      test_support::WriteBytes(recovery, c.Recovery);
      fs::last_write_time(recovery, fs::last_write_time(Dat()) + std::chrono::seconds(1));
    }
    app::TfrmMain window(RealDialogs());
    bool created = true;
    ASSERT_TRUE(RunUntilEnded(
        [&] {
          created = window.FormCreate();
          QCoreApplication::exit(0);
        },
        [&] { window.EndRequested(); }));
    EXPECT_FALSE(created);
    EXPECT_TRUE(window.close());
    EXPECT_EQ(ReadDat(), c.Data);
    EXPECT_FALSE(fs::exists(Ini()));
    // An unanswered offer stays for the next start.
    if (!c.Recovery.empty()) {
      EXPECT_EQ(test_support::ReadBytes(Dat().string() + ".recovery"), c.Recovery);
    }
  }
}

}  // namespace
}  // namespace app_test
