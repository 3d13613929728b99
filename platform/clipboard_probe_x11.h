#pragma once
// Asks the X server's clipboard owner which formats it offers, on a
// connection of our own, so that the answer never holds up the program.
// Qt asks the owner on its own connection and waits for the answer; when the
// owner is stopped or busy, that wait freezes every window for a long time.

#include <QObject>
#include <QStringList>
#include <functional>
#include <memory>

class ClipboardProbeX11 : public QObject {
 public:
  // Calls answered(formats) each time an owner answers; formats are the
  // names of the offered targets ("image/png", ...). Gives back null when
  // no connection to the display could be made.
  static std::unique_ptr<ClipboardProbeX11> Connect(std::function<void(const QStringList&)> answered);
  ~ClipboardProbeX11() override;

  // Asks the current owner again; an answer to an earlier question that
  // has not come yet is dropped when it comes.
  void Ask();

  // Asks and waits at most timeoutMs for the answer, for a paste that is
  // about to read the clipboard. Gives back false when the owner did not
  // answer in time (or there is no owner); formats then stays empty.
  bool AskAndWait(int timeoutMs, QStringList& formats);

 private:
  struct Connection;
  explicit ClipboardProbeX11(std::unique_ptr<Connection> connection,
                             std::function<void(const QStringList&)> answered);
  void ReadEvents();

  std::unique_ptr<Connection> connection_;
  std::function<void(const QStringList&)> answered_;
};
