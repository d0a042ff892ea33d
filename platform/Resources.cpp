#include "platform/Resources.h"

#include <QtCore/qglobal.h>

void InitResources()
{
  // The resources live in a static library; this keeps the linker from
  // dropping them.
  Q_INIT_RESOURCE(viltron);
}
