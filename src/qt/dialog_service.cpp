// The modal dialogs on screen: message boxes, the input box, the font dialog and the file dialogs, with
// the program's Japanese captions and button texts.
#include "qt/dialog_service.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QInputDialog>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>

#include <array>

#include "qt/font_dialog.h"

namespace qtui {
namespace {

struct TButtonInfo {
  TMsgDlgBtn Button;
  const char* Text;
  QMessageBox::ButtonRole Role;
  TModalResult Result;
};

constexpr std::array<TButtonInfo, 4> kButtons = {{
    {mbYes, "はい(&Y)", QMessageBox::YesRole, mrYes},
    {mbNo, "いいえ(&N)", QMessageBox::NoRole, mrNo},
    {mbOK, "OK", QMessageBox::AcceptRole, mrOk},
    {mbCancel, "キャンセル", QMessageBox::RejectRole, mrCancel},
}};

QMessageBox::Icon IconOf(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning:
      return QMessageBox::Warning;
    case TMsgDlgType::mtError:
      return QMessageBox::Critical;
    case TMsgDlgType::mtInformation:
      return QMessageBox::Information;
    case TMsgDlgType::mtConfirmation:
      return QMessageBox::Question;
    case TMsgDlgType::mtCustom:
      return QMessageBox::NoIcon;
  }
  return QMessageBox::NoIcon;
}

// "テキストファイル|*.txt|すべてのファイル|*.*" as Qt's "テキストファイル (*.txt);;すべてのファイル (*.*)".
QString QtFilter(const QString& filter) {
  const QStringList parts = filter.split(QLatin1Char('|'));
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    entries << parts[i] + QStringLiteral(" (") + QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' ')) +
                   QLatin1Char(')');
  }
  return entries.join(QStringLiteral(";;"));
}

// Keeps a question that has no Cancel button open against Escape and the close box, as a Yes/No message
// box is on Windows: it is answered by one of its buttons, never by a key that guesses "No".
class TAnswerRequired : public QObject {
 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Close) {
      event->ignore();
      return true;
    }
    const auto* key = event->type() == QEvent::KeyPress ? static_cast<QKeyEvent*>(event) : nullptr;
    return (key && key->matches(QKeySequence::Cancel)) || QObject::eventFilter(watched, event);
  }
};

std::optional<std::filesystem::path> PathOf(const QString& file) {
  if (file.isEmpty()) return std::nullopt;
  return std::filesystem::path(file.toStdString());
}

}  // namespace

QString MessageDlgCaption(TMsgDlgType type) {
  switch (type) {
    case TMsgDlgType::mtWarning:
      return QStringLiteral("警告");
    case TMsgDlgType::mtError:
      return QStringLiteral("エラー");
    case TMsgDlgType::mtInformation:
      return QStringLiteral("情報");
    case TMsgDlgType::mtConfirmation:
      return QStringLiteral("確認");
    case TMsgDlgType::mtCustom:
      return kApplicationTitle;
  }
  return kApplicationTitle;
}

TModalResult TQtDialogService::MessageDlg(QWidget* parent, const QString& text, TMsgDlgType type, unsigned buttons) {
  QMessageBox box(IconOf(type), MessageDlgCaption(type), text, QMessageBox::NoButton, parent);
  std::array<QAbstractButton*, kButtons.size()> made{};
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    if (buttons & kButtons[i].Button) made[i] = box.addButton(QString::fromUtf8(kButtons[i].Text), kButtons[i].Role);
  }
  if (buttons == 0) made[2] = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  TAnswerRequired answerRequired;
  if ((buttons & mbNo) && !(buttons & mbCancel)) box.installEventFilter(&answerRequired);
  Run(box);
  if (FCancelled) return mrCancel;
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    if (made[i] && box.clickedButton() == made[i]) return kButtons[i].Result;
  }
  return mrCancel;  // closed with Escape or the window's close button
}

void TQtDialogService::ShowMessage(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::NoButton, parent);
  box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  Run(box);
}

QString TQtDialogService::InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                                   const QString& initial) {
  QInputDialog dialog(parent);
  dialog.setWindowTitle(caption);
  dialog.setLabelText(prompt);
  dialog.setTextValue(initial);
  dialog.setOkButtonText(QStringLiteral("OK"));
  dialog.setCancelButtonText(QStringLiteral("キャンセル"));
  return Run(dialog) == QDialog::Accepted ? dialog.textValue() : initial;
}

std::optional<editor::TEditorFont> TQtDialogService::ChooseFont(QWidget* parent, const editor::TEditorFont& initial) {
  TFontDialog dialog(parent, initial);
  if (Run(dialog) != QDialog::Accepted) return std::nullopt;
  return dialog.Font();
}

std::optional<std::filesystem::path> TQtDialogService::OpenFile(QWidget* parent, const QString& filter) {
  QFileDialog dialog(parent, QString(), QString(), QtFilter(filter));
  dialog.setFileMode(QFileDialog::ExistingFile);
  if (Run(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return PathOf(dialog.selectedFiles().constFirst());
}

std::optional<std::filesystem::path> TQtDialogService::SaveFile(QWidget* parent, const QString& filter,
                                                                const QString& defaultExt) {
  QFileDialog dialog(parent, QString(), QString(), QtFilter(filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setOption(QFileDialog::DontConfirmOverwrite);  // both questions are asked below, in the same way
  while (Run(dialog) == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) {
    QString file = dialog.selectedFiles().constFirst();
    if (!defaultExt.isEmpty() && QFileInfo(file).suffix().isEmpty()) file += QLatin1Char('.') + defaultExt;
    const QString question = QFileInfo::exists(file)
                                 ? QStringLiteral("%1 は既に存在します。\n上書きしますか?").arg(file)
                                 : QStringLiteral("%1 は存在しません。\nファイルを作成しますか?").arg(file);
    // "No" goes back to the same dialog, which still shows the name as typed.
    if (MessageDlg(&dialog, question, TMsgDlgType::mtConfirmation, mbYes | mbNo) == mrYes) return PathOf(file);
  }
  return std::nullopt;
}

void TQtDialogService::CancelAll() {
  FCancelled = true;
  for (auto open = FOpen.rbegin(); open != FOpen.rend(); ++open)
    if (*open) (*open)->reject();
  for (QWidget* window : QApplication::topLevelWidgets()) {
    auto* dialog = qobject_cast<QDialog*>(window);
    if (dialog && dialog->isVisible() && dialog->isModal()) dialog->reject();
  }
}

int TQtDialogService::Run(QDialog& dialog) {
  if (FCancelled) return QDialog::Rejected;
  FOpen.emplace_back(&dialog);
  const int result = dialog.exec();
  FOpen.pop_back();
  ReturnFocus(dialog.parentWidget());
  // An answer given in the instant the end arrived counts as cancelled too: nothing may start now.
  return FCancelled ? QDialog::Rejected : result;
}

void ReturnFocus(QWidget* owner) {
  if (owner && owner->window()->isVisible()) owner->window()->activateWindow();
}

}  // namespace qtui
