// The editor widget on the offscreen platform: typing, input-method text and painting reach the core as
// code page 932 and come back as pixels; the widget paints every pixel, blinks its caret and shows the
// control's cursors. (Clicks and drags, and the wheel left to the note window, are scenarios of
// tests/data/note_window.txt; the clipboard's text a test of qt_canvas_test.cpp.)
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

#include <random>
#include <vector>

#include "app/note_editor_preset.h"
#include "editor/control/editor_key.h"
#include "editor/control/editor_mouse.h"
#include "editor/props/editor_properties.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_strings.h"
#include "editor/text/editor_wrap_option.h"
#include "platform/cp932.h"
#include "qt/editor_popup_menu.h"
#include "qt/editor_widget.h"
#include "qt/qt_fonts.h"
#include "support/fake_window.h"
#include "support/stale_pixels.h"

namespace qtui {
namespace {

std::string Sjis(const char* utf8) { return platform::Utf8ToCp932(utf8); }

// Counts the paint events a widget gets.
class TPaintCounter : public QObject {
 public:
  int Paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    Paints += event->type() == QEvent::Paint;
    return false;
  }
};

// One random step of a walk over the editor: a key (with Shift or not), typing, Return, Delete,
// Backspace, an undo or a redo, a paste, a drag (maybe out of the window), a scroll bar request, a
// double click, a resize, word wrap switched, a top row jump (actions 0 to 18), and the input method's
// text being composed or committed (19, 20).
void RandomStep(TEditorWidget& widget, std::size_t action, std::mt19937& random) {
  using editor::TEditorKey;
  editor::TEditor& editor = widget.Editor();
  const TEditorKey moves[] = {TEditorKey::Down,     TEditorKey::Up,  TEditorKey::Right,
                              TEditorKey::PageDown, TEditorKey::End, TEditorKey::Home};
  const auto below = [&random](unsigned n) { return static_cast<int>(random() % n); };
  if (action < 6) {
    editor.KeyDown(moves[action], random() % 3 == 0 ? editor::ssShift : 0, false);
  } else if (action == 6) {
    editor.KeyDown(TEditorKey::Other, 0, false);
    editor.KeyChar('x');
  } else if (action == 7) {
    editor.KeyDown(TEditorKey::Return, 0, false);
    editor.KeyChar(editor::kCharReturn);
  } else if (action == 8) {
    editor.KeyDown(TEditorKey::Delete, 0, false);
  } else if (action == 9) {
    editor.KeyDown(TEditorKey::Backspace, 0, false);
    editor.KeyChar(editor::kCharBackspace);
  } else if (action == 10) {
    random() % 2 ? editor.Undo() : editor.Redo();
  } else if (action == 11) {
    editor.SetSelTextBuf("pasted\r\nlines " + std::string(random() % 40, 'p'));
  } else if (action == 12) {
    const int x = below(320), y = below(200);
    editor.MouseDown(editor::TMouseButton::Left, 0, x, y);
    editor.MouseMove(0, below(320), below(240) - 20);
    editor.MouseUp(editor::TMouseButton::Left, 0, x, y);
  } else if (action == 13) {
    editor.VScroll(random() % 2 ? editor::TScrollRequest::LineDown : editor::TScrollRequest::PageUp, 0);
  } else if (action == 14) {
    editor.HScroll(random() % 2 ? editor::TScrollRequest::LineDown : editor::TScrollRequest::LineUp, 0);
  } else if (action == 15) {
    editor.DoubleClick(editor::TMouseButton::Left, 0, below(320), below(200));
  } else if (action == 16) {
    widget.resize(200 + below(200), 150 + below(100));
  } else if (action == 17) {
    editor.SetWordWrap(!editor.WordWrap());
  } else if (action == 18) {
    editor.SetTopRow(below(40));
  } else if (action == 19) {
    QInputMethodEvent composing(QString(1 + below(6), QChar(0x3042)), {});
    QApplication::sendEvent(&widget, &composing);
  } else {
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("あ"));
    QApplication::sendEvent(&widget, &committed);
  }
}

// The note window's editor, 320 x 200, shown and focused.
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
  // Whether a pixel is dark (ink, the caret) on the white control, and how many are in a rectangle.
  bool Dark(int x, int y) { return qGray(FWidget.grab().toImage().pixel(x, y)) < 100; }
  int DarkIn(const QRect& area) {
    const QImage image = FWidget.grab().toImage();
    int dark = 0;
    for (int x = area.left(); x <= area.right(); ++x)
      for (int y = area.top(); y <= area.bottom(); ++y) dark += qGray(image.pixel(x, y)) < 100;
    return dark;
  }

  // Stale pixels on screen, the caret's cell aside.
  int StalePixels() {
    const editor::TRect c = FWidget.Editor().CaretModel().Rect();
    return test_support::StalePixels(FWidget, {QRect(c.Left, c.Top, c.Right - c.Left, c.Bottom - c.Top)});
  }

  // The rows below a change keep their pixels and move by a scroll: whatever else a step asked to repaint,
  // the screen ends up as a fresh paint draws it. `actions` random steps of each walk, from a text of
  // short rows and long ones that wrap.
  void WalkWithoutStalePixels(std::size_t actions) {
    editor::TEditor& editor = FWidget.Editor();
    std::string text;
    for (int i = 0; i < 30; ++i)
      text += (i % 5 == 0 ? std::string(50, 'w') + " long line" : "row " + std::to_string(i)) + "\r\n";
    std::mt19937 random(1);
    for (int walk = 0; walk < 100; ++walk) {
      editor.SetWordWrap(walk % 2 == 0);
      editor.ListInfo().WrapOption().SetWrapByte(20 + walk);
      editor.Lines().SetText(text);
      QApplication::processEvents();
      std::string steps;
      for (int step = 0; step < 30; ++step) {
        const std::size_t action = random() % actions;
        steps += std::to_string(action) + " ";
        RandomStep(FWidget, action, random);
        ASSERT_EQ(StalePixels(), 0) << "walk " << walk << ", steps " << steps;
      }
    }
  }

  TEditorWidget FWidget;
};

// (Typed keys are a scenario of tests/data/note_window.txt.)
TEST_F(EditorWidgetTest, InputMethodTextIsShownWhileComposedAndLandsWhenCommitted) {
  QInputMethodEvent preedit(QStringLiteral("にほん"), {});
  QApplication::sendEvent(&FWidget, &preedit);
  EXPECT_EQ(Text(), "") << "composing text is shown, not inserted";
  EXPECT_GT(DarkIn(QRect(8, 2, 48, 16)), 10) << "the composing text stands at the caret";
  Commit(QStringLiteral("日本語①"));
  EXPECT_EQ(Text(), Sjis("日本語①"));
  EXPECT_EQ(FWidget.Editor().Col(), 8);
}

TEST_F(EditorWidgetTest, TextBeingComposedIsNotShownWhileTheCaretIsOutOfView) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "\r\n";
  FWidget.Editor().Lines().SetText(text);
  QInputMethodEvent preedit(QStringLiteral("にほん"), {});
  QApplication::sendEvent(&FWidget, &preedit);
  ASSERT_GT(DarkIn(QRect(8, 2, 48, 16)), 10);
  FWidget.Editor().SetTopRow(1);  // the caret's row is just above the view: its box would reach the margin
  EXPECT_EQ(DarkIn(QRect(0, 0, 320, 18)), 0);
}

TEST_F(EditorWidgetTest, EditorKeysForQtKeys) {
  const std::vector<std::pair<int, editor::TEditorKey>> keys = {
      {Qt::Key_Control, editor::TEditorKey::Control}, {Qt::Key_Escape, editor::TEditorKey::Escape},
      {Qt::Key_Delete, editor::TEditorKey::Delete},   {Qt::Key_PageDown, editor::TEditorKey::PageDown},
      {Qt::Key_Enter, editor::TEditorKey::Return},    {Qt::Key_A, editor::TEditorKey::Other}};
  for (const auto& [qtKey, key] : keys) EXPECT_EQ(TEditorWidget::EditorKey(qtKey), key) << qtKey;
}

// A key types what the same key types on Windows, whatever text X11 gives it.
TEST_F(EditorWidgetTest, KeysTypeWhatWindowsWouldType) {
  const Qt::KeyboardModifiers ctrl = Qt::ControlModifier, alt = Qt::AltModifier, none = Qt::NoModifier;
  struct TCase {
    int Key;
    Qt::KeyboardModifiers Modifiers;
    const char* Text;
    const char* Typed;
  };
  const TCase cases[] = {
      {Qt::Key_X, none, "x", "x"},
      {Qt::Key_X, Qt::ShiftModifier, "X", "X"},
      {Qt::Key_M, ctrl, "\r", "\r\n"},  // Ctrl+M is a Return on both
      {Qt::Key_9, ctrl, "9", ""},
      {Qt::Key_Space, ctrl, " ", " "},
      {Qt::Key_X, alt, "x", ""},  // a system key
      {Qt::Key_X, alt | Qt::ShiftModifier, "X", ""},
      {Qt::Key_X, Qt::MetaModifier, "x", ""},
      {Qt::Key_M, ctrl | alt, "\r", ""},  // no Return from Ctrl+Alt+M
      {Qt::Key_K, ctrl | alt, "\x0b", ""},
      {Qt::Key_Q, ctrl | alt, "@", "@"},  // AltGr's character
      {Qt::Key_Delete, none, "\x7f", ""},
  };
  for (const TCase& c : cases) {
    FWidget.Editor().Lines().SetText("");
    QKeyEvent press(QEvent::KeyPress, c.Key, c.Modifiers, QString::fromLatin1(c.Text));
    QApplication::sendEvent(&FWidget, &press);
    EXPECT_EQ(Text(), c.Typed) << c.Key << " " << c.Modifiers.toInt();
  }
}

TEST_F(EditorWidgetTest, TheCaretBlinksAtTheDesktopsRateAndPaintsNoStubWhenScrolledOut) {
  std::string text;
  for (int i = 0; i < 40; ++i) text += "row\r\n";
  FWidget.Editor().Lines().SetText(text);
  QApplication::processEvents();
  const editor::TCaretModel& caret = FWidget.Editor().CaretModel();
  ASSERT_TRUE(caret.Exists());
  const int phase = QApplication::cursorFlashTime() / 2;
  TPaintCounter counter;
  FWidget.installEventFilter(&counter);
  std::vector<bool> seen;
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 3 * phase) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    const bool dark = Dark(caret.Position().X, caret.Position().Y + 4);
    if (seen.empty() || seen.back() != dark) seen.push_back(dark);
  }
  EXPECT_GE(seen.size(), 3u) << "on, off and on again within three phases";
  counter.Paints = 0;
  clock.restart();
  while (clock.elapsed() < phase / 2) QApplication::processEvents(QEventLoop::AllEvents, 20);
  FWidget.removeEventFilter(&counter);
  EXPECT_LE(counter.Paints, 2) << "only the blink paints an idle editor: no repaint loop";
  // One row above the view the caret's cell would reach two pixels into the control's top edge.
  FWidget.Editor().SetTopRow(1);
  clock.restart();
  while (clock.elapsed() < 3 * phase) {
    QApplication::processEvents(QEventLoop::AllEvents, 20);
    ASSERT_FALSE(Dark(caret.Position().X, 0) || Dark(caret.Position().X, 1));
  }
}

// A desktop that does not blink the caret (flash time 0) gets a caret that stays on and no timer.
TEST_F(EditorWidgetTest, TheCaretStaysOnWhereTheDesktopDoesNotBlinkIt) {
  const int flashTime = QApplication::cursorFlashTime();
  QApplication::setCursorFlashTime(0);
  TEditorWidget steady;  // the desktop's rate is read when the control is made
  QApplication::setCursorFlashTime(flashTime);
  steady.show();
  steady.activateWindow();
  steady.setFocus();
  QApplication::processEvents();
  const editor::TCaretModel& caret = steady.Editor().CaretModel();
  ASSERT_TRUE(caret.Exists());
  TPaintCounter counter;
  steady.installEventFilter(&counter);
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < 200) QApplication::processEvents(QEventLoop::AllEvents, 20);
  steady.removeEventFilter(&counter);
  EXPECT_TRUE(caret.Drawn());
  EXPECT_EQ(counter.Paints, 0);
}

TEST_F(EditorWidgetTest, OwnPopupMenuItemsInOrderStepAsideForAnAssignedMenu) {
  auto* own = qobject_cast<TEditorPopupMenu*>(FWidget.PopupMenu());
  ASSERT_NE(own, nullptr);
  QStringList items;
  for (QAction* action : own->actions())
    items << (action->isSeparator() ? QStringLiteral("-") : action->text() + " " + action->shortcut().toString());
  EXPECT_EQ(items,
            QStringList({"マーク設定 ", "マークジャンプ ", "-", "元に戻す(&U) Ctrl+Z", "やり直し(&R) Ctrl+A", "-",
                         "切り取り(&T) Ctrl+X", "コピー(&C) Ctrl+C", "貼り付け(&P) Ctrl+V", "Box貼り付け(&B) Ctrl+B",
                         "削除(&D) ", "-", "すべて選択(&A) ", "-", "Box選択モード(&K) Ctrl+K"}));
  Commit(QStringLiteral("abc"));
  QTest::keyClick(&FWidget, Qt::Key_Z, Qt::ControlModifier);  // the menu's shortcut undoes the typing
  EXPECT_EQ(Text(), "");
  QMenu other;
  FWidget.SetPopupMenu(&other);
  Commit(QStringLiteral("x"));
  QTest::keyClick(&FWidget, Qt::Key_Z, Qt::ControlModifier);  // no longer the control's shortcut
  EXPECT_EQ(Text(), "x");
}

TEST(EditorWidget, ANewControlHasItsOwnSizeAndCursorsAndTabMovesTheFocusIntoIt) {
  QWidget window;
  auto* before = new QLineEdit(&window);
  auto* widget = new TEditorWidget(&window);
  EXPECT_EQ(widget->size(), QSize(185, 89));
  EXPECT_EQ(widget->cursor().shape(), Qt::IBeamCursor);
  widget->move(0, 30);
  window.show();
  window.activateWindow();
  before->setFocus();
  QApplication::processEvents();
  ASSERT_TRUE(before->hasFocus());
  QTest::keyClick(before, Qt::Key_Tab);
  EXPECT_TRUE(widget->hasFocus());
  widget->Editor().Lines().SetText("abc");
  widget->Editor().MouseMove(0, 2, 20);  // over the left margin: the control's own right-pointing arrow
  EXPECT_EQ(widget->cursor().shape(), Qt::BitmapCursor);
  EXPECT_EQ(widget->cursor().hotSpot(), QPoint(31, 0));
}

// The note window's editor preset reaches a control: the form's values, seen through the control. (That
// addresses are shown is a scenario of tests/data/note_window.txt; the selection's navy is seen on the
// picture below.)
TEST(NoteWindowPreset, GivesTheFormsValues) {
  editor::test::TFakeWindow window;
  editor::TEditor editor;
  editor.SetWindow(&window);
  editor.Lines().SetText(std::string(100, 'x') + "\r\n");
  app::ApplyNoteWindowEditorSettings(editor);
  EXPECT_EQ(editor.BorderStyle(), editor::bsNone);
  EXPECT_EQ(editor.Font().Name, "\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E");
  const editor::TCaretOptions& caret = editor.CaretOptions();
  EXPECT_FALSE(caret.FreeCaret || caret.AutoIndent || caret.BackSpaceUnIndent);
  EXPECT_TRUE(caret.NextLine);
  EXPECT_EQ(editor.Caret().Cursors().DragSelCopyCursor(), 2);
  EXPECT_EQ(editor.Caret().Cursors().LeftMarginCursor(), 1);
  EXPECT_FALSE(editor.Leftbar().Edge());
  EXPECT_FALSE(editor.Ruler().Edge());
  EXPECT_FALSE(editor.Imagebar().Visible());
  EXPECT_EQ(editor.View().Colors().Url().Color(), editor::clBlue);
  EXPECT_EQ(editor.View().Colors().Url().BkColor(), editor::clWhite);
  EXPECT_EQ(editor.View().Colors().Mail().BkColor(), editor::clWhite);
  EXPECT_EQ(editor.View().Colors().Hit().Color(), editor::clNone);
  EXPECT_EQ(editor.WrapOption().WrapByte(), 80);
  EXPECT_EQ(editor.ListInfo().Count(), 2) << "a hundred bytes wrap at 80";
  EXPECT_EQ(editor.Viewport().TextLeft(), 8);
  EXPECT_EQ(editor.VisibleCols(), 78);  // 640 pixels less the margins, in 8-pixel cells
}

// Renders the note window's editor with Japanese text, a selection, a URL, a mail address and word wrap
// into build/tests/qt/screenshots/editor.png, for a person to look at; checks every pixel was painted and
// the URL came out blue.
TEST_F(EditorWidgetTest, JapaneseTextSelectionAndAddressesAsAPicture) {
  editor::TEditor& editor = FWidget.Editor();
  FWidget.resize(360, 220);
  editor.Lines().SetText(
      Sjis("TACK*NOTE のメモ帳です。折り返しの確認のために、少し長めの日本語の文章を書いておきます。\r\n"
           "サイト: http://www.example.com/index.html\r\n連絡先: someone@example.jp\r\n選択範囲はこの行です。\r\n"));
  editor.SetSelStart(static_cast<int>(editor.Lines().Text().find(Sjis("選択範囲"))));
  editor.SetSelLength(static_cast<int>(Sjis("選択範囲").size()));
  QApplication::processEvents();
  const QImage image = FWidget.grab().toImage();
  // Every pixel is painted: the top edge, the left margin and the space past the text are the page's white.
  for (int x = 0; x < 360; x += 7) {
    ASSERT_EQ(image.pixelColor(x, 0), QColor(Qt::white)) << x;
    ASSERT_EQ(image.pixelColor(x, 1), QColor(Qt::white)) << x;
  }
  EXPECT_EQ(image.pixelColor(4, 100), QColor(Qt::white));
  EXPECT_EQ(image.pixelColor(300, 150), QColor(Qt::white));
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
  EXPECT_GT(blue, 20);
  EXPECT_GT(navy, 50);
}

TEST_F(EditorWidgetTest, RandomEditingLeavesNoStalePixels) { WalkWithoutStalePixels(19); }

// The composed text's box is wider than the caret's cell: a scroll moves it with the text, and a caret
// scrolled out of view takes it away.
TEST_F(EditorWidgetTest, TextBeingComposedLeavesNoStalePixelsWhenTheViewMoves) { WalkWithoutStalePixels(21); }

}  // namespace
}  // namespace qtui
