// The note window's creation, settings, start timer, close check and its own events.
#include "app/note_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>

#include "app/edit_menu.h"
#include "app/frame_controls.h"
#include "app/main_menu.h"
#include "app/note_editor_preset.h"
#include "app/window_geometry.h"
#include "editor/props/editor_properties.h"
#include "editor/text/editor_wrap_option.h"
#include "image/builtin_skin.h"
#include "qt/editor_widget.h"
#include "qt/native_window.h"
#include "qt/qt_fonts.h"

namespace app {

TfrmMain::TfrmMain(TNoteServices services)
    : QWidget(nullptr, Qt::FramelessWindowHint | Qt::Tool),
      FServices(std::move(services)),
      FStore(FServices.Clock),
      FMemoFile(FServices.Paths.DatPath),
      FImgSkin(image::BuiltInSkin()),
      FRecovery(FServices.Paths.RecoveryPath, [this] { return PagesAsShown(); }) {
  setWindowTitle(qtui::kApplicationTitle);
  setWindowIcon(qtui::NoteIcon());
  setAutoFillBackground(false);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);  // the size cursor over the grip, without a button held
  qtui::InstallFontSubstitutions();
  FMemo1 = new qtui::TEditorWidget(this);
  editor::TEditor& editor = FMemo1->Editor();
  ApplyNoteWindowEditorSettings(editor);
  editor.OnTopRowChange = editor::MethodEvent<&TfrmMain::Memo1TopRowChange>(this);
  editor.OnDblClick = editor::MethodEvent<&TfrmMain::Memo1DblClick>(this);
  editor.OnMouseMove = [this](editor::TEditor&, editor::TShiftState, int x, int y) { Memo1MouseMove(x, y); };
  FMemo1->installEventFilter(this);
  setFocusProxy(FMemo1);
  CreateFrameControls();
  SkinChanged();
  FMainMenu = new TMainMenu(*this);
  FMainMenu->installEventFilter(this);
  FEditMenu = new TEditMenu(*this, FMemo1->Editor());
  FMemo1->SetPopupMenu(FEditMenu);
  FMemo1->Editor().OnChange = editor::MethodEvent<&TfrmMain::Memo1Change>(this);
  FTimer.setInterval(50);
  connect(&FTimer, &QTimer::timeout, this, &TfrmMain::TimerTimer);
  FPlaceCheck.setInterval(150);
  FPlaceCheck.setSingleShot(true);
  connect(&FPlaceCheck, &QTimer::timeout, this, &TfrmMain::CheckPlace);
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
  if (FEnding) {  // asked to end while the skin's failure message was open
    FHotKey.Unregister();
    return false;
  }

  if (!FMemoFile.LoadMemoFile(FStore)) {
    // Carrying on with a partly read page list would let the next close overwrite the user's notes.
    FServices.Dialogs.MessageDlg(
        this,
        QStringLiteral("データファイルを読み込めませんでした。ファイルには手を付けずに終了します。\r\n") +
            QString::fromStdString(FServices.Paths.DatPath.string()),
        qtui::TMsgDlgType::mtError, qtui::mbOK);
    FHotKey.Unregister();
    return false;
  }
  if (!RecoverAtStart()) {
    FHotKey.Unregister();
    return false;
  }
  ApplyPage(FPageIndex);
  RebuildPageMenu();
  FTrayIcon.Add(windowIcon(), qtui::kApplicationTitle);
  FTimer1.start();
  FStarted = true;
  return true;
}

void TfrmMain::ApplySettings() {
  QList<QRect> areas;
  for (const QScreen* screen : QGuiApplication::screens()) areas << screen->availableGeometry();
  const QRect place = ReachableGeometry(FSettings.Left, FSettings.Top, FSettings.Width, FSettings.Height,
                                        QSize(MinWindowWidth, MinWindowHeight), areas);
  move(place.topLeft());
  resize(place.size());
  LayOutControls();  // a hidden window gets its resize event only when shown
  FStartShaded = FSettings.WindowShade;
  SetAlwaysOnTop(FSettings.AlwaysOnTop);
  SetOpacity(FSettings.AlphaBlend & 0xFF);
}

void TfrmMain::SetOpacity(int alpha) {
  FAlphaBlend = alpha;
  // Below 255 the window is translucent; at 255 it is opaque (setting 1.0 switches the layering off).
  // Where no compositor runs nothing shows, but the value is kept and saved all the same.
  setWindowOpacity(alpha / 255.0);
}

void TfrmMain::CollectSettings() {
  const QPoint position = qtui::ScreenPosition(*this);
  FSettings.Left = position.x();
  FSettings.Top = position.y();
  FSettings.Width = width();
  FSettings.Height = FIsShaded ? FUnshadedHeight : height();
  FSettings.WindowShade = FIsShaded;
  FSettings.AlwaysOnTop = FIsAlwaysOnTop;
  FSettings.AlphaBlend = FAlphaBlend;
}

void TfrmMain::Timer1Timer() {
  FTimer1.stop();
  SetWindowShade(FStartShaded);
  if (!FServices.Arguments.empty() && FServices.Arguments.front() == "/R") hide();
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
  LayOutControls();
}

void TfrmMain::moveEvent(QMoveEvent* event) {
  QWidget::moveEvent(event);
  // A window manager reparenting the window can leave Qt believing it sits at the frame's origin (0, 0)
  // while it stays where it was; every resize would send that place along and move the window there.
  FPlaceCheck.start();
}

void TfrmMain::CheckPlace() {
  // Not while the window manager or the user is moving the window: the place is still changing.
  if (!isVisible() || FInSystemLoop || QApplication::mouseButtons() != Qt::NoButton) return;
  const QPoint place = qtui::ScreenPosition(*this);
  if (place != pos()) move(place);
}

void TfrmMain::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
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

void TfrmMain::contextMenuEvent(QContextMenuEvent* event) {
  FMainMenu->popup(event->globalPos());
  event->accept();
}

void TfrmMain::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange) return;
  if (isActiveWindow()) {
    FInSystemLoop = false;
  } else {
    FormDeactivate();
  }
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
  // The editor never scrolls on the wheel by itself: the window scrolls it as it does its own turns.
  if (watched == FMemo1 && event->type() == QEvent::Wheel) {
    wheelEvent(static_cast<QWheelEvent*>(event));
    return true;
  }
  // The second press of a double click comes as the double click itself.
  const bool press = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick;
  if (watched == FMainMenu && press && MenuPressIsLabelDoubleClick(*static_cast<QMouseEvent*>(event))) {
    FMainMenu->hide();
    // Closing the window is no work for the menu's own event handling.
    QMetaObject::invokeMethod(this, &TfrmMain::lblMenuDblClick, Qt::QueuedConnection);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace app
