// The main menu as a table of items, and the page entries of its Pages submenu.
#include "app/main_menu.h"

#include <array>

#include "app/menu_items.h"
#include "app/note_window.h"
#include "qt/text_convert.h"

namespace app {
namespace {

enum class TPlace { Main, Pages, PageSettings };

struct TItem {
  const char* Name;      // empty for a separator
  const char* Caption;   // "-" for a separator
  const char* Shortcut;  // as the menu shows it
  TPlace Place;
  void (TfrmMain::*Click)();  // nullptr for a submenu or a separator
  bool Checked = false;       // carries a check mark
  bool Submenu = false;       // opens the place named by `Opens`
  TPlace Opens = TPlace::Main;
};

constexpr TItem Separator(TPlace place) { return {"", "-", "", place, nullptr}; }

const std::array<TItem, 20> kItems = {{
    {"mnuNew", "新規メモ(&N)", "Ctrl+N", TPlace::Main, &TfrmMain::mnuNewClick},
    {"mnuDelete", "現在のページを削除(&D)", "Ctrl+W", TPlace::Main, &TfrmMain::mnuDeleteClick},
    {"mnuPages", "ページ(&P)", "", TPlace::Main, nullptr, false, true, TPlace::Pages},
    {"mnuPrevious", "前のページ(&P)", "Shift+Ctrl+Tab", TPlace::Pages, &TfrmMain::mnuPreviousClick},
    {"mnuNext", "次のページ(&N)", "Ctrl+Tab", TPlace::Pages, &TfrmMain::mnuNextClick},
    {"mnuChangePageOrder", "ページ順の変更(&C)...", "", TPlace::Pages, &TfrmMain::mnuChangePageOrderClick},
    Separator(TPlace::Pages),
    Separator(TPlace::Main),
    {"mnuLoadText", "読み込み(&I)...", "", TPlace::Main, &TfrmMain::mnuLoadTextClick},
    {"E1", "書き出し(&E)...", "", TPlace::Main, &TfrmMain::E1Click},
    Separator(TPlace::Main),
    {"H1", "このページの設定(&H)", "", TPlace::Main, nullptr, false, true, TPlace::PageSettings},
    {"mnuFont", "ページフォント(&F)...", "", TPlace::PageSettings, &TfrmMain::mnuFontClick},
    {"mnuPageTitle", "ページタイトル(&T)", "Ctrl+Enter", TPlace::PageSettings, &TfrmMain::mnuPageTitleClick},
    {"mnuWordWrap", "右端で折り返す(&W)", "", TPlace::PageSettings, &TfrmMain::mnuWordWrapClick, true},
    {"mnuAlwaysOnTop", "常に手前に表示(&A)", "", TPlace::Main, &TfrmMain::mnuAlwaysOnTopClick, true},
    {"mnuOptions", "オプション(&O)...", "", TPlace::Main, &TfrmMain::mnuOptionsClick},
    Separator(TPlace::Main),
    {"mnuMinimize", "タスクトレイに最小化(&M)", "Ctrl+M", TPlace::Main, &TfrmMain::mnuMinimizeClick},
    {"mnuExit", "終了(&X)", "", TPlace::Main, &TfrmMain::mnuExitClick},
}};

// The Pages submenu's fixed entries before the page entries.
constexpr int kFixedPageItems = 4;

// A title as menu text: its own characters, no mnemonic and no shortcut column made of them.
QString MenuText(const std::string& title) {
  QString text = qtui::FromCp932(title);
  text.replace(QLatin1Char('&'), QStringLiteral("&&"));
  text.replace(QLatin1Char('\t'), QLatin1Char(' '));
  return text;
}

}  // namespace

TMainMenu::TMainMenu(TfrmMain& window) : QMenu(&window), FWindow(window) {
  setObjectName(QStringLiteral("mnuMain"));
  QMenu* pageSettings = nullptr;
  auto menuAt = [&](TPlace place) -> QMenu& {
    switch (place) {
      case TPlace::Pages:
        return *FPages;
      case TPlace::PageSettings:
        return *pageSettings;
      case TPlace::Main:
        break;
    }
    return *this;
  };
  for (const TItem& item : kItems) {
    QMenu& menu = menuAt(item.Place);
    if (item.Submenu) {
      QMenu* submenu = menu.addMenu(QString::fromUtf8(item.Caption));
      submenu->setObjectName(QString::fromLatin1(item.Name));
      submenu->menuAction()->setObjectName(QString::fromLatin1(item.Name));
      (item.Opens == TPlace::Pages ? FPages : pageSettings) = submenu;
      continue;
    }
    if (item.Caption == std::string_view("-")) {
      menu.addSeparator();
      continue;
    }
    QAction* action = AddMenuItem(menu, true, item.Name, QString::fromUtf8(item.Caption),
                                  QString::fromLatin1(item.Shortcut), window, Qt::WindowShortcut);
    action->setCheckable(item.Checked);
    connect(action, &QAction::triggered, &window, item.Click);
  }
  connect(this, &QMenu::aboutToShow, this, &TMainMenu::UpdateChecks);
}

QAction* TMainMenu::Item(const char* name) const {
  for (QAction* action : findChildren<QAction*>(QString::fromLatin1(name)))
    if (action->objectName() == QLatin1String(name)) return action;
  return nullptr;
}

void TMainMenu::RebuildPageItems(const std::vector<std::string>& titles) {
  const QList<QAction*> items = FPages->actions();
  for (qsizetype i = kFixedPageItems; i < items.size(); ++i) {
    FWindow.removeAction(items[i]);
    FPages->removeAction(items[i]);
    items[i]->setShortcuts({});
    items[i]->deleteLater();
  }
  for (std::size_t i = 0; i < titles.size(); ++i) {
    const QString number = QString::number(i < 9 ? i + 1 : 0);
    const QString shortcut = i <= 9 ? QStringLiteral("Ctrl+") + number : QString();
    QAction* action = AddMenuItem(*FPages, true, "", QLatin1Char('&') + number + QLatin1Char(' ') + MenuText(titles[i]),
                                  shortcut, FWindow, Qt::WindowShortcut);
    action->setData(static_cast<int>(i));
    connect(action, &QAction::triggered, &FWindow, [this, i] { FWindow.JumpToPage(static_cast<int32_t>(i)); });
  }
}

void TMainMenu::UpdateChecks() {
  const std::vector<store::TMemoData>& pages = FWindow.Store().Pages;
  const auto index = static_cast<std::size_t>(FWindow.PageIndex());
  Item("mnuWordWrap")->setChecked(index < pages.size() && pages[index].WordWrap);
  Item("mnuAlwaysOnTop")->setChecked(FWindow.IsAlwaysOnTop());
}

}  // namespace app
