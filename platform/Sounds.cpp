#include "platform/Sounds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

EResNotFound::EResNotFound()
    : std::runtime_error(
          QCoreApplication::translate("TSoundBank", "Ресурс не найден!").toStdString())
{
}

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
