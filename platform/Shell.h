#pragma once
// Asks the desktop to "open" an address (a web page, a mailto: link).

#include <QString>
#include <functional>

// Returns false when the desktop could not open it; callers may ignore that.
bool ShellOpen(const QString& address);

// Routes ShellOpen to a handler instead of the desktop (an empty handler:
// the desktop again), so that the links can be checked without a browser.
void SetShellOpenHandler(std::function<bool(const QString&)> handler);

// The desktop's own way of opening an address, one for each platform.
bool DesktopOpen(const QString& address);
