// The options dialog's controls at their design places, its opening, its previews, OK and Cancel.
#include "dialogs/options_dialog.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>

#include <algorithm>
#include <system_error>
#include <vector>

#include "dialogs/dialog_frame.h"
#include "dialogs/hot_key_edit.h"
#include "dialogs/hot_key_text.h"
#include "dialogs/version_info.h"
#include "platform/autostart.h"
#include "qt/qt_colors.h"
#include "qt/qt_fonts.h"
#include "qt/text_convert.h"

namespace dialogs {
namespace {

constexpr int kAlphaMin = 100;
constexpr int kAlphaMax = 255;
constexpr int kAlphaStep = 10;

// The ordinary files of the skins folder whose names end in ".BMP" in any letter case (the file systems
// the skins come from ignore case), sorted as a list box sorts: without regard to case.
QStringList ListSkinFiles(const std::filesystem::path& dir) {
  QStringList names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(dir, ec)) {
    std::error_code typeError;
    if (!entry.is_regular_file(typeError)) continue;
    const QString name = QString::fromStdString(entry.path().filename().string());
    if (name.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive)) names << name;
  }
  std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
    const int order = a.compare(b, Qt::CaseInsensitive);
    return order != 0 ? order < 0 : a < b;
  });
  return names;
}

QFont ArialBold() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(12);
  font.setBold(true);
  return font;
}

QCheckBox* CheckBox(QWidget& parent, const QString& text, const char* name, int left, int top) {
  auto* box = new QCheckBox(text, &parent);
  Place(*box, name, left, top);
  return box;
}

QLabel* Label(QWidget& parent, const QString& text, const char* name, QRect geometry, bool wordWrap = false) {
  auto* label = new QLabel(text, &parent);
  label->setWordWrap(wordWrap);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Place(*label, name, geometry);
  return label;
}

QPushButton* Button(QWidget& parent, const QString& text, const char* name, QRect geometry) {
  auto* button = new QPushButton(text, &parent);
  Place(*button, name, geometry);
  return button;
}

}  // namespace

TfrmOptions::TfrmOptions(TOptionsHost& host, qtui::TDialogService& dialogs) : FHost(host), FDialogs(dialogs) {
  SetUpDialogFrame(*this, QStringLiteral("オプション"), QSize(327, 252), false);

  FTabs = new QTabWidget(this);
  Place(*FTabs, "PageControl1", QRect(8, 8, 313, 201));
  const struct {
    const char* Name;
    QString Caption;
    void (TfrmOptions::*Build)(QWidget&);
  } tabs[] = {
      {"TabSheet1", QStringLiteral("全般設定"), &TfrmOptions::BuildGeneralTab},
      {"TabSheet2", QStringLiteral("新規メモ設定"), &TfrmOptions::BuildNewMemoTab},
      {"TabSheet3", QStringLiteral("スキン"), &TfrmOptions::BuildSkinTab},
      {"TabSheet4", QStringLiteral("バージョン情報"), &TfrmOptions::BuildAboutTab},
  };
  for (const auto& tab : tabs) {
    auto* page = new QWidget(FTabs);
    page->setObjectName(QString::fromLatin1(tab.Name));
    FTabs->addTab(page, tab.Caption);
    (this->*tab.Build)(*page);
  }
  FTabs->setCurrentIndex(0);
  // The four captions fit the 313 pixels with the system's narrow tabs; the style's default padding
  // would hide the last one behind scroll arrows.
  FTabs->tabBar()->setStyleSheet(QStringLiteral("QTabBar::tab { padding: 3px 6px; }"));

  QPushButton* cancel = Button(*this, QStringLiteral("キャンセル"), "btnCancel", QRect(134, 216, 90, 25));
  QPushButton* ok = Button(*this, QStringLiteral("OK"), "btnOk", QRect(230, 216, 90, 25));
  ok->setDefault(true);
  connect(cancel, &QPushButton::clicked, this, &TfrmOptions::reject);
  connect(ok, &QPushButton::clicked, this, &TfrmOptions::btnOkClick);

  FormShow();
}

void TfrmOptions::BuildGeneralTab(QWidget& tab) {
  Label(tab, QStringLiteral("TACK*NOTEを呼び出すショートカットキー"), "Label4", QRect(8, 8, 0, 0));
  FHkText = new THotKeyEdit(&tab);
  Place(*FHkText, "hkText", QRect(24, 32, 89, 18));

  Label(tab, QStringLiteral("メインウィンドウの不透明度(Windows2000,XPのみ)"), "Label2", QRect(8, 64, 0, 0));
  // The up-down control and its number box are one Qt widget; the box keeps its own name.
  FUdAlpha = new QSpinBox(&tab);
  FUdAlpha->setRange(kAlphaMin, kAlphaMax);
  FUdAlpha->setSingleStep(kAlphaStep);
  FUdAlpha->setWrapping(false);
  FUdAlpha->setValue(kAlphaMin);
  Place(*FUdAlpha, "udAlpha", QRect(24, 88, 57, 20));
  if (auto* edit1 = FUdAlpha->findChild<QLineEdit*>()) {
    edit1->setObjectName(QStringLiteral("Edit1"));
    edit1->setReadOnly(true);
    QPalette palette = edit1->palette();
    palette.setColor(QPalette::Base, palette.color(QPalette::Button));
    edit1->setPalette(palette);
  }
  connect(FUdAlpha, &QSpinBox::valueChanged, this, &TfrmOptions::udAlphaChange);

  FChkResident = CheckBox(tab, QStringLiteral("[閉じる]ボタンで最小化(&M)"), "chkResident", 8, 125);
  FChkStartup = CheckBox(tab, QStringLiteral("Windows起動時に常駐(&W)"), "chkStartup", 8, 149);
}

void TfrmOptions::BuildNewMemoTab(QWidget& tab) {
  Label(tab, QStringLiteral("新たにページを作成したときに適用される設定です(現在のページの設定ではありません)。"),
        "Label1", QRect(3, 8, 294, 24), true);
  FChkWordWrap = CheckBox(tab, QStringLiteral("右端で折り返す(&W)"), "chkWordWrap", 24, 40);

  auto* group = new QGroupBox(QStringLiteral("フォント"), &tab);
  Place(*group, "GroupBox1", QRect(8, 64, 289, 81));
  FPnlPrev = new QLabel(QStringLiteral("あいうえお AaBb 123"), group);
  FPnlPrev->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  FPnlPrev->setAlignment(Qt::AlignCenter);
  Place(*FPnlPrev, "pnlPrev", QRect(8, 24, 185, 41));
  QPushButton* font = Button(*group, QStringLiteral("変更(&F)..."), "btnFont", QRect(200, 24, 75, 25));
  connect(font, &QPushButton::clicked, this, &TfrmOptions::btnFontClick);
}

void TfrmOptions::BuildSkinTab(QWidget& tab) {
  QLabel* label = Label(tab, QStringLiteral("スキンファイル"), "Label3", QRect(8, 8, 0, 0));
  FLstSkins = new QListWidget(&tab);
  Place(*FLstSkins, "lstSkins", QRect(8, 24, 161, 137));
  label->setBuddy(FLstSkins);
  Label(tab,
        QStringLiteral("スキンファイルでデザインをカスタマイズする事ができます。スキンファイルは[SKINS]フォルダ内に入"
                       "れてください。"),
        "Label11", QRect(176, 24, 129, 65), true);
  connect(FLstSkins, &QListWidget::currentRowChanged, this, &TfrmOptions::lstSkinsClick);
}

void TfrmOptions::BuildAboutTab(QWidget& tab) {
  FAboutImage = new QLabel(&tab);
  Place(*FAboutImage, "AboutImage", QRect(8, 8, 32, 32));
  FAboutLabel1 = Label(tab, QString(), "AboutLabel1", QRect(60, 8, 0, 0));
  FAboutLabel1->setFont(ArialBold());
  FAboutLabel2 = Label(tab, QString(), "AboutLabel2", QRect(60, 24, 0, 0));
  FAboutLabel3 = Label(tab, QString(), "AboutLabel3", QRect(60, 40, 0, 0));
}

void TfrmOptions::FormShow() {
  const TVersionStrings version = ReadVersionInfo();
  QIcon icon = QApplication::windowIcon();
  if (icon.isNull()) icon = FHost.Window().windowIcon();
  FAboutImage->setPixmap(icon.pixmap(32, 32));
  FAboutLabel1->setText(QString::fromStdString(version.ProductName));
  FAboutLabel2->setText(QStringLiteral("Version ") + QString::fromStdString(version.FileVersion));
  FAboutLabel3->setText(QString::fromStdString(version.LegalCopyright));
  for (QLabel* label : {FAboutLabel1, FAboutLabel2, FAboutLabel3}) label->adjustSize();

  store::TSettings& settings = FHost.Settings();
  FSkinAtOpen = settings.SkinFile;
  // Filling and selecting are no clicks: nothing is previewed until the user picks a skin.
  const QSignalBlocker quietList(FLstSkins);
  FLstSkins->addItems(ListSkinFiles(FHost.SkinDir()));

  FHkText->SetHotKey(HotKeyFromText(qtui::FromCp932(settings.HotKey)));
  FChkResident->setChecked(settings.Resident);
  FChkStartup->setChecked(platform::AutostartEntryExists(FHost.AutostartDir()));

  FOpacityAtOpen = FHost.Opacity();
  {
    // The box clamps an opacity below its range; the window then shows what the box shows.
    const QSignalBlocker quietBox(FUdAlpha);
    FUdAlpha->setValue(FOpacityAtOpen);
  }
  udAlphaChange();

  const store::TMemoData& defaults = FHost.Store().DefaultMemo;
  FChkWordWrap->setChecked(defaults.WordWrap);
  FPreviewFont.Name = defaults.FontName;
  FPreviewFont.Size = defaults.FontSize;
  FPreviewFont.Style = static_cast<editor::TFontStyles>(defaults.FontStyle & 0xFF);
  FPreviewFont.Color = static_cast<editor::TColor>(defaults.FontColor);
  ShowPreviewFont();

  const QString skin = qtui::FromCp932(settings.SkinFile);
  for (int row = 0; row < FLstSkins->count(); ++row) {
    if (FLstSkins->item(row)->text().compare(skin, Qt::CaseInsensitive) == 0) {
      FLstSkins->setCurrentRow(row);
      break;
    }
  }
}

void TfrmOptions::udAlphaChange() { FHost.SetOpacity(FUdAlpha->value()); }

void TfrmOptions::lstSkinsClick() {
  const QListWidgetItem* item = FLstSkins->currentItem();
  if (item == nullptr) return;
  FHost.Settings().SkinFile = qtui::ToCp932(item->text());
  FSkinPreviewed = true;
  FHost.LoadSkin(FHost.Settings().SkinFile);
  FHost.RelayoutFrame();
}

void TfrmOptions::btnFontClick() {
  if (const std::optional<editor::TEditorFont> chosen = FDialogs.ChooseFont(this, FPreviewFont)) {
    FPreviewFont = *chosen;
    ShowPreviewFont();
  }
}

void TfrmOptions::ShowPreviewFont() {
  QFont font = qtui::ToQFont(FPreviewFont);
  // The editor draws its own underline; a panel lets the font do it.
  font.setUnderline(FPreviewFont.Style & editor::fsUnderline);
  FPnlPrev->setFont(font);
  QPalette palette = FPnlPrev->palette();
  palette.setColor(QPalette::WindowText, qtui::ToQColor(FPreviewFont.Color));
  FPnlPrev->setPalette(palette);
}

void TfrmOptions::btnOkClick() {
  store::TMemoData& defaults = FHost.Store().DefaultMemo;
  defaults.WordWrap = FChkWordWrap->isChecked();
  defaults.FontColor = static_cast<int32_t>(FPreviewFont.Color);
  defaults.FontName = FPreviewFont.Name;
  defaults.FontSize = FPreviewFont.Size;
  defaults.FontStyle = FPreviewFont.Style;

  store::TSettings& settings = FHost.Settings();
  // Registered at the next start, not now.
  const std::optional<QKeyCombination> hotKey = FHkText->HotKey();
  settings.HotKey = hotKey ? qtui::ToCp932(HotKeyToText(*hotKey)) : std::string();
  settings.Resident = FChkResident->isChecked();

  // Written again even when it was there already, so that it names the program's current place.
  // Like the registry on Windows, a failure here stays silent.
  if (FChkStartup->isChecked())
    platform::WriteAutostartEntry(FHost.AutostartDir(), FHost.ProgramPath());
  else
    platform::DeleteAutostartEntry(FHost.AutostartDir());
  accept();
}

void TfrmOptions::reject() {
  FHost.Settings().SkinFile = FSkinAtOpen;
  // A previewed skin smaller than the image would otherwise stay visible around the old one (or
  // entirely, when the old skin has no file) although the setting no longer names it.
  if (FSkinPreviewed) FHost.ResetSkin();
  FHost.LoadSkin(FSkinAtOpen);
  FHost.SetOpacity(FOpacityAtOpen);
  FHost.Window().hide();
  FHost.RelayoutFrame();
  FHost.ShowAndBringForward();
  QDialog::reject();
}

void RunOptionsDialog(TOptionsHost& host, qtui::TDialogService& dialogs) {
  TfrmOptions dialog(host, dialogs);
  PlaceBesideNoteWindow(dialog, host.Window());
  dialog.exec();
  host.Repaint();
}

}  // namespace dialogs
