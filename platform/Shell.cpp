#include "platform/Shell.h"

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
  return DesktopOpen(address);
}

void SetShellOpenHandler(std::function<bool(const QString&)> handler)
{
  Handler() = std::move(handler);
}
