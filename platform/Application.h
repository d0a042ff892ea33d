#pragma once
// The application object: the event loop's default error handler.

#include <QApplication>
#include <exception>

class TApplication : public QApplication {
public:
  TApplication(int& argc, char** argv);

  // Delivers every event; an error that an event handler lets through is shown
  // in an error box and the program goes on.
  bool notify(QObject* receiver, QEvent* event) override;

  // Shows an error the way the event loop does.
  static void ShowException(const std::exception& error);
};
