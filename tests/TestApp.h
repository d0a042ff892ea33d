#pragma once
// The main() of a widget test suite: the program's own application object, so
// that errors reach the same handler as in the game. Suites speak Russian,
// the game's own language, whatever the machine's locale.

#include <QTest>

#include "platform/Application.h"
#include "platform/Translation.h"

#define VILTRON_TEST_MAIN(TestObject)                        \
  int main(int argc, char** argv)                            \
  {                                                          \
    TApplication app(argc, argv);                            \
    UseLanguage(QStringLiteral("ru"));                       \
    app.setAttribute(Qt::AA_Use96Dpi, true);                 \
    TestObject test;                                         \
    QTEST_SET_MAIN_SOURCE_PATH                               \
    return QTest::qExec(&test, argc, argv);                  \
  }
