#include "platform/Edit.h"

#include <QEvent>

bool TEdit::event(QEvent* event)
{
  // Leaving the override unaccepted lets a matching shortcut fire; a key with
  // no shortcut still reaches the box as an ordinary key press.
  if (event->type() == QEvent::ShortcutOverride) {
    event->ignore();
    return true;
  }
  return QLineEdit::event(event);
}
