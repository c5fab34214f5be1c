// Message dialogs through QMessageBox, with the program's Japanese captions and button texts.
#include "qt/dialog_service.h"

#include <QMessageBox>
#include <QPushButton>

#include <array>

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
  box.exec();
  for (std::size_t i = 0; i < kButtons.size(); ++i) {
    if (made[i] && box.clickedButton() == made[i]) return kButtons[i].Result;
  }
  return mrCancel;  // closed with Escape or the window's close button
}

void TQtDialogService::ShowMessage(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, kApplicationTitle, text, QMessageBox::NoButton, parent);
  box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
  box.exec();
}

}  // namespace qtui
