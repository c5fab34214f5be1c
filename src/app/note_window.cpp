// The note window's creation, settings, start timer, close check and its own events.
#include "app/note_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include "app/edit_menu.h"
#include "app/main_menu.h"
#include "app/note_editor_preset.h"
#include "app/window_geometry.h"
#include "editor/props/editor_properties.h"
#include "editor/text/editor_wrap_option.h"
#include "image/builtin_skin.h"
#include "qt/editor_widget.h"
#include "qt/native_window.h"
#include "qt/qt_colors.h"
#include "qt/qt_fonts.h"
#include "qt/text_convert.h"

namespace app {
namespace {

const QString kSaveBadTextMessage =
    QStringLiteral("ファイルの保存に失敗しました。\r\n保存できない文字列が発見されました。");

constexpr QColor kFrameLine{153, 153, 153};

}  // namespace

TfrmMain::TfrmMain(TNoteServices services)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool),
      FServices(std::move(services)),
      FStore(FServices.Clock),
      FMemoFile(FServices.Paths.DatPath),
      FImgSkin(image::BuiltInSkin()) {
  setWindowTitle(qtui::kApplicationTitle);
  setWindowIcon(qtui::NoteIcon());
  setAutoFillBackground(false);
  qtui::InstallFontSubstitutions();
  FMemo1 = new qtui::TEditorWidget(this);
  ApplyNoteWindowEditorSettings(FMemo1->Editor());
  setFocusProxy(FMemo1);
  FMainMenu = new TMainMenu(*this);
  FEditMenu = new TEditMenu(*this, FMemo1->Editor());
  FMemo1->SetPopupMenu(FEditMenu);
  FTimer.setInterval(50);
  FTimer1.setInterval(1);
  FTimer1.setSingleShot(true);
  connect(&FTimer1, &QTimer::timeout, this, &TfrmMain::Timer1Timer);
  connect(&FTrayIcon, &qtui::TTrayIcon::LeftPressed, this, &TfrmMain::ShowAndBringForward);
  connect(&FTrayIcon, &qtui::TTrayIcon::RightPressed, this, [this](QPoint cursor) {
    activateWindow();
    QCoreApplication::processEvents();
    FMainMenu->popup(cursor);
  });
  connect(&FHotKey, &qtui::TGlobalHotKey::Pressed, this, &TfrmMain::ShowAndBringForward);
  // The whole program losing the focus counts as the window's deactivation.
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive) FormDeactivate();
  });
}

TfrmMain::~TfrmMain() = default;

bool TfrmMain::FormCreate() {
  setMinimumSize(MinWindowWidth, MinWindowHeight);
  FIsShaded = false;
  SetAlwaysOnTop(false);

  // LoadSettings: start-up state, the built-in defaults, then the settings file over them.
  FDblClickGuard = false;
  FPageIndex = 0;
  FStore.InitDefaultMemo();
  FSettings = store::TSettings{};  // the window's design values are the keys' defaults
  // An unreadable settings file leaves every value at its default; it is rewritten only by a successful close.
  store::LoadSettings(FServices.Paths.IniPath, FSettings, FStore.DefaultMemo);
  ApplySettings();

  if (!FSettings.HotKey.empty()) FHotKey.Register(FSettings.HotKey);  // a refusal is silent
  LoadSkin(FSettings.SkinFile);

  if (!FMemoFile.LoadMemoFile(FStore)) {
    // Carrying on with a partly read page list would let the next close overwrite the user's notes.
    FLoadFailed = true;
    FServices.Dialogs.MessageDlg(
        this,
        QStringLiteral("データファイルを読み込めませんでした。ファイルには手を付けずに終了します。\r\n") +
            QString::fromStdString(FServices.Paths.DatPath.string()),
        qtui::TMsgDlgType::mtError, qtui::mbOK);
    FHotKey.Unregister();
    return false;
  }
  ApplyPage(FPageIndex);
  RebuildPageMenu();
  FTrayIcon.Add(windowIcon(), qtui::kApplicationTitle);
  FTimer1.start();
  return true;
}

void TfrmMain::ApplySettings() {
  QList<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
  const QRect place = ReachableGeometry(FSettings.Left, FSettings.Top, FSettings.Width, FSettings.Height,
                                        QSize(MinWindowWidth, MinWindowHeight), areas);
  move(place.topLeft());
  resize(place.size());
  LayOutMemo1();  // a hidden window gets its resize event only when shown
  FStartShaded = FSettings.WindowShade;
  SetAlwaysOnTop(FSettings.AlwaysOnTop);
  // Below 255 the window is translucent; at 255 it is opaque (setting 1.0 switches the layering off).
  setWindowOpacity((FSettings.AlphaBlend & 0xFF) / 255.0);
}

void TfrmMain::CollectSettings() {
  const QPoint position = qtui::ScreenPosition(*this);
  FSettings.Left = position.x();
  FSettings.Top = position.y();
  FSettings.Width = width();
  FSettings.Height = FIsShaded ? FUnshadedHeight : height();
  FSettings.WindowShade = FIsShaded;
  FSettings.AlwaysOnTop = FIsAlwaysOnTop;
}

void TfrmMain::Timer1Timer() {
  FTimer1.stop();
  SetWindowShade(FStartShaded);
  if (!FServices.Arguments.empty() && FServices.Arguments.front() == "/R") hide();
}

bool TfrmMain::FormCloseQuery() {
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
      FTrayIcon.Delete();
      FHotKey.Unregister();
      return true;
    }
    case store::SaveBadText:
      ApplyPage(badIndex);
      FMemo1->Editor().SetRow(0);
      MessageDlgNotTopmost(kSaveBadTextMessage, qtui::TMsgDlgType::mtError, qtui::mbOK);
      return false;
    case store::SaveFailed:
      return false;
  }
  return false;
}

void TfrmMain::closeEvent(QCloseEvent* event) {
  if (FormCloseQuery()) {
    event->accept();
    QCoreApplication::quit();
  } else {
    event->ignore();
  }
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOutMemo1();
}

void TfrmMain::LayOutMemo1() {
  // Anchored to all four sides; rolled up, the editor lies below the window and has no height.
  const int memoWidth = std::max(0, width() - Memo1Left - Memo1RightGap);
  const int memoHeight = std::max(0, height() - Memo1Top - Memo1BottomGap);
  FMemo1->setGeometry(Memo1Left, Memo1Top, memoWidth, memoHeight);
  Memo1Resize();
}

void TfrmMain::Memo1Resize() {
  editor::TEditor& editor = FMemo1->Editor();
  const int colWidth = editor.Viewport().ColWidth();
  if (colWidth == 0) return;
  // ScrollBars is none in this window and the wrap mark hidden, so neither takes columns.
  const int available = FMemo1->width() - editor.Viewport().TextLeft() - colWidth / 2;
  editor.WrapOption().SetWrapByte(available / colWidth);
}

void TfrmMain::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  FormPaint(painter);
}

void TfrmMain::FormPaint(QPainter& painter) {
  // Until the skinned frame paints here: a white window, a grey outline and a title strip.
  painter.fillRect(rect(), Qt::white);
  painter.setPen(kFrameLine);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
  painter.drawLine(0, TitleBarHeight - 1, width() - 1, TitleBarHeight - 1);
  QFont font = qtui::ToQFont(FCanvasFont);
  font.setUnderline(FCanvasFont.Style & editor::fsUnderline);
  painter.setFont(font);
  painter.setPen(qtui::ToQColor(FCanvasFont.Color));
  // drawText takes the title as plain characters: markup in a title is shown, never obeyed.
  painter.drawText(QRect(TitleTextLeft, TitleTextTop, std::max(0, width() - TitleTextLeft), TitleBarHeight),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, qtui::FromCp932(FCurrentTitle));
  if (FIsShaded) return;
  painter.drawText(QPoint(width() / 2, height() - PageNumberRise + painter.fontMetrics().ascent()),
                   QString::number(FPageIndex + 1));
}

void TfrmMain::contextMenuEvent(QContextMenuEvent* event) {
  FMainMenu->popup(event->globalPos());
  event->accept();
}

void TfrmMain::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && !isActiveWindow()) FormDeactivate();
}

}  // namespace app
