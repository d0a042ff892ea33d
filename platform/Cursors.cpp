#include "platform/Cursors.h"

#include <QHash>
#include <QPixmap>

namespace {

QHash<int, QCursor>& Table()
{
  static QHash<int, QCursor> table{
      {crDefault, QCursor(Qt::ArrowCursor)},
      {crHourGlass, QCursor(Qt::WaitCursor)},
      {crNoDrop, QCursor(Qt::ForbiddenCursor)},
      {crHandPoint, QCursor(Qt::PointingHandCursor)},
  };
  return table;
}

}  // namespace

QCursor CursorByNumber(int number)
{
  return Table().value(number, QCursor(Qt::ArrowCursor));
}

void RegisterCursor(int number, const QCursor& cursor)
{
  Table().insert(number, cursor);
}

QCursor LoadCursorResource(const QString& name)
{
  const QPixmap picture(QStringLiteral(":/cursors/") + name);
  if (picture.isNull())
    return QCursor(Qt::ArrowCursor);
  return QCursor(picture, 0, 0);
}
