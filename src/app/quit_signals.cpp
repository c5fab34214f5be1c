// The signalfd behind the close request on SIGTERM, SIGINT and SIGHUP.
#include "app/quit_signals.h"

#include <QSocketNotifier>

#include <sys/signalfd.h>
#include <unistd.h>
#include <csignal>

namespace app {
namespace {

sigset_t QuitSignalSet() {
  sigset_t set;
  sigemptyset(&set);
  sigaddset(&set, SIGTERM);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGHUP);
  return set;
}

}  // namespace

void TQuitSignals::BlockQuitSignals() {
  sigset_t set = QuitSignalSet();
  pthread_sigmask(SIG_BLOCK, &set, nullptr);
}

TQuitSignals::TQuitSignals(QObject* parent) : QObject(parent) {
  sigset_t set = QuitSignalSet();
  FFd = signalfd(-1, &set, SFD_NONBLOCK | SFD_CLOEXEC);
  if (FFd < 0) return;  // the program still runs; it just cannot save on a signal
  FNotifier = new QSocketNotifier(FFd, QSocketNotifier::Read, this);
  connect(FNotifier, &QSocketNotifier::activated, this, &TQuitSignals::ReadSignals);
}

TQuitSignals::~TQuitSignals() {
  if (FFd >= 0) close(FFd);
}

void TQuitSignals::ReadSignals() {
  signalfd_siginfo info;
  bool any = false;
  while (read(FFd, &info, sizeof info) == static_cast<ssize_t>(sizeof info)) any = true;
  if (any) emit QuitRequested();
}

}  // namespace app
