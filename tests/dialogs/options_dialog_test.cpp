// The options dialog against a fake note window: its layout, the opening, the previews, OK and Cancel,
// the autostart entry and the hot-key field.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
#include "platform/temp_dir.h"
#include "qt/text_convert.h"

namespace {

using dialogs::TfrmOptions;
using dialogs_test::TFakeNoteWindow;
using dialogs_test::TScriptedDialogs;

template <typename T = QWidget>
T& Control(QWidget& dialog, const char* name) {
  T* control = dialog.findChild<T*>(QString::fromLatin1(name));
  if (control == nullptr) throw std::runtime_error(std::string("no control ") + name);
  return *control;
}

std::vector<std::string> ListTexts(QListWidget& list) {
  std::vector<std::string> texts;
  for (int row = 0; row < list.count(); ++row) texts.push_back(list.item(row)->text().toStdString());
  return texts;
}

std::vector<std::string> CallsFrom(const TFakeNoteWindow& host, std::size_t first) {
  return std::vector<std::string>(host.Calls.begin() + static_cast<std::ptrdiff_t>(first), host.Calls.end());
}

class OptionsDialogTest : public ::testing::Test {
 protected:
  TFakeNoteWindow FHost;
  TScriptedDialogs FDialogs;
};

TEST_F(OptionsDialogTest, OpensOnTheFirstTabWithTheVersionCompiledIn) {
  TfrmOptions dialog(FHost, FDialogs);
  EXPECT_EQ(Control<QTabWidget>(dialog, "PageControl1").currentIndex(), 0);
  EXPECT_EQ(Control<QLabel>(dialog, "AboutLabel1").text(), QStringLiteral("TACK*NOTE"));
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^Version \\d+\\.\\d+\\.\\d+$"))
                  .match(Control<QLabel>(dialog, "AboutLabel2").text())
                  .hasMatch());
}

TEST_F(OptionsDialogTest, SkinListHoldsTheBitmapsSortedAndSelectsTheSettingIgnoringCase) {
  for (const char* name : {"b.bmp", "A.BMP", "c.Bmp", "Default.bmp", "notes.txt", "x.bmp.txt", "bmp"})
    FHost.AddSkinFile(name);
  std::filesystem::create_directories(FHost.SkinDir() / "folder.bmp");
  const struct {
    const char* SkinFile;
    const char* Selected;  // nullptr: nothing selected
  } cases[] = {
      {"default.BMP", "Default.bmp"}, {"A.BMP", "A.BMP"}, {"DEFAULT.BMP", "Default.bmp"},
      {"missing.bmp", nullptr},       {"", nullptr},
  };
  for (const auto& c : cases) {
    FHost.Settings().SkinFile = c.SkinFile;
    FHost.Calls.clear();
    TfrmOptions dialog(FHost, FDialogs);
    auto& list = Control<QListWidget>(dialog, "lstSkins");
    EXPECT_EQ(ListTexts(list), (std::vector<std::string>{"A.BMP", "b.bmp", "c.Bmp", "Default.bmp"}));
    const QListWidgetItem* current = list.currentItem();
    EXPECT_EQ(current ? current->text().toStdString() : "(none)", c.Selected ? c.Selected : "(none)") << c.SkinFile;
    // Opening shows no preview: only the opacity is set, to the value the window had.
    EXPECT_EQ(FHost.Calls, std::vector<std::string>{"SetOpacity 255"}) << c.SkinFile;
  }
}

TEST_F(OptionsDialogTest, OpacityPreviewFollowsTheUpDownInStepsOfTen) {
  const struct {
    int AtOpen;
    int Steps;  // positive: up
    int Expected;
  } cases[] = {
      {255, 0, 255}, {200, 0, 200},  {44, 0, 100},  // below the range: the box and the window show 100
      {250, 1, 255}, {255, -1, 245}, {100, -1, 100}, {200, 3, 230}, {130, -2, 110},
  };
  for (const auto& c : cases) {
    FHost.SetOpacityQuietly(c.AtOpen);
    TfrmOptions dialog(FHost, FDialogs);
    auto& upDown = Control<QSpinBox>(dialog, "udAlpha");
    for (int i = 0; i < std::abs(c.Steps); ++i) QTest::keyClick(&upDown, c.Steps > 0 ? Qt::Key_Up : Qt::Key_Down);
    EXPECT_EQ(upDown.value(), c.Expected) << c.AtOpen << " " << c.Steps;
    EXPECT_EQ(Control<QLineEdit>(dialog, "Edit1").text(), QString::number(c.Expected));
    EXPECT_EQ(FHost.Opacity(), c.Expected) << c.AtOpen << " " << c.Steps;
  }
}

TEST_F(OptionsDialogTest, ClickingASkinPreviewsIt) {
  FHost.AddSkinFile("a.bmp");
  FHost.AddSkinFile("b.bmp");
  FHost.Settings().SkinFile = "a.bmp";
  TfrmOptions dialog(FHost, FDialogs);
  auto& list = Control<QListWidget>(dialog, "lstSkins");
  const std::size_t first = FHost.Calls.size();
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.visualItemRect(list.item(1)).center());
  EXPECT_EQ(FHost.Settings().SkinFile, "b.bmp");
  EXPECT_EQ(CallsFrom(FHost, first), (std::vector<std::string>{"LoadSkin b.bmp", "RelayoutFrame"}));
  QTest::keyClick(&list, Qt::Key_Up);
  EXPECT_EQ(FHost.Settings().SkinFile, "a.bmp");
}

// Cancel by the button, by Esc or by closing the window: the skin and the opacity of the opening come
// back, the window is shown again, and nothing else changes.
TEST_F(OptionsDialogTest, CancelPutsThePreviewBackAndKeepsEverythingElse) {
  enum class TWay { Button, Escape, Close };
  for (TWay way : {TWay::Button, TWay::Escape, TWay::Close}) {
    TFakeNoteWindow host;
    host.AddSkinFile("old.bmp");
    host.AddSkinFile("new.bmp");
    host.Settings().SkinFile = "OLD.BMP";
    host.SetOpacityQuietly(200);
    ASSERT_TRUE(platform::WriteAutostartEntry(host.AutostartDir(), "/old/tacknote").Ok);
    const store::TSettings settingsBefore = host.Settings();
    const store::TMemoData defaultsBefore = host.Store().DefaultMemo;
    FDialogs.ChosenFont = editor::TEditorFont{"IPAGothic", 14, editor::fsBold, 0x0000FF};

    TfrmOptions dialog(host, FDialogs);
    dialog.show();
    Control<QListWidget>(dialog, "lstSkins").setCurrentRow(0);  // "new.bmp"
    QTest::keyClick(&Control(dialog, "udAlpha"), Qt::Key_Up);
    Control<QCheckBox>(dialog, "chkResident").setChecked(true);
    Control<QCheckBox>(dialog, "chkStartup").setChecked(false);
    Control<QCheckBox>(dialog, "chkWordWrap").setChecked(true);
    Control<dialogs::THotKeyEdit>(dialog, "hkText").SetHotKey(std::nullopt);
    Control<QPushButton>(dialog, "btnFont").click();
    ASSERT_EQ(host.Settings().SkinFile, "new.bmp");
    ASSERT_EQ(host.Opacity(), 210);

    const std::size_t first = host.Calls.size();
    if (way == TWay::Button) Control<QPushButton>(dialog, "btnCancel").click();
    if (way == TWay::Escape) QTest::keyClick(&Control(dialog, "lstSkins"), Qt::Key_Escape);
    if (way == TWay::Close) dialog.close();

    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(CallsFrom(host, first), (std::vector<std::string>{"ResetSkin", "LoadSkin OLD.BMP", "SetOpacity 200",
                                                                "hide", "RelayoutFrame", "ShowAndBringForward"}))
        << static_cast<int>(way);
    EXPECT_EQ(host.Settings(), settingsBefore);
    EXPECT_EQ(host.Store().DefaultMemo, defaultsBefore);
    EXPECT_EQ(platform_test::ReadBytes(host.AutostartDir() / "tacknote.desktop"),
              platform::AutostartEntryText("/old/tacknote"));
  }
}

TEST_F(OptionsDialogTest, CancelWithoutAPreviewLoadsTheOldSkinOverWhatIsShown) {
  FHost.Settings().SkinFile = "DEFAULT.BMP";
  TfrmOptions dialog(FHost, FDialogs);
  const std::size_t first = FHost.Calls.size();
  dialog.reject();
  EXPECT_EQ(CallsFrom(FHost, first), (std::vector<std::string>{"LoadSkin DEFAULT.BMP", "SetOpacity 255", "hide",
                                                               "RelayoutFrame", "ShowAndBringForward"}));
}

TEST_F(OptionsDialogTest, OkKeepsThePreviewAndStoresTheChoices) {
  FHost.AddSkinFile("new.bmp");
  FHost.Settings().SkinFile = "old.bmp";
  FHost.Store().DefaultMemo.FontStyle = 0x1F3;  // only the low 8 bits are style bits
  TfrmOptions dialog(FHost, FDialogs);
  Control<QPushButton>(dialog, "btnFont").click();  // cancelled: nothing changes
  FDialogs.ChosenFont = editor::TEditorFont{"IPAGothic", 14, editor::fsItalic | editor::fsStrikeOut, 0x0000FF};
  Control<QListWidget>(dialog, "lstSkins").setCurrentRow(0);
  QTest::keyClick(&Control(dialog, "udAlpha"), Qt::Key_Down);
  Control<QCheckBox>(dialog, "chkResident").setChecked(true);
  Control<QCheckBox>(dialog, "chkWordWrap").setChecked(true);
  Control<QPushButton>(dialog, "btnFont").click();
  EXPECT_EQ(FDialogs.FontAskedWith, (editor::TEditorFont{store::kDefaultFontName, 10, 0xF3, 0}));
  EXPECT_TRUE(Control(dialog, "pnlPrev").font().strikeOut());
  EXPECT_FALSE(Control(dialog, "pnlPrev").font().bold());
  EXPECT_EQ(FHost.Store().DefaultMemo.FontName, store::kDefaultFontName) << "the font waits for OK";

  const std::size_t first = FHost.Calls.size();
  Control<QPushButton>(dialog, "btnOk").click();
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_TRUE(CallsFrom(FHost, first).empty()) << "OK touches neither the skin nor the opacity";
  EXPECT_EQ(FHost.Settings().SkinFile, "new.bmp");
  EXPECT_EQ(FHost.Opacity(), 245);
  EXPECT_TRUE(FHost.Settings().Resident);
  const store::TMemoData& defaults = FHost.Store().DefaultMemo;
  EXPECT_TRUE(defaults.WordWrap);
  EXPECT_EQ(defaults.FontName, "IPAGothic");
  EXPECT_EQ(defaults.FontSize, 14);
  EXPECT_EQ(defaults.FontStyle, 10);
  EXPECT_EQ(defaults.FontColor, 0x0000FF);
}

// OK writes the entry whenever the box is checked (so it names the program's current place) and
// removes it when not; Cancel was covered above.
TEST_F(OptionsDialogTest, OkWritesOrRemovesTheAutostartEntry) {
  const struct {
    const char* EntryAtOpen;  // nullptr: none
    bool Toggle;
    const char* EntryAfter;
  } cases[] = {
      {"/old place/tacknote", false, "/opt/tack note/tacknote"},
      {nullptr, false, nullptr},
      {"/old place/tacknote", true, nullptr},
      {nullptr, true, "/opt/tack note/tacknote"},
  };
  for (const auto& c : cases) {
    TFakeNoteWindow host;
    if (c.EntryAtOpen) {
      ASSERT_TRUE(platform::WriteAutostartEntry(host.AutostartDir(), c.EntryAtOpen).Ok);
    }
    TfrmOptions dialog(host, FDialogs);
    auto& startup = Control<QCheckBox>(dialog, "chkStartup");
    EXPECT_EQ(startup.isChecked(), c.EntryAtOpen != nullptr);
    if (c.Toggle) startup.click();
    Control<QPushButton>(dialog, "btnOk").click();
    const std::filesystem::path entry = host.AutostartDir() / "tacknote.desktop";
    if (c.EntryAfter)
      EXPECT_EQ(platform_test::ReadBytes(entry), platform::AutostartEntryText(c.EntryAfter));
    else
      EXPECT_FALSE(std::filesystem::exists(entry)) << (c.EntryAtOpen ? c.EntryAtOpen : "none");
  }
}

TEST_F(OptionsDialogTest, HotKeyFieldReadsTypesAndWritesTheText) {
  const struct {
    const char* Stored;
    Qt::Key Key;  // Qt::Key_unknown: nothing typed
    Qt::KeyboardModifiers Modifiers;
    const char* Shown;
    const char* Written;
  } cases[] = {
      {"Alt+Ctrl+M", Qt::Key_unknown, {}, "Ctrl+Alt+M", "Ctrl+Alt+M"},
      {"ctrl+alt+pgdn", Qt::Key_unknown, {}, "Ctrl+Alt+PgDn", "Ctrl+Alt+PgDn"},
      {"", Qt::Key_unknown, {}, "なし", ""},
      {"Nonsense+Q", Qt::Key_unknown, {}, "なし", ""},
      {"Alt+Ctrl+M", Qt::Key_Backspace, {}, "なし", ""},
      {"Alt+Ctrl+M", Qt::Key_Delete, {}, "なし", ""},
      {"Alt+Ctrl+M", Qt::Key_A, {}, "Ctrl+Alt+M", "Ctrl+Alt+M"},                 // no modifier: refused
      {"Alt+Ctrl+M", Qt::Key_A, Qt::ShiftModifier, "Ctrl+Alt+M", "Ctrl+Alt+M"},  // Shift alone: refused
      {"", Qt::Key_F1, Qt::ControlModifier | Qt::ShiftModifier, "Shift+Ctrl+F1", "Shift+Ctrl+F1"},
      {"", Qt::Key_PageDown, Qt::AltModifier, "Alt+PgDn", "Alt+PgDn"},
      {"", Qt::Key_Space, Qt::AltModifier | Qt::ControlModifier | Qt::ShiftModifier, "Shift+Ctrl+Alt+Space",
       "Shift+Ctrl+Alt+Space"},
      {"", Qt::Key_Backspace, Qt::ControlModifier, "Ctrl+BkSp", "Ctrl+BkSp"},
      {"", Qt::Key_M, Qt::AltModifier, "Alt+M", "Alt+M"},  // the field's, not chkResident's "&M"
      {"Alt+Ctrl+M", Qt::Key_Comma, Qt::ControlModifier | Qt::AltModifier, "Ctrl+Alt+M",
       "Ctrl+Alt+M"},  // no grab knows it
  };
  for (const auto& c : cases) {
    FHost.Settings().HotKey = c.Stored;
    FHost.Settings().Resident = false;
    TfrmOptions dialog(FHost, FDialogs);
    dialog.show();
    dialog.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    auto& field = Control<dialogs::THotKeyEdit>(dialog, "hkText");
    field.setFocus();
    if (c.Key != Qt::Key_unknown) QTest::keyClick(&field, c.Key, c.Modifiers);
    EXPECT_EQ(field.text().toStdString(), c.Shown) << c.Stored << " " << c.Key;
    Control<QPushButton>(dialog, "btnOk").click();
    EXPECT_EQ(FHost.Settings().HotKey, c.Written) << c.Stored << " " << c.Key;
    EXPECT_FALSE(FHost.Settings().Resident) << "no mnemonic fired";
  }
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
