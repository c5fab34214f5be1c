// Font substitution, conversion and measuring for the editor's cell grid.
#include "qt/qt_fonts.h"

#include <QFontMetrics>
#include <QStringList>

#include "qt/text_convert.h"

namespace qtui {

void InstallFontSubstitutions() {
  const QStringList japanese = {QStringLiteral("IPAGothic"), QStringLiteral("Noto Sans Mono CJK JP"),
                                QStringLiteral("Noto Sans CJK JP")};
  const QStringList proportional = {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP"),
                                    QStringLiteral("IPAGothic")};
  for (const QString& face : {QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"), QStringLiteral("ＭＳ 明朝"),
                              QStringLiteral("MS Mincho")}) {
    QFont::insertSubstitutions(face, japanese);
  }
  for (const QString& face : {QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                              QStringLiteral("ＭＳ Ｐ明朝"), QStringLiteral("MS PMincho")}) {
    QFont::insertSubstitutions(face, proportional);
  }
}

QFont ToQFont(const editor::TEditorFont& font) {
  QFont result(FromCp932(font.Name));
  if (font.Size > 0) result.setPointSize(font.Size);
  result.setBold(font.Style & editor::fsBold);
  result.setItalic(font.Style & editor::fsItalic);
  result.setStrikeOut(font.Style & editor::fsStrikeOut);
  result.setKerning(false);
  return result;
}

editor::TFontMetrics MeasureFont(const QFont& font) {
  const QFontMetrics metrics(font);
  editor::TFontMetrics result;
  result.Height = metrics.ascent() + metrics.descent();
  result.ExternalLeading = metrics.leading() > 0 ? metrics.leading() : 0;
  // The CJK fonts report no fixed pitch and an average width of their full-width glyphs: the cell is
  // the advance of a half-width character.
  result.AveCharWidth = metrics.horizontalAdvance(QLatin1Char('x'));
  result.Ascent = metrics.ascent();
  return result;
}

}  // namespace qtui
