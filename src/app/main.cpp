// The program's entry: one instance at a time, then the note window and its event loop.
#include <QApplication>
#include <QSessionManager>

#include <csignal>
#include <string>
#include <vector>

#include "app/note_window.h"
#include "app/quit_signals.h"
#include "platform/app_paths.h"
#include "platform/autostart.h"
#include "platform/clock.h"
#include "platform/instance_lock.h"
#include "platform/single_instance.h"
#include "qt/dialog_service.h"
#include "qt/url_opener.h"

int main(int argc, char** argv) {
  std::signal(SIGXFSZ, SIG_IGN);  // a file-size limit fails the save with an error instead of ending us mid-write
  const store::TPaths paths = store::TPaths::FromExecutable(platform::ExecutablePath());
  // A second copy (per user, or per data file) ends at once and silently; the running one is not told.
  platform::TSingleInstance instance;
  if (!instance.Start(platform::InstanceLock::DefaultDir(), "TACKNOTE_SINGLE", {paths.DatPath, paths.IniPath}))
    return 0;

  app::TQuitSignals::BlockQuitSignals();
  QApplication application(argc, argv);
  QApplication::setApplicationName(qtui::kApplicationTitle);
  QApplication::setQuitOnLastWindowClosed(false);  // the window's close check decides when we end

  platform::SystemClock clock;
  qtui::TQtDialogService dialogs;
  qtui::TDesktopUrlOpener opener;
  std::vector<std::string> arguments;  // what Qt left of the command line, after the program's name
  for (const QString& argument : QCoreApplication::arguments().mid(1)) arguments.push_back(argument.toStdString());
  app::TfrmMain window(app::TNoteServices{clock, dialogs, opener, paths, arguments, platform::ExecutablePath(),
                                          platform::DefaultAutostartDir()});

  // Listening before the start: a signal while a start-up message is open ends the program there.
  app::TQuitSignals quitSignals;
  QObject::connect(&quitSignals, &app::TQuitSignals::QuitRequested, &window, &app::TfrmMain::EndRequested);
  // The desktop session's end: the same end, with nothing the user would have to answer.
  QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                   [&window](QSessionManager&) { window.EndRequested(); });
  if (!window.FormCreate()) return window.Ending() ? 0 : 1;
  window.show();
  return QApplication::exec();
}
