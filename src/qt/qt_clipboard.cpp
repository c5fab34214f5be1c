// Plain text and the private box-selection flag on the system clipboard.
#include "qt/qt_clipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include "qt/text_convert.h"

namespace qtui {
namespace {

const QMimeData* Current() {
  const QClipboard* clipboard = QGuiApplication::clipboard();
  return clipboard ? clipboard->mimeData() : nullptr;
}

}  // namespace

void TQtClipboard::SetText(const std::string& text, bool box) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (!clipboard) return;
  // The clipboard's text ends at its first NUL, as CF_TEXT does.
  const std::string_view bytes = std::string_view(text).substr(0, text.find('\0'));
  auto* data = new QMimeData;
  data->setText(FromCp932(bytes));
  if (box) data->setData(kBoxMimeType, QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  clipboard->setMimeData(data);  // the clipboard owns it
}

bool TQtClipboard::HasText() const {
  const QMimeData* data = Current();
  return data && data->hasText();
}

std::string TQtClipboard::GetText() const {
  const QMimeData* data = Current();
  if (!data || !data->hasText()) return {};
  std::string bytes = ToCp932(data->text());
  bytes.resize(std::min(bytes.size(), bytes.find('\0')));
  return bytes;
}

bool TQtClipboard::HasBoxFormat() const {
  const QMimeData* data = Current();
  return data && data->hasFormat(kBoxMimeType);
}

}  // namespace qtui
