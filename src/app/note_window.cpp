// The note window's start, page display and close check.
#include "app/note_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

#include "app/note_editor_preset.h"
#include "editor/props/editor_properties.h"
#include "editor/syntax/fountain.h"
#include "editor/text/editor_strings.h"
#include "platform/clock.h"
#include "qt/editor_widget.h"
#include "qt/qt_fonts.h"
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
  qtui::InstallFontSubstitutions();
  FTitleLabel = new QLabel(this);
  FEditor = new qtui::TEditorWidget(this);
  ApplyNoteWindowEditorSettings(FEditor->Editor());
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(FTitleLabel);
  layout->addWidget(FEditor, 1);
  setFocusProxy(FEditor);
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

void TfrmMain::ApplyPage(int32_t index) {
  if (FStore.Pages.empty()) return;
  index = std::clamp<int32_t>(index, 0, static_cast<int32_t>(FStore.Pages.size()) - 1);
  const store::TMemoData& page = FStore.Pages[static_cast<std::size_t>(index)];
  editor::TEditor& editor = FEditor->Editor();
  const auto style = static_cast<editor::TFontStyles>(page.FontStyle & 0xFF);
  editor.SetFont({page.FontName, page.FontSize, style, static_cast<editor::TColor>(page.FontColor)});
  editor.View().Fountain().SetAllStyles(style);
  editor.SetWordWrap(page.WordWrap);
  editor.Lines().BeginUpdate();
  editor.Lines().SetText(page.Text);
  editor.Lines().EndUpdate();
  editor.SetModified(false);
  FCurrentTitle = page.Title;
  FPageIndex = index;
  FTitleLabel->setText(qtui::FromCp932(page.Title));
}

void TfrmMain::StorePage(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(FStore.Pages.size())) return;
  store::TMemoData& page = FStore.Pages[static_cast<std::size_t>(index)];
  editor::TEditor& editor = FEditor->Editor();
  const editor::TEditorFont& font = editor.Font();
  page.FontColor = static_cast<int32_t>(font.Color);
  page.FontName = font.Name;
  page.FontSize = font.Size;
  page.FontStyle = font.Style & 0xFF;
  if (editor.Modified()) {
    page.Text = editor.Lines().Text();
    page.Updated = platform::FormatStamp(FServices.Clock.Now());
  }
  editor.SetModified(false);
}

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
      FEditor->Editor().SetRow(0);
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
