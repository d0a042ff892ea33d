// The game's two languages: which one the desktop's settings choose, the
// English texts of every window and message box, and that the texts of both
// languages fit the fixed layouts.

#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QToolButton>
#include <functional>
#include <memory>

#include "BoxAnswerer.h"
#include "TestApp.h"
#include "platform/AccessKeys.h"
#include "main/GameWindows.h"
#include "main/WaitForm.h"
#include "platform/Fonts.h"
#include "platform/Screen.h"
#include "platform/StatusBar.h"
#include "platform/UpDown.h"

namespace {

const QRegularExpression Cyrillic(QStringLiteral("[\\x{0400}-\\x{04FF}]"));

// Every text a window shows or tells a screen reader, that is Russian.
QStringList RussianTexts(QWidget* window)
{
  QStringList texts{window->windowTitle()};
  for (QWidget* w : window->findChildren<QWidget*>()) {
    texts << w->toolTip() << w->accessibleName() << w->accessibleDescription();
    for (const char* property : {"text", "title", "plainText"})
      texts << w->property(property).toStringList();
    for (QAction* action : w->actions())
      texts << action->text();
  }
  return texts.filter(Cyrillic);
}

// What does not fit: a text wider or taller than the room its control gives
// it, or a control running out of its parent or into a sibling.
QStringList Overflows(QWidget* window)
{
  QStringList problems;
  for (QWidget* w : window->findChildren<QWidget*>()) {
    if (!w->isVisibleTo(window))
      continue;
    const QFontMetrics metrics = w->fontMetrics();
    QString text;
    QRect room;
    if (auto* label = qobject_cast<QLabel*>(w); label && !label->text().isEmpty()) {
      text = label->text();
      int indent = label->indent();
      if (indent < 0)
        indent = label->frameWidth() > 0 ? metrics.horizontalAdvance(u'x') / 2 : 0;
      room = label->contentsRect().adjusted(indent, 0, 0, 0);
    } else if (auto* button = qobject_cast<QPushButton*>(w)) {
      QStyleOptionButton option;
      option.initFrom(button);
      option.text = text = button->text();
      room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
      // The title stands on the frame, inset from both ends.
      text = group->title();
      room = group->rect().adjusted(8, 0, -8, 0);
    }
    if (!text.isEmpty() && (metrics.horizontalAdvance(text) > room.width() ||
                            metrics.height() > room.height() + 1))
      problems << QStringLiteral("\"%1\" does not fit %2 x %3")
                      .arg(text)
                      .arg(room.width())
                      .arg(room.height());
    // Labels that show a text stay inside their parent and clear of each other.
    auto* label = qobject_cast<QLabel*>(w);
    if (!label || label->text().isEmpty())
      continue;
    if (!w->parentWidget()->rect().contains(w->geometry()))
      problems << QStringLiteral("\"%1\" runs out of its parent").arg(label->text());
    for (QLabel* other : w->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly))
      if (other != label && !other->text().isEmpty() && other->isVisibleTo(window) &&
          other->geometry().intersects(label->geometry()))
        problems << QStringLiteral("\"%1\" runs into \"%2\"").arg(label->text(), other->text());
  }
  if (auto* more = window->findChild<QToolButton*>(QStringLiteral("qt_menubar_ext_button")))
    if (more->isVisible())
      problems << QStringLiteral("the menu bar hides items");
  return problems;
}

// How many lines the box wraps each of its lines into.
QList<int> WrappedLines(QPlainTextEdit* box)
{
  QList<int> lines;
  for (QTextBlock block = box->document()->begin(); block.isValid(); block = block.next())
    lines << block.layout()->lineCount();
  return lines;
}

// Accepts the next file dialog with a name typed into it.
void TypeIntoFileDialog(const QString& name)
{
  QTimer::singleShot(50, [name] {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    QVERIFY(dialog);
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
    static_cast<QDialog*>(dialog)->accept();  // the dialog's own checks run
  });
}

}  // namespace

class TestTranslation : public QObject {
  Q_OBJECT

private:
  std::unique_ptr<TGameWindows> FWindows;
  std::unique_ptr<TWaitForm> FWait;

  void MakeWindows(const QString& language)
  {
    FWait.reset();
    FWindows.reset();
    UseLanguage(language);
    FWindows = std::make_unique<TGameWindows>();
    FWait = std::make_unique<TWaitForm>(&FWindows->MainForm);
  }

private slots:
  void initTestCase() { QApplication::setFont(WindowFont()); }
  void cleanup() { UseLanguage(QStringLiteral("ru")); }

  // The program started with these settings names itself in the language
  // they choose.
  void languageFromEnvironment_data()
  {
    QTest::addColumn<QStringList>("settings");
    QTest::addColumn<QString>("title");
    const QString ru = QStringLiteral("Вилтрон"), en = QStringLiteral("Viltron");
    QTest::newRow("ru") << QStringList{"LANG=ru_RU.UTF-8"} << ru;
    QTest::newRow("C") << QStringList{"LANG=C"} << ru;
    QTest::newRow("POSIX over en") << QStringList{"LC_ALL=POSIX", "LANG=en_US.UTF-8"} << ru;
    QTest::newRow("de") << QStringList{"LANG=de_DE.UTF-8"} << ru;
    QTest::newRow("none set") << QStringList{} << ru;
    QTest::newRow("en") << QStringList{"LANG=en_US.UTF-8"} << en;
    QTest::newRow("de, then en") << QStringList{"LANG=de_DE.UTF-8", "LANGUAGE=de:en"} << en;
    QTest::newRow("ru before en") << QStringList{"LANG=en_US.UTF-8", "LANGUAGE=ru:en"} << ru;
    QTest::newRow("LANGUAGE over C") << QStringList{"LANG=C", "LANGUAGE=en_US:en"} << en;
    QTest::newRow("LANGUAGE ru") << QStringList{"LANG=C.UTF-8", "LANGUAGE=ru"} << ru;
    QTest::newRow("LC_MESSAGES over LANG")
        << QStringList{"LC_MESSAGES=en_US.UTF-8", "LANG=ru_RU.UTF-8"} << en;
  }
  void languageFromEnvironment()
  {
    QFETCH(QStringList, settings);
    QFETCH(QString, title);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
      environment.remove(QLatin1String(name));
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    for (const QString& setting : settings)
      environment.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1));
    QProcess probe;
    probe.setProcessEnvironment(environment);
    probe.start(QCoreApplication::applicationDirPath() + QStringLiteral("/language_probe"));
    QVERIFY(probe.waitForFinished(20000));
    QCOMPARE(QString::fromUtf8(probe.readAllStandardOutput()), title);
  }

  // With English chosen, every window speaks English.
  void englishWindows_data()
  {
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("english");
    MakeWindows(QStringLiteral("en"));
    TMainForm& main = FWindows->MainForm;
    TRulesForm& rules = FWindows->RulesForm;
    TAboutBox& about = FWindows->AboutBox;
    TWaitForm& wait = *FWait;
    for (QWidget* window : std::initializer_list<QWidget*>{&main, &rules, &about, &wait})
      QTest::addRow("%s: no Russian left", qPrintable(window->objectName()))
          << RussianTexts(window).join(u'|') << QString();
    auto menu = [](QMenu* menu) {
      QStringList items{WithoutAccessKey(menu->title())};
      for (QAction* action : menu->actions())
        items << WithoutAccessKey(action->text());
      return items.join(u'|');
    };
    QTest::newRow("main title") << main.windowTitle() << "Viltron";
    QTest::newRow("game menu") << menu(main.Game1) << "Game|New game|Give up|Take back|Redo move||Save|Load||Exit";
    QTest::newRow("options menu") << menu(main.N4) << "Options|Check moves|Sound|Remember game";
    QTest::newRow("hint menu") << menu(main.Solve1)
                               << "Hint|Solve all|One move||Can it be finished?|Sure move|Solve for certain";
    QTest::newRow("solve menu") << menu(main.All1) << "Solve all|At once!|Step by step";
    QTest::newRow("help menu") << menu(main.N5) << "?..|Rules||About...";
    QTest::newRow("shortcuts") << main.N1->shortcut().toString() + main.StepbyStep1->shortcut().toString()
                               << "Ctrl+F2Ctrl+C";
    QTest::newRow("button") << main.Button1->text() << "Start game!";
    QTest::newRow("size") << main.Label1->text() << "Size:";
    QTest::newRow("status") << main.StatusBar1->PanelText(0) + main.StatusBar1->PanelText(2)
                            << "Moves:Left:";
    QTest::newRow("file types") << main.SaveDialog1->nameFilters().join(u'|') << "Saved games (*.sav)";
    QTest::newRow("board") << main.Game->accessibleName() + u'|' + main.Game->accessibleDescription()
                           << "Board|Board 8 × 8, no moves";
    main.Game->SetState(gsPlay);
    QTest::newRow("button in a game") << main.Button1->text() << "Give up";
    QTest::newRow("solver") << wait.windowTitle() + u'|' + wait.Button1->text() + u'|' +
                                   wait.Button2->text() + u'|' + wait.StatusBar1->PanelText(1)
                            << "Please wait.|Best solution|Cancel|Thinking...";
    for (int tick = 0; tick < 20 * 8; ++tick)
      wait.Timer(wait.Timer1);
    QTest::newRow("solver, last remark") << wait.StatusBar1->PanelText(1) << "Hope dies last :(";
    QTest::newRow("rules") << rules.windowTitle() + u'|' + rules.BitBtn1->text() << "Rules of the game|OK!";
    QTest::newRow("rules text") << rules.RichEdit1->toPlainText().section(u'\n', 0, 2)
                                << "Goal: cover the whole board.\nRules: \n1. The knight moves in an L shape.";
    QTest::newRow("about") << QStringList{about.GroupBox1->title(), about.GroupBox2->title(),
                                          about.Label1->text(), about.Label5->text()}
                                  .join(u'|')
                           << "About...|Program|Viltron|The Viltron team";
  }
  void englishWindows()
  {
    QFETCH(QString, shown);
    QFETCH(QString, english);
    QCOMPARE(shown, english);
  }

  // With English chosen, every message box has English text, and the
  // toolkit's English title and buttons as in Russian.
  void englishBoxes_data()
  {
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("buttons");
    QTest::newRow("win") << "Information" << "Victory!" << "&Yes";
    QTest::newRow("lose") << "Information" << "You lost..." << "OK";
    QTest::newRow("illegal move")
        << "Error"
        << "The knight moves only in an L shape.\r\nEach cell can be visited only once.\r\n"
           "Move checking can be turned off in Options.\r\nF1 - help."
        << "OK";
    QTest::newRow("give up") << "Confirm" << "Abandon the game?" << "&Yes|&No";
    QTest::newRow("new game") << "Confirm" << "Start again?" << "&Yes|&No";
    QTest::newRow("replace file") << "Confirm" << "File \"game.sav\" already exists.\r\nReplace it?"
                                  << "&Yes|&No";
    QTest::newRow("not saved") << "Error" << "The game was not saved.\r\n<folder>/missing/game.sav"
                               << "OK";
    QTest::newRow("wrong file") << "Error" << "Wrong file.\r\nThis is not a saved \"Viltron\" game."
                                << "OK";
    QTest::newRow("screen too small")
        << "Error" << "Cannot load the game: the screen resolution is too low." << "OK";
    QTest::newRow("missing sound") << "Error" << "Resource not found!" << "OK";
  }
  void englishBoxes()
  {
    QFETCH(QString, title);
    QFETCH(QString, text);
    QFETCH(QString, buttons);
    QTemporaryDir folder;
    UseLanguage(QStringLiteral("en"));
    TMainForm main(folder.path());  // no sounds in that folder
    main.Sound1->setChecked(false);
    const QString saved = folder.filePath(QStringLiteral("game.sav"));
    const QString row = QString::fromLatin1(QTest::currentDataTag());
    if (row == QLatin1String("give up") || row == QLatin1String("new game"))
      QTest::mouseClick(main.Game, Qt::LeftButton, {}, QPoint(12, 12));  // the first move
    if (row == QLatin1String("screen too small")) {
      main.UpDown1->SetPosition(12);
      QVERIFY(main.Game->SaveToFile(saved));
      main.UpDown1->SetPosition(8);
      PretendScreenSize(main.frameGeometry().size());
    }
    if (row == QLatin1String("replace file"))
      QVERIFY(main.Game->SaveToFile(saved));
    TBoxAnswerer answerer(QMessageBox::No);
    const std::map<QString, std::function<void()>> show = {
        {"win", [&] { main.Win(nullptr); }},
        {"lose", [&] { main.Lose(nullptr); }},
        {"illegal move", [&] { main.Error(nullptr); }},
        {"give up", [&] { main.ButtonClick(nullptr); }},
        {"new game", [&] { main.NewGameClick(nullptr); }},
        {"replace file", [&] { TypeIntoFileDialog(folder.filePath("game")); main.N7Click(nullptr); }},
        {"not saved", [&] { TypeIntoFileDialog(folder.filePath("missing/game")); main.N7Click(nullptr); }},
        {"wrong file", [&] { main.WrongFileType(nullptr); }},
        {"screen too small", [&] { main.Game->LoadFromFile(saved); }},
        {"missing sound", [&] { RunGuarded([&] { main.PlaySoundRes(QStringLiteral("move")); }); }},
    };
    show.at(row)();
    PretendScreenSize(QSize());
    QCOMPARE(answerer.Count(), 1);
    QCOMPARE(answerer.Last().Title, title);
    QCOMPARE(answerer.Last().Text, text.replace(QStringLiteral("<folder>"), folder.path()));
    QCOMPARE(answerer.Last().Buttons.join(u'|'), buttons);
  }

  // In both languages every menu title and item has an access key, unique
  // within its menu; the menu bar is the menu of the titles.
  void accessKeys_data()
  {
    QTest::addColumn<QStringList>("texts");
    for (const char* language : {"ru", "en"}) {
      MakeWindows(QString::fromLatin1(language));
      QList<QWidget*> menus{FWindows->MainForm.MainMenu1};
      while (!menus.isEmpty()) {
        QWidget* menu = menus.takeFirst();
        QStringList texts;
        for (QAction* action : menu->actions()) {
          if (action->isSeparator())
            continue;
          texts << action->text();
          if (action->menu())
            menus << action->menu();
        }
        QTest::addRow("%s: %s", language, qPrintable(menu->objectName())) << texts;
      }
    }
  }
  void accessKeys()
  {
    QFETCH(QStringList, texts);
    QHash<QChar, QString> taken;
    QStringList problems;
    for (const QString& text : std::as_const(texts)) {
      const QChar key = AccessKey(text);
      if (key.isNull())
        problems << QStringLiteral("\"%1\" has no access key").arg(text);
      else if (taken.contains(key))
        problems << QStringLiteral("\"%1\" and \"%2\" share %3").arg(taken[key], text, key);
      else
        taken.insert(key, text);
    }
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
  }

  // The texts fit the fixed layouts in both languages: nothing cut short,
  // run into a neighbour, hidden from the menu bar, or wrapped onto more
  // lines than the Russian rules.
  void textsFit_data()
  {
    QTest::addColumn<QString>("language");
    QTest::newRow("ru") << "ru";
    QTest::newRow("en") << "en";
  }
  void textsFit()
  {
    QFETCH(QString, language);
    MakeWindows(QStringLiteral("ru"));
    FWindows->RulesForm.show();
    const QList<int> russianLines = WrappedLines(FWindows->RulesForm.RichEdit1);
    FWindows->RulesForm.reject();

    MakeWindows(language);
    TMainForm& main = FWindows->MainForm;
    TRulesForm& rules = FWindows->RulesForm;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QStringList problems = Overflows(&main);
    // The button's other captions: in a game, and during a replay.
    main.Game->SetState(gsPlay);
    problems << Overflows(&main);
    main.StepbyStep1Click(main.StepbyStep1);
    main.Timer->stop();
    QCOMPARE(main.Button1->text(), TMainForm::tr("Остановить"));
    problems << Overflows(&main);

    rules.show();
    problems << Overflows(&rules);
    if (rules.RichEdit1->verticalScrollBar()->maximum() > 0)
      problems << QStringLiteral("the rules run out of their box");
    const QList<int> lines = WrappedLines(rules.RichEdit1);
    rules.reject();
    for (int i = 0; i < lines.size(); ++i)
      if (lines[i] > russianLines.value(i))
        problems << QStringLiteral("rules line %1 wraps onto %2 lines").arg(i + 1).arg(lines[i]);

    problems << Overflows(&FWindows->AboutBox);
    // Every remark of the solver's window in turn.
    for (int remark = 0; remark < 9; ++remark) {
      problems << Overflows(FWait.get());
      for (int tick = 0; tick < 20; ++tick)
        FWait->Timer(FWait->Timer1);
    }
    problems.removeDuplicates();
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("; "))));
  }
};

VILTRON_TEST_MAIN(TestTranslation)
#include "test_translation.moc"
