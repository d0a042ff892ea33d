#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {
const char* const FamilyName = "MS Sans Serif";
}

void InitFonts()
{
  // Liberation Sans has Arial's metrics, close to the bitmap font the
  // layouts were measured with; DejaVu Sans (the usual default) is wider.
  QFont::insertSubstitutions(QString::fromLatin1(FamilyName),
                             {QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                              QStringLiteral("Helvetica")});
}

QFont WindowFont()
{
  QFont font(QString::fromLatin1(FamilyName));
  font.setPixelSize(11);
  return font;
}
