// The skinned frame: the menu label's double click (the window following the mouse where no window manager
// moves it is a scenario of tests/data/note_window.txt).
#include <QApplication>
#include <QTest>

#include "app/frame_controls.h"
#include "app/main_menu.h"
#include "app/note_window_support.h"
#include "editor/control/editor.h"
#include "editor/text/editor_strings.h"
#include "qt/editor_widget.h"
#include "support/find_control.h"

namespace app_test {
namespace {

class FrameTest : public NoteWindowTest {
 protected:
  app::TfrmMain& Start(std::size_t pages) { return Open(std::vector<std::string>(pages, "text"), true); }
  QWidget& Control(const char* name) { return test_support::Control(*FWindow, name); }
};

// The click opens the menu, which then takes the second press of the double click.
TEST_F(FrameTest, TheMenuLabelsClickOpensTheMenuAndItsDoubleClickClosesTheWindowAfterTheGuard) {
  auto doubleClick = [this](app::TfrmMain& window) {
    QTest::mouseClick(&Control("lblMenu"), Qt::LeftButton);
    EXPECT_TRUE(window.MainMenu().isVisible());
    EXPECT_EQ(window.MainMenu().pos(), window.mapToGlobal(QPoint(5, 17)));
    const QPoint at = window.mapToGlobal(QPoint(10, 10));
    QMouseEvent second(QEvent::MouseButtonDblClick, window.MainMenu().mapFromGlobal(at), at, Qt::LeftButton,
                       Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window.MainMenu(), &second);
    QApplication::processEvents();
    EXPECT_FALSE(window.MainMenu().isVisible());
  };
  app::TfrmMain& guarded = Start(1);
  Activate();
  Deactivate();
  Activate();
  doubleClick(guarded);
  EXPECT_TRUE(guarded.isVisible());  // the first after a deactivation only clears the guard

  app::TfrmMain& window = Start(1);
  Activate();
  doubleClick(window);
  EXPECT_TRUE(window.isHidden());
  EXPECT_TRUE(fs::exists(Ini()));  // closed through the close check
}

}  // namespace
}  // namespace app_test
