#include "platform/Application.h"

#include "platform/Dialogs.h"
#include "platform/Fonts.h"
#include "platform/Resources.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv)
{
  InitResources();
  InitFonts();
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
