// What the start does for the pages' safety once the data file is read: the damaged-file message and the
// offer of the pages a crash left behind; and the pages as shown, which the recovery file is made from.
#include "app/note_window.h"
#include "app/safety_messages.h"
#include "store/recovery_file.h"

namespace app {

bool TfrmMain::RecoverAtStart() {
  if (FMemoFile.Damaged()) {
    MessageDlgNotTopmost(DamagedFileMessage(FMemoFile.DamagedCopy()), qtui::TMsgDlgType::mtWarning, qtui::mbOK);
    if (FEnding) return false;
  }
  std::vector<store::TMemoData> saved = FStore.Pages;
  std::optional<std::vector<store::TMemoData>> inFile;
  const store::TRecoveryFile recovery(FServices.Paths.RecoveryPath);
  std::vector<store::TMemoData> left;
  // A recovery file older than the data file was left by a run whose close then saved everything.
  if (recovery.NewerThan(FServices.Paths.DatPath) && recovery.Read(left).Ok) {
    // Yes and No only: the dialog answers anything else solely when the program is ending, and then the
    // file stays for the next start.
    switch (MessageDlgNotTopmost(kRecoveryQuestion, qtui::TMsgDlgType::mtConfirmation, qtui::mbYes | qtui::mbNo)) {
      case qtui::mrYes:
        // The file stays until a close has saved the pages, so another crash still finds them.
        FStore.Pages = left;
        inFile = std::move(left);
        break;
      case qtui::mrNo:
        recovery.Delete();
        break;
      default:
        return false;
    }
    if (FEnding) return false;
  }
  FRecovery.Start(std::move(saved), std::move(inFile));
  return true;
}

std::vector<store::TMemoData> TfrmMain::PagesAsShown() {
  std::vector<store::TMemoData> pages = FStore.Pages;
  if (FPageIndex >= 0 && FPageIndex < static_cast<int32_t>(pages.size()))
    CopyEditorInto(pages[static_cast<std::size_t>(FPageIndex)]);
  return pages;
}

}  // namespace app
