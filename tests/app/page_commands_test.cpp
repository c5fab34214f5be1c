// The page commands driven as a user drives them, with the dialogs answered from a script.
#include "app/main_menu.h"
#include "app/menu_items.h"
#include "app/note_window_support.h"
#include "editor/control/editor.h"
#include "editor/text/editor_strings.h"
#include "editor/text/editor_wrap_option.h"
#include "qt/editor_widget.h"

namespace app_test {
namespace {

const QString kDeleteQuestion = QStringLiteral(
    "このメモを削除します。一度削除すると元に戻すことはできません。\r\n\r\n"
    "・メモを削除する場合は [OK] をクリックしてください。 \r\n"
    "・削除しない場合は [キャンセル] をクリックしてください。 ");

class PageCommandsTest : public NoteWindowTest {
 protected:
  // A window over pages p0, p1, ... holding the given texts, showing page `shown`.
  app::TfrmMain& Start(const std::vector<std::string>& texts, int shown = 0) {
    app::TfrmMain& window = Open(texts);
    if (shown != 0) window.JumpToPage(shown);
    return window;
  }
};

TEST_F(PageCommandsTest, DeleteAsksThenShowsTheFollowingPageOrTheNewLastOne) {
  struct Case {
    int Pages, Shown;
    qtui::TModalResult Answer;
    std::vector<std::string> Left;
    int ShownAfter;
  };
  for (const Case& c : {Case{3, 1, qtui::mrOk, {"p0", "p2"}, 1}, Case{3, 2, qtui::mrOk, {"p0", "p1"}, 1},
                        Case{3, 0, qtui::mrOk, {"p1", "p2"}, 0}, Case{3, 1, qtui::mrCancel, {"p0", "p1", "p2"}, 1}}) {
    SCOPED_TRACE("delete page " + std::to_string(c.Shown));
    FDialogs.Shown.clear();
    app::TfrmMain& window = Start(std::vector<std::string>(static_cast<std::size_t>(c.Pages), "text"), c.Shown);
    Editor().PutText("unstored");  // goes with the page
    FDialogs.Answers = {c.Answer};
    window.mnuDeleteClick();
    ASSERT_EQ(FDialogs.Shown.size(), 1u);
    EXPECT_EQ(FDialogs.Shown[0].Text, kDeleteQuestion);
    EXPECT_EQ(FDialogs.Shown[0].Type, qtui::TMsgDlgType::mtWarning);
    EXPECT_EQ(FDialogs.Shown[0].Buttons, qtui::mbOK | qtui::mbCancel);
    EXPECT_EQ(Titles(window), c.Left);
    EXPECT_EQ(window.PageIndex(), c.ShownAfter);
    EXPECT_EQ(window.CurrentTitle(), c.Left[static_cast<std::size_t>(c.ShownAfter)]);
    EXPECT_EQ(window.MainMenu().PagesMenu().actions().size(), 4 + static_cast<qsizetype>(c.Left.size()));
  }
}

TEST_F(PageCommandsTest, DeletingTheOnlyPageShowsAFreshUntitledPageInTheDefaultFont) {
  app::TfrmMain& window = Start({"only"});
  window.mnuDeleteClick();
  EXPECT_EQ(Titles(window), std::vector<std::string>{Sjis("無題")});
  EXPECT_EQ(window.CurrentTitle(), Sjis("無題"));
  EXPECT_EQ(Editor().Lines().Text(), "");
  EXPECT_EQ(Editor().Font().Name, Sjis("ＭＳ ゴシック"));
  EXPECT_EQ(window.Store().Pages[0].Created, "20250302120509");
}

TEST_F(PageCommandsTest, NewStoresTheShownPageAndAddsATitledPage) {
  app::TfrmMain& window = Start({"a"});
  Editor().PutText("typed ");
  FClock.Set({2024, 1, 31, 23, 59, 59});
  window.mnuNewClick();
  EXPECT_EQ(window.Store().Pages[0].Text, "typed a");
  EXPECT_EQ(window.Store().Pages[0].Updated, "20240131235959");
  EXPECT_EQ(window.PageIndex(), 1);
  EXPECT_EQ(window.CurrentTitle(), Sjis("無題 2024/01/31 23:59:59"));
  EXPECT_EQ(Titles(window)[1], window.CurrentTitle());
  EXPECT_EQ(app::MenuCaption(*window.MainMenu().PagesMenu().actions().last()),
            QStringLiteral("&2 無題 2024/01/31 23:59:59"));
}

TEST_F(PageCommandsTest, PreviousAndNextStopAtTheEndsAndNextOffersANewPage) {
  app::TfrmMain& window = Start({"a", "b"});
  window.mnuPreviousClick();
  EXPECT_EQ(window.PageIndex(), 0);
  window.mnuNextClick();
  EXPECT_EQ(window.PageIndex(), 1);
  EXPECT_TRUE(FDialogs.Shown.empty());

  FDialogs.Answers = {qtui::mrCancel, qtui::mrOk};
  window.mnuNextClick();  // on the last page: asked, cancelled
  EXPECT_EQ(window.Store().Pages.size(), 2u);
  EXPECT_EQ(window.PageIndex(), 1);
  window.mnuNextClick();  // asked again, OK: a new page
  EXPECT_EQ(window.Store().Pages.size(), 3u);
  EXPECT_EQ(window.PageIndex(), 2);
  ASSERT_EQ(FDialogs.Shown.size(), 2u);
  EXPECT_EQ(FDialogs.Shown[0].Text, QStringLiteral("これより後のページはありません。\r\n新規ページを作成しますか？"));
  EXPECT_EQ(FDialogs.Shown[0].Type, qtui::TMsgDlgType::mtConfirmation);
}

TEST_F(PageCommandsTest, SwitchingPagesKeepsTheStampOfAnUnchangedPageAndAToggledWordWrap) {
  app::TfrmMain& window = Start({"a", "b"});
  FClock.Set({2030, 5, 5, 5, 5, 5});
  window.mnuWordWrapClick();
  EXPECT_TRUE(window.Store().Pages[0].WordWrap);  // at once, in the record
  EXPECT_TRUE(Editor().WordWrap());
  window.JumpToPage(1);
  EXPECT_FALSE(Editor().WordWrap());
  window.JumpToPage(0);
  EXPECT_TRUE(Editor().WordWrap());
  for (const store::TMemoData& page : window.Store().Pages) EXPECT_EQ(page.Updated, "20240101000000");
  // Jumping to the shown page reloads it from its freshly stored record.
  Editor().PutText("x");
  window.JumpToPage(0);
  EXPECT_EQ(Editor().Lines().Text(), "xa");
  EXPECT_FALSE(Editor().Modified());
  EXPECT_EQ(window.Store().Pages[0].Updated, "20300505050505");
}

TEST_F(PageCommandsTest, RenameSuspendsAlwaysOnTopAndCancelKeepsTheTitleBytes) {
  app::TfrmMain& window = Start({"a"});
  window.SetAlwaysOnTop(true);
  // A title whose 0x80 byte no screen shows: cancelling must not turn it into "?".
  window.Store().Pages[0].Title = "t\x80";
  window.ApplyPage(0);
  window.mnuPageTitleClick();
  ASSERT_EQ(FDialogs.Shown.size(), 1u);
  EXPECT_EQ(FDialogs.Shown[0].Text, QStringLiteral("ページタイトル|このページのタイトルを入力してください。|t?"));
  EXPECT_FALSE(FDialogs.Shown[0].WindowOnTop);
  EXPECT_TRUE(window.IsAlwaysOnTop());
  EXPECT_EQ(window.Store().Pages[0].Title, "t\x80");

  FDialogs.Inputs = {QString()};
  window.mnuPageTitleClick();
  EXPECT_EQ(window.Store().Pages[0].Title, "");
  EXPECT_EQ(window.CurrentTitle(), "");
  EXPECT_EQ(window.MainMenu().PagesMenu().actions().last()->text(), QStringLiteral("&1 \tCtrl+1"));

  FDialogs.Inputs = {QStringLiteral("<b>メモ</b> & 予定")};
  window.mnuPageTitleClick();
  EXPECT_EQ(window.CurrentTitle(), Sjis("<b>メモ</b> & 予定"));
  // The menu shows the ampersand as itself, not as a mnemonic.
  EXPECT_EQ(app::MenuCaption(*window.MainMenu().PagesMenu().actions().last()),
            QStringLiteral("&1 <b>メモ</b> && 予定"));
}

TEST_F(PageCommandsTest, APageFontReachesTheRecordAtTheNextStoreAndTheFileAtClose) {
  app::TfrmMain& window = Start({"a"});
  const int wrapBefore = Editor().WrapOption().WrapByte();
  FDialogs.Font = editor::TEditorFont{"IPAGothic", 20, editor::fsBold | editor::fsStrikeOut, 0x0000FF};
  window.mnuFontClick();
  EXPECT_EQ(FDialogs.FontOffered->Name, "x");
  EXPECT_EQ(Editor().Font(), *FDialogs.Font);
  EXPECT_EQ(window.CanvasFont(), (editor::TEditorFont{"IPAGothic", 9, editor::fsBold | editor::fsStrikeOut, 0x0000FF}));
  EXPECT_LT(Editor().WrapOption().WrapByte(), wrapBefore);  // wider cells, fewer columns
  EXPECT_EQ(window.Store().Pages[0].FontName, "x");         // not before the next store
  EXPECT_TRUE(window.close());
  EXPECT_NE(ReadDat().find(",255,16777215,255,\"IPAGothic\",20,9,0,"), std::string::npos) << ReadDat();

  FDialogs.Font.reset();  // cancelled: nothing changes
  window.mnuFontClick();
  EXPECT_EQ(Editor().Font().Name, "IPAGothic");
}

TEST_F(PageCommandsTest, ImportAddsANewPageWithEveryLineEndedAndTheFileUntouched) {
  app::TfrmMain& window = Start({"a"});
  const fs::path file = FDir / "in.txt";
  platform_test::WriteBytes(file, "one\r\ntwo\nthree");
  FDialogs.OpenPath = file;
  window.mnuLoadTextClick();
  EXPECT_EQ(FDialogs.Filters, std::vector<QString>{QStringLiteral("テキストファイル|*.txt|すべてのファイル|*.*")});
  EXPECT_EQ(window.Store().Pages.size(), 2u);
  EXPECT_EQ(window.PageIndex(), 1);
  EXPECT_EQ(window.Store().Pages[1].Text, "one\r\ntwo\r\nthree\r\n");
  EXPECT_EQ(window.CurrentTitle(), Sjis("無題 2025/03/02 12:05:09"));
  EXPECT_EQ(Editor().Lines().Strings(2), "three");
  EXPECT_EQ(window.MainMenu().PagesMenu().actions().size(), 6);

  // Cancelled, or a file that cannot be read: no page.
  FDialogs.OpenPath.reset();
  window.mnuLoadTextClick();
  FDialogs.OpenPath = FDir / "missing.txt";
  window.mnuLoadTextClick();
  EXPECT_EQ(window.Store().Pages.size(), 2u);
  ASSERT_EQ(FDialogs.Shown.size(), 1u);
  EXPECT_EQ(FDialogs.Shown[0].Text, QStringLiteral("ファイルの読み込みに失敗しました。"));
  EXPECT_EQ(FDialogs.Shown[0].Type, qtui::TMsgDlgType::mtCustom);
}

TEST_F(PageCommandsTest, ExportWritesTheTitleLineThenTheEditorsTextAndReportsAFolderItCannotWrite) {
  app::TfrmMain& window = Start({"a\r\nb"});
  Editor().SetRow(1);
  Editor().SetCol(1);
  Editor().PutText("!");  // unstored edits are exported too
  FDialogs.SavePath = FDir / "out.txt";
  window.E1Click();
  EXPECT_EQ(FDialogs.Filters.back(), QStringLiteral("テキストファイル|*.txt|すべてのファイル|*.*|txt"));
  EXPECT_EQ(platform_test::ReadBytes(FDir / "out.txt"), Sjis("タイトル：") + "p0\r\na\r\nb!");
  EXPECT_EQ(window.Store().Pages[0].Text, "a\r\nb");
  EXPECT_TRUE(Editor().Modified());

  FDialogs.SavePath = FDir / "no-such-folder" / "out.txt";
  window.E1Click();
  ASSERT_EQ(FDialogs.Shown.size(), 1u);
  EXPECT_EQ(FDialogs.Shown[0].Text,
            QStringLiteral("ファイル %1 を作成できません").arg(QString::fromStdString(FDialogs.SavePath->string())));
}

}  // namespace
}  // namespace app_test
