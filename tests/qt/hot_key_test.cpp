// Hot-key texts as modifiers and keys, the grab's silent refusal off X11, and link addresses as URLs.
#include <gtest/gtest.h>

#include "qt/global_hot_key.h"
#include "qt/hot_key_text.h"
#include "qt/tray_icon.h"
#include "qt/url_opener.h"
#include "support/case_table.h"

namespace qtui {
namespace {

using test_support::Rows;
using test_support::TRow;

TEST(HotKeyText, TextsNameTheirModifiersAndKey) {
  for (const TRow& row : Rows("hot_keys.txt", "parse")) {
    const std::optional<THotKey> key = ParseHotKey(row.Text(0));
    ASSERT_TRUE(key) << row.Where();
    EXPECT_EQ(*key, (THotKey{static_cast<unsigned>(row.Int(1)), row.Int(2), static_cast<std::uint32_t>(row.Int(3))}))
        << row.Where();
  }
  for (const TRow& row : Rows("hot_keys.txt", "noparse")) EXPECT_FALSE(ParseHotKey(row.Text(0))) << row.Where();
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
  for (const TRow& row : Rows("hot_keys.txt", "link"))
    EXPECT_EQ(LinkUrl(QString::fromStdString(row.Text(0))).toEncoded().toStdString(), row.Text(1)) << row.Where();
}

// Off X11 nothing is grabbed, and without a notification area no tray icon is added; neither complains.
TEST(DesktopServices, WithoutThemNothingIsAddedAndNothingComplains) {
  TGlobalHotKey hotKey;
  EXPECT_FALSE(hotKey.Register("Alt+Ctrl+M"));
  EXPECT_FALSE(hotKey.Registered());
  hotKey.Unregister();
  TTrayIcon tray;
  EXPECT_FALSE(tray.Add(NoteIcon(), QStringLiteral("TACK*NOTE")));
  EXPECT_FALSE(tray.Added());
  tray.Delete();
  EXPECT_FALSE(NoteIcon().pixmap(32).isNull());
}

}  // namespace
}  // namespace qtui
