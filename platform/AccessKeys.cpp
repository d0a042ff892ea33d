#include "platform/AccessKeys.h"

QString WithoutAccessKey(const QString& text)
{
  QString shown;
  shown.reserve(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    if (text[i] == u'&' && i + 1 < text.size())
      ++i;
    shown += text[i];
  }
  return shown;
}

QChar AccessKey(const QString& text)
{
  for (qsizetype i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != u'&')
      continue;
    if (text[i + 1] != u'&')
      return text[i + 1].toLower();
    ++i;
  }
  return {};
}
