// The page-font dialog's widgets, the measured fixed-pitch test and the colour list.
#include "qt/font_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>

#include "qt/qt_colors.h"
#include "qt/qt_fonts.h"
#include "qt/text_convert.h"

namespace qtui {
namespace {

// The colours the system's font dialog lists, as 0x00BBGGRR values with their Japanese names.
struct TNamedColour {
  editor::TColor Value;
  const char* Name;
};
constexpr std::array<TNamedColour, 16> kColours = {{
    {0x000000, "黒"},
    {0x000080, "マルーン"},
    {0x008000, "緑"},
    {0x008080, "オリーブ"},
    {0x800000, "ネイビー"},
    {0x800080, "紫"},
    {0x808000, "ティール"},
    {0x808080, "灰色"},
    {0xC0C0C0, "シルバー"},
    {0x0000FF, "赤"},
    {0x00FF00, "ライム"},
    {0x00FFFF, "黄"},
    {0xFF0000, "青"},
    {0xFF00FF, "フクシア"},
    {0xFFFF00, "水色"},
    {0xFFFFFF, "白"},
}};

// Style list rows: the bold and italic bits each stands for.
constexpr std::array<std::pair<const char*, editor::TFontStyles>, 4> kStyles = {{
    {"標準", 0},
    {"斜体", editor::fsItalic},
    {"太字", editor::fsBold},
    {"太字 斜体", editor::fsBold | editor::fsItalic},
}};

constexpr std::array<int, 16> kSizes = {8, 9, 10, 11, 12, 14, 16, 18, 20, 22, 24, 26, 28, 36, 48, 72};

QIcon Swatch(editor::TColor colour) {
  QPixmap swatch(24, 12);
  swatch.fill(ToQColor(colour));
  return QIcon(swatch);
}

}  // namespace

QStringList TFontDialog::FixedPitchFamilies() {
  QStringList result;
  for (const QString& family : QFontDatabase::families()) {
    if (QFontDatabase::isPrivateFamily(family)) continue;
    const QFontMetrics metrics(QFont(family, 12));
    const int cell = metrics.horizontalAdvance(QLatin1Char('W'));
    if (cell > 0 && metrics.horizontalAdvance(QLatin1Char('i')) == cell &&
        metrics.horizontalAdvance(QLatin1Char('0')) == cell && metrics.horizontalAdvance(QLatin1Char(' ')) == cell) {
      result << family;
    }
  }
  return result;
}

TFontDialog::TFontDialog(QWidget* parent, const editor::TEditorFont& initial)
    : QDialog(parent), FInitial(initial), FInitialFace(FromCp932(initial.Name)) {
  setWindowTitle(QStringLiteral("フォント"));
  FFamilies = new QListWidget(this);
  FFamilies->setObjectName(QStringLiteral("families"));
  QStringList families = FixedPitchFamilies();
  if (!FInitialFace.isEmpty() && !families.contains(FInitialFace)) families.prepend(FInitialFace);
  FFamilies->addItems(families);
  const auto found = FFamilies->findItems(FInitialFace, Qt::MatchExactly);
  FFamilies->setCurrentRow(found.isEmpty() ? 0 : FFamilies->row(found.first()));

  FStyles = new QListWidget(this);
  FStyles->setObjectName(QStringLiteral("styles"));
  for (const auto& [name, bits] : kStyles) {
    FStyles->addItem(QString::fromUtf8(name));
    if (bits == (initial.Style & (editor::fsBold | editor::fsItalic))) FStyles->setCurrentRow(FStyles->count() - 1);
  }

  FSize = new QComboBox(this);
  FSize->setObjectName(QStringLiteral("size"));
  FSize->setEditable(true);
  for (int size : kSizes) FSize->addItem(QString::number(size));
  FSize->setCurrentText(QString::number(initial.Size));

  auto* effects = new QGroupBox(QStringLiteral("文字飾り"), this);
  FStrikeOut = new QCheckBox(QStringLiteral("取り消し線(&K)"), effects);
  FStrikeOut->setObjectName(QStringLiteral("strikeOut"));
  FStrikeOut->setChecked(initial.Style & editor::fsStrikeOut);
  FUnderline = new QCheckBox(QStringLiteral("下線(&U)"), effects);
  FUnderline->setObjectName(QStringLiteral("underline"));
  FUnderline->setChecked(initial.Style & editor::fsUnderline);
  FColour = new QComboBox(effects);
  FColour->setObjectName(QStringLiteral("colour"));
  for (const TNamedColour& colour : kColours) {
    FColour->addItem(Swatch(colour.Value), QString::fromUtf8(colour.Name), QVariant::fromValue(colour.Value));
  }
  // A colour outside the list (a custom or system colour) stays selectable, so OK keeps it.
  int colourRow = FColour->findData(QVariant::fromValue(initial.Color));
  if (colourRow < 0) {
    FColour->addItem(Swatch(initial.Color), QStringLiteral("カスタム"), QVariant::fromValue(initial.Color));
    colourRow = FColour->count() - 1;
  }
  FColour->setCurrentIndex(colourRow);
  auto* effectsLayout = new QVBoxLayout(effects);
  effectsLayout->addWidget(FStrikeOut);
  effectsLayout->addWidget(FUnderline);
  auto* colourLabel = new QLabel(QStringLiteral("色(&C):"), effects);
  colourLabel->setBuddy(FColour);
  effectsLayout->addWidget(colourLabel);
  effectsLayout->addWidget(FColour);

  FSample = new QLabel(QStringLiteral("Aaあぁアァ亜宇"), this);
  FSample->setMinimumHeight(48);
  FSample->setAlignment(Qt::AlignCenter);
  FSample->setFrameShape(QFrame::StyledPanel);

  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
  buttons->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* grid = new QGridLayout(this);
  const std::array<std::pair<const char*, QWidget*>, 3> headings = {
      {{"フォント名(&F):", FFamilies}, {"スタイル(&Y):", FStyles}, {"サイズ(&S):", FSize}}};
  for (int column = 0; column < 3; ++column) {
    auto* heading = new QLabel(QString::fromUtf8(headings[static_cast<std::size_t>(column)].first), this);
    heading->setBuddy(headings[static_cast<std::size_t>(column)].second);  // Alt+letter goes to the list
    grid->addWidget(heading, 0, column);
  }
  grid->addWidget(FFamilies, 1, 0);
  grid->addWidget(FStyles, 1, 1);
  grid->addWidget(FSize, 1, 2, Qt::AlignTop);
  grid->addWidget(effects, 2, 0);
  grid->addWidget(FSample, 2, 1, 1, 2);
  grid->addWidget(buttons, 3, 0, 1, 3);

  connect(FFamilies, &QListWidget::currentRowChanged, this, &TFontDialog::UpdateSample);
  connect(FStyles, &QListWidget::currentRowChanged, this, &TFontDialog::UpdateSample);
  connect(FSize, &QComboBox::currentTextChanged, this, &TFontDialog::UpdateSample);
  connect(FStrikeOut, &QCheckBox::toggled, this, &TFontDialog::UpdateSample);
  connect(FUnderline, &QCheckBox::toggled, this, &TFontDialog::UpdateSample);
  connect(FColour, &QComboBox::currentIndexChanged, this, &TFontDialog::UpdateSample);
  UpdateSample();
}

editor::TEditorFont TFontDialog::Font() const {
  editor::TEditorFont font;
  const QString face = FFamilies->currentItem() ? FFamilies->currentItem()->text() : FInitialFace;
  // The initial face keeps its bytes, even ones code page 932 cannot show.
  font.Name = face == FInitialFace ? FInitial.Name : ToCp932(face);
  bool ok = false;
  const int size = FSize->currentText().trimmed().toInt(&ok);
  font.Size = ok && size > 0 && size <= 1638 ? size : FInitial.Size;  // the system dialog's range
  const int styleRow = FStyles->currentRow();
  font.Style = styleRow >= 0 ? kStyles[static_cast<std::size_t>(styleRow)].second : 0;
  if (FUnderline->isChecked()) font.Style |= editor::fsUnderline;
  if (FStrikeOut->isChecked()) font.Style |= editor::fsStrikeOut;
  font.Color = FColour->currentData().value<editor::TColor>();
  return font;
}

void TFontDialog::UpdateSample() {
  const editor::TEditorFont font = Font();
  QFont sample = ToQFont(font);
  sample.setUnderline(font.Style & editor::fsUnderline);  // the editor draws its own underline; the sample cannot
  FSample->setFont(sample);
  QPalette palette = FSample->palette();
  palette.setColor(QPalette::WindowText, ToQColor(font.Color));
  FSample->setPalette(palette);
}

}  // namespace qtui
