#pragma once
// The application object: the process's setup and the event loop's default
// error handler. It speaks the language of the desktop (platform/Translation.h).

#include <QApplication>
#include <exception>

class TApplication : public QApplication {
public:
  // Also sets up the process: a write past a file-size limit fails rather
  // than ending the program.
  TApplication(int& argc, char** argv);

  // Delivers every event; an error that an event handler lets through is shown
  // in an error box and the program goes on. The last resort: handlers that
  // can raise run under RunGuarded.
  bool notify(QObject* receiver, QEvent* event) override;

  // Shows an error the way the event loop does.
  static void ShowException(const std::exception& error);
};

// Runs one of the program's own event handlers. An error it raises is shown
// as the event loop shows it, and never unwinds through the toolkit's frames
// (which are not built to let exceptions through).
template <class Handler>
void RunGuarded(Handler&& handler) noexcept
{
  try {
    handler();
  } catch (const std::exception& error) {
    TApplication::ShowException(error);
  }
}
