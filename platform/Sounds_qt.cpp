// Sounds through Qt Multimedia: one effect per clip, loaded at start.

#include <QSoundEffect>
#include <QUrl>

#include "platform/Sounds.h"

TSoundBank::TClip TSoundBank::Load(const QString& path)
{
  auto* clip = new QSoundEffect(this);
  clip->setSource(path.startsWith(u':') ? QUrl(QStringLiteral("qrc") + path)
                                        : QUrl::fromLocalFile(path));
  return clip;
}

void TSoundBank::Start(const TClip& clip)
{
  for (QSoundEffect* other : std::as_const(FClips))
    if (other != clip)
      other->stop();
  clip->stop();
  clip->play();
}
