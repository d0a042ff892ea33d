#include <QDesktopServices>
#include <QUrl>

#include "platform/Shell.h"

bool DesktopOpen(const QString& address)
{
  return QDesktopServices::openUrl(QUrl(address));
}
