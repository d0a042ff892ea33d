#include "platform/Sounds.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSoundEffect>
#include <QUrl>

EResNotFound::EResNotFound()
    : std::runtime_error(
          QCoreApplication::translate("TSoundBank", "Ресурс не найден!").toStdString())
{
}

TSoundBank::TSoundBank(const QString& folder, QObject* parent) : QObject(parent)
{
  const QDir dir(folder);
  for (const QFileInfo& file : dir.entryInfoList(QDir::Files)) {
    auto* clip = new QSoundEffect(this);
    const QString path = file.absoluteFilePath();
    clip->setSource(path.startsWith(u':') ? QUrl(QStringLiteral("qrc") + path)
                                          : QUrl::fromLocalFile(path));
    FClips.insert(file.completeBaseName().toUpper(), clip);
  }
}

void TSoundBank::Play(const QString& name)
{
  QSoundEffect* clip = FClips.value(name.toUpper());
  if (!clip)
    throw EResNotFound();
  for (QSoundEffect* other : std::as_const(FClips))
    if (other != clip)
      other->stop();
  clip->stop();
  clip->play();
  FLastPlayed = name.toUpper();
}
