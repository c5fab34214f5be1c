// The options and page-order dialogs driven as a user drives them, against a fake note window: each
// scenario of tests/data/dialogs.txt is one test, its steps run in order over a fresh note window. The
// hot-key field's keys are rows of tests/data/hot_keys.txt.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <tuple>

#include "dialogs/hot_key_edit.h"
#include "dialogs/memo_list_dialog.h"
#include "dialogs/options_dialog.h"
#include "fake_note_window.h"
#include "platform/autostart.h"
#include "platform/cp932.h"
#include "support/case_table.h"

namespace {

using test_support::Control;
using Strings = std::vector<std::string>;

using editor::test::TScenario;

// A fresh stand-in note window and the dialogs the steps open over it.
class TDialogRunner {
 public:
  void Step(const std::vector<std::string>& w) {
    if (FModal && w.at(0) != "end") {
      FModal->push_back(w);
      return;
    }
    const std::string& verb = w.at(0);
    const auto text = [&w](std::size_t i) { return editor::test::ParseQuoted(w.at(i), false, false).Text; };
    const auto n = [&w](std::size_t i) { return std::stoi(w.at(i), nullptr, 0); };
    const auto texts = [&](std::size_t from) {
      Strings result;
      for (std::size_t i = from; i < w.size(); ++i) result.push_back(text(i));
      return result;
    };
    const auto font = [&](std::size_t i) {
      return editor::TEditorFont{platform::Utf8ToCp932(text(i)), n(i + 1), static_cast<editor::TFontStyles>(n(i + 2)),
                                 static_cast<editor::TColor>(n(i + 3))};
    };
    const auto control = [&](std::size_t i) -> QWidget& {
      if (w.at(i) == "dialog") return *FDialog;
      return Control(*FDialog, w.at(i).c_str());
    };
    const auto list = [&](std::size_t i) -> QListWidget& { return Control<QListWidget>(*FDialog, w.at(i).c_str()); };
    const auto shown = [&](std::size_t i) {
      return control(i).property(w.at(i) == "dialog" ? "windowTitle" : "text").toString().toStdString();
    };
    store::TSettings& settings = FHost.Settings();
    store::TMemoData& defaults = FHost.Store().DefaultMemo;
    // Steps of one statement by their verbs: the note window before a dialog opens and what the font dialog
    // answers, what the user does, and checks of what then shows (0/1 for a state).
    const std::map<std::string, std::function<void()>> steps = {
        {"skinfolder", [&] { std::filesystem::create_directories(FHost.SkinDir() / text(1)); }},
        {"answerfont", [&] { FDialogs.Font = font(1); }},
        {"click", [&] { Control<QAbstractButton>(*FDialog, w.at(1).c_str()).click(); }},
        {"type", [&] { QTest::keyClicks(&control(1), QString::fromStdString(text(2))); }},
        {"focus", [&] { control(1).setFocus(); }},
        {"row", [&] { list(1).setCurrentRow(n(2)); }},
        {"nohotkey", [&] { Control<dialogs::THotKeyEdit>(*FDialog, "hkText").SetHotKey(std::nullopt); }},
        {"close", [&] { FDialog->close(); }},
        {"text", [&] { EXPECT_EQ(shown(1), text(2)); }},
        {"currentrow", [&] { EXPECT_EQ(list(1).currentRow(), n(2)); }},
        {"checked", [&] { EXPECT_EQ(Control<QAbstractButton>(*FDialog, w.at(1).c_str()).isChecked(), n(2) != 0); }},
        {"tab", [&] { EXPECT_EQ(Control<QTabWidget>(*FDialog, w.at(1).c_str()).currentIndex(), n(2)); }},
        {"fontasked", [&] { EXPECT_EQ(FDialogs.FontOffered, font(1)); }},
        {"hourglass", [&] { EXPECT_EQ(QApplication::overrideCursor() != nullptr, n(1) != 0); }},
        {"place", [&] { EXPECT_EQ(control(1).pos(), QPoint(n(2), n(3))); }},
        {"widerthan", [&] { EXPECT_GT(control(1).width(), n(2)); }},
        {"accepted", [&] { EXPECT_EQ(static_cast<QDialog*>(FDialog)->result() == QDialog::Accepted, n(1) != 0); }},
        {"unchanged", [&] { EXPECT_EQ(std::tie(settings, defaults), std::tie(FSettingsAtOpen, FDefaultsAtOpen)); }}};
    if (steps.count(verb)) {
      steps.at(verb)();
    } else if (verb == "skins") {
      for (const std::string& name : texts(1)) FHost.AddSkinFile(name);
    } else if (verb == "given") {
      const std::string& what = w.at(1);
      if (what == "skin") settings.SkinFile = text(2);
      if (what == "resident") settings.Resident = n(2) != 0;
      if (what == "hotkey") settings.HotKey = text(2);
      if (what == "wrap") defaults.WordWrap = n(2) != 0;
      if (what == "fontstyle") defaults.FontStyle = n(2);
      if (what == "opacity") FHost.SetOpacityQuietly(n(2));
      if (what == "entry") {
        ASSERT_TRUE(platform::WriteAutostartEntry(FHost.AutostartDir(), text(2)).Ok);
      }
      if (what == "editor") FHost.EditorText = text(2);
      if (what == "pages") FHost.SetPages(texts(3), n(2));
      // Opening a dialog, and running one modally: the steps up to "end" act on it while it is open.
    } else if (verb == "options" || verb == "pages") {
      FSettingsAtOpen = settings;
      FDefaultsAtOpen = defaults;
      if (verb == "options") FOwned = std::make_unique<dialogs::TfrmOptions>(FHost, FDialogs);
      if (verb == "pages") FOwned = std::make_unique<dialogs::TfrmMemoList>(FHost);
      FDialog = FOwned.get();
    } else if (verb == "run") {
      FModal.emplace();
      FRunning = w.at(1);
    } else if (verb == "end") {
      const std::vector<std::vector<std::string>> queued = std::move(*FModal);
      FModal.reset();
      bool ran = false;
      QTimer::singleShot(0, [&] {
        FDialog = QApplication::activeModalWidget();
        ASSERT_NE(FDialog, nullptr);
        for (const std::vector<std::string>& step : queued) Step(step);
        ran = true;
      });
      if (FRunning == "options") dialogs::RunOptionsDialog(FHost, FDialogs);
      if (FRunning == "pages") dialogs::RunMemoListDialog(FHost);
      EXPECT_TRUE(ran);
      FDialog = nullptr;
    } else if (verb == "show") {
      FDialog->show();
      FDialog->activateWindow();
      EXPECT_TRUE(QTest::qWaitForWindowActive(FDialog));
      // What the user does.
    } else if (verb == "key") {
      const QKeySequence keys(QString::fromStdString(text(2)));
      ASSERT_EQ(keys.count(), 1);
      const int times = w.size() > 3 ? n(3) : 1;
      for (int i = 0; i < times; ++i) QTest::keyClick(&control(1), keys[0].key(), keys[0].keyboardModifiers());
    } else if (verb == "holdshiftctrl") {
      QTest::keyPress(&control(1), Qt::Key_Shift, Qt::ShiftModifier);
      QTest::keyPress(&control(1), Qt::Key_Control, Qt::ShiftModifier | Qt::ControlModifier);
    } else if (verb == "compose") {
      QInputMethodEvent commit;
      commit.setCommitString(QString::fromStdString(text(2)));
      QApplication::sendEvent(&control(1), &commit);
    } else if (verb == "clickrow") {
      QListWidget& rows = list(1);
      QTest::mouseClick(rows.viewport(), Qt::LeftButton, {}, rows.visualItemRect(rows.item(n(2))).center());
      // What then shows on the dialog.
    } else if (verb == "textlike") {
      EXPECT_TRUE(
          QRegularExpression(QString::fromStdString(text(2))).match(QString::fromStdString(shown(1))).hasMatch())
          << shown(1);
    } else if (verb == "list") {
      Strings rows;
      for (int row = 0; row < list(1).count(); ++row) rows.push_back(list(1).item(row)->text().toStdString());
      EXPECT_EQ(rows, texts(2));
    } else if (verb == "current") {
      QListWidgetItem* item = list(1).currentItem();
      EXPECT_EQ(item ? item->text().toStdString() : "", text(2));
    } else if (verb == "inputmethod") {
      QInputMethodQueryEvent query(Qt::ImEnabled);
      QApplication::sendEvent(&control(1), &query);
      EXPECT_EQ(query.value(Qt::ImEnabled).toBool(), n(2) != 0);
    } else if (verb == "previewfont") {
      const QWidget& preview = Control(*FDialog, "pnlPrev");
      EXPECT_EQ(preview.font().bold(), n(1) != 0);
      EXPECT_EQ(preview.font().italic(), n(2) != 0);
      EXPECT_EQ(preview.font().strikeOut(), n(3) != 0);
      EXPECT_EQ(preview.palette().color(QPalette::WindowText), QColor(n(4), n(5), n(6)));
      // What the note window then holds.
    } else if (verb == "calls") {
      EXPECT_EQ(Strings(FHost.Calls.begin() + static_cast<std::ptrdiff_t>(FMark), FHost.Calls.end()), texts(1));
      FMark = FHost.Calls.size();
    } else if (verb == "stored" && w.at(1) == "pages") {
      Strings pageTexts;
      for (const store::TMemoData& page : FHost.Store().Pages) pageTexts.push_back(page.Text);
      EXPECT_EQ(pageTexts, texts(2));
    } else if (verb == "stored" && w.at(1) == "entry") {
      const std::string expected = text(2).empty() ? "" : platform::AutostartEntryText(text(2));
      EXPECT_EQ(test_support::ReadBytes(FHost.AutostartDir() / "tacknote.desktop"), expected);
    } else if (verb == "stored" && w.at(1) == "memo") {
      store::TMemoData expected = store::BuiltInDefaultMemo();
      expected.FontName = platform::Utf8ToCp932(text(2));
      expected.FontSize = n(3);
      expected.FontStyle = n(4);
      expected.FontColor = n(5);
      expected.WordWrap = n(6) != 0;
      EXPECT_EQ(defaults, expected);
    } else if (verb == "stored") {
      // A text, or a number (0/1 for a switch) as its digits.
      const std::map<std::string, std::string> fields = {
          {"skin", settings.SkinFile}, {"hotkey", settings.HotKey}, {"editor", FHost.EditorText},
          {"resident", std::to_string(settings.Resident)}, {"opacity", std::to_string(FHost.Opacity())},
          {"index", std::to_string(FHost.PageIndex())}};
      EXPECT_EQ(fields.at(w.at(1)), w.at(2).front() == '"' ? text(2) : w.at(2)) << w.at(1);
    } else {
      FAIL() << "unknown step " << verb;
    }
  }

  dialogs_test::TFakeNoteWindow FHost;
  test_support::TScriptedDialogs FDialogs;
  std::unique_ptr<QDialog> FOwned;
  QWidget* FDialog = nullptr;  // the dialog the steps act on
  std::size_t FMark = 0;       // "calls" looks at the calls made since
  store::TSettings FSettingsAtOpen;
  store::TMemoData FDefaultsAtOpen;
  std::optional<std::vector<std::vector<std::string>>> FModal;  // the steps of a "run", until its "end"
  std::string FRunning;
};

class DialogScenario : public TDialogRunner, public ::testing::TestWithParam<TScenario> {};

TEST_P(DialogScenario, Runs) {
  for (const editor::test::TTableLine& step : GetParam().Steps) {
    SCOPED_TRACE("dialogs.txt line " + std::to_string(step.Number));
    Step(step.Words);
  }
}

INSTANTIATE_TEST_SUITE_P(Dialogs, DialogScenario, ::testing::ValuesIn(editor::test::Scenarios("dialogs.txt")),
                         [](const ::testing::TestParamInfo<TScenario>& scenario) { return scenario.param.Name; });

// The hot-key field opened on the stored text, with a key typed into it: what it shows and what OK writes
// (Return goes on to the dialog, whose default button is OK, and no mnemonic fires).
TEST(HotKeyField, ReadsTypesAndWritesTheText) {
  for (const test_support::TRow& row : test_support::Rows("hot_keys.txt", "field")) {
    SCOPED_TRACE(row.Where());
    TDialogRunner runner;
    runner.Step({"given", "hotkey", row[0]});
    runner.Step({"options"});
    runner.Step({"show"});
    runner.Step({"focus", "hkText"});
    if (!row.Text(1).empty()) runner.Step({"key", "hkText", row[1]});
    runner.Step({"text", "hkText", row[2]});
    runner.Step({"key", "hkText", "\"Return\""});
    runner.Step({"accepted", "1"});
    runner.Step({"stored", "hotkey", row[3]});
    runner.Step({"stored", "resident", "0"});
  }
}

}  // namespace
