#include "platform/Translation.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTranslator>
#include <memory>

namespace {

const QString Russian = QStringLiteral("ru");
const QString Folder = QStringLiteral(":/i18n/");

QString FileOf(const QString& language)
{
  return QStringLiteral("viltron_%1.qm").arg(language);
}

QTranslator* Installed = nullptr;

}  // namespace

QStringList Languages()
{
  QStringList languages{Russian};
  for (const QString& file : QDir(Folder).entryList({FileOf(QStringLiteral("*"))}))
    languages << file.section(u'_', 1).section(u'.', 0, 0);
  return languages;
}

QString ChooseLanguage(const QStringList& preferred)
{
  const QStringList available = Languages();
  for (const QString& name : preferred) {
    const QString language = QLocale::languageToCode(QLocale(name).language());
    if (available.contains(language))
      return language;
  }
  return Russian;
}

QString SystemLanguage()
{
  return ChooseLanguage(QLocale::system().uiLanguages());
}

void UseLanguage(const QString& language)
{
  if (Installed) {
    QCoreApplication::removeTranslator(Installed);
    delete Installed;
    Installed = nullptr;
  }
  if (language == Russian)
    return;
  auto translator = std::make_unique<QTranslator>();
  // Were a translation missing, the game would stay Russian.
  if (translator->load(Folder + FileOf(language))) {
    Installed = translator.release();
    QCoreApplication::installTranslator(Installed);
  }
}
