#include "platform/Application.h"

#include <csignal>

#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/Resources.h"
#include "platform/Translation.h"

namespace {

// A file-size limit (ulimit -f) ends a process that writes past it with
// SIGXFSZ, and with it the game on the board. Ignored, such a write fails as
// any other, and a save reports it. Set before the toolkit starts, whose own
// buffers are files too.
int& IgnoreFileSizeSignal(int& argc)
{
#ifdef SIGXFSZ
  std::signal(SIGXFSZ, SIG_IGN);
#endif
  return argc;
}

}  // namespace

TApplication::TApplication(int& argc, char** argv)
    : QApplication(IgnoreFileSizeSignal(argc), argv)
{
  InitResources();
  InitFonts();
  UseLanguage(SystemLanguage());
#ifdef Q_OS_WIN
  // The layouts' margins are those of Qt's own style, which Linux shows.
  setStyle(QStringLiteral("Fusion"));
#endif
}

bool TApplication::notify(QObject* receiver, QEvent* event)
{
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(error);
  }
  return false;
}

void TApplication::ShowException(const std::exception& error)
{
  MessageDlg(QString::fromUtf8(error.what()), mtError, {mbOK});
}
