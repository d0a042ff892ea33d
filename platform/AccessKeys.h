#pragma once
// Access keys of menus and buttons. A text marks its access key with '&'
// before the letter ("&Игра"), which the platform underlines; "&&" is a plain
// '&'. The text a person reads is the text without the marking.

#include <QChar>
#include <QString>

QString WithoutAccessKey(const QString& text);
// The marked letter, in lower case; a null QChar when the text marks none.
QChar AccessKey(const QString& text);
