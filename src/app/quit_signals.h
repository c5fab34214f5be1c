// Turns SIGTERM, SIGINT and SIGHUP into a close request on the event loop, so a logout or shutdown saves.
#pragma once

#include <QObject>

class QSocketNotifier;

namespace app {

// Reads the signals through a signalfd: no handler runs in signal context and no global state is needed.
// BlockQuitSignals must run in main before any thread starts, so every thread leaves them to the signalfd.
class TQuitSignals : public QObject {
  Q_OBJECT

 public:
  static void BlockQuitSignals();

  explicit TQuitSignals(QObject* parent = nullptr);
  ~TQuitSignals() override;

 signals:
  void QuitRequested();

 private:
  void ReadSignals();

  int FFd = -1;
  QSocketNotifier* FNotifier = nullptr;
};

}  // namespace app
