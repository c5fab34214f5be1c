// The page-order dialog's list, its click and move handlers and its drag by the surface.
#include "dialogs/memo_list_dialog.h"

#include <QGuiApplication>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QWindow>

#include "dialogs/dialog_frame.h"
#include "qt/text_convert.h"

namespace dialogs {
namespace {

// The hourglass while a page is stored and another one shown; restored however the work ends.
class TWaitCursor {
 public:
  TWaitCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
  TWaitCursor(const TWaitCursor&) = delete;
  TWaitCursor& operator=(const TWaitCursor&) = delete;
  ~TWaitCursor() { QGuiApplication::restoreOverrideCursor(); }
};

}  // namespace

TfrmMemoList::TfrmMemoList(TPageOrderHost& host) : FHost(host) {
  SetUpDialogFrame(*this, QStringLiteral("ページ順の変更"), QSize(324, 243), true);

  FLstMemo = new QListWidget(this);
  Place(*FLstMemo, "lstMemo", QRect(0, 0, 230, 243));
  const struct {
    QString Caption;
    const char* Name;
    QRect Geometry;
  } buttons[] = {
      {QStringLiteral("上へ(&U)"), "btnUp", QRect(240, 8, 80, 25)},
      {QStringLiteral("下へ(&D)"), "btnDown", QRect(240, 40, 80, 25)},
      {QStringLiteral("閉じる"), "BitBtn1", QRect(240, 208, 80, 25)},
  };
  QPushButton* made[3] = {};
  for (int i = 0; i < 3; ++i) {
    made[i] = new QPushButton(buttons[i].Caption, this);
    made[i]->setAutoDefault(false);  // no button is the default: Enter in the list must not move a page
    Place(*made[i], buttons[i].Name, buttons[i].Geometry);
  }
  connect(made[0], &QPushButton::clicked, this, [this] { MovePage(-1); });
  connect(made[1], &QPushButton::clicked, this, [this] { MovePage(+1); });
  connect(made[2], &QPushButton::clicked, this, &TfrmMemoList::reject);
  connect(FLstMemo, &QListWidget::currentRowChanged, this, &TfrmMemoList::lstMemoClick);

  FormShow();
}

void TfrmMemoList::FormShow() {
  const QSignalBlocker quiet(FLstMemo);
  for (const store::TMemoData& page : FHost.Store().Pages) FLstMemo->addItem(qtui::FromCp932(page.Title));
  FLstMemo->setCurrentRow(FHost.PageIndex());
}

void TfrmMemoList::lstMemoClick() {
  const int selected = FLstMemo->currentRow();
  if (selected < 0) return;
  const TWaitCursor wait;
  FHost.StorePage(FHost.PageIndex());
  FHost.ApplyPage(selected);
}

void TfrmMemoList::MovePage(int step) {
  const int from = FLstMemo->currentRow();
  const int to = from + step;
  if (from < 0 || to < 0 || to >= FLstMemo->count()) return;
  // The editor's text still belongs to the shown page; it moves with it and is stored at the next switch.
  {
    const QSignalBlocker quiet(FLstMemo);
    const QString text = FLstMemo->item(from)->text();
    FLstMemo->item(from)->setText(FLstMemo->item(to)->text());
    FLstMemo->item(to)->setText(text);
    FLstMemo->setCurrentRow(to);
  }
  FHost.Store().SwapPages(from, to);
  FHost.SetPageIndex(to);
  FHost.Repaint();
}

void TfrmMemoList::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && windowHandle() != nullptr && windowHandle()->startSystemMove()) {
    event->accept();
    return;
  }
  QDialog::mousePressEvent(event);
}

void RunMemoListDialog(TPageOrderHost& host) {
  TfrmMemoList dialog(host);
  PlaceBesideNoteWindow(dialog, host.Window());
  dialog.exec();
  host.RebuildPageMenu();
}

}  // namespace dialogs
