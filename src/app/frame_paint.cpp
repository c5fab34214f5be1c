// The skinned frame: its controls and their layout, and the paint that draws the skin's pieces, the
// title and the page number.
#include <QPainter>

#include <algorithm>
#include <array>

#include "app/frame_controls.h"
#include "app/frame_layout.h"
#include "app/main_menu.h"
#include "app/note_window.h"
#include "qt/editor_widget.h"
#include "qt/qt_colors.h"
#include "qt/qt_fonts.h"
#include "qt/qt_skin_image.h"
#include "qt/text_convert.h"

namespace app {
namespace {

constexpr int kLabelSize = 11;
constexpr int kLabelTop = 3;
constexpr int kTrackTop = 18;
constexpr int kTrackWidth = 15;
constexpr int kTrackRightGap = 20;  // the track's left edge from the window's right edge

// The labels over the title bar's button images, anchored to its right end. They call their actions
// without any enabling test (the menus' items test first).
struct TTitleLabelItem {
  const char* Name;
  const char* Hint;
  int FromRight;  // the label's left edge, from the window's right edge
  void (*Click)(TfrmMain&);
};

const std::array<TTitleLabelItem, 7> kTitleLabels = {{
    {"lblNew", "新規ページ", 90, [](TfrmMain& w) { w.mnuNewClick(); }},
    {"lblCut", "切り取り", 78, [](TfrmMain& w) { w.Memo1().Editor().CutToClipboard(); }},
    {"lblCopy", "コピー", 66, [](TfrmMain& w) { w.Memo1().Editor().CopyToClipboard(); }},
    {"lblPaste", "貼り付け", 54, [](TfrmMain& w) { w.Memo1().Editor().PasteFromClipboard(); }},
    {"lblSelAll", "すべて選択", 42, [](TfrmMain& w) { w.Memo1().Editor().SelectAll(); }},
    {"btnWindowShade", "ウィンドウシェード", 27, [](TfrmMain& w) { w.SetWindowShade(!w.IsShaded()); }},
    {"btnHide", "閉じる", 15, [](TfrmMain& w) { w.btnHideClick(); }},
}};

}  // namespace

void TfrmMain::CreateFrameControls() {
  FPnlScrollArea = new TSkinPanel(*this, "PnlScrollArea");
  FPnlScroll = new TSkinPanel(*FPnlScrollArea, "PnlScroll");
  FPnlScroll->setGeometry(0, 0, kTrackWidth, ThumbHeight);
  FPnlScroll->hide();
  connect(FPnlScroll, &TSkinPanel::MouseDown, this, [this](Qt::MouseButton button) { PnlScrollMouseDown(button); });
  connect(FPnlScroll, &TSkinPanel::MouseMove, this, &TfrmMain::PnlScrollMouseMove);
  connect(FPnlScroll, &TSkinPanel::MouseUp, this, [this](Qt::MouseButton button) { PnlScrollMouseUp(button); });
  connect(FPnlScrollArea, &TSkinPanel::MouseDown, this, &TfrmMain::PnlScrollAreaMouseDown);
  connect(FPnlScrollArea, &TSkinPanel::MouseMove, this, &TfrmMain::PnlScrollAreaMouseMove);
  connect(FPnlScrollArea, &TSkinPanel::MouseUp, this, [this](Qt::MouseButton button) { PnlScrollAreaMouseUp(button); });

  FLblMenu = new TTitleLabel(*this, "lblMenu", QStringLiteral("メニュー"));
  FLblMenu->setGeometry(lblMenuRect);
  connect(FLblMenu, &TTitleLabel::Clicked, this, &TfrmMain::lblMenuClick);
  connect(FLblMenu, &TTitleLabel::DoubleClicked, this, &TfrmMain::lblMenuDblClick);
  for (const TTitleLabelItem& item : kTitleLabels) {
    auto* label = new TTitleLabel(*this, item.Name, QString::fromUtf8(item.Hint));
    FTitleLabels.push_back(label);
    connect(label, &TTitleLabel::Clicked, this, [this, click = item.Click] { click(*this); });
  }
}

void TfrmMain::LayOutControls() {
  // Anchored to all four sides; rolled up, the editor lies below the window and has no height.
  const int memoWidth = std::max(0, width() - Memo1Left - Memo1RightGap);
  const int memoHeight = std::max(0, height() - Memo1Top - Memo1BottomGap);
  FMemo1->setGeometry(Memo1Left, Memo1Top, memoWidth, memoHeight);
  FPnlScrollArea->setGeometry(width() - kTrackRightGap, kTrackTop, kTrackWidth, memoHeight);
  for (std::size_t i = 0; i < kTitleLabels.size(); ++i)
    FTitleLabels[i]->setGeometry(width() - kTitleLabels[i].FromRight, kLabelTop, kLabelSize, kLabelSize);
  Memo1Resize();
  UpdateThumb();
}

void TfrmMain::SkinChanged() {
  FSkinPicture = qtui::ToQImage(FImgSkin);
  FPnlScrollArea->SetPicture(FSkinPicture, TrackSource);
  FPnlScroll->SetPicture(FSkinPicture, ThumbSource);
  update();
}

void TfrmMain::FormPaint(QPainter& painter) {
  painter.fillRect(rect(), Qt::white);
  const std::array<TSkinPiece, 9> pieces = SkinPieces(size());
  const int drawn = FIsShaded ? TitleBarPieces : static_cast<int>(pieces.size());
  for (int i = 0; i < drawn; ++i) {
    const TSkinPiece& piece = pieces[static_cast<std::size_t>(i)];
    if (i == CentrePiece || piece.Target.isEmpty()) continue;
    painter.drawImage(piece.Target, FSkinPicture, piece.Source);
  }
  // The track follows the editor's height, the thumb the editor's top row.
  FPnlScrollArea->setGeometry(width() - kTrackRightGap, kTrackTop, kTrackWidth, FMemo1->height());
  UpdateThumb();
  // Every repaint puts the keyboard back into the editor: the frame has nothing else to type into.
  if (isVisible()) FMemo1->setFocus();

  QFont font = qtui::ToQFont(FCanvasFont);
  font.setUnderline(FCanvasFont.Style & editor::fsUnderline);
  painter.setFont(font);
  painter.setPen(qtui::ToQColor(FCanvasFont.Color));
  // Text with no background, its top-left corner on the point; drawText takes the title as plain
  // characters, so markup in a title is shown, never obeyed.
  const int ascent = painter.fontMetrics().ascent();
  painter.drawText(QPoint(TitleTextLeft, TitleTextTop + ascent), qtui::FromCp932(FCurrentTitle));
  if (FIsShaded) return;
  FPageCornerRect = PageCornerOf(size());
  painter.drawText(QPoint(width() / 2, height() - PageNumberRise + ascent), QString::number(FPageIndex + 1));
}

int TfrmMain::TitleTextWidth() const {
  QFont font = qtui::ToQFont(FCanvasFont);
  return QFontMetrics(font).horizontalAdvance(qtui::FromCp932(FCurrentTitle));
}

}  // namespace app
