// The options dialog against a fake note window: the opening, the previews, Cancel and OK, the autostart
// entry and the hot-key field.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include "dialogs/hot_key_edit.h"
#include "dialogs/options_dialog.h"
#include "fake_note_window.h"
#include "platform/autostart.h"
#include "support/case_table.h"

namespace {

using dialogs::TfrmOptions;
using dialogs_test::Control;
using Strings = std::vector<std::string>;
using test_support::Rows;
using test_support::TRow;

class OptionsDialogTest : public ::testing::Test {
 protected:
  dialogs_test::TFakeNoteWindow FHost;
  dialogs_test::TScriptedDialogs FDialogs;

  std::string Entry() { return test_support::ReadBytes(FHost.AutostartDir() / "tacknote.desktop"); }
};

// The dialog opens on its first tab showing the settings: the skin files of the skins folder sorted without
// regard to case and the setting's file selected the same way, the switches, the hot key, the opacity. It
// previews nothing: the only call sets the opacity the window already had.
TEST_F(OptionsDialogTest, OpensShowingTheSettingsAndPreviewsNothing) {
  for (const char* name : {"b.bmp", "A.BMP", "c.Bmp", "Default.bmp", "notes.txt", "x.bmp.txt", "bmp"}) {
    FHost.AddSkinFile(name);
  }
  std::filesystem::create_directories(FHost.SkinDir() / "folder.bmp");
  for (const TRow& row : Rows("dialogs.txt", "opens")) {
    FHost.Settings().SkinFile = row.Text(0);
    FHost.Settings().Resident = row.Int(2) != 0;
    FHost.Settings().HotKey = "ctrl+alt+pgdn";
    FHost.Store().DefaultMemo.WordWrap = row.Int(4) != 0;
    std::filesystem::remove_all(FHost.AutostartDir());
    if (row.Int(3) != 0) platform::WriteAutostartEntry(FHost.AutostartDir(), "/old/tacknote");
    FHost.Calls.clear();
    TfrmOptions dialog(FHost, FDialogs);
    auto& list = Control<QListWidget>(dialog, "lstSkins");
    EXPECT_EQ(dialogs_test::ListTexts(list), (Strings{"A.BMP", "b.bmp", "c.Bmp", "Default.bmp"}));
    EXPECT_EQ(list.currentItem() ? list.currentItem()->text().toStdString() : "", row.Text(1)) << row.Where();
    EXPECT_EQ(Control<QCheckBox>(dialog, "chkResident").isChecked(), row.Int(2) != 0) << row.Where();
    EXPECT_EQ(Control<QCheckBox>(dialog, "chkStartup").isChecked(), row.Int(3) != 0) << row.Where();
    EXPECT_EQ(Control<QCheckBox>(dialog, "chkWordWrap").isChecked(), row.Int(4) != 0) << row.Where();
    EXPECT_EQ(Control<QLineEdit>(dialog, "hkText").text(), QStringLiteral("Ctrl+Alt+PgDn"));
    EXPECT_EQ(Control<QTabWidget>(dialog, "PageControl1").currentIndex(), 0);
    EXPECT_EQ(FHost.Calls, Strings{"SetOpacity 255"}) << row.Where();
  }
  // Its own texts, and labels sized to their text where they stand.
  TfrmOptions dialog(FHost, FDialogs);
  EXPECT_EQ(dialog.windowTitle(), QStringLiteral("オプション"));
  EXPECT_TRUE(Control(dialog, "Label4").pos() == QPoint(8, 8) && Control(dialog, "Label4").width() > 100);
  EXPECT_EQ(Control<QLabel>(dialog, "AboutLabel1").text(), QStringLiteral("TACK*NOTE"));
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$"))
                  .match(Control<QLabel>(dialog, "AboutLabel2").text())
                  .hasMatch());
}

TEST_F(OptionsDialogTest, OpacityPreviewFollowsTheUpDownInStepsOfTen) {
  for (const TRow& row : Rows("dialogs.txt", "opacity")) {
    FHost.SetOpacityQuietly(row.Int(0));
    TfrmOptions dialog(FHost, FDialogs);
    auto& upDown = Control<QSpinBox>(dialog, "udAlpha");
    for (int i = 0; i < std::abs(row.Int(1)); ++i) QTest::keyClick(&upDown, row.Int(1) > 0 ? Qt::Key_Up : Qt::Key_Down);
    QTest::keyClicks(&Control(dialog, "Edit1"), "1");  // the number box takes no typing
    EXPECT_EQ(Control<QLineEdit>(dialog, "Edit1").text(), QString::number(row.Int(2))) << row.Where();
    EXPECT_EQ(FHost.Opacity(), row.Int(2)) << row.Where();
  }
}

// Cancel by the button, by Esc or by closing the window: the skin and the opacity of the opening come
// back (over the built-in skin when another one was previewed), the window is shown again, and nothing
// else changes.
TEST_F(OptionsDialogTest, CancelPutsThePreviewBackAndKeepsEverythingElse) {
  const Strings restore = {"LoadSkin OLD.BMP", "SetOpacity 200", "hide", "RelayoutFrame", "ShowAndBringForward"};
  for (const TRow& row : Rows("dialogs.txt", "cancel")) {
    const bool preview = row.Int(1) != 0;
    dialogs_test::TFakeNoteWindow host;
    host.AddSkinFile("new.bmp");
    host.Settings().SkinFile = "OLD.BMP";
    host.SetOpacityQuietly(200);
    ASSERT_TRUE(platform::WriteAutostartEntry(host.AutostartDir(), "/old/tacknote").Ok);
    const store::TSettings settingsBefore = host.Settings();
    const store::TMemoData defaultsBefore = host.Store().DefaultMemo;
    FDialogs.ChosenFont = editor::TEditorFont{"IPAGothic", 14, editor::fsBold, 0x0000FF};
    TfrmOptions dialog(host, FDialogs);
    dialog.show();
    if (preview) Control<QListWidget>(dialog, "lstSkins").setCurrentRow(0);
    ASSERT_EQ(host.Settings().SkinFile, preview ? "new.bmp" : "OLD.BMP");
    QTest::keyClick(&Control(dialog, "udAlpha"), Qt::Key_Up);
    for (const char* box : {"chkResident", "chkStartup", "chkWordWrap"}) Control<QCheckBox>(dialog, box).click();
    Control<dialogs::THotKeyEdit>(dialog, "hkText").SetHotKey(std::nullopt);
    Control<QPushButton>(dialog, "btnFont").click();
    const std::size_t first = host.Calls.size();
    if (row[0] == "button") Control<QPushButton>(dialog, "btnCancel").click();
    if (row[0] == "escape") QTest::keyClick(&Control(dialog, "lstSkins"), Qt::Key_Escape);
    if (row[0] == "close") dialog.close();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    Strings expected = restore;
    if (preview) expected.insert(expected.begin(), "ResetSkin");
    EXPECT_EQ(host.CallsFrom(first), expected) << row.Where();
    EXPECT_EQ(host.Settings(), settingsBefore);
    EXPECT_EQ(host.Store().DefaultMemo, defaultsBefore);
    EXPECT_EQ(test_support::ReadBytes(host.AutostartDir() / "tacknote.desktop"),
              platform::AutostartEntryText("/old/tacknote"));
  }
}

// OK keeps the previews and stores the choices; the font waits for OK, and only the low 8 bits of the
// stored style are style bits.
TEST_F(OptionsDialogTest, OkKeepsThePreviewAndStoresTheChoices) {
  FHost.AddSkinFile("new.bmp");
  FHost.Settings().SkinFile = "old.bmp";
  FHost.Store().DefaultMemo.FontStyle = 0x1F3;
  TfrmOptions dialog(FHost, FDialogs);
  Control<QPushButton>(dialog, "btnFont").click();  // cancelled: nothing changes
  FDialogs.ChosenFont = editor::TEditorFont{"IPAGothic", 14, editor::fsItalic | editor::fsStrikeOut, 0x0000FF};
  Control<QListWidget>(dialog, "lstSkins").setCurrentRow(0);
  QTest::keyClick(&Control(dialog, "udAlpha"), Qt::Key_Down);
  Control<QCheckBox>(dialog, "chkResident").setChecked(true);
  Control<QCheckBox>(dialog, "chkWordWrap").setChecked(true);
  Control<QPushButton>(dialog, "btnFont").click();
  EXPECT_EQ(FDialogs.FontAskedWith, (editor::TEditorFont{store::kDefaultFontName, 10, 0xF3, 0}));
  EXPECT_TRUE(Control(dialog, "pnlPrev").font().strikeOut() && !Control(dialog, "pnlPrev").font().bold());
  EXPECT_EQ(Control(dialog, "pnlPrev").palette().color(QPalette::WindowText), QColor(255, 0, 0));
  EXPECT_EQ(FHost.Store().DefaultMemo.FontName, store::kDefaultFontName) << "the font waits for OK";
  const std::size_t first = FHost.Calls.size();
  Control<QPushButton>(dialog, "btnOk").click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(FHost.CallsFrom(first).empty()) << "OK touches neither the skin nor the opacity";
  EXPECT_EQ(FHost.Settings().SkinFile, "new.bmp");
  EXPECT_EQ(FHost.Opacity(), 245);
  EXPECT_TRUE(FHost.Settings().Resident);
  store::TMemoData expected = store::BuiltInDefaultMemo();
  expected.FontName = "IPAGothic";
  expected.FontSize = 14;
  expected.FontStyle = 10;
  expected.FontColor = 0x0000FF;
  expected.WordWrap = true;
  EXPECT_EQ(FHost.Store().DefaultMemo, expected);
}

// OK writes the entry whenever the box is checked (so it names the program's current place) and removes
// it when not.
TEST_F(OptionsDialogTest, OkWritesOrRemovesTheAutostartEntry) {
  for (const TRow& row : Rows("dialogs.txt", "autostart")) {
    std::filesystem::remove_all(FHost.AutostartDir());
    if (row.Int(0) != 0) platform::WriteAutostartEntry(FHost.AutostartDir(), "/old place/tacknote");
    TfrmOptions dialog(FHost, FDialogs);
    if (row.Int(1) != 0) Control<QCheckBox>(dialog, "chkStartup").click();
    Control<QPushButton>(dialog, "btnOk").click();
    EXPECT_EQ(Entry(), row.Int(2) != 0 ? platform::AutostartEntryText("/opt/tack note/tacknote") : "") << row.Where();
  }
}

// The dialog shown and active, with the keyboard in its hot-key field.
dialogs::THotKeyEdit& FocusedHotKeyField(TfrmOptions& dialog) {
  dialog.show();
  dialog.activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(&dialog));
  auto& field = Control<dialogs::THotKeyEdit>(dialog, "hkText");
  field.setFocus();
  return field;
}

TEST_F(OptionsDialogTest, HotKeyFieldReadsTypesAndWritesTheText) {
  for (const TRow& row : Rows("hot_keys.txt", "field")) {
    FHost.Settings().HotKey = row.Text(0);
    FHost.Settings().Resident = false;
    TfrmOptions dialog(FHost, FDialogs);
    auto& field = FocusedHotKeyField(dialog);
    const QKeySequence typed(QString::fromStdString(row.Text(1)));
    ASSERT_EQ(typed.count(), row.Text(1).empty() ? 0 : 1) << row.Where();
    if (!typed.isEmpty()) QTest::keyClick(&field, typed[0].key(), typed[0].keyboardModifiers());
    EXPECT_EQ(field.text().toStdString(), row.Text(2)) << row.Where();
    QTest::keyClick(&field, Qt::Key_Return);  // goes on to the dialog, whose default button is OK
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(FHost.Settings().HotKey, row.Text(3)) << row.Where();
    EXPECT_FALSE(FHost.Settings().Resident) << "no mnemonic fired";
  }
  // Held modifiers show while they are held, and the key again once the field loses the focus.
  FHost.Settings().HotKey = "Alt+M";
  TfrmOptions dialog(FHost, FDialogs);
  auto& field = FocusedHotKeyField(dialog);
  QTest::keyPress(&field, Qt::Key_Shift, Qt::ShiftModifier);
  QTest::keyPress(&field, Qt::Key_Control, Qt::ShiftModifier | Qt::ControlModifier);
  EXPECT_EQ(field.text().toStdString(), "Shift+Ctrl+");
  Control(dialog, "chkResident").setFocus();
  EXPECT_EQ(field.text().toStdString(), "Alt+M");
}

TEST_F(OptionsDialogTest, OpensBesideTheNoteWindowAndRepaintsItAfterwards) {
  QPoint placed;
  QTimer::singleShot(0, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    ASSERT_NE(dialog, nullptr);
    placed = dialog->pos();
    Control<QPushButton>(*dialog, "btnOk").click();
  });
  dialogs::RunOptionsDialog(FHost, FDialogs);
  EXPECT_EQ(placed, QPoint(320, 220));
  EXPECT_EQ(FHost.Calls.back(), "Repaint");
}

}  // namespace
