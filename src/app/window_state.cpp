// The window's small states: the skin image, the window shade, always on top, the message dialog with
// always-on-top suspended, hiding, showing and closing.
#include <QApplication>
#include <QMouseEvent>
#include <QWindow>

#include "app/frame_controls.h"
#include "app/main_menu.h"
#include "app/note_window.h"
#include "image/skin_file.h"
#include "platform/cp932.h"
#include "qt/native_window.h"

namespace app {

void TfrmMain::LoadSkin(const std::string& fileName) {
  // The settings hold the name in code page 932; the file system names files in UTF-8.
  const std::filesystem::path path = FServices.Paths.SkinDir / platform::Cp932ToUtf8(fileName);
  if (image::LoadSkinFile(path, FSkinDecoder, FImgSkin) == image::TSkinLoad::Failed) {
    FServices.Dialogs.ShowMessage(
        this, QStringLiteral("スキンファイルの読み込みに失敗:") + QString::fromStdString(path.string()));
    return;
  }
  SkinChanged();
}

void TfrmMain::SetWindowShade(bool value) {
  if (value == FIsShaded) return;
  FIsShaded = value;
  if (value) {
    setMinimumSize(0, 0);
    FUnshadedHeight = height();
    resize(width(), TitleBarHeight);
  } else {
    setMinimumSize(MinWindowWidth, MinWindowHeight);
    resize(width(), FUnshadedHeight);
  }
  LayOutControls();
}

void TfrmMain::SetAlwaysOnTop(bool value) {
  if (value == FIsAlwaysOnTop) return;
  FIsAlwaysOnTop = value;
  Qt::WindowFlags flags = windowFlags();
  flags.setFlag(Qt::WindowStaysOnTopHint, value);
  // setWindowFlags would hide the window and create it anew; the native window takes the hint as it is.
  overrideWindowFlags(flags);
  if (QWindow* window = windowHandle()) window->setFlags(flags);
}

qtui::TModalResult TfrmMain::MessageDlgNotTopmost(const QString& text, qtui::TMsgDlgType type, unsigned buttons) {
  const bool wasOnTop = FIsAlwaysOnTop;
  SetAlwaysOnTop(false);
  const qtui::TModalResult result = FServices.Dialogs.MessageDlg(this, text, type, buttons);
  SetAlwaysOnTop(wasOnTop);
  return result;
}

void TfrmMain::mnuAlwaysOnTopClick() { SetAlwaysOnTop(!FIsAlwaysOnTop); }

void TfrmMain::mnuMinimizeClick() { hide(); }

void TfrmMain::mnuExitClick() { close(); }

void TfrmMain::btnHideClick() {
  if (FSettings.Resident) {
    mnuMinimizeClick();
  } else {
    close();
  }
}

void TfrmMain::ShowAndBringForward() {
  show();
  raise();
  activateWindow();
}

void TfrmMain::lblMenuClick() {
  FLblMenuClicked.start();
  PopupMainMenuBelowLabel();
}

void TfrmMain::lblMenuDblClick() {
  if (FDblClickGuard) {
    FDblClickGuard = false;
    return;
  }
  close();
}

bool TfrmMain::MenuPressIsLabelDoubleClick(const QMouseEvent& press) const {
  // The first click opened the menu, which takes the second press of the double click for itself.
  const QRect label(qtui::ScreenPosition(*this) + FLblMenu->pos(), FLblMenu->size());
  return press.button() == Qt::LeftButton && FLblMenuClicked.isValid() &&
         FLblMenuClicked.elapsed() < QApplication::doubleClickInterval() &&
         label.contains(press.globalPosition().toPoint());
}

void TfrmMain::PopupMainMenuBelowLabel() {
  FMainMenu->popup(qtui::ScreenPosition(*this) + QPoint(lblMenuRect.left(), lblMenuRect.top() + lblMenuRect.height()));
}

}  // namespace app
