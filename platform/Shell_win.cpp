// The shell's "open" verb, which hands the address to the program that the
// user chose for it (the browser, the mail program). The active window owns
// any message the shell shows.

#include <QApplication>
#include <QWidget>

#include <windows.h>
#include <shellapi.h>

#include "platform/Shell.h"

bool DesktopOpen(const QString& address)
{
  const QWidget* active = QApplication::activeWindow();
  const HWND owner = active ? reinterpret_cast<HWND>(active->winId()) : nullptr;
  const auto result = reinterpret_cast<INT_PTR>(
      ShellExecuteW(owner, L"open", reinterpret_cast<LPCWSTR>(address.utf16()), nullptr,
                    nullptr, SW_SHOWNORMAL));
  return result > 32;  // smaller values are error codes
}
