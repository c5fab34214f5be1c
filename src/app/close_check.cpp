// The close check, and the end a signal or the session's end asks for: the pages are saved, or put in a
// rescue file and named to the user, and nothing the user cannot answer holds the end.
#include <QCoreApplication>

#include <system_error>

#include "app/note_window.h"
#include "app/safety_messages.h"
#include "editor/control/editor.h"
#include "qt/editor_widget.h"
#include "store/recovery_file.h"

namespace app {
namespace {

const QString kSaveBadTextMessage =
    QStringLiteral("ファイルの保存に失敗しました。\r\n保存できない文字列が発見されました。");

}  // namespace

bool TfrmMain::FormCloseQuery() {
  if (!FStarted) return true;  // nothing may be written over a data file we could not read
  StorePage(FPageIndex);
  int32_t badIndex = -1;
  const store::TSaveResult saved = FMemoFile.SaveMemoFile(FStore, badIndex);
  if (saved == store::SaveOk) {
    FRecovery.Saved(FStore.Pages);
    CollectSettings();
    const platform::FileResult settings = store::SaveSettings(FServices.Paths.IniPath, FSettings, FStore.DefaultMemo);
    // Ending, the pages are safe and only the window's place would be lost: no message may hold the end.
    if (!settings.Ok && !FEnding) {
      FServices.Dialogs.ShowMessage(this, SettingsFailedMessage(settings));
      return false;
    }
    EndServices();
    return true;
  }

  if (FEnding) {
    // Nobody is there to mend a page or free the disk: the pages go where they can, and the program ends.
    FRecovery.Stop();
    if (!RescuePages().Ok) store::TRecoveryFile(FServices.Paths.RecoveryPath).Write(FStore.Pages);
    EndServices();
    return true;
  }
  if (saved == store::SaveBadText) {
    ApplyPage(badIndex);
    FMemo1->Editor().SetRow(0);
    MessageDlgNotTopmost(kSaveBadTextMessage, qtui::TMsgDlgType::mtError, qtui::mbOK);
    return false;
  }
  // The rescue file comes first: whatever happens while the message is open, the pages are on disk.
  const platform::FileResult rescue = RescuePages();
  MessageDlgNotTopmost(SaveFailedMessage(FServices.Paths.DatPath, FMemoFile.LastError(), rescue),
                       qtui::TMsgDlgType::mtError, qtui::mbOK);
  return false;
}

void TfrmMain::EndRequested() {
  if (FEnding) return;
  FEnding = true;
  FServices.Dialogs.CancelAll();
  // During the start the creation handler sees FEnding once its message is gone, and ends without writing:
  // nothing has changed yet, and a rewritten data file would look newer than the pages a crash left.
  if (!FStarted) return;
  // The close check runs now, even from inside a dialog's loop: the session manager may end us as soon as
  // this returns. Every dialog answers "cancelled", so the command that opened it changes nothing after.
  FormCloseQuery();
  hide();
  QCoreApplication::quit();
}

platform::FileResult TfrmMain::RescuePages() {
  // Closing again and again with the pages unchanged must not fill the folder with copies of them.
  std::error_code error;
  if (FRescued.Ok && !FRescued.File.empty() && FRescuedPages == FStore.Pages &&
      std::filesystem::is_regular_file(FRescued.File, error))
    return FRescued;
  FRescued = FMemoFile.RescuePages(FStore);
  FRescuedPages = FRescued.Ok ? FStore.Pages : std::vector<store::TMemoData>{};
  return FRescued;
}

void TfrmMain::EndServices() {
  FTrayIcon.Delete();
  FHotKey.Unregister();
}

}  // namespace app
