#include "platform/Fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

namespace {
// The bitmap font the layouts were drawn for.
const char* const BitmapFamily = "MS Sans Serif";
#ifdef Q_OS_WIN
// Windows still has that bitmap font, but the layouts were measured with the
// stand-in used elsewhere; Arial ships with Windows, Wine offers Liberation
// Sans in its place.
const char* const FamilyName = "Arial";
#else
const char* const FamilyName = BitmapFamily;
#endif
}  // namespace

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
  // The stand-in runs wider than the bitmap font: at full width "Начать
  // игру!" needs more than the 75-pixel button holds within the style's
  // margins. A slight narrowing brings the captions back inside.
  if (QFontInfo(font).family() != QString::fromLatin1(BitmapFamily))
    font.setStretch(95);
  return font;
}
