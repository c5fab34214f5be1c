// Hot-key texts as modifiers and keys, and the grab's silent refusal off X11.
#include <gtest/gtest.h>

#include "qt/global_hot_key.h"
#include "qt/hot_key_text.h"
#include "qt/tray_icon.h"

namespace qtui {
namespace {

TEST(HotKeyText, ModifiersComeFromTheWordsAndTheKeyFromTheName) {
  struct Case {
    const char* Text;
    unsigned Modifiers;
    int VirtualKey;
    std::uint32_t KeySym;
  };
  for (const Case& c : {
           Case{"Alt+Ctrl+M", MOD_CONTROL | MOD_ALT, 'M', 'm'},
           Case{"Ctrl+Alt+M", MOD_CONTROL | MOD_ALT, 'M', 'm'},
           Case{"Shift+Ctrl+F1", MOD_SHIFT | MOD_CONTROL, 0x70, 0xFFBE},
           Case{"Ctrl+Shift+F12", MOD_SHIFT | MOD_CONTROL, 0x7B, 0xFFC9},
           Case{"Alt+F24", MOD_ALT, 0x87, 0xFFD5},
           Case{"Shift+Alt+9", MOD_SHIFT | MOD_ALT, '9', '9'},
           Case{"Ctrl+PgDn", MOD_CONTROL, 0x22, 0xFF56},
           Case{"Ctrl+Space", MOD_CONTROL, 0x20, 0x20},
           Case{"Shift+Ins", MOD_SHIFT, 0x2D, 0xFF63},
           Case{"Alt+Del", MOD_ALT, 0x2E, 0xFFFF},
           Case{"M", 0, 'M', 'm'},
           // The prefixes are read in any case, but only the exact words count as modifiers.
           Case{"ctrl+alt+q", 0, 'Q', 'q'},
           Case{"CTRL+Alt+home", MOD_ALT, 0x24, 0xFF50},
       }) {
    const std::optional<THotKey> key = ParseHotKey(c.Text);
    ASSERT_TRUE(key) << c.Text;
    EXPECT_EQ(*key, (THotKey{c.Modifiers, c.VirtualKey, c.KeySym})) << c.Text;
  }
}

TEST(HotKeyText, EmptyAndUnknownTextsNameNoKey) {
  for (const char* text : {"", "Ctrl+", "Alt+Ctrl+", "Ctrl+Foo", "Ctrl+F25", "Ctrl+F0", "Ctrl+MM", "Ctrl+M+", "+"})
    EXPECT_FALSE(ParseHotKey(text)) << text;
}

TEST(GlobalHotKey, OffX11NothingIsGrabbedAndNothingComplains) {
  TGlobalHotKey hotKey;
  EXPECT_FALSE(hotKey.Register("Alt+Ctrl+M"));
  EXPECT_FALSE(hotKey.Registered());
  hotKey.Unregister();
  EXPECT_FALSE(hotKey.Registered());
}

TEST(TrayIcon, WithoutANotificationAreaAddingIsSilentAndDeletingHarmless) {
  TTrayIcon tray;
  EXPECT_FALSE(tray.Add(NoteIcon(), QStringLiteral("TACK*NOTE")));
  EXPECT_FALSE(tray.Added());
  tray.Delete();
  EXPECT_FALSE(NoteIcon().pixmap(32).isNull());
}

}  // namespace
}  // namespace qtui
