#include "platform/Shell.h"

#include <QDesktopServices>
#include <QUrl>

namespace {
std::function<bool(const QString&)>& Handler()
{
  static std::function<bool(const QString&)> handler;
  return handler;
}
}  // namespace

bool ShellOpen(const QString& address)
{
  if (Handler())
    return Handler()(address);
  return QDesktopServices::openUrl(QUrl(address));
}

void SetShellOpenHandler(std::function<bool(const QString&)> handler)
{
  Handler() = std::move(handler);
}
