// What the editor needs of the clipboard; the Qt layer implements it, tests fake it.
#pragma once

#include <string>

namespace editor {

// The clipboard: code page 932 text (ends at its first NUL) and the private box-selection flag.
class TEditorClipboard {
 public:
  virtual ~TEditorClipboard() = default;
  // Puts text on the clipboard; with `box`, also the "TEditor Box Type" format.
  virtual void SetText(const std::string& text, bool box) = 0;
  virtual bool HasText() const = 0;
  virtual std::string GetText() const = 0;
  // True when the clipboard holds the "TEditor Box Type" format.
  virtual bool HasBoxFormat() const = 0;
};

}  // namespace editor
