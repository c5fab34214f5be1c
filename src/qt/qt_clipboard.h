// The editor's clipboard over QClipboard: text converted at this edge, box copies marked by a private type.
#pragma once

#include <QString>

#include "editor/control/editor_clipboard.h"

namespace qtui {

// The MIME type that stands for the "TEditor Box Type" clipboard format.
inline const QString kBoxMimeType = QStringLiteral("application/x-tacknote-teditor-box-type");

class TQtClipboard final : public editor::TEditorClipboard {
 public:
  void SetText(const std::string& text, bool box) override;
  bool HasText() const override;
  std::string GetText() const override;
  bool HasBoxFormat() const override;
};

}  // namespace qtui
