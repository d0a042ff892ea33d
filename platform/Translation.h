#pragma once
// The game's language. Its texts are written in Russian; translations are
// built into the program (one viltron_<language>.qm each, under :/i18n). The
// language is chosen once, at start-up, from the user's preferred languages;
// no setting is stored.

#include <QString>
#include <QStringList>

// The languages the game has, as codes: "ru" and one per translation.
QStringList Languages();

// The language for these preferences (locale names, most preferred first):
// the first that the game has. Russian when the list holds none (as for the
// C and POSIX locales).
QString ChooseLanguage(const QStringList& preferred);

// The choice for the desktop the program runs on: its user-interface
// languages as Qt reads them (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).
QString SystemLanguage();

// Makes every later tr() answer in the language; a code the game does not
// have gives Russian. Widgets made before keep their texts.
void UseLanguage(const QString& language);
