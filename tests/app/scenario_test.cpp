// The note window driven as a user drives it (menus, keys, title-bar labels), with the dialogs answered from
// a script or on screen: each scenario of tests/data/note_window.txt and note_window_ends.txt is one test,
// its steps run in a fresh scratch folder beside a fake executable.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QImage>
#include <QListWidget>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/edit_menu.h"
#include "app/frame_controls.h"
#include "app/main_menu.h"
#include "app/menu_items.h"
#include "app/note_window.h"
#include "app/quit_signals.h"
#include "dialogs/hot_key_edit.h"
#include "editor/control/editor.h"
#include "editor/text/editor_screen_strings.h"
#include "editor/text/editor_strings.h"
#include "editor/text/editor_wrap_option.h"
#include "image/builtin_skin.h"
#include "qt/dialog_service.h"
#include "qt/editor_widget.h"
#include "qt/qt_skin_image.h"
#include "store/memo_file.h"
#include "support/bmp_writer.h"
#include "support/case_table.h"
#include "support/find_control.h"
#include "support/scripted_dialogs.h"
#include "support/stale_pixels.h"
#include "support/table.h"
#include "support/temp_dir.h"

// Texts in failure output as text.
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace app_test {
namespace {

namespace fs = std::filesystem;

using test_support::TScriptedDialogs;

// Remembers the addresses the window hands over instead of opening them.
class TRecordedOpener : public qtui::TUrlOpener {
 public:
  void Open(const QString& target) override { Opened.push_back(target); }
  std::vector<QString> Opened;
};

using editor::test::TScenario;

// A file-size limit while it lives; with SIGXFSZ ignored, as main ignores it, a write past it fails with EFBIG.
class TFileSizeLimit {
 public:
  explicit TFileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &FOld);
    rlimit limit = FOld;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~TFileSizeLimit() { setrlimit(RLIMIT_FSIZE, &FOld); }
  TFileSizeLimit(const TFileSizeLimit&) = delete;
  TFileSizeLimit& operator=(const TFileSizeLimit&) = delete;

 private:
  rlimit FOld{};
};

// One line per item as tests/data/menus.txt writes it.
void Describe(const QMenu& menu, const QString& indent, QStringList& lines) {
  for (const QAction* item : menu.actions()) {
    QString line = indent + (item->isSeparator() ? QStringLiteral("-") : item->text());
    if (item->isCheckable()) line += item->isChecked() ? QStringLiteral(" [x]") : QStringLiteral(" [ ]");
    if (!item->isEnabled()) line += QStringLiteral(" (off)");
    lines << line;
    if (item->menu()) Describe(*item->menu(), indent + QStringLiteral("  "), lines);
  }
}

// NAME=VALUE sets a control of a dialog (a hot key, a number, a check box 0/1, a list's row); NAME presses
// a button.
void SetOrPress(QWidget& dialog, const std::string& word) {
  const std::size_t equals = word.find('=');
  if (equals == std::string::npos) {
    test_support::Control<QAbstractButton>(dialog, word.c_str()).click();
    return;
  }
  QWidget& control = test_support::Control(dialog, word.substr(0, equals).c_str());
  const QString value = QString::fromStdString(word.substr(equals + 1));
  if (auto* hotKey = dynamic_cast<dialogs::THotKeyEdit*>(&control)) hotKey->SetHotKey(QKeySequence(value)[0]);
  if (auto* number = dynamic_cast<QSpinBox*>(&control)) number->setValue(value.toInt());
  if (auto* check = dynamic_cast<QCheckBox*>(&control)) check->setChecked(value == QStringLiteral("1"));
  if (auto* list = dynamic_cast<QListWidget*>(&control)) list->setCurrentRow(value.toInt());
}

// Runs the event loop: `open` starts something that shows a dialog, and once a modal dialog is on the
// screen `end` asks for the end. True when the loop ended on its own within ten seconds.
bool RunUntilEnded(const std::function<void()>& open, const std::function<void()>& end) {
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
  // The end closes the dialog at once; the limit only keeps a broken end from hanging the test. It goes
  // with this call's own poll timer, so it never fires into a later test.
  bool timedOut = false;
  QTimer::singleShot(10000, &poll, [&] {
    timedOut = true;
    QCoreApplication::exit(1);
  });
  return QCoreApplication::exec() == 0 && asked && !timedOut;
}

class Scenario : public ::testing::TestWithParam<TScenario> {
 protected:
  Scenario() : FClock(platform::LocalTime{2025, 3, 2, 12, 5, 9}) {}

  // The scripted dialogs, or the ones on screen, fresh for each window: an end cancels them for good.
  app::TNoteServices Services() {
    qtui::TDialogService* dialogs = &FDialogs;
    if (FRealDialogs) dialogs = &FQtDialogs.emplace();
    return app::TNoteServices{FClock,     *dialogs, FOpener,           store::TPaths::FromExecutable(Exe()),
                              FArguments, Exe(),    FDir / "autostart"};
  }
  fs::path Exe() const { return FDir / "tacknote"; }
  fs::path Dat() const { return Exe().string() + ".DAT"; }
  fs::path Ini() const { return Exe().string() + ".INI"; }

  // A data file of one block per text, titled "p0", "p1", ...
  void WritePages(const std::vector<std::string>& texts) {
    std::string bytes = ";\r\n\r\n";
    for (std::size_t i = 0; i < texts.size(); ++i) {
      bytes += "{$BEGIN}\r\n0,\"p" + std::to_string(i) +
               "\",0,0,0,0,-1,0,255,16777215,0,\"x\",10,0,0,20240101000000,20240101000000\r\n" + texts[i] +
               "\r\n{$END}\r\n";
    }
    test_support::WriteBytes(Dat(), bytes);
  }
  std::string ReadDat() const { return test_support::ReadBytes(Dat()); }

  editor::TEditor& Editor() { return FWindow->Memo1().Editor(); }
  // Shown and active, so the window's shortcuts are live; another window taking the focus arms the
  // double-click guard.
  void Activate() {
    FWindow->show();
    FWindow->activateWindow();
    FWindow->Memo1().setFocus();
    EXPECT_TRUE(QTest::qWaitForWindowActive(FWindow.get()));
  }
  void Deactivate() {
    QWidget other;
    other.show();
    other.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&other));
  }

  // The page texts and titles as the window holds them, for comparing whole lists at once.
  static std::vector<std::string> Titles(app::TfrmMain& window) {
    std::vector<std::string> titles;
    for (const store::TMemoData& page : window.Store().Pages) titles.push_back(page.Title);
    return titles;
  }

  // "title:text" of each page of a file in the data file's format; nothing for one that does not read whole.
  static std::vector<std::string> FilePages(const fs::path& file) {
    std::vector<store::TMemoData> pages;
    bool complete = false;
    if (!store::ParseMemoFile(test_support::ReadBytes(file), pages, complete) || !complete) return {};
    std::vector<std::string> result;
    for (const store::TMemoData& page : pages) result.push_back(page.Title + ":" + page.Text);
    return result;
  }

  void Run(const std::vector<std::string>& w) {
    const std::string& verb = w.at(0);
    // Texts as code page 932 (the editor's and the file's), as written (the dialogs'), numbers, words.
    const auto cp = [&w](std::size_t i) { return editor::test::ParseQuoted(w.at(i)).Text; };
    const auto raw = [&w](std::size_t i) { return editor::test::ParseQuoted(w.at(i), false, false).Text; };
    const auto qs = [&](std::size_t i) {
      return QString::fromStdString(raw(i)).replace(QStringLiteral("{dir}"), QString::fromStdString(FDir.Path()));
    };
    const auto n = [&w](std::size_t i) { return std::stoi(w.at(i), nullptr, 0); };
    const auto texts = [&](std::size_t from) {
      std::vector<std::string> result;
      for (std::size_t i = from; i < w.size(); ++i) result.push_back(cp(i));
      return result;
    };
    const std::map<std::string, qtui::TModalResult> answers = {
        {"ok", qtui::mrOk}, {"cancel", qtui::mrCancel}, {"yes", qtui::mrYes}, {"no", qtui::mrNo}};
    const std::map<std::string, qtui::TMsgDlgType> types = {{"warning", qtui::TMsgDlgType::mtWarning},
                                                            {"error", qtui::TMsgDlgType::mtError},
                                                            {"confirmation", qtui::TMsgDlgType::mtConfirmation},
                                                            {"plain", qtui::TMsgDlgType::mtCustom}};
    const std::map<std::string, unsigned> buttons = {
        {"ok", qtui::mbOK}, {"okcancel", qtui::mbOK | qtui::mbCancel}, {"yesno", qtui::mbYes | qtui::mbNo}};
    // The window, its editor, or a control of the window by its name.
    const auto widget = [&](std::size_t i) -> QWidget& {
      if (w.at(i) == "window") return *FWindow;
      if (w.at(i) == "memo") return FWindow->Memo1();
      return test_support::Control(*FWindow, w.at(i).c_str());
    };
    const auto menu = [&](std::size_t i) -> QMenu& {
      if (w.at(i) == "main") return FWindow->MainMenu();
      return FWindow->EditMenu();
    };
    const auto font = [&](std::size_t i) {
      return editor::TEditorFont{cp(i), n(i + 1), static_cast<editor::TFontStyles>(n(i + 2)),
                                 static_cast<editor::TColor>(n(i + 3))};
    };
    // Steps of one statement by their verbs: what the user does, what is set directly or answered, and
    // checks; numbers are 0/1 for a switch.
    const std::map<std::string, std::function<void()>> steps = {
        {"show", [&] { FWindow->show(); }},
        {"activate", [&] { Activate(); }},
        {"deactivate", [&] { Deactivate(); }},
        {"pageschanged", [&] { FWindow->PagesChanged(); }},
        {"bringforward", [&] { FWindow->ShowAndBringForward(); }},
        {"end", [&] { FWindow->EndRequested(); }},
        {"realdialogs", [&] { FRealDialogs = true; }},
        {"clearclipboard", [] { QApplication::clipboard()->clear(); }},
        {"arguments", [&] { FArguments.assign(w.begin() + 1, w.end()); }},
        {"ini", [&] { test_support::WriteBytes(Ini(), "[TACKNOTE]\r\n" + cp(1)); }},
        {"click", [&] { QTest::mouseClick(&test_support::Control(*FWindow, w.at(1).c_str()), Qt::LeftButton); }},
        {"menu", [&] { FWindow->MainMenu().Item(w.at(1).c_str())->trigger(); }},
        {"type",
         [&] {
           for (int i = 0; i < (w.size() > 2 ? n(2) : 1); ++i) {
             if (i > 0) QTest::qWait(n(3));
             Editor().PutText(cp(1));
           }
         }},
        {"popdown", [&] { menu(1).hide(); }},
        {"move", [&] { FWindow->move(n(1), n(2)); }},
        {"resize", [&] { FWindow->resize(n(1), n(2)); }},
        {"shade", [&] { FWindow->SetWindowShade(n(1) != 0); }},
        {"opacity", [&] { FWindow->SetOpacity(n(1)); }},
        {"ontop", [&] { FWindow->SetAlwaysOnTop(n(1) != 0); }},
        {"resident", [&] { FWindow->Settings().Resident = n(1) != 0; }},
        {"wheellines", [&] { QApplication::setWheelScrollLines(n(1)); }},
        {"recoverydelay", [&] { FWindow->Recovery().SetDelay(n(1)); }},
        {"settop", [&] { Editor().SetTopRow(n(1)); }},
        {"jump", [&] { FWindow->JumpToPage(n(1)); }},
        {"wait", [&] { QTest::qWait(n(1)); }},
        // Through the window system.
        {"dclick", [&] { QTest::mouseDClick(FWindow->windowHandle(), Qt::LeftButton, {}, QPoint(n(1), n(2))); }},
        {"loadskin", [&] { FWindow->LoadSkin(cp(1)); }},
        {"settext", [&] { FWindow->Store().Pages.at(static_cast<std::size_t>(n(1))).Text = cp(2); }},
        {"input", [&] { FDialogs.Inputs.push_back(qs(1)); }},
        {"font", [&] { FDialogs.Font = w.at(1) == "none" ? std::nullopt : std::optional(font(1)); }},
        {"openfile", [&] { FDialogs.OpenPath = w.at(1) == "none" ? std::nullopt : std::optional(FDir / raw(1)); }},
        {"savefile", [&] { FDialogs.SavePath = FDir / raw(1); }},
        {"write", [&] { test_support::WriteBytes(FDir / raw(1), cp(2)); }},
        {"readonly", [&] { fs::permissions(FDir / raw(1), fs::perms::owner_read | fs::perms::others_read); }},
        {"newer", [&] { fs::last_write_time(FDir / raw(1), fs::last_write_time(Dat()) + std::chrono::seconds(1)); }},
        {"endduring", [&] { EndDuring(w.at(1), w.at(2) == "signal"); }},
        // What the window then shows and holds.
        {"titles", [&] { EXPECT_EQ(Titles(*FWindow), texts(1)); }},
        {"title", [&] { EXPECT_EQ(FWindow->CurrentTitle(), cp(1)); }},
        {"text", [&] { EXPECT_EQ(Editor().Lines().Text(), cp(1)); }},
        {"filter", [&] { EXPECT_EQ(FDialogs.Filters.back(), qs(1)); }},
        {"lastitem", [&] { EXPECT_EQ(app::MenuCaption(*FWindow->MainMenu().PagesMenu().actions().last()), qs(1)); }},
        {"editorfont", [&] { EXPECT_EQ(Editor().Font(), font(1)); }},
        {"canvasfont", [&] { EXPECT_EQ(FWindow->CanvasFont(), font(1)); }},
        {"offered", [&] { EXPECT_EQ(FDialogs.FontOffered.value_or(editor::TEditorFont{}).Name, cp(1)); }},
        {"close", [&] { EXPECT_EQ(FWindow->close(), w.at(1) == "done"); }},
        {"size", [&] { EXPECT_EQ(FWindow->size(), QSize(n(1), n(2))); }},
        {"minsize", [&] { EXPECT_EQ(FWindow->minimumSize(), QSize(n(1), n(2))); }},
        {"corner", [&] { EXPECT_EQ(FWindow->PageCornerRect(), QRect(n(1), n(2), n(3), n(4))); }},
        {"geometry", [&] { EXPECT_EQ(widget(1).geometry(), QRect(n(2), n(3), n(4), n(5))); }},
        {"tooltip", [&] { EXPECT_EQ(widget(1).toolTip(), qs(2)); }},
        {"dialogat", [&] { EXPECT_EQ(FDialogPlace, QPoint(n(1), n(2))); }},
        {"builtinskin", [&] { EXPECT_EQ(FWindow->ImgSkin(), image::BuiltInSkin()); }},
        {"exists", [&] { EXPECT_EQ(fs::exists(FDir / raw(1)), n(2) != 0) << raw(1); }},
        {"filepages", [&] { EXPECT_EQ(FilePages(FDir / raw(1)), texts(2)) << raw(1); }},
        {"unwritten", [&] { EXPECT_EQ(ReadDat(), FOpenedWith); }},
        {"saved", [&] { EXPECT_NE(ReadDat().find(cp(1)), std::string::npos) << ReadDat(); }}};
    // Checks of one number (0/1 for a state) by their verbs.
    const std::map<std::string, std::function<int()>> numbers = {
        {"pages", [&] { return static_cast<int>(FWindow->Store().Pages.size()); }},
        {"items", [&] { return static_cast<int>(FWindow->MainMenu().PagesMenu().actions().size()); }},
        {"shown", [&] { return static_cast<int>(FDialogs.Shown.size()); }},
        {"hidden", [&] { return FWindow->isHidden(); }},
        {"guard", [&] { return FWindow->DblClickGuard(); }},
        {"dragging", [&] { return FWindow->ThumbDragging(); }},
        {"modified", [&] { return Editor().Modified(); }},
        {"selected", [&] { return Editor().SelLength(); }},
        {"toprow", [&] { return Editor().TopRow(); }},
        {"row", [&] { return Editor().Row(); }},
        {"wrap", [&] { return Editor().WordWrap(); }},
        {"wrapbyte", [&] { return Editor().WrapOption().WrapByte(); }},
        {"ontopnow", [&] { return FWindow->IsAlwaysOnTop(); }},
        {"staysontop", [&] { return FWindow->windowFlags().testFlag(Qt::WindowStaysOnTopHint); }},
        {"shaded", [&] { return FWindow->IsShaded(); }},
        {"unshadedheight", [&] { return FWindow->UnshadedHeight(); }},
        {"opacityis", [&] { return FWindow->Opacity(); }},
        {"windowopacity", [&] { return qRound(FWindow->windowOpacity() * 255); }},
        {"thumb", [&] { return FWindow->PnlScroll().isVisible(); }},
        {"thumbat", [&] { return FWindow->PnlScroll().y(); }},
        {"repeating", [&] { return FWindow->Timer().isActive(); }},
        {"timertag", [&] { return FWindow->TimerTag(); }},
        {"mainopen", [&] { return FWindow->MainMenu().isVisible(); }},
        {"editopen", [&] { return FWindow->EditMenu().isVisible(); }},
        // No tray and no X11 here: both fail without a word.
        {"tray", [&] { return FWindow->TrayIcon().Added(); }},
        {"hotkeyon", [&] { return FWindow->HotKey().Registered(); }}};
    if (steps.count(verb)) {
      steps.at(verb)();
    } else if (numbers.count(verb)) {
      EXPECT_EQ(numbers.at(verb)(), n(1)) << verb;
    } else if (verb == "open" || verb == "openshown" || verb == "openrefused") {
      // What the user does, and what the dialogs will answer, from here on.
      // The window before goes first, unclosed, as in a crash; the data file as the start finds it is kept.
      FDialogs.Shown.clear();
      FWindow.reset();
      if (w.size() > 1) WritePages(texts(1));
      FOpenedWith = ReadDat();
      // Started over the data file as it is (or its start refused), and shown and painted when asked.
      FWindow = std::make_unique<app::TfrmMain>(Services());
      EXPECT_EQ(FWindow->FormCreate(), verb != "openrefused");
      if (verb == "openshown") {
        FWindow->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(FWindow.get()));
        EXPECT_TRUE(QTest::qWaitFor([this] { return !FWindow->PageCornerRect().isEmpty(); }));
      }
    } else if (verb == "mouse") {
      // Sent to the widget itself.
      const QPoint at(n(3), n(4));
      const Qt::MouseButton button = w.size() > 5 ? Qt::RightButton : Qt::LeftButton;
      if (w.at(1) == "press") QTest::mousePress(&widget(2), button, {}, at);
      if (w.at(1) == "move") QTest::mouseMove(&widget(2), at);
      if (w.at(1) == "release") QTest::mouseRelease(&widget(2), button, {}, at);
      if (w.at(1) == "click") QTest::mouseClick(&widget(2), button, {}, at);
      if (w.at(1) == "dclick") QTest::mouseDClick(&widget(2), button, {}, at);
    } else if (verb == "wheel") {
      const QPoint angle = w.size() > 3 ? QPoint(n(2), 0) : QPoint(0, n(2));
      QWheelEvent event(QPointF(10, 10), widget(1).mapToGlobal(QPointF(10, 10)), QPoint(), angle, Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(&widget(1), &event);
    } else if (verb == "hover" || verb == "dclickchar") {
      // Over the character at an offset of the editor's text.
      const editor::TPoint cell = Editor().PosFromChar(n(1));
      const QPoint at(cell.X + 2, cell.Y + 2);
      QMouseEvent move(QEvent::MouseMove, at, FWindow->Memo1().mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                       Qt::NoModifier);
      if (verb == "hover") QApplication::sendEvent(&FWindow->Memo1(), &move);
      if (verb == "dclickchar")
        QTest::mouseDClick(FWindow->windowHandle(), Qt::LeftButton, {}, FWindow->Memo1().mapTo(FWindow.get(), at));
    } else if (verb == "context") {
      const QPoint at(n(2), n(3));
      QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget(1).mapToGlobal(at));
      QApplication::sendEvent(&widget(1), &event);
    } else if (verb == "menudclick") {
      // The second press of a double click, which the open menu takes.
      const QPoint at = FWindow->mapToGlobal(QPoint(n(1), n(2)));
      QMouseEvent second(QEvent::MouseButtonDblClick, FWindow->MainMenu().mapFromGlobal(at), at, Qt::LeftButton,
                         Qt::LeftButton, Qt::NoModifier);
      QApplication::sendEvent(&FWindow->MainMenu(), &second);
      QApplication::processEvents();
    } else if (verb == "dialog") {
      // The dialog a menu item opens, its place noted, its controls set and buttons pressed in turn.
      QTimer::singleShot(0, [this, &w] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        FDialogPlace = dialog->pos();
        for (std::size_t i = 2; i < w.size(); ++i) SetOrPress(*dialog, w[i]);
      });
      FWindow->MainMenu().Item(w.at(1).c_str())->trigger();
    } else if (verb == "key") {
      const QKeyCombination key = QKeySequence(qs(1))[0];
      QTest::keyClick(&FWindow->Memo1(), key.key(), key.keyboardModifiers());
    } else if (verb == "keytext") {
      QTest::sendKeyEvent(QTest::KeyAction::Click, &FWindow->Memo1(), Qt::Key_unknown, qs(1), Qt::NoModifier);
    } else if (verb == "bmp") {
      // A picture of the test pictures' pattern; cut: only its first half.
      const image_test::TBmpShape shape{n(2), n(3), n(4),
                                        w.size() > 5 && w[5] == "rle8" ? image_test::BI_RLE8 : image_test::BI_RGB};
      std::string bytes = image_test::MakeBmp(shape);
      if (w.back() == "cut") bytes.resize(bytes.size() / 2);
      test_support::WriteBytes(FDir / raw(1), bytes);
    } else if (verb == "clock") {
      FClock.Set({n(1), n(2), n(3), n(4), n(5), n(6)});
    } else if (verb == "answer") {
      for (std::size_t i = 1; i < w.size(); ++i) FDialogs.Answers.push_back(answers.at(w[i]));
    } else if (verb == "mend") {
      Editor().Lines().SetText(cp(1));
      Editor().SetModified(true);
    } else if (verb == "folder") {
      fs::remove(FDir / raw(1));
      fs::create_directory(FDir / raw(1));
    } else if (verb == "sizelimit") {
      FSizeLimit.reset();
      if (w.at(1) != "none") FSizeLimit.emplace(n(1));
    } else if (verb == "popup") {
      menu(1).popup(QPoint(0, 0));
      QApplication::processEvents();
    } else if (verb == "caret") {
      Editor().SetRow(n(1));
      Editor().SetCol(n(2));
    } else if (verb == "settitle") {
      FWindow->Store().Pages.at(static_cast<std::size_t>(n(1))).Title = cp(2);
      FWindow->ApplyPage(n(1));
      // What the window then shows and holds.
    } else if (verb == "page") {
      EXPECT_EQ(FWindow->PageIndex(), n(1));
      EXPECT_EQ(FWindow->CurrentTitle(), Titles(*FWindow).at(static_cast<std::size_t>(n(1))));
    } else if (verb == "record") {
      const store::TMemoData& page = FWindow->Store().Pages.at(static_cast<std::size_t>(n(1)));
      const std::map<std::string, std::string> fields = {
          {"text", page.Text},       {"title", page.Title},   {"created", page.Created},
          {"updated", page.Updated}, {"font", page.FontName}, {"wrap", page.WordWrap ? "1" : "0"}};
      EXPECT_EQ(fields.at(w.at(2)), cp(3)) << w.at(2);
    } else if (verb == "message") {
      ASSERT_LT(static_cast<std::size_t>(n(1)), FDialogs.Shown.size());
      const TScriptedDialogs::TShown& shown = FDialogs.Shown[static_cast<std::size_t>(n(1))];
      EXPECT_EQ(shown.Type, types.at(w.at(2)));
      EXPECT_TRUE(w.at(3) == "-" || shown.Buttons == buttons.at(w.at(3))) << shown.Buttons;
      EXPECT_EQ(shown.WindowOnTop, w.at(4) == "ontop");
      EXPECT_EQ(shown.Text, qs(5));
    } else if (verb == "menuis") {
      QStringList table;
      for (const test_support::TRow& row : test_support::Rows("menus.txt", w.at(1)))
        table << QString::fromStdString(row.Text(0));
      QStringList lines;
      Describe(menu(1), QString(), lines);
      EXPECT_EQ(lines, table);
    } else if (verb == "itemstate") {
      const char* name = w.at(2).c_str();
      const QAction& item = w.at(1) == "main" ? *FWindow->MainMenu().Item(name) : *FWindow->EditMenu().Item(name);
      EXPECT_EQ(w.at(3) == "checked" ? item.isChecked() : item.isEnabled(), n(4) != 0) << w.at(2);
    } else if (verb == "allenabled") {
      for (QAction* item : FWindow->EditMenu().findChildren<QAction*>())
        EXPECT_TRUE(item->isEnabled()) << item->objectName().toStdString();
    } else if (verb == "hiddenitem") {
      // In the editor for its shortcut, not in the menu.
      QAction* item = FWindow->EditMenu().Item(w.at(1).c_str());
      ASSERT_NE(item, nullptr) << w.at(1);
      EXPECT_FALSE(FWindow->EditMenu().actions().contains(item)) << w.at(1);
      EXPECT_EQ(app::MenuShortcutText(*item), qs(2));
      EXPECT_TRUE(FWindow->Memo1().actions().contains(item)) << w.at(1);
    } else if (verb == "file") {
      std::string expected = cp(2);
      if (const std::size_t at = expected.find("{dir}"); at != std::string::npos)
        expected.replace(at, 5, FDir.Path().string());
      EXPECT_EQ(test_support::ReadBytes(FDir / raw(1)), expected);
    } else if (verb == "settings") {
      const std::string ini = test_support::ReadBytes(Ini());
      EXPECT_TRUE(w.at(1) == "start" ? ini.rfind(cp(2), 0) == 0 : ini.find(cp(2)) != std::string::npos) << ini;
    } else if (verb == "fresh") {
      // Not the caret's cell, nor the scroll track: the window's own paint places the thumb, so a fresh
      // one may have moved it.
      const editor::TRect c = Editor().CaretModel().Rect();
      const QRect caret(FWindow->Memo1().mapTo(FWindow.get(), QPoint(c.Left, c.Top)),
                        QSize(c.Right - c.Left, c.Bottom - c.Top));
      EXPECT_EQ(test_support::StalePixels(*FWindow, {caret, FWindow->PnlScrollArea().geometry()}), 0);
    } else if (verb == "titleink") {
      // The right end of the title strip's dark ink, its first and last columns left out.
      const QImage strip = FWindow->grab(QRect(0, 1, FWindow->width(), app::TitleBarHeight - 2)).toImage();
      int right = 0;
      for (int y = 0; y < strip.height(); ++y)
        for (int x = 1; x < strip.width() - 1; ++x)
          if (qGray(strip.pixel(x, y)) < 128) right = std::max(right, x);
      EXPECT_GE(right, n(1));
      EXPECT_LE(right, n(2));
    } else if (verb == "widest") {
      int widest = 0;
      for (int row = 0; row < Editor().ListInfo().Count(); ++row) widest = std::max(widest, Editor().RowWidth(row));
      EXPECT_EQ(widest, n(1));
    } else if (verb == "setting") {
      const store::TSettings& settings = FWindow->Settings();
      const std::map<std::string, std::string> fields = {
          {"hotkey", settings.HotKey}, {"resident", settings.Resident ? "1" : "0"}, {"skin", settings.SkinFile}};
      EXPECT_EQ(fields.at(w.at(1)), cp(2)) << w.at(1);
    } else if (verb == "skinpixel") {
      // In the skin and in the picture the frame paints from.
      const image::TRgb pixel = FWindow->ImgSkin().Pixel(n(1), n(2));
      EXPECT_EQ(QColor(pixel.R, pixel.G, pixel.B), QColor(n(3), n(4), n(5)));
      EXPECT_EQ(qtui::ToQImage(FWindow->ImgSkin()).pixelColor(n(1), n(2)), QColor(n(3), n(4), n(5)));
    } else if (verb == "scrolls") {
      const int from = Editor().TopRow(), by = w.at(1) == "up" ? -n(2) : n(2);
      EXPECT_TRUE(QTest::qWaitFor(
          [&] { return by < 0 ? Editor().TopRow() <= from + by : Editor().TopRow() >= from + by; }, 2000));
    } else if (verb == "opened") {
      std::vector<QString> opened;
      for (std::size_t i = 1; i < w.size(); ++i) opened.push_back(qs(i));
      EXPECT_EQ(FOpener.Opened, opened);
      FOpener.Opened.clear();
    } else if (verb == "cursor") {
      const std::map<std::string, Qt::CursorShape> shapes = {{"arrow", Qt::ArrowCursor},
                                                             {"sizefdiag", Qt::SizeFDiagCursor},
                                                             {"ibeam", Qt::IBeamCursor},
                                                             {"hand", Qt::PointingHandCursor},
                                                             {"dragmove", Qt::DragMoveCursor}};
      EXPECT_EQ(widget(1).cursor().shape(), shapes.at(w.at(2)));
    } else if (verb == "mainmenu") {
      EXPECT_TRUE(FWindow->MainMenu().isVisible());
      EXPECT_EQ(FWindow->MainMenu().pos(), FWindow->mapToGlobal(QPoint(n(1), n(2))));
      if (w.size() < 4) FWindow->MainMenu().hide();
    } else if (verb == "entries") {
      EXPECT_EQ(std::distance(fs::directory_iterator(FDir / raw(1)), fs::directory_iterator()), n(2)) << raw(1);
    } else if (verb == "waitfile") {
      EXPECT_TRUE(QTest::qWaitFor([&] { return fs::exists(FDir / raw(1)) == (n(2) != 0); }, 5000)) << raw(1);
    } else {
      ADD_FAILURE() << "unknown step " << verb;
    }
  }

  // Runs what opens a dialog (a main menu item, the close, or the start of a window made afresh) and once
  // the dialog shows asks for the end, by SIGTERM or directly; the loop must end with no dialog left.
  void EndDuring(const std::string& what, bool bySignal) {
    app::TQuitSignals::BlockQuitSignals();  // this thread's SIGTERM goes to the signalfd
    if (what == "start") {
      FOpenedWith = ReadDat();
      FWindow.reset();
      FWindow = std::make_unique<app::TfrmMain>(Services());
    }
    app::TQuitSignals quitSignals;
    QObject::connect(&quitSignals, &app::TQuitSignals::QuitRequested, FWindow.get(), &app::TfrmMain::EndRequested);
    bool created = true;
    const auto open = [&] {
      if (what == "start") {
        created = FWindow->FormCreate();
        QCoreApplication::exit(0);
      } else if (what == "close") {
        FWindow->close();
      } else {
        FWindow->MainMenu().Item(what.c_str())->trigger();
      }
    };
    const auto end = [&] {
      if (bySignal) std::raise(SIGTERM);
      if (!bySignal) FWindow->EndRequested();
    };
    EXPECT_TRUE(RunUntilEnded(open, end));
    EXPECT_EQ(created, what != "start");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  }

  test_support::TempDir FDir;
  test_support::ScopedEnv FDataHome{"XDG_DATA_HOME", (FDir / "data").c_str()};  // where rescue files go
  platform::FixedClock FClock;
  TScriptedDialogs FDialogs;
  TRecordedOpener FOpener;
  std::vector<std::string> FArguments;  // the command line's, after the program's name
  bool FRealDialogs = false;
  std::optional<qtui::TQtDialogService> FQtDialogs;
  std::unique_ptr<app::TfrmMain> FWindow;
  std::string FOpenedWith;  // the data file as the window was opened over it
  std::optional<TFileSizeLimit> FSizeLimit;
  QPoint FDialogPlace;  // where the last dialog a menu item opened was
};

TEST_P(Scenario, Runs) {
  const int wheelLines = QApplication::wheelScrollLines();  // the desktop's, which a scenario may change
  for (const editor::test::TTableLine& step : GetParam().Steps) {
    SCOPED_TRACE(GetParam().File + " line " + std::to_string(step.Number));
    Run(step.Words);
  }
  QApplication::setWheelScrollLines(wheelLines);
}

std::vector<TScenario> AllScenarios() {
  std::vector<TScenario> scenarios = editor::test::Scenarios("note_window.txt");
  for (TScenario& scenario : editor::test::Scenarios("note_window_ends.txt")) scenarios.push_back(std::move(scenario));
  return scenarios;
}

INSTANTIATE_TEST_SUITE_P(NoteWindow, Scenario, ::testing::ValuesIn(AllScenarios()),
                         [](const ::testing::TestParamInfo<TScenario>& scenario) { return scenario.param.Name; });

}  // namespace
}  // namespace app_test
