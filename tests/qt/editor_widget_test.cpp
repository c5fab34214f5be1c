// The editor widget on the offscreen platform: typing, input-method commits, the clipboard and painting
// reach the core as code page 932 and come back as pixels.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QInputMethodEvent>
#include <QTest>

#include <vector>

#include "app/note_editor_preset.h"
#include "editor/props/editor_properties.h"
#include "editor/text/editor_strings.h"
#include "editor/view/editor_viewport.h"
#include "platform/cp932.h"
#include "qt/editor_popup_menu.h"
#include "qt/editor_widget.h"
#include "qt/qt_fonts.h"

namespace qtui {
namespace {

std::string Sjis(const char* utf8) { return platform::Utf8ToCp932(utf8); }

class EditorWidgetTest : public ::testing::Test {
 protected:
  EditorWidgetTest() {
    InstallFontSubstitutions();
    app::ApplyNoteWindowEditorSettings(FWidget.Editor());
    FWidget.Editor().SetFont({Sjis("ＭＳ ゴシック"), 12, 0, 0});
    FWidget.resize(320, 200);
    FWidget.show();
    FWidget.activateWindow();
    FWidget.setFocus();
    QApplication::processEvents();
  }

  std::string Text() { return FWidget.Editor().Lines().Text(); }

  void Commit(const QString& text) {
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(&FWidget, &event);
  }

  TEditorWidget FWidget;
};

TEST_F(EditorWidgetTest, TypedKeysLandInTheRows) {
  ASSERT_TRUE(FWidget.hasFocus());
  QTest::keyClicks(&FWidget, "ab c");
  QTest::keyClick(&FWidget, Qt::Key_Return);
  QTest::keyClicks(&FWidget, "dx");
  QTest::keyClick(&FWidget, Qt::Key_Left);
  QTest::keyClick(&FWidget, Qt::Key_Backspace);
  EXPECT_EQ(Text(), "ab c\r\nx");
  // A Japanese key text (as a keyboard layout would send it) arrives as the lead and trail byte.
  QTest::sendKeyEvent(QTest::KeyAction::Click, &FWidget, Qt::Key_unknown, QStringLiteral("日"), Qt::NoModifier);
  EXPECT_EQ(Text(), "ab c\r\n" + Sjis("日") + "x");
}

TEST_F(EditorWidgetTest, InputMethodCommitsArriveAsCodePage932) {
  QInputMethodEvent preedit(QStringLiteral("にほん"), {});
  QApplication::sendEvent(&FWidget, &preedit);
  EXPECT_EQ(Text(), "");  // composing text is shown, not inserted
  Commit(QStringLiteral("日本語①"));
  EXPECT_EQ(Text(), Sjis("日本語①"));
  EXPECT_EQ(FWidget.Editor().Col(), 8);
}

TEST_F(EditorWidgetTest, JapaneseTextRoundTripsThroughTheSystemClipboard) {
  Commit(QStringLiteral("メモ帳\r\n二行目"));
  FWidget.Editor().SelectAll();
  FWidget.Editor().CopyToClipboard();
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("メモ帳\r\n二行目"));
  FWidget.Editor().Lines().SetText("");
  FWidget.Editor().PasteFromClipboard();
  EXPECT_EQ(Text(), Sjis("メモ帳\r\n二行目"));
}

TEST_F(EditorWidgetTest, PaintsTheTextInTheFontColourOnTheControlColour) {
  FWidget.Editor().Lines().SetText(Sjis("MMMM 日本"));
  const QImage image = FWidget.grab().toImage();
  int dark = 0;
  for (int x = 8; x < 120; ++x)
    for (int y = 2; y < 22; ++y) dark += qGray(image.pixel(x, y)) < 100;
  EXPECT_GT(dark, 20);
  EXPECT_EQ(qGray(image.pixel(300, 150)), 255);  // below the text: the white control colour
  EXPECT_EQ(qGray(image.pixel(150, 0)), 255);    // the top margin above the first row
}

}  // namespace
}  // namespace qtui

namespace qtui {
namespace {

// Renders the note window's editor with Japanese text, a selection, a URL, a mail address and word wrap
// into build/tests/qt/screenshots/editor.png, for a person to look at; checks the URL came out blue.
TEST(EditorWidgetScreenshot, JapaneseTextSelectionAndAddressesAsAPicture) {
  InstallFontSubstitutions();
  TEditorWidget widget;
  editor::TEditor& editor = widget.Editor();
  app::ApplyNoteWindowEditorSettings(editor);
  editor.SetFont({Sjis("ＭＳ ゴシック"), 11, 0, 0});
  editor.SetWordWrap(true);
  widget.resize(360, 220);
  widget.show();
  editor.Lines().SetText(
      Sjis("TACK*NOTE のメモ帳です。折り返しの確認のために、少し長めの日本語の文章を書いておきます。\r\n"
           "サイト: http://www.example.com/index.html\r\n"
           "連絡先: someone@example.jp\r\n"
           "選択範囲はこの行です。\r\n"));
  editor.SetSelStart(static_cast<int>(editor.Lines().Text().find(Sjis("選択範囲"))));
  editor.SetSelLength(static_cast<int>(Sjis("選択範囲").size()));
  QApplication::processEvents();
  const QImage image = widget.grab().toImage();
  const QString dir = QStringLiteral(QT_TESTCASE_BUILDDIR "/screenshots");
  QDir().mkpath(dir);
  ASSERT_TRUE(image.save(dir + QStringLiteral("/editor.png")));

  int blue = 0, navy = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      blue += c.blue() > 200 && c.red() < 80 && c.green() < 80;
      navy += c == QColor(0, 0, 128);
    }
  }
  EXPECT_GT(blue, 20);  // the URL and the mail address
  EXPECT_GT(navy, 50);  // the selection's background
}

}  // namespace
}  // namespace qtui

namespace qtui {
namespace {

TEST_F(EditorWidgetTest, OwnPopupMenuEnablesByStateAndItsShortcutsStepAsideForAnAssignedMenu) {
  auto* own = qobject_cast<TEditorPopupMenu*>(FWidget.PopupMenu());
  ASSERT_NE(own, nullptr);
  Commit(QStringLiteral("abc"));
  own->UpdateItems();
  auto find = [own](const QString& caption) {
    for (QAction* action : own->actions())
      if (action->text() == caption) return action;
    return static_cast<QAction*>(nullptr);
  };
  ASSERT_NE(find(QStringLiteral("元に戻す(&U)")), nullptr);
  EXPECT_TRUE(find(QStringLiteral("元に戻す(&U)"))->isEnabled());
  EXPECT_FALSE(find(QStringLiteral("コピー(&C)"))->isEnabled());  // nothing selected

  QTest::keyClick(&FWidget, Qt::Key_Z, Qt::ControlModifier);  // the menu's shortcut undoes the typing
  EXPECT_EQ(Text(), "");

  QMenu other;
  FWidget.SetPopupMenu(&other);
  EXPECT_EQ(FWidget.PopupMenu(), &other);
  Commit(QStringLiteral("x"));
  QTest::keyClick(&FWidget, Qt::Key_Z, Qt::ControlModifier);  // no longer the control's shortcut
  EXPECT_EQ(Text(), "x");
}

}  // namespace
}  // namespace qtui

namespace qtui {
namespace {

TEST_F(EditorWidgetTest, AClickPlacesTheCaretOnTheClickedCellAndADragSelects) {
  FWidget.Editor().Lines().SetText(Sjis("first line\r\n日本語のテキスト\r\nthird"));
  const editor::TEditorViewport& view = FWidget.Editor().Viewport();
  auto cell = [&view](int col, int row) {
    return QPoint(view.TextLeft() + col * view.ColWidth() + 1, view.TopMargin() + row * view.RowHeight() + 2);
  };
  QTest::mouseClick(&FWidget, Qt::LeftButton, Qt::NoModifier, cell(4, 1));
  EXPECT_EQ(FWidget.Editor().Row(), 1);
  EXPECT_EQ(FWidget.Editor().Col(), 4);  // after 日本, never between the bytes of a character

  QTest::mousePress(&FWidget, Qt::LeftButton, Qt::NoModifier, cell(0, 0));
  QTest::mouseMove(&FWidget, cell(3, 0));
  QTest::mouseMove(&FWidget, cell(5, 0));
  QTest::mouseRelease(&FWidget, Qt::LeftButton, Qt::NoModifier, cell(5, 0));
  EXPECT_EQ(FWidget.Editor().SelStart(), 0);
  EXPECT_EQ(FWidget.Editor().SelLength(), 5);
}

}  // namespace
}  // namespace qtui

namespace qtui {
namespace {

// Counts the paint events a widget gets.
class TPaintCounter : public QObject {
 public:
  int Paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    Paints += event->type() == QEvent::Paint;
    return false;
  }
};

TEST_F(EditorWidgetTest, AnIdleEditorDoesNotRepaintItselfOverAndOver) {
  FWidget.Editor().Lines().SetText(Sjis("text 日本語"));
  QApplication::processEvents();
  TPaintCounter counter;
  FWidget.installEventFilter(&counter);
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 300) QApplication::processEvents(QEventLoop::AllEvents, 20);
  FWidget.removeEventFilter(&counter);
  // Only the caret's blinking may paint: a few times in 300 ms, not a paint per pass of the loop.
  EXPECT_LE(counter.Paints, 3);
}

TEST_F(EditorWidgetTest, TheCaretBlinksAtTheDesktopsRateAndPaintsNoStubWhenScrolledOut) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "row\r\n";
  FWidget.Editor().Lines().SetText(text);
  QApplication::processEvents();
  const editor::TCaretModel& caret = FWidget.Editor().CaretModel();
  ASSERT_TRUE(caret.Exists());
  const int phase = QApplication::cursorFlashTime() / 2;
  ASSERT_GT(phase, 0);
  // The caret's pixels, inverted on the white control while the caret shows.
  const auto caretDark = [this, &caret] {
    const QImage image = FWidget.grab().toImage();
    return qGray(image.pixel(caret.Position().X, caret.Position().Y + 4)) < 100;
  };
  std::vector<bool> seen;
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 3 * phase) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    const bool dark = caretDark();
    if (seen.empty() || seen.back() != dark) seen.push_back(dark);
  }
  EXPECT_GE(seen.size(), 3u) << "on, off and on again within three phases";

  // One row above the view the caret's cell would reach two pixels into the control's top edge.
  FWidget.Editor().SetTopRow(1);
  clock.restart();
  while (clock.elapsed() < 3 * phase) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_FALSE(caret.Drawn());
  }
}

}  // namespace
}  // namespace qtui
