// The Qt dialogs behind the dialog service, answered by the test as a user would answer them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "platform/cp932.h"
#include "qt/dialog_service.h"
#include "qt/font_dialog.h"
#include "qt/qt_fonts.h"
#include "support/temp_dir.h"

namespace qtui {
namespace {

// Answers the modal dialogs in turn as they open: each step gets the dialog on top.
class TModalScript : public QObject {
 public:
  explicit TModalScript(std::deque<std::function<void(QWidget*)>> steps) : FSteps(std::move(steps)) {
    connect(&FTimer, &QTimer::timeout, this, &TModalScript::Poll);
    FTimer.start(10);
  }
  bool Done() const { return FSteps.empty(); }
  std::vector<QString> Seen;  // the text of every message box met

 private:
  void Poll() {
    if (FLast && !FLast->isVisible()) FLast = nullptr;  // answered and gone: it may come back
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible() || modal == FLast || FSteps.empty()) return;
    FLast = modal;
    if (auto* box = qobject_cast<QMessageBox*>(modal)) Seen.push_back(box->text());
    auto step = std::move(FSteps.front());
    FSteps.pop_front();
    step(modal);
  }
  std::deque<std::function<void(QWidget*)>> FSteps;
  QTimer FTimer;
  QPointer<QWidget> FLast;
};

// Clicks the message box's button with the given text.
std::function<void(QWidget*)> Click(const QString& text) {
  return [text](QWidget* modal) {
    for (QAbstractButton* button : qobject_cast<QMessageBox*>(modal)->buttons())
      if (button->text() == text) button->click();
  };
}

// Types a name into the save dialog's name field and presses its save button.
std::function<void(QWidget*)> SaveAs(const QString& name) {
  return [name](QWidget* modal) {
    modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
    static_cast<QDialog*>(modal)->accept();  // QFileDialog::accept takes the name as the Save button does
  };
}

TEST(DialogService, SaveAddsAMissingExtensionAndAsksBeforeOverwritingOrCreating) {
  test_support::TempDir dir;
  test_support::WriteBytes(dir / "old.txt", "keep");
  const QString folder = QString::fromStdString(dir.Path().string());
  TQtDialogService dialogs;
  // "No" to overwriting old.txt goes back to the dialog; "Yes" to creating new.txt ends it.
  TModalScript script({SaveAs(folder + "/old"), Click(QStringLiteral("いいえ(&N)")), SaveAs(folder + "/new"),
                       Click(QStringLiteral("はい(&Y)"))});
  const auto chosen =
      dialogs.SaveFile(nullptr, QStringLiteral("テキストファイル|*.txt|すべてのファイル|*.*"), QStringLiteral("txt"));
  ASSERT_TRUE(chosen);
  EXPECT_EQ(*chosen, dir / "new.txt");
  // Both questions seen, so every step was taken.
  EXPECT_EQ(script.Seen,
            (std::vector<QString>{folder + QStringLiteral("/old.txt は既に存在します。\n上書きしますか?"),
                                  folder + QStringLiteral("/new.txt は存在しません。\nファイルを作成しますか?")}));
  EXPECT_EQ(test_support::ReadBytes(dir / "old.txt"), "keep");

  // An extension the user typed stays. (A cancelled dialog gives nothing: the CancelAll test's.)
  TModalScript typed({SaveAs(folder + "/notes.md"), Click(QStringLiteral("はい(&Y)"))});
  EXPECT_EQ(dialogs.SaveFile(nullptr, QStringLiteral("テキストファイル|*.txt"), QStringLiteral("txt")),
            dir / "notes.md");
}

// The font dialog lists the measured fixed-pitch faces, the initial one first, and gives back the very font it
// was given (the system colour included) until something is chosen.
TEST(DialogService, ChooseFontGivesFaceStyleSizeEffectsAndColour) {
  InstallFontSubstitutions();
  const QStringList fixed = TFontDialog::FixedPitchFamilies();
  EXPECT_TRUE(fixed.contains(QStringLiteral("DejaVu Sans Mono")));
  EXPECT_TRUE(fixed.contains(QStringLiteral("IPAGothic")));  // fixed grid, though fontconfig says otherwise
  EXPECT_FALSE(fixed.contains(QStringLiteral("IPAPGothic")));
  EXPECT_FALSE(fixed.contains(QStringLiteral("DejaVu Sans")));

  const editor::TEditorFont initial{platform::Utf8ToCp932("ＭＳ ゴシック"), 10, editor::fsBold, 0x80000008};
  TQtDialogService dialogs;
  TModalScript script({[&initial](QWidget* modal) {
    auto* families = modal->findChild<QListWidget*>(QStringLiteral("families"));
    EXPECT_EQ(families->item(0)->text(), QStringLiteral("ＭＳ ゴシック"));
    EXPECT_EQ(static_cast<TFontDialog*>(modal)->Font(), initial);
    families->setCurrentItem(families->findItems(QStringLiteral("IPAGothic"), Qt::MatchExactly).first());
    modal->findChild<QListWidget*>(QStringLiteral("styles"))->setCurrentRow(1);  // 斜体
    modal->findChild<QComboBox*>(QStringLiteral("size"))->setCurrentText(QStringLiteral("14"));
    modal->findChild<QCheckBox*>(QStringLiteral("underline"))->setChecked(true);
    modal->findChild<QCheckBox*>(QStringLiteral("strikeOut"))->setChecked(true);
    auto* colour = modal->findChild<QComboBox*>(QStringLiteral("colour"));
    colour->setCurrentIndex(colour->findText(QStringLiteral("赤")));
    qobject_cast<QDialog*>(modal)->accept();
  }});
  const auto font = dialogs.ChooseFont(nullptr, initial);
  ASSERT_TRUE(font);
  EXPECT_EQ(*font, (editor::TEditorFont{"IPAGothic", 14, editor::fsItalic | editor::fsUnderline | editor::fsStrikeOut,
                                        0x0000FF}));
}

// A Yes/No question is answered by its buttons: Escape and the close box leave it open (Qt would take
// them for "No", which may throw away what the question offers).
TEST(DialogService, AYesNoQuestionIsNotAnsweredByEscapeOrTheCloseBox) {
  InstallFontSubstitutions();
  TQtDialogService service;
  TModalScript yesNo({[](QWidget* modal) {
    QTest::keyClick(modal, Qt::Key_Escape);
    modal->close();
    QTimer::singleShot(50, modal, [modal] { Click(QStringLiteral("はい(&Y)"))(modal); });
  }});
  EXPECT_EQ(service.MessageDlg(nullptr, "?", TMsgDlgType::mtConfirmation, mbYes | mbNo), mrYes);
  // With a Cancel button, Escape is that button.
  TModalScript okCancel({[](QWidget* modal) { QTest::keyClick(modal, Qt::Key_Escape); }});
  EXPECT_EQ(service.MessageDlg(nullptr, "?", TMsgDlgType::mtConfirmation, mbOK | mbCancel), mrCancel);
}

// Typing goes back to the window a message came from once it is answered.
TEST(DialogService, TheOwnerIsActiveAgainAfterADialog) {
  InstallFontSubstitutions();
  QWidget owner;
  owner.show();
  owner.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
  TQtDialogService service;
  TModalScript script({Click(QStringLiteral("OK"))});
  service.MessageDlg(&owner, "?", TMsgDlgType::mtInformation, mbOK);
  EXPECT_TRUE(QTest::qWaitForWindowActive(&owner, 1000));
}

// The end of the program cancels the dialog on the screen (as the user's cancel does, answering nothing),
// and every later one answers at once, unseen.
TEST(DialogService, CancelAllClosesTheOpenDialogAsCancelledAndAnswersLaterOnesAtOnce) {
  InstallFontSubstitutions();
  // Each call returns true when it gave its cancel answer.
  const auto ask = [](TQtDialogService& d, const std::string& dialog) {
    const QString filter = QStringLiteral("テキストファイル|*.txt");
    if (dialog == "message") return d.MessageDlg(nullptr, "?", TMsgDlgType::mtWarning, mbOK | mbCancel) == mrCancel;
    if (dialog == "yes or no") return d.MessageDlg(nullptr, "?", TMsgDlgType::mtConfirmation, mbYes | mbNo) == mrCancel;
    if (dialog == "input") return d.InputBox(nullptr, "c", "p", QStringLiteral("initial")) == QStringLiteral("initial");
    if (dialog == "font") return !d.ChooseFont(nullptr, {"IPAGothic", 10, 0, 0});
    if (dialog == "open") return !d.OpenFile(nullptr, filter);
    return !d.SaveFile(nullptr, filter, QStringLiteral("txt"));
  };
  const std::vector<std::string> dialogs = {"message", "yes or no", "input", "font", "open", "save"};
  for (const std::string& name : dialogs) {
    SCOPED_TRACE(name);
    TQtDialogService service;
    // Typed into, but cancelled before anyone pressed OK.
    TModalScript script({[&service](QWidget* modal) {
      if (auto* edit = modal->findChild<QLineEdit*>()) edit->setText(QStringLiteral("typed"));
      service.CancelAll();
    }});
    EXPECT_TRUE(ask(service, name));
    EXPECT_TRUE(script.Done());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    TModalScript none({[](QWidget* modal) {
      ADD_FAILURE() << "a dialog showed after the end";
      qobject_cast<QDialog*>(modal)->reject();
    }});
    for (const std::string& later : dialogs) EXPECT_TRUE(ask(service, later)) << later;
  }
}

}  // namespace
}  // namespace qtui
