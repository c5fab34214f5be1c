// Character commands: what a typed character, a double-byte pair, the input method's result and the
// candidate window do to the text and the caret.
#include "editor/base/strings.h"
#include "editor/control/editor.h"
#include "editor/control/editor_key.h"
#include "editor/text/editor_screen_strings.h"
#include "platform/cp932.h"

namespace editor {

namespace {

bool IsPrintableSingle(unsigned char code) { return (code >= 0x20 && code <= 0x7E) || code >= 0xA0; }

}  // namespace

void TEditor::KeyChar(unsigned char code, TShiftState shift) {
  if (FPendingLead != 0) {
    const unsigned char lead = FPendingLead;
    FPendingLead = 0;
    if (code >= 0x40) {
      const char pair[2] = {static_cast<char>(lead), static_cast<char>(code)};
      TypeChars(std::string_view(pair, 2));
      return;
    }
    // The lead byte came alone: it is dropped and this character handled on its own.
  }
  switch (code) {
    case kCharBackspace:
      BackspaceChar();
      return;
    case kCharTab:
      TabChar(shift);
      return;
    case kCharReturn:
      ReturnChar((shift & ssShift) != 0);
      return;
    default:
      break;
  }
  // Lead bytes come before the printable test: the upper lead bytes 0xE0-0xFC lie inside its range,
  // and taken alone they would pair with whatever follows the caret.
  if (platform::IsLeadByte(code)) {
    FPendingLead = code;
  } else if (IsPrintableSingle(code)) {
    const char single = static_cast<char>(code);
    TypeChars(std::string_view(&single, 1));
  }
}

void TEditor::TypeChars(std::string_view chars) {
  const int size = static_cast<int>(chars.size());
  if (FImeCount > 0) {
    FImeCount = FImeCount >= size ? FImeCount - size : 0;
    return;
  }
  if (FReadOnly) return;
  PutText(chars);
}

void TEditor::ImeResult(std::string_view text) {
  if (FReadOnly) return;
  text = CutAtNul(text);
  FImeCount = static_cast<int>(text.size());
  FPendingLead = 0;
  PutText(text);
}

void TEditor::ImeNotify(bool candidateOpen) {
  if (candidateOpen == FImeCandidateOpen) return;  // keep the hide/show pair balanced
  FImeCandidateOpen = candidateOpen;
  if (candidateOpen) {
    HideCaret();
  } else {
    ShowCaret();
  }
}

}  // namespace editor
