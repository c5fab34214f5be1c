// Not a test: writes PNGs of the note window for a person to look at: frame_shots OUTDIR. Rolled down
// with a selection and addresses, rolled up, with a skin file loaded, and at the minimum size.
#include <QApplication>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include <iostream>

#include "app/note_window.h"
#include "editor/control/editor.h"
#include "image/builtin_skin.h"
#include "platform/clock.h"
#include "platform/cp932.h"
#include "qt/editor_widget.h"
#include "qt/qt_skin_image.h"

namespace {

class TNoOpener : public qtui::TUrlOpener {
 public:
  void Open(const QString&) override {}
};

// The built-in skin in other colours, written where the window looks for skins.
void WriteTintedSkin(const QString& path) {
  QImage skin = qtui::ToQImage(image::BuiltInSkin()).convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < skin.height(); ++y)
    for (int x = 0; x < skin.width(); ++x) {
      const QColor c = skin.pixelColor(x, y);
      skin.setPixelColor(x, y, QColor(c.red(), c.green() * 9 / 10, c.blue() * 7 / 10));
    }
  skin.save(path, "BMP");
}

bool Save(QWidget& window, const QString& path) {
  QTest::qWait(200);  // paints, the caret's first blink
  const bool saved = window.grab().save(path);
  std::cout << (saved ? "wrote " : "FAILED ") << path.toStdString() << "\n";
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc < 2) {
    std::cerr << "usage: frame_shots OUTDIR\n";
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  QTemporaryDir folder;
  const std::filesystem::path exe = folder.path().toStdString() + "/tacknote";
  QDir(folder.path()).mkpath(QStringLiteral("SKINS"));
  WriteTintedSkin(folder.path() + QStringLiteral("/SKINS/TINT.BMP"));

  platform::SystemClock clock;
  qtui::TQtDialogService dialogs;
  TNoOpener opener;
  bool ok = true;
  {
    app::TfrmMain window(app::TNoteServices{clock, dialogs, opener, store::TPaths::FromExecutable(exe)});
    if (!window.FormCreate()) return 1;
    window.show();
    editor::TEditor& editor = window.Memo1().Editor();
    editor.Lines().SetText(platform::Utf8ToCp932(
        "買い物メモ\r\nhttp://example.com/shop?id=42 を見る\r\nwww.example.jp と a.b@example.co.jp\r\n"
        "牛乳、卵、パン\r\n" +
        std::string(60, 'x')));
    window.mnuWordWrapClick();
    for (int i = 0; i < 40; ++i) editor.Lines().Add("line " + std::to_string(i));
    editor.SetSelStart(0);
    editor.SetSelLength(10);
    ok &= Save(window, out.filePath(QStringLiteral("rolled_down.png")));
    window.SetWindowShade(true);
    ok &= Save(window, out.filePath(QStringLiteral("rolled_up.png")));
    window.SetWindowShade(false);
    window.resize(app::MinWindowWidth, app::MinWindowHeight);
    ok &= Save(window, out.filePath(QStringLiteral("minimum.png")));
    window.resize(352, 355);
    window.LoadSkin("TINT.BMP");
    ok &= Save(window, out.filePath(QStringLiteral("skin.png")));
    window.hide();  // no close: nothing is saved into the scratch folder's data file
  }
  return ok ? 0 : 1;
}
