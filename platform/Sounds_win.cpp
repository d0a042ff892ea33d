// Sounds through winmm: the whole WAVE file played from memory, without
// waiting. Starting a clip stops the one playing.

#include <QFile>
#include <QtDebug>

#include <windows.h>
#include <mmsystem.h>

#include "platform/Sounds.h"

TSoundBank::TClip TSoundBank::Load(const QString& path)
{
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return {};
  return file.readAll();
}

void TSoundBank::Start(const TClip& clip)
{
  // The bytes stay in FClips for as long as the clip may play.
  static bool warned = false;
  if (!PlaySoundW(reinterpret_cast<LPCWSTR>(clip.constData()), nullptr,
                  SND_MEMORY | SND_ASYNC | SND_NODEFAULT) &&
      !warned) {
    warned = true;
    qWarning("Sounds cannot be played: no audio device?");
  }
}
