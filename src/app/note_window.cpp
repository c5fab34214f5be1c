// The note window's start, page display and close check.
#include "app/note_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>

#include <algorithm>

#include "qt/text_convert.h"

namespace app {
namespace {

const QString kSaveBadTextMessage =
    QStringLiteral("ファイルの保存に失敗しました。\r\n保存できない文字列が発見されました。");

}  // namespace

TfrmMain::TfrmMain(TNoteServices services)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool),
      FServices(std::move(services)),
      FStore(FServices.Clock),
      FMemoFile(FServices.Paths.DatPath) {
  setWindowTitle(qtui::kApplicationTitle);
  FTitleLabel = new QLabel(this);
  FView = new QPlainTextEdit(this);
  FView->setReadOnly(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(FTitleLabel);
  layout->addWidget(FView, 1);
}

bool TfrmMain::FormCreate() {
  setMinimumSize(MinWindowWidth, MinWindowHeight);
  FPageIndex = 0;
  FStore.InitDefaultMemo();
  FSettings = store::TSettings{};  // the window's design values are the keys' defaults
  // An unreadable settings file leaves every value at its default; it is rewritten only by a successful close.
  store::LoadSettings(FServices.Paths.IniPath, FSettings, FStore.DefaultMemo);
  ApplySettings();

  if (!FMemoFile.LoadMemoFile(FStore)) {
    // Carrying on with a partly read page list would let the next close overwrite the user's notes.
    FLoadFailed = true;
    FServices.Dialogs.MessageDlg(
        this,
        QStringLiteral("データファイルを読み込めませんでした。ファイルには手を付けずに終了します。\r\n") +
            QString::fromStdString(FServices.Paths.DatPath.string()),
        qtui::TMsgDlgType::mtError, qtui::mbOK);
    return false;
  }
  ApplyPage(FPageIndex);
  return true;
}

void TfrmMain::ApplySettings() {
  move(FSettings.Left, FSettings.Top);
  resize(FSettings.Width, FSettings.Height);
  setWindowOpacity(FSettings.AlphaBlend / 255.0);
}

void TfrmMain::CollectSettings() {
  FSettings.Left = x();
  FSettings.Top = y();
  FSettings.Width = width();
  FSettings.Height = height();
}

QString TfrmMain::ShownText() const { return FView->toPlainText(); }

void TfrmMain::ApplyPage(int32_t index) {
  if (FStore.Pages.empty()) return;
  FPageIndex = std::clamp<int32_t>(index, 0, static_cast<int32_t>(FStore.Pages.size()) - 1);
  const store::TMemoData& page = FStore.Pages[static_cast<std::size_t>(FPageIndex)];
  FCurrentTitle = page.Title;
  FTitleLabel->setText(qtui::FromCp932(page.Title));
  FView->setPlainText(qtui::FromCp932(page.Text));
}

void TfrmMain::StorePage(int32_t index) { (void)index; }

bool TfrmMain::CloseQuery() {
  if (FLoadFailed) return true;  // nothing may be written over a data file we could not read
  StorePage(FPageIndex);
  int32_t badIndex = -1;
  switch (FMemoFile.SaveMemoFile(FStore, badIndex)) {
    case store::SaveOk: {
      CollectSettings();
      platform::FileResult saved = store::SaveSettings(FServices.Paths.IniPath, FSettings, FStore.DefaultMemo);
      if (!saved.Ok) {
        FServices.Dialogs.ShowMessage(this, QString::fromStdString(saved.Error));
        return false;
      }
      return true;
    }
    case store::SaveBadText:
      ApplyPage(badIndex);
      FServices.Dialogs.MessageDlg(this, kSaveBadTextMessage, qtui::TMsgDlgType::mtError, qtui::mbOK);
      return false;
    case store::SaveFailed:
      return false;
  }
  return false;
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (CloseQuery()) {
    event->accept();
    QCoreApplication::quit();
  } else {
    event->ignore();
  }
}

}  // namespace app
