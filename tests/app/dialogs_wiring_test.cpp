// The options dialog opened from the note window's menu, and what it changes still there after a restart
// (Cancel putting the previews back is checked in tests/dialogs against a stand-in window; the page-order
// dialog's is a scenario of tests/data/note_window.txt).
#include <QApplication>
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>

#include "app/main_menu.h"
#include "app/note_window_support.h"
#include "dialogs/hot_key_edit.h"
#include "platform/autostart.h"
#include "support/bmp_writer.h"
#include "support/find_control.h"

namespace app_test {
namespace {

using test_support::Control;

class DialogsWiringTest : public NoteWindowTest {
 protected:
  app::TfrmMain& Start() { return Open({}, true); }
  // Runs `work` on the dialog the menu item opens, and notes where the dialog was.
  void WithDialog(app::TfrmMain& window, const char* item, const std::function<void(QWidget&)>& work) {
    QTimer::singleShot(0, [&] {
      QWidget* dialog = QApplication::activeModalWidget();
      ASSERT_NE(dialog, nullptr);
      FDialogPlace = dialog->pos();
      work(*dialog);
    });
    window.MainMenu().Item(item)->trigger();
  }

  QPoint FDialogPlace;
};

TEST_F(DialogsWiringTest, OptionsChosenInTheDialogSurviveARestart) {
  fs::create_directory(Skins());
  test_support::WriteBytes(Skins() / "Blue.bmp", image_test::MakeBmp({131, 70, 24}));
  {
    app::TfrmMain& window = Start();
    window.move(100, 50);
    WithDialog(window, "mnuOptions", [](QWidget& dialog) {
      Control<dialogs::THotKeyEdit>(dialog, "hkText").SetHotKey(QKeyCombination(Qt::ControlModifier, Qt::Key_F5));
      Control<QSpinBox>(dialog, "udAlpha").setValue(200);
      Control<QCheckBox>(dialog, "chkResident").setChecked(true);
      Control<QCheckBox>(dialog, "chkStartup").setChecked(true);
      Control<QCheckBox>(dialog, "chkWordWrap").setChecked(true);
      Control<QListWidget>(dialog, "lstSkins").setCurrentRow(0);
      Control<QPushButton>(dialog, "btnOk").click();
    });
    EXPECT_EQ(FDialogPlace, QPoint(120, 70));
    EXPECT_EQ(window.Opacity(), 200);
    EXPECT_TRUE(window.close());
  }
  app::TfrmMain& window = Start();
  EXPECT_EQ(window.Settings().HotKey, "Ctrl+F5");
  EXPECT_TRUE(window.Settings().Resident);
  EXPECT_EQ(window.Opacity(), 200);
  EXPECT_TRUE(window.Store().DefaultMemo.WordWrap);
  EXPECT_EQ(window.Settings().SkinFile, "Blue.bmp");
  const image::TBitmap blue = image_test::Expected({131, 70, 24});
  EXPECT_EQ(window.ImgSkin().Pixel(60, 40), blue.At(60, 40));
  EXPECT_EQ(test_support::ReadBytes(FDir / "autostart" / platform::kAutostartFileName),
            platform::AutostartEntryText(Exe()));
  window.mnuNewClick();
  EXPECT_TRUE(window.Store().Pages.back().WordWrap);
}

}  // namespace
}  // namespace app_test
