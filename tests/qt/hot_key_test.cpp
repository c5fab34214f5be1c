// Hot-key texts as modifiers and keys, the grab's silent refusal off X11, and link addresses as URLs.
#include <gtest/gtest.h>

#include "qt/global_hot_key.h"
#include "qt/hot_key_text.h"
#include "qt/tray_icon.h"
#include "qt/url_opener.h"

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

// The one table both the grab and the options dialog's field go by: every key it names comes back from
// its name, and keys it cannot name have no text.
TEST(HotKeyText, QtKeysAndNamesGoBothWays) {
  for (int key :
       {int(Qt::Key_A),     int(Qt::Key_Z),         int(Qt::Key_0),        int(Qt::Key_9),      int(Qt::Key_F1),
        int(Qt::Key_F24),   int(Qt::Key_Backspace), int(Qt::Key_Tab),      int(Qt::Key_Return), int(Qt::Key_Escape),
        int(Qt::Key_Space), int(Qt::Key_PageUp),    int(Qt::Key_PageDown), int(Qt::Key_End),    int(Qt::Key_Home),
        int(Qt::Key_Left),  int(Qt::Key_Up),        int(Qt::Key_Right),    int(Qt::Key_Down),   int(Qt::Key_Insert),
        int(Qt::Key_Delete)}) {
    const std::optional<THotKeyName> named = KeyOfQtKey(key);
    ASSERT_TRUE(named) << key;
    EXPECT_EQ(KeyOfHotKeyName(named->Name), named) << named->Name;
  }
  EXPECT_EQ(KeyOfQtKey(Qt::Key_Enter)->Name, "Enter");
  EXPECT_EQ(KeyOfQtKey(Qt::Key_PageDown)->Name, "PgDn");
  EXPECT_EQ(KeyOfQtKey(Qt::Key_F12)->Name, "F12");
  for (int key : {int(Qt::Key_F25), int(Qt::Key_Comma), int(Qt::Key_Print), int(Qt::Key_Control), 0})
    EXPECT_FALSE(KeyOfQtKey(key)) << key;
}

TEST(LinkUrl, WwwAddressesAreWebPagesAndOthersStayAsTheyAre) {
  for (const auto& [target, url] :
       {std::pair{"http://example.com/a?b=1&c=2#x", "http://example.com/a?b=1&c=2#x"},
        std::pair{"www.example.jp/", "http://www.example.jp/"}, std::pair{"ftp://f.net/~u/%20", "ftp://f.net/~u/%20"},
        std::pair{"mailto:a.b-c@d.co.jp,", "mailto:a.b-c@d.co.jp,"}, std::pair{"https:", "https:"}})
    EXPECT_EQ(LinkUrl(QString::fromLatin1(target)).toEncoded().toStdString(), url) << target;
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
