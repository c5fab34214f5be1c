// The modal messages the program shows, behind an interface so tests can script the answers.
#pragma once

#include <QPointer>
#include <QString>

#include <filesystem>
#include <optional>
#include <vector>

#include "editor/base/editor_font.h"

class QDialog;
class QWidget;

namespace qtui {

// The kinds of message dialog; each has its caption ("警告", "エラー", "情報", "確認").
enum class TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };

// Buttons of a message dialog, combinable.
enum TMsgDlgBtn : unsigned { mbOK = 1u << 0, mbCancel = 1u << 1, mbYes = 1u << 2, mbNo = 1u << 3 };

// What the user chose.
enum TModalResult : int { mrNone = 0, mrOk = 1, mrCancel = 2, mrYes = 6, mrNo = 7 };

class TDialogService {
 public:
  virtual ~TDialogService() = default;
  // A message dialog of a kind with the given buttons ("OK", "キャンセル", ...); returns the choice.
  virtual TModalResult MessageDlg(QWidget* parent, const QString& text, TMsgDlgType type, unsigned buttons) = 0;
  // A plain message box captioned with the application title and one "OK" button.
  virtual void ShowMessage(QWidget* parent, const QString& text) = 0;
  // The one-line input box: OK gives the edited text, Cancel gives `initial` unchanged.
  virtual QString InputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& initial) = 0;
  // The font dialog preset to `initial`, listing fixed-pitch fonts and offering colour, underline and
  // strike-out; nothing on cancel. Face names are code page 932 bytes, as everywhere in the core.
  virtual std::optional<editor::TEditorFont> ChooseFont(QWidget* parent, const editor::TEditorFont& initial) = 0;
  // File dialogs; nothing on cancel. `filter` has the form "テキストファイル|*.txt|すべてのファイル|*.*".
  virtual std::optional<std::filesystem::path> OpenFile(QWidget* parent, const QString& filter) = 0;
  // Adds `defaultExt` to a name typed without an extension; asks before overwriting an existing file and
  // before creating a new one.
  virtual std::optional<std::filesystem::path> SaveFile(QWidget* parent, const QString& filter,
                                                        const QString& defaultExt) = 0;
  // The program is ending (a signal, the session's end): every dialog open now closes as if cancelled, and
  // every later one gives its cancel answer at once without showing, so no dialog holds the end. A service
  // whose dialogs never wait for anyone (a test's script) has nothing to cancel.
  virtual void CancelAll() {}
};

// The application title: the caption of plain message boxes and the notification-area tip.
inline const QString kApplicationTitle = QStringLiteral("TACK*NOTE");

// Gives the keyboard back to the window a dialog came from once it has closed. A window manager
// usually does this, but not every one does, and without one the focus would stay nowhere.
void ReturnFocus(QWidget* owner);

// The dialogs on screen: QMessageBox, QInputDialog, the program's font dialog and QFileDialog.
class TQtDialogService final : public TDialogService {
 public:
  TModalResult MessageDlg(QWidget* parent, const QString& text, TMsgDlgType type, unsigned buttons) override;
  void ShowMessage(QWidget* parent, const QString& text) override;
  QString InputBox(QWidget* parent, const QString& caption, const QString& prompt, const QString& initial) override;
  std::optional<editor::TEditorFont> ChooseFont(QWidget* parent, const editor::TEditorFont& initial) override;
  std::optional<std::filesystem::path> OpenFile(QWidget* parent, const QString& filter) override;
  std::optional<std::filesystem::path> SaveFile(QWidget* parent, const QString& filter,
                                                const QString& defaultExt) override;
  // Rejects the dialogs it runs and any other modal dialog of the program (the options and page-order
  // dialogs), innermost first.
  void CancelAll() override;

 private:
  // exec() of a dialog it can reject from outside; Rejected at once once CancelAll was called.
  int Run(QDialog& dialog);

  bool FCancelled = false;
  std::vector<QPointer<QDialog>> FOpen;  // the dialogs in exec(), outermost first
};

// The caption of a message dialog of the given kind.
QString MessageDlgCaption(TMsgDlgType type);

}  // namespace qtui
