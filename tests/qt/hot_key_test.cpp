// Hot-key texts as modifiers and keys, the grab's silent refusal off X11, and link addresses as URLs.
#include <gtest/gtest.h>

#include <QKeySequence>

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
  for (const TRow& row : Rows("hot_keys.txt", "qtkey")) {
    int key = 0;
    if (row[0].front() == '"') {
      const QKeySequence typed(QString::fromStdString(row.Text(0)));
      ASSERT_EQ(typed.count(), 1) << row.Where();
      key = typed[0].key();
    } else {
      key = row.Int(0);
    }
    const std::optional<THotKeyName> named = KeyOfQtKey(key);
    EXPECT_EQ(named ? named->Name : "", row.Text(1)) << row.Where();
    if (row.Int(2) != 0) {
      EXPECT_EQ(KeyOfHotKeyName(row.Text(1)), named) << row.Where();
    }
  }
}

TEST(LinkUrl, WwwAddressesAreWebPagesAndOthersStayAsTheyAre) {
  for (const TRow& row : Rows("hot_keys.txt", "link"))
    EXPECT_EQ(LinkUrl(QString::fromStdString(row.Text(0))).toEncoded().toStdString(), row.Text(1)) << row.Where();
}

// Off X11 nothing is grabbed, and without a notification area no tray icon is added; neither complains.
// (That the note window is left with neither is its tray and hotkeyon steps in tests/data/note_window.txt.)
TEST(DesktopServices, WithoutThemNothingIsAddedAndNothingComplains) {
  TGlobalHotKey hotKey;
  EXPECT_FALSE(hotKey.Register("Alt+Ctrl+M"));
  hotKey.Unregister();
  TTrayIcon tray;
  EXPECT_FALSE(tray.Add(NoteIcon(), QStringLiteral("TACK*NOTE")));
  tray.Delete();
  EXPECT_FALSE(NoteIcon().pixmap(32).isNull());
}

}  // namespace
}  // namespace qtui
