// The window's behaviours around the editor: addresses under the mouse and opened on a double click, and
// the wrap width following the window.
#include <QApplication>
#include <QTest>

#include "app/note_window_support.h"
#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_strings.h"
#include "qt/editor_widget.h"

namespace app_test {
namespace {

class BehavioursTest : public NoteWindowTest {
 protected:
  app::TfrmMain& Start(const std::string& text) { return Open({text}, true); }
  // A point inside the character at `offset`, in the editor's coordinates.
  QPoint At(int offset) {
    const editor::TPoint position = Editor().PosFromChar(offset);
    return QPoint(position.X + 2, position.Y + 2);
  }
};

TEST_F(BehavioursTest, AddressesShowTheHandAndOpenOnADoubleClickPlainTextNothing) {
  //                    0         1         2         3         4
  //                    0123456789012345678901234567890123456789012345
  app::TfrmMain& window = Start("go http://example.com/a?b=1 www.x.jp\r\nmail a@b.co.jp, or plain");
  qtui::TEditorWidget& memo = window.Memo1();
  struct Case {
    int Offset;
    const char* Opened;  // "" for nothing
  };
  for (const Case& c : {Case{3, "http://example.com/a?b=1"}, Case{20, "http://example.com/a?b=1"}, Case{28, "www.x.jp"},
                        Case{43, "mailto:a@b.co.jp,"}, Case{0, ""}, Case{58, ""}}) {
    FOpener.Opened.clear();
    QMouseEvent move(QEvent::MouseMove, At(c.Offset), memo.mapToGlobal(At(c.Offset)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&memo, &move);
    EXPECT_EQ(memo.cursor().shape(), *c.Opened ? Qt::PointingHandCursor : Qt::IBeamCursor) << c.Offset;
    QTest::mouseDClick(window.windowHandle(), Qt::LeftButton, {}, memo.mapTo(&window, At(c.Offset)));
    EXPECT_EQ(FOpener.Opened, *c.Opened ? std::vector<QString>{QString::fromUtf8(c.Opened)} : std::vector<QString>{})
        << c.Offset;
  }
  // Off the text, the editor's own cursor for the place comes back.
  QMouseEvent left(QEvent::MouseMove, QPoint(0, 30), memo.mapToGlobal(QPoint(0, 30)), Qt::NoButton, Qt::NoButton,
                   Qt::NoModifier);
  QApplication::sendEvent(&memo, &left);
  EXPECT_NE(memo.cursor().shape(), Qt::PointingHandCursor);
}

// Every row of a wrapped page fits the editor, and a wider window gives longer rows.
TEST_F(BehavioursTest, TheWrapWidthFollowsTheWindowsWidth) {
  app::TfrmMain& window = Start(std::string(600, 'a'));
  window.mnuWordWrapClick();
  auto widestRow = [this] {
    int widest = 0;
    for (int row = 0; row < Editor().ListInfo().Count(); ++row) widest = std::max(widest, Editor().RowWidth(row));
    return widest;
  };
  const int colWidth = Editor().Viewport().ColWidth();
  ASSERT_GT(colWidth, 0);
  const int atDesignWidth = widestRow();
  EXPECT_LE(Editor().Viewport().TextLeft() + atDesignWidth * colWidth, window.Memo1().width());
  EXPECT_GT(Editor().Viewport().TextLeft() + (atDesignWidth + 2) * colWidth, window.Memo1().width());

  window.resize(window.width() + 10 * colWidth, window.height());
  EXPECT_EQ(widestRow(), atDesignWidth + 10);
  window.resize(app::MinWindowWidth, window.height());
  EXPECT_EQ(widestRow(), 20);  // the editor's narrowest wrap
  EXPECT_EQ(Editor().Lines().Text(), std::string(600, 'a'));
}

}  // namespace
}  // namespace app_test
