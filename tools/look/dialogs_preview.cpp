// Opens either dialog over a stand-in note window, to look at them on a real X display:
// dialogs_preview options [TAB] | pages. The calls the dialog made are printed when it closes.
#include <QApplication>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>

#include <iostream>

#include "dialogs/memo_list_dialog.h"
#include "dialogs/options_dialog.h"
#include "fake_note_window.h"
#include "qt/qt_fonts.h"

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  qtui::InstallFontSubstitutions();
  QApplication::setWindowIcon(application.style()->standardIcon(QStyle::SP_FileDialogContentsView));
  const QString which = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("options");
  const int tab = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 0;

  dialogs_test::TFakeNoteWindow host;
  host.Window().setWindowTitle(QStringLiteral("note window stand-in"));
  host.Window().setGeometry(247, 142, 352, 355);
  host.Window().show();
  for (const char* name : {"Sakura.bmp", "blue.BMP", "DEFAULT.BMP", "Wood.bmp", "readme.txt"}) host.AddSkinFile(name);
  host.Settings().SkinFile = "default.bmp";
  host.SetOpacityQuietly(230);
  host.SetPages({"買い物メモ", "無題", "TODO 2025", "電話番号", "無題"}, 1);

  qtui::TQtDialogService service;
  if (which == QStringLiteral("pages")) {
    dialogs::RunMemoListDialog(host);
  } else {
    QTimer::singleShot(0, [tab] {
      if (QWidget* dialog = QApplication::activeModalWidget()) {
        if (auto* tabs = dialog->findChild<QTabWidget*>()) tabs->setCurrentIndex(tab);
      }
    });
    dialogs::RunOptionsDialog(host, service);
  }
  for (const std::string& call : host.Calls) std::cout << call << "\n";
  std::cout << "SkinFile=" << host.Settings().SkinFile << " HotKey=" << host.Settings().HotKey
            << " Resident=" << host.Settings().Resident << " Opacity=" << host.Opacity() << "\n";
  return 0;
}
