// The keys the editor's key commands act on, the modifier set they come with, and the character codes
// of the character messages that are commands rather than text. The Qt widget maps its key events to these.
#pragma once

#include <cstdint>

namespace editor {

using TShiftState = std::uint8_t;
inline constexpr TShiftState ssShift = 1;
inline constexpr TShiftState ssAlt = 2;
inline constexpr TShiftState ssCtrl = 4;

// A key as the control sees it; Other is any key it has no command for.
enum class TEditorKey : std::uint8_t {
  Other,
  Backspace,
  Tab,
  Return,
  Control,
  Escape,
  PageUp,
  PageDown,
  End,
  Home,
  Left,
  Up,
  Right,
  Down,
  Insert,
  Delete,
};

// Character codes that arrive as characters but act as commands.
inline constexpr unsigned char kCharBackspace = 0x08;
inline constexpr unsigned char kCharTab = 0x09;
inline constexpr unsigned char kCharReturn = 0x0D;

}  // namespace editor
