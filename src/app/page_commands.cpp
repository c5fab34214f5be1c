// The page commands: pages into and out of the editor, new, delete, browse, rename, page font, word
// wrap, import and export.
#include <QGuiApplication>

#include <algorithm>

#include "app/main_menu.h"
#include "app/note_window.h"
#include "editor/base/strings.h"
#include "editor/control/editor.h"
#include "editor/syntax/fountain.h"
#include "platform/file_io.h"
#include "platform/line_split.h"
#include "qt/editor_widget.h"
#include "qt/text_convert.h"

namespace app {
namespace {

const QString kDeleteMessage = QStringLiteral(
    "このメモを削除します。一度削除すると元に戻すことはできません。\r\n\r\n"
    "・メモを削除する場合は [OK] をクリックしてください。 \r\n"
    "・削除しない場合は [キャンセル] をクリックしてください。 ");
const QString kNoMorePagesMessage = QStringLiteral("これより後のページはありません。\r\n新規ページを作成しますか？");
const QString kTextFilter = QStringLiteral("テキストファイル|*.txt|すべてのファイル|*.*");

// The hourglass over the window while a page is stored and another applied.
class TWaitCursor {
 public:
  TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
};

// The window's drawing font: the editor's font at 9 points.
editor::TEditorFont CanvasFontOf(editor::TEditorFont font) {
  font.Size = 9;
  return font;
}

}  // namespace

void TfrmMain::ApplyPage(int32_t index) {
  if (FStore.Pages.empty()) return;
  index = std::clamp<int32_t>(index, 0, static_cast<int32_t>(FStore.Pages.size()) - 1);
  const store::TMemoData& page = FStore.Pages[static_cast<std::size_t>(index)];
  editor::TEditor& editor = FMemo1->Editor();
  const auto style = static_cast<editor::TFontStyles>(page.FontStyle & 0xFF);
  editor.SetFont({page.FontName, page.FontSize, style, static_cast<editor::TColor>(page.FontColor)});
  editor.View().Fountain().SetAllStyles(style);
  editor.SetWordWrap(page.WordWrap);
  editor.Lines().BeginUpdate();
  editor.Lines().SetText(page.Text);
  editor.Lines().EndUpdate();
  editor.SetModified(false);
  FCanvasFont = CanvasFontOf(editor.Font());
  FCurrentTitle = page.Title;
  FPageIndex = index;
  // A page in another font has another cell width: the wrap width follows it.
  Memo1Resize();
  update();
}

void TfrmMain::StorePage(int32_t index) {
  if (index < 0 || index >= static_cast<int32_t>(FStore.Pages.size())) return;
  CopyEditorInto(FStore.Pages[static_cast<std::size_t>(index)]);
  FMemo1->Editor().SetModified(false);
}

void TfrmMain::CopyEditorInto(store::TMemoData& page) {
  editor::TEditor& editor = FMemo1->Editor();
  const editor::TEditorFont& font = editor.Font();
  page.FontColor = static_cast<int32_t>(font.Color);
  page.FontName = font.Name;
  page.FontSize = font.Size;
  page.FontStyle = font.Style & 0xFF;
  if (editor.Modified()) {
    page.Text = editor.Lines().Text();
    page.Updated = platform::FormatStamp(FServices.Clock.Now());
  }
}

void TfrmMain::RebuildPageMenu() {
  std::vector<std::string> titles;
  titles.reserve(FStore.Pages.size());
  for (const store::TMemoData& page : FStore.Pages) titles.push_back(page.Title);
  FMainMenu->RebuildPageItems(titles);
  PagesChanged();  // every command that adds, deletes, renames or reorders pages ends here
}

void TfrmMain::mnuNewClick() {
  const auto count = static_cast<int32_t>(FStore.Pages.size());
  StorePage(FPageIndex);
  if (FStore.AddNewPage()) {
    ApplyPage(count);
    store::TMemoData& page = FStore.Pages[static_cast<std::size_t>(count)];
    page.Title = std::string(store::kDefaultTitle) + " " + platform::FormatTitleStamp(FServices.Clock.Now());
    FCurrentTitle = page.Title;
    update();
  }
  RebuildPageMenu();
}

void TfrmMain::mnuDeleteClick() {
  if (MessageDlgNotTopmost(kDeleteMessage, qtui::TMsgDlgType::mtWarning, qtui::mbOK | qtui::mbCancel) != qtui::mrOk)
    return;
  // The editor's unstored changes go with the page.
  if (FStore.DeletePage(FPageIndex)) {
    const auto last = static_cast<int32_t>(FStore.Pages.size()) - 1;
    ApplyPage(FPageIndex > last ? FPageIndex - 1 : FPageIndex);
  }
  RebuildPageMenu();
}

void TfrmMain::mnuPreviousClick() {
  if (FPageIndex <= 0) return;
  TWaitCursor wait;
  StorePage(FPageIndex);
  ApplyPage(FPageIndex - 1);
}

void TfrmMain::mnuNextClick() {
  if (FPageIndex + 1 < static_cast<int32_t>(FStore.Pages.size())) {
    TWaitCursor wait;
    StorePage(FPageIndex);
    ApplyPage(FPageIndex + 1);
    return;
  }
  if (MessageDlgNotTopmost(kNoMorePagesMessage, qtui::TMsgDlgType::mtConfirmation, qtui::mbOK | qtui::mbCancel) ==
      qtui::mrOk)
    mnuNewClick();
}

void TfrmMain::JumpToPage(int32_t index) {
  TWaitCursor wait;
  StorePage(FPageIndex);
  ApplyPage(index);
}

void TfrmMain::mnuPageTitleClick() {
  const bool wasOnTop = FIsAlwaysOnTop;
  SetAlwaysOnTop(false);
  const QString shown = qtui::FromCp932(FCurrentTitle);
  const QString typed = FServices.Dialogs.InputBox(this, QStringLiteral("ページタイトル"),
                                                   QStringLiteral("このページのタイトルを入力してください。"), shown);
  std::string& title = FStore.Pages[static_cast<std::size_t>(FPageIndex)].Title;
  // An unchanged text keeps the title's own bytes, even those the screen cannot show.
  title = typed == shown ? FCurrentTitle : qtui::ToCp932(typed);
  FCurrentTitle = title;
  RebuildPageMenu();
  update();
  SetAlwaysOnTop(wasOnTop);
}

void TfrmMain::mnuFontClick() {
  editor::TEditor& editor = FMemo1->Editor();
  const std::optional<editor::TEditorFont> chosen = FServices.Dialogs.ChooseFont(this, editor.Font());
  if (!chosen) return;
  editor.SetFont(*chosen);
  editor.View().Fountain().SetAllStyles(chosen->Style);
  FCanvasFont = CanvasFontOf(*chosen);
  Memo1Resize();
  update();
  PagesChanged();
}

void TfrmMain::mnuWordWrapClick() {
  store::TMemoData& page = FStore.Pages[static_cast<std::size_t>(FPageIndex)];
  page.WordWrap = !page.WordWrap;
  FMemo1->Editor().SetWordWrap(page.WordWrap);
  PagesChanged();
}

void TfrmMain::mnuLoadTextClick() {
  const std::optional<std::filesystem::path> file = FServices.Dialogs.OpenFile(this, kTextFilter);
  if (!file) return;
  std::string bytes;
  if (!platform::ReadWholeFile(*file, bytes).Ok) {
    FServices.Dialogs.ShowMessage(this, QStringLiteral("ファイルの読み込みに失敗しました。"));
    return;
  }
  const std::vector<std::string> lines = platform::SplitLines(bytes);
  const std::size_t count = FStore.Pages.size();
  mnuNewClick();
  if (FStore.Pages.size() == count) return;  // no page was added to take the text
  editor::TStringList list;
  for (const std::string& line : lines) list.Add(line);
  FMemo1->Editor().Lines().Assign(list);
  FStore.Pages[static_cast<std::size_t>(FPageIndex)].Text = platform::JoinLinesCrLf(lines);
  RebuildPageMenu();
}

void TfrmMain::E1Click() {
  const std::optional<std::filesystem::path> file =
      FServices.Dialogs.SaveFile(this, kTextFilter, QStringLiteral("txt"));
  if (!file) return;
  const std::string bytes =
      qtui::ToCp932(QStringLiteral("タイトル：")) + FCurrentTitle + "\r\n" + FMemo1->Editor().Lines().Text();
  // Written whole or not at all: a failed export never leaves a cut-off file behind.
  if (!platform::WriteFileAtomically(*file, bytes).Ok) {
    FServices.Dialogs.ShowMessage(
        this, QStringLiteral("ファイル %1 を作成できません").arg(QString::fromStdString(file->string())));
  }
}

}  // namespace app
