#include "platform/Sounds.h"

#include <QDir>
#include <QFileInfo>

EResNotFound::EResNotFound() : std::runtime_error("Ресурс не найден!") {}

TSoundBank::TSoundBank(const QString& folder, QObject* parent) : QObject(parent)
{
  const QDir dir(folder);
  for (const QFileInfo& file : dir.entryInfoList(QDir::Files))
    FClips.insert(file.completeBaseName().toUpper(), Load(file.absoluteFilePath()));
}

void TSoundBank::Play(const QString& name)
{
  const auto clip = FClips.constFind(name.toUpper());
  if (clip == FClips.constEnd())
    throw EResNotFound();
  Start(*clip);
  FLastPlayed = name.toUpper();
}
