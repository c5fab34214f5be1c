// The note window as the two dialogs see it, and the menu commands that open them.
#include "app/note_window.h"
#include "dialogs/memo_list_dialog.h"
#include "dialogs/options_dialog.h"
#include "image/builtin_skin.h"
#include "qt/dialog_service.h"

namespace app {

void TfrmMain::mnuOptionsClick() {
  dialogs::RunOptionsDialog(*this, FServices.Dialogs);
  qtui::ReturnFocus(this);
}

void TfrmMain::mnuChangePageOrderClick() {
  dialogs::RunMemoListDialog(*this);
  qtui::ReturnFocus(this);
}

void TfrmMain::ResetSkin() {
  FImgSkin = image::BuiltInSkin();
  SkinChanged();
}

void TfrmMain::RelayoutFrame() {
  LayOutControls();
  update();
}

}  // namespace app
