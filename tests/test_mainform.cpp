// The main window: its layout and menu at start-up, games played by clicks on
// the board, the button and menu commands with their questions, the options,
// the keyboard shortcuts, missing sounds and the exit command.

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "BoardTestKit.h"
#include "BoxAnswerer.h"
#include "TestApp.h"
#include "platform/AccessKeys.h"
#include "board/Random.h"
#include "main/MainForm.h"
#include "platform/Edit.h"
#include "platform/Sounds.h"
#include "platform/StatusBar.h"
#include "platform/UpDown.h"

namespace {

const QString StartCaption = QStringLiteral("Начать игру!");
const QString GiveUpCaption = QStringLiteral("Сдаться");
const QString RulesText = QStringLiteral(
    "Ходить можно только буквой Г.\r\n"
    "На клетку можно ходить только 1 раз.\r\n"
    "Проверку ошибок можно отключить в настройках.\r\n"
    "F1 - помощь.");

using TWalk = QVector<QPoint>;

// A cell that no knight's jump from (x, y) reaches, nor the cell itself.
QPoint NotAJumpFrom(int n, QPoint from)
{
  for (int x = 0; x < n; ++x) {
    for (int y = 0; y < n; ++y) {
      if (!IsJump(from, QPoint(x, y)) && QPoint(x, y) != from)
        return QPoint(x, y);
    }
  }
  return {-1, -1};
}

int NumberedCells(const TMainForm& form)
{
  return ::NumberedCells(form.Game->Board(), form.Game->Size());
}

// What the window looked like when a message box came up.
struct TWindowAtBox {
  QString Text;
  QString Button1;
  bool N1Enabled = false;
  TGameState State = gsNew;
  QString LastSound;
  bool NewGameChecked = false;
};

// Takes a snapshot of the window each time a message box is shown, before
// anyone can answer it.
class TBoxWatch : public QObject {
public:
  explicit TBoxWatch(const TMainForm& form) : FForm(form) { qApp->installEventFilter(this); }
  ~TBoxWatch() override { qApp->removeEventFilter(this); }

  QVector<TWindowAtBox> Seen;

protected:
  bool eventFilter(QObject* watched, QEvent* event) override
  {
    if (event->type() == QEvent::Show) {
      if (auto* box = qobject_cast<QMessageBox*>(watched)) {
        TWindowAtBox at;
        at.Text = box->text();
        at.Button1 = FForm.Button1->text();
        at.N1Enabled = FForm.N1->isEnabled();
        at.State = FForm.Game->State();
        at.LastSound = FForm.Sounds()->LastPlayed();
        at.NewGameChecked = FForm.NewGame1->isChecked();
        Seen << at;
      }
    }
    return QObject::eventFilter(watched, event);
  }

private:
  const TMainForm& FForm;
};

// Records the board's start and stop events in order, then runs the window's
// own handlers.
void LogStartStop(TMainForm& form, QStringList& log)
{
  const TNotifyEvent start = form.Game->OnStart;
  const TNotifyEvent stop = form.Game->OnStop;
  form.Game->OnStart = [start, &log](QObject* sender) {
    log << QStringLiteral("start");
    start(sender);
  };
  form.Game->OnStop = [stop, &log](QObject* sender) {
    log << QStringLiteral("stop");
    stop(sender);
  };
}

struct TMenuEntry {
  QString Caption;  // empty for a separator
  QKeySequence Shortcut;
};

void CheckMenu(const QMenu* menu, const QVector<TMenuEntry>& expected)
{
  const QList<QAction*> actions = menu->actions();
  QCOMPARE(actions.size(), expected.size());
  for (int i = 0; i < expected.size(); ++i) {
    const QString where = menu->title() + QLatin1Char('/') + QString::number(i);
    QVERIFY2(actions[i]->isSeparator() == expected[i].Caption.isEmpty(), qPrintable(where));
    if (!expected[i].Caption.isEmpty()) {
      QCOMPARE(WithoutAccessKey(actions[i]->text()), expected[i].Caption);
      QCOMPARE(actions[i]->shortcut(), expected[i].Shortcut);
    }
  }
}

// A folder holding only the named clips of the program.
void CopyClips(const QTemporaryDir& dir, const QStringList& names)
{
  for (const QString& name : names)
    QVERIFY(QFile::copy(QStringLiteral(":/sounds/%1.wav").arg(name),
                        dir.filePath(name + QStringLiteral(".wav"))));
}

}  // namespace

class TMainFormTest : public QObject {
  Q_OBJECT

private slots:
  void f10OpensTheGameMenu();
  // Start-up.
  void windowAtStartUp();
  void controlsAtStartUp();
  void statusBarAtStartUp();
  void menuAtStartUp();
  void captionsFitTheirControls();

  // Playing by clicks.
  void firstClickStartsTheGame();
  void illegalMoveShowsTheRules();
  void illegalMoveWithoutRulesBox();
  void soundOffKeepsEveryBox();
  void completeTourWins();
  void keyboardOnlyWin();
  void strandedKnightLoses();

  // Commands.
  void buttonGivesUpAndClears();
  void menuGivesUpAndKeepsMoves();
  void buttonStartsAGame();
  void keysPressTheFocusedButton_data();
  void keysPressTheFocusedButton();
  void newGameCommand();

  // Keyboard.
  void ctrlCFromAnyFocus_data();
  void ctrlCFromAnyFocus();
  void gameShortcutsFromTheSizeBox();

  // Missing sounds.
  void missingMoveSound();
  void missingEndSound_data();
  void missingEndSound();

  // Leaving the program: these run the application's own loop, so they come last.
  void exitCommandEndsTheLoop();
  void closingTheWindowEndsTheLoop();
};

void TMainFormTest::windowAtStartUp()
{
  TMainForm form;
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));

  QCOMPARE(form.windowTitle(), QStringLiteral("Вилтрон"));
  QCOMPARE(form.Client->size(), QSize(216, 284));
  // The client area is all of the window below the menu bar.
  QCOMPARE(form.Client->geometry().top(), form.MainMenu1->geometry().bottom() + 1);
  QCOMPARE(form.height(), form.Client->geometry().bottom() + 1);
  QCOMPARE(form.width(), 216);

  // Fixed size: the user cannot drag a border.
  QCOMPARE(form.minimumSize(), form.maximumSize());
  QCOMPARE(form.size(), form.minimumSize());
  // Title bar with system menu and minimise, without maximise.
  const Qt::WindowFlags flags = form.windowFlags();
  QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
  QVERIFY(flags.testFlag(Qt::WindowTitleHint));
  QVERIFY(flags.testFlag(Qt::WindowSystemMenuHint));
  QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
  QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
}

void TMainFormTest::controlsAtStartUp()
{
  TMainForm form;

  QCOMPARE(form.Panel2->geometry(), QRect(8, 8, 200, 40));
  QCOMPARE(form.Button1->parentWidget(), form.Panel2);
  QCOMPARE(form.Button1->geometry(), QRect(8, 8, 75, 24));
  QCOMPARE(form.Label1->parentWidget(), form.Panel2);
  QCOMPARE(form.Label1->geometry(), QRect(104, 12, 42, 13));
  QCOMPARE(form.Edit1->parentWidget(), form.Panel2);
  QCOMPARE(form.Edit1->geometry(), QRect(152, 8, 25, 21));
  QCOMPARE(form.UpDown1->parentWidget(), form.Panel2);
  QCOMPARE(form.UpDown1->geometry(), QRect(177, 8, 13, 21));
  QCOMPARE(form.Game->geometry(), QRect(8, 56, 200, 200));
  QCOMPARE(form.StatusBar1->geometry(), QRect(0, 264, 216, 20));

  QCOMPARE(form.Button1->text(), StartCaption);
  QCOMPARE(form.Label1->text(), QStringLiteral("Размер:"));
  QCOMPARE(form.Edit1->text(), QStringLiteral("8"));
  QVERIFY(form.Edit1->isEnabled());
  QVERIFY(form.Edit1->isReadOnly());
  QVERIFY(form.UpDown1->isEnabled());
  QCOMPARE(form.UpDown1->Position(), 8);
  QCOMPARE(form.UpDown1->Min(), 5);

  QCOMPARE(form.Game->State(), gsNew);
  QCOMPARE(form.Game->Size(), 8);
  QCOMPARE(form.Game->Cursor(), crKnight);
  QVERIFY(form.Timer->interval() == 500 && !form.Timer->isActive());
}

void TMainFormTest::statusBarAtStartUp()
{
  TMainForm form;
  TStatusBar* bar = form.StatusBar1;

  const QStringList texts{QStringLiteral("Число:"), QString(), QStringLiteral("Осталось:"),
                          QString(), QString()};
  QCOMPARE(bar->PanelCount(), texts.size());
  for (int i = 0; i < texts.size(); ++i)
    QCOMPARE(bar->PanelText(i), texts[i]);

  // Each panel begins where the width of the one before it ends; the last
  // one reaches the bar's right edge.
  const int widths[] = {40, 30, 60, 30};
  int left = 0;
  for (int i = 0; i < 4; ++i) {
    QCOMPARE(bar->Panel(i)->x(), left);
    QVERIFY(bar->Panel(i)->geometry().right() < left + widths[i]);
    left += widths[i];
  }
  QCOMPARE(bar->Panel(4)->x(), left);
  QCOMPARE(bar->Panel(4)->geometry().right(), bar->width() - 1);
}

void TMainFormTest::menuAtStartUp()
{
  TMainForm form;

  const QList<QAction*> top = form.MainMenu1->actions();
  QCOMPARE(top.size(), 4);
  QCOMPARE(top[0], form.Game1->menuAction());
  QCOMPARE(top[1], form.N4->menuAction());
  QCOMPARE(top[2], form.Solve1->menuAction());
  QCOMPARE(top[3], form.N5->menuAction());
  QCOMPARE(WithoutAccessKey(form.Game1->title()), QStringLiteral("Игра"));
  QCOMPARE(WithoutAccessKey(form.N4->title()), QStringLiteral("Настройки"));
  QCOMPARE(WithoutAccessKey(form.Solve1->title()), QStringLiteral("Подсказка"));
  QCOMPARE(WithoutAccessKey(form.N5->title()), QStringLiteral("?.."));
  QCOMPARE(WithoutAccessKey(form.All1->title()), QStringLiteral("Решить всё"));

  const QKeySequence none;
  CheckMenu(form.Game1, {{QStringLiteral("Новая игра"), QKeySequence(Qt::Key_F2)},
                         {QStringLiteral("Сдаться"), QKeySequence(Qt::CTRL | Qt::Key_F2)},
                         {QStringLiteral("Вернуть ход"), QKeySequence(Qt::ALT | Qt::Key_Backspace)},
                         {QStringLiteral("Повторить ход"),
                          QKeySequence(Qt::SHIFT | Qt::ALT | Qt::Key_Backspace)},
                         {QString(), none},
                         {QStringLiteral("Сохранить"), QKeySequence(Qt::CTRL | Qt::Key_S)},
                         {QStringLiteral("Загрузить"), QKeySequence(Qt::CTRL | Qt::Key_L)},
                         {QString(), none},
                         {QStringLiteral("Выход"), QKeySequence(Qt::CTRL | Qt::Key_Q)}});
  CheckMenu(form.N4, {{QStringLiteral("Проверка ошибок"), none},
                      {QStringLiteral("Звук"), none},
                      {QStringLiteral("Запоминать игру"), none}});
  CheckMenu(form.Solve1, {{QStringLiteral("Решить всё"), none},
                          {QStringLiteral("Один ход"), QKeySequence(Qt::CTRL | Qt::Key_Z)},
                          {QString(), none},
                          {QStringLiteral("Можно ли пройти?"), QKeySequence(Qt::Key_F6)},
                          {QStringLiteral("Верный ход"), QKeySequence(Qt::Key_F7)},
                          {QStringLiteral("Решить наверняка"), QKeySequence(Qt::Key_F8)}});
  CheckMenu(form.All1, {{QStringLiteral("Сразу!"), QKeySequence(Qt::CTRL | Qt::Key_X)},
                        {QStringLiteral("По шагам"), QKeySequence(Qt::CTRL | Qt::Key_C)}});
  CheckMenu(form.N5, {{QStringLiteral("Правила"), QKeySequence(Qt::Key_F1)},
                      {QString(), none},
                      {QStringLiteral("О..."), none}});

  // The named members are the entries of the menu.
  const QList<QAction*> game = form.Game1->actions();
  const QList<QAction*> expectedGame{form.NewGame1, form.N1, form.TakeBack1, form.Redo1, form.N2,
                                     form.N7,       form.N8, form.N6,        form.N3};
  QCOMPARE(game, expectedGame);
  QCOMPARE(form.N4->actions(),
           (QList<QAction*>{form.ShowErrors1, form.Sound1, form.Remember1}));
  QCOMPARE(form.Solve1->actions().mid(0, 2),
           (QList<QAction*>{form.All1->menuAction(), form.OneStep1}));
  QCOMPARE(form.All1->actions(), (QList<QAction*>{form.Now1, form.StepbyStep1}));
  QCOMPARE(form.N5->actions(), (QList<QAction*>{form.Rules2, form.Rules1, form.About1}));

  // States at start.
  QVERIFY(!form.N1->isEnabled());
  QVERIFY(!form.N2->isEnabled());
  QVERIFY(!form.Rules1->isEnabled());
  QVERIFY(form.NewGame1->isCheckable());
  QVERIFY(!form.NewGame1->isChecked());
  QVERIFY(form.ShowErrors1->isCheckable() && form.ShowErrors1->isChecked());
  QVERIFY(form.Sound1->isCheckable() && form.Sound1->isChecked());
  QVERIFY(form.OneStep1->isEnabled() && form.All1->menuAction()->isEnabled());

  // Default items are bold, the others are not.
  for (QAction* item : {form.NewGame1, form.Now1, form.About1})
    QVERIFY2(item->font().bold(), qPrintable(item->text()));
  for (QAction* item : {form.N1, form.N3, form.StepbyStep1, form.OneStep1, form.Rules2,
                        form.ShowErrors1})
    QVERIFY2(!item->font().bold(), qPrintable(item->text()));
}

void TMainFormTest::captionsFitTheirControls()
{
  TMainForm form;
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));

  // The button draws its caption inside its contents less the style's margin
  // on either side.
  QPushButton* button = form.Button1;
  const QFontMetrics buttonFont(button->font());
  const int margin = button->style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, button);
  const int room = button->contentsRect().width() - 2 * margin;
  for (const QString& caption : {StartCaption, GiveUpCaption}) {
    const int needed = buttonFont.horizontalAdvance(caption);
    QVERIFY2(needed < room, qPrintable(QStringLiteral("%1: %2 px of text, %3 px of room")
                                           .arg(caption)
                                           .arg(needed)
                                           .arg(room)));
  }

  // The progress window's widest caption, on a button of its size in the
  // same font.
  QPushButton best(QStringLiteral("Лучшее решение"), &form);
  best.setGeometry(0, 0, 97, 25);
  const int bestRoom = best.contentsRect().width() -
                       2 * best.style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &best);
  QVERIFY2(QFontMetrics(best.font()).horizontalAdvance(best.text()) < bestRoom,
           "Лучшее решение");

  // The size label and the status panels show their texts whole: a
  // left-aligned label starts its text after the indent.
  const auto fits = [](const QLabel* label) {
    const int room = label->contentsRect().width() - qMax(0, label->indent());
    return QFontMetrics(label->font()).horizontalAdvance(label->text()) <= room;
  };
  QVERIFY2(fits(form.Label1), qPrintable(form.Label1->text()));
  QVERIFY2(fits(form.StatusBar1->Panel(0)), "Число:");
  QVERIFY2(fits(form.StatusBar1->Panel(2)), "Осталось:");
  // A four-digit count, as boards from 32 x 32 on reach, shows whole too.
  form.StatusBar1->SetPanelText(1, QStringLiteral("1024"));
  QVERIFY2(fits(form.StatusBar1->Panel(1)), "1024");
}

void TMainFormTest::firstClickStartsTheGame()
{
  TMainForm form;
  TBoxAnswerer answerer;
  QStringList log;
  // What the status bar shows right after the window's start handler.
  QString countAtStart;
  QString leftAtStart;
  const TNotifyEvent start = form.Game->OnStart;
  form.Game->OnStart = [&](QObject* sender) {
    log << QStringLiteral("start");
    start(sender);
    countAtStart = form.StatusBar1->PanelText(1);
    leftAtStart = form.StatusBar1->PanelText(3);
  };
  const TNotifyEvent move = form.Game->OnMove;
  form.Game->OnMove = [&](QObject* sender) {
    log << QStringLiteral("move");
    move(sender);
  };

  const TWalk walk = FindShortestWalk(8, false);
  QVERIFY(walk.size() >= 3);
  ClickCell(*form.Game, walk[0]);

  // The game started by itself, before the move was recorded.
  QCOMPARE(log, (QStringList{QStringLiteral("start"), QStringLiteral("move")}));
  QCOMPARE(countAtStart, QStringLiteral("0"));
  QCOMPARE(leftAtStart, QStringLiteral("64"));
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Button1->text(), GiveUpCaption);
  QVERIFY(form.N1->isEnabled());
  QCOMPARE(WithoutAccessKey(form.N1->text()), GiveUpCaption);
  QVERIFY(!form.Edit1->isEnabled());
  QVERIFY(!form.UpDown1->isEnabled());

  // Then the move itself: its number on the board, the counts, the sound.
  QCOMPARE(form.Game->Board()[walk[0].x()][walk[0].y()], 1);
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("1"));
  QCOMPARE(form.StatusBar1->PanelText(3), QStringLiteral("63"));
  QCOMPARE(form.Sounds()->LastPlayed(), QStringLiteral("MOVE"));

  ClickCell(*form.Game, walk[1]);
  QCOMPARE(form.Game->Board()[walk[1].x()][walk[1].y()], 2);
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("2"));
  QCOMPARE(form.StatusBar1->PanelText(3), QStringLiteral("62"));
  QCOMPARE(log.count(QStringLiteral("start")), 1);
  QCOMPARE(answerer.Count(), 0);
}

void TMainFormTest::illegalMoveShowsTheRules()
{
  TMainForm form;
  TBoxAnswerer answerer(QMessageBox::Ok);
  const TWalk walk = FindShortestWalk(8, false);
  ClickCell(*form.Game, walk[0]);
  QCOMPARE(form.Sounds()->LastPlayed(), QStringLiteral("MOVE"));

  const QPoint wrong = NotAJumpFrom(8, walk[0]);
  ClickCell(*form.Game, wrong);
  QCOMPARE(answerer.Count(), 1);
  const TSeenBox box = answerer.Last();
  QCOMPARE(box.Title, QStringLiteral("Error"));
  QCOMPARE(box.Icon, QMessageBox::Critical);
  QCOMPARE(box.Buttons, QStringList{QStringLiteral("OK")});
  QCOMPARE(box.Text, RulesText);
  QCOMPARE(form.Sounds()->LastPlayed(), QStringLiteral("ERROR"));
  // The board refused the move.
  QCOMPARE(form.Game->Count(), 1);
  QCOMPARE(form.Game->Board()[wrong.x()][wrong.y()], 0);
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("1"));

  // The knight's own cell is no move either.
  ClickCell(*form.Game, walk[0]);
  QCOMPARE(answerer.Count(), 2);
  QCOMPARE(answerer.Last().Text, RulesText);
  QCOMPARE(form.Game->Count(), 1);

  // A legal move is still possible afterwards.
  ClickCell(*form.Game, walk[1]);
  QCOMPARE(form.Game->Count(), 2);
  QCOMPARE(answerer.Count(), 2);
}

void TMainFormTest::illegalMoveWithoutRulesBox()
{
  TMainForm form;
  TBoxAnswerer answerer(QMessageBox::Ok);
  form.ShowErrors1->trigger();
  QVERIFY(!form.ShowErrors1->isChecked());

  const TWalk walk = FindShortestWalk(8, false);
  ClickCell(*form.Game, walk[0]);
  QCOMPARE(form.Sounds()->LastPlayed(), QStringLiteral("MOVE"));
  const QPoint wrong = NotAJumpFrom(8, walk[0]);
  ClickCell(*form.Game, wrong);
  QCOMPARE(answerer.Count(), 0);
  QCOMPARE(form.Sounds()->LastPlayed(), QStringLiteral("ERROR"));
  QCOMPARE(form.Game->Count(), 1);
  QCOMPARE(form.Game->Board()[wrong.x()][wrong.y()], 0);

  // Choosing the option again brings the box back.
  form.ShowErrors1->trigger();
  QVERIFY(form.ShowErrors1->isChecked());
  ClickCell(*form.Game, wrong);
  QCOMPARE(answerer.Count(), 1);
  QCOMPARE(answerer.Last().Text, RulesText);
}

void TMainFormTest::soundOffKeepsEveryBox()
{
  TMainForm form;
  TBoxAnswerer answerer(QMessageBox::Ok);
  form.Sound1->trigger();
  QVERIFY(!form.Sound1->isChecked());

  const TWalk walk = FindShortestWalk(8, false);
  ClickCell(*form.Game, walk[0]);
  QCOMPARE(form.Game->Count(), 1);
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("1"));
  ClickCell(*form.Game, NotAJumpFrom(8, walk[0]));
  QCOMPARE(answerer.Count(), 1);
  QCOMPARE(answerer.Last().Text, RulesText);
  // To the end of a lost game: its box still comes, no clip ever started.
  for (int i = 1; i < walk.size(); ++i)
    ClickCell(*form.Game, walk[i]);
  QCOMPARE(answerer.Count(), 2);
  QCOMPARE(answerer.Last().Text, QStringLiteral("Вы проиграли..."));
  QCOMPARE(form.Game->State(), gsStop);
  QCOMPARE(form.Sounds()->LastPlayed(), QString());

  // Switched back on, the next move is heard again.
  form.Sound1->trigger();
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  ClickCell(*form.Game, walk[0]);
  QCOMPARE(form.Sounds()->LastPlayed(), QStringLiteral("MOVE"));
}

void TMainFormTest::completeTourWins()
{
  TMainForm form;
  form.Game->SetSize(5);
  TBoxAnswerer answerer(QMessageBox::Yes);
  TBoxWatch watch(form);

  const TWalk tour = FindShortestWalk(5, true);
  QCOMPARE(tour.size(), 25);
  Play(*form.Game, tour.mid(0, 24));
  QCOMPARE(answerer.Count(), 0);
  QCOMPARE(form.StatusBar1->PanelText(3), QStringLiteral("1"));

  ClickCell(*form.Game, tour.last());
  QCOMPARE(answerer.Count(), 1);
  const TSeenBox box = answerer.Last();
  QCOMPARE(box.Text, QStringLiteral("Победа!"));
  QCOMPARE(box.Title, QStringLiteral("Information"));
  QCOMPARE(box.Icon, QMessageBox::Information);
  QCOMPARE(box.Buttons, QStringList{QStringLiteral("&Yes")});

  // The box came while the game still ran, after the win sound had started.
  QCOMPARE(watch.Seen.size(), 1);
  QCOMPARE(watch.Seen[0].Button1, GiveUpCaption);
  QVERIFY(watch.Seen[0].N1Enabled);
  QCOMPARE(watch.Seen[0].State, gsPlay);
  QCOMPARE(watch.Seen[0].LastSound, QStringLiteral("WIN"));

  // Once it is answered, the game is stopped.
  QCOMPARE(form.Game->State(), gsStop);
  QCOMPARE(form.Game->Count(), 25);
  QCOMPARE(form.Button1->text(), StartCaption);
  QVERIFY(!form.N1->isEnabled());
  QCOMPARE(WithoutAccessKey(form.N1->text()), GiveUpCaption);
  QVERIFY(form.Edit1->isEnabled() && form.UpDown1->isEnabled());
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("25"));
  QCOMPARE(form.StatusBar1->PanelText(3), QStringLiteral("0"));
  QCOMPARE(form.Sounds()->LastPlayed(), QStringLiteral("WIN"));

  // Presses on a finished game do nothing.
  ClickCell(*form.Game, tour[0]);
  QCOMPARE(answerer.Count(), 1);
  QCOMPARE(form.Game->Count(), 25);
}

void TMainFormTest::f10OpensTheGameMenu()
{
  TMainForm form;
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  form.Game->setFocus();
  QTest::keyClick(form.windowHandle(), Qt::Key_F10);
  QTRY_VERIFY(form.Game1->isVisible());
  QCOMPARE(form.MainMenu1->activeAction(), form.Game1->menuAction());
  form.Game1->close();
}

void TMainFormTest::keyboardOnlyWin()
{
  // Tab from the size selector to the board, then a whole tour by keys: the
  // arrows to the first cell, Page Down through the knight's choices, Enter.
  TMainForm form;
  TBoxAnswerer answerer(QMessageBox::Yes);
  form.Game->SetSize(5);
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  form.UpDown1->setFocus();
  QTest::keyClick(form.windowHandle(), Qt::Key_Tab);
  QCOMPARE(QApplication::focusWidget(), form.Game);
  QVERIFY(form.Game->KeyFrameShown() == false);

  const TWalk tour = FindShortestWalk(5, true);
  for (int i = 0; i < tour.size(); ++i) {
    const QPoint target = tour[i];
    while (form.Game->KeyCursor() != target) {
      const QPoint at = form.Game->KeyCursor();
      const Qt::Key key = i > 0                   ? Qt::Key_PageDown
                          : at.x() < target.x()   ? Qt::Key_Right
                                                  : Qt::Key_Down;
      QTest::keyClick(form.windowHandle(), key);
      QVERIFY2(form.Game->KeyCursor() != at || key == Qt::Key_PageDown,
               "the cursor did not move");
    }
    QTest::keyClick(form.windowHandle(), i % 2 ? Qt::Key_Space : Qt::Key_Return);
    QCOMPARE(int(form.Game->Count()), i + 1);
    QCOMPARE(form.Game->KeyCursor(), target);
  }
  QCOMPARE(answerer.Count(), 1);
  QCOMPARE(answerer.Last().Text, QStringLiteral("Победа!"));
  QCOMPARE(form.Game->State(), gsStop);
  QCOMPARE(form.Button1->text(), StartCaption);
  // The focus is back on the board, which shows its cursor again.
  QTRY_COMPARE(QApplication::focusWidget(), form.Game);
  QVERIFY(form.Game->KeyFrameShown());
  QTest::keyClick(form.windowHandle(), Qt::Key_Tab, Qt::ShiftModifier);
  QCOMPARE(QApplication::focusWidget(), form.UpDown1);
}

void TMainFormTest::strandedKnightLoses()
{
  TMainForm form;
  TBoxAnswerer answerer(QMessageBox::Ok);
  TBoxWatch watch(form);

  const TWalk walk = FindShortestWalk(8, false);
  QVERIFY(!walk.isEmpty());
  Play(*form.Game, walk);

  QCOMPARE(answerer.Count(), 1);
  const TSeenBox box = answerer.Last();
  QCOMPARE(box.Text, QStringLiteral("Вы проиграли..."));
  QCOMPARE(box.Title, QStringLiteral("Information"));
  QCOMPARE(box.Icon, QMessageBox::Information);
  QCOMPARE(box.Buttons, QStringList{QStringLiteral("OK")});
  QCOMPARE(watch.Seen.size(), 1);
  QCOMPARE(watch.Seen[0].Button1, GiveUpCaption);
  QCOMPARE(watch.Seen[0].State, gsPlay);
  QCOMPARE(watch.Seen[0].LastSound, QStringLiteral("LOSE"));

  QCOMPARE(form.Game->State(), gsStop);
  QCOMPARE(form.Button1->text(), StartCaption);
  QVERIFY(!form.N1->isEnabled());
  QVERIFY(form.Edit1->isEnabled());
  QCOMPARE(form.StatusBar1->PanelText(1), QString::number(walk.size()));
  QCOMPARE(form.StatusBar1->PanelText(3), QString::number(64 - walk.size()));
  QCOMPARE(form.Sounds()->LastPlayed(), QStringLiteral("LOSE"));
}

void TMainFormTest::buttonGivesUpAndClears()
{
  TMainForm form;
  TBoxAnswerer answerer(QMessageBox::No);
  const TWalk walk = FindShortestWalk(8, false);

  // Started by the button, given up before the first move: no question.
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Button1->text(), GiveUpCaption);
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  QCOMPARE(answerer.Count(), 0);
  QCOMPARE(form.Game->State(), gsNew);
  QCOMPARE(form.Button1->text(), StartCaption);
  QVERIFY(!form.N1->isEnabled());

  // With moves made the button asks first; No keeps the game.
  ClickCell(*form.Game, walk[0]);
  ClickCell(*form.Game, walk[1]);
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  QCOMPARE(answerer.Count(), 1);
  const TSeenBox box = answerer.Last();
  QCOMPARE(box.Text, QStringLiteral("Прервать игру?"));
  QCOMPARE(box.Title, QStringLiteral("Confirm"));
  QCOMPARE(box.Icon, QMessageBox::Question);
  QCOMPARE(box.Buttons, (QStringList{QStringLiteral("&Yes"), QStringLiteral("&No")}));
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Game->Count(), 2);
  QCOMPARE(form.Button1->text(), GiveUpCaption);
  QVERIFY(form.N1->isEnabled());

  // Yes clears the board; the status bar keeps the abandoned game's counts.
  answerer.SetAnswer(QMessageBox::Yes);
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  QCOMPARE(answerer.Count(), 2);
  QCOMPARE(form.Game->State(), gsNew);
  QCOMPARE(form.Game->Count(), 0);
  QCOMPARE(NumberedCells(form), 0);
  QCOMPARE(form.Game->Cursor(), crKnight);
  QCOMPARE(form.Button1->text(), StartCaption);
  QVERIFY(!form.N1->isEnabled());
  QVERIFY(form.Edit1->isEnabled() && form.UpDown1->isEnabled());
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("2"));
  QCOMPARE(form.StatusBar1->PanelText(3), QStringLiteral("62"));
}

void TMainFormTest::menuGivesUpAndKeepsMoves()
{
  TMainForm form;
  TBoxAnswerer answerer(QMessageBox::No);
  const TWalk walk = FindShortestWalk(8, false);

  // No move yet: stopped without a question.
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  QCOMPARE(form.Game->State(), gsPlay);
  form.N1->trigger();
  QCOMPARE(answerer.Count(), 0);
  QCOMPARE(form.Game->State(), gsStop);
  QCOMPARE(form.Button1->text(), StartCaption);
  QVERIFY(!form.N1->isEnabled());

  // With moves: the question, No keeps the game.
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  ClickCell(*form.Game, walk[0]);
  ClickCell(*form.Game, walk[1]);
  form.N1->trigger();
  QCOMPARE(answerer.Count(), 1);
  QCOMPARE(answerer.Last().Text, QStringLiteral("Прервать игру?"));
  QCOMPARE(answerer.Last().Buttons, (QStringList{QStringLiteral("&Yes"), QStringLiteral("&No")}));
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Game->Count(), 2);

  // Yes stops the game and leaves its moves on the board.
  answerer.SetAnswer(QMessageBox::Yes);
  form.N1->trigger();
  QCOMPARE(answerer.Count(), 2);
  QCOMPARE(form.Game->State(), gsStop);
  QCOMPARE(form.Game->Count(), 2);
  QCOMPARE(form.Game->Board()[walk[0].x()][walk[0].y()], 1);
  QCOMPARE(form.Game->Board()[walk[1].x()][walk[1].y()], 2);
  QCOMPARE(form.Game->Cursor(), crNoDrop);
  QCOMPARE(form.Button1->text(), StartCaption);
  QVERIFY(!form.N1->isEnabled());
  QVERIFY(form.Edit1->isEnabled());
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("2"));
}

void TMainFormTest::buttonStartsAGame()
{
  TMainForm form;
  TBoxAnswerer answerer(QMessageBox::Yes);
  const TWalk walk = FindShortestWalk(8, false);

  // From the fresh board.
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Game->Count(), 0);
  QCOMPARE(form.Button1->text(), GiveUpCaption);
  QVERIFY(form.N1->isEnabled());
  QVERIFY(!form.Edit1->isEnabled());
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("0"));
  QCOMPARE(form.StatusBar1->PanelText(3), QStringLiteral("64"));

  // From a lost game: a new, empty game that runs at once.
  Play(*form.Game, walk);
  QCOMPARE(form.Game->State(), gsStop);
  QVERIFY(NumberedCells(form) > 0);
  QTest::mouseClick(form.Button1, Qt::LeftButton);
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Game->Count(), 0);
  QCOMPARE(NumberedCells(form), 0);
  QCOMPARE(form.Button1->text(), GiveUpCaption);
  QVERIFY(form.N1->isEnabled());
  QCOMPARE(answerer.Count(), 1);  // only the loss

  // And the first press of that game is a move anywhere.
  ClickCell(*form.Game, walk[1]);
  QCOMPARE(form.Game->Count(), 1);
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("1"));
}

void TMainFormTest::keysPressTheFocusedButton_data()
{
  QTest::addColumn<QString>("situation");  // the button's caption
  QTest::addColumn<QString>("focus");
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("state");  // the board's state after the key
  const int start = int(Qt::Key_Return);
  QTest::newRow("Начать игру! Return") << StartCaption << "Button1" << start << int(gsPlay);
  QTest::newRow("Начать игру! keypad Enter")
      << StartCaption << "Button1" << int(Qt::Key_Enter) << int(gsPlay);
  QTest::newRow("Начать игру! Space") << StartCaption << "Button1" << int(Qt::Key_Space)
                                      << int(gsPlay);
  QTest::newRow("Сдаться Return") << GiveUpCaption << "Button1" << start << int(gsNew);
  QTest::newRow("Остановить keypad Enter")
      << QStringLiteral("Остановить") << "Button1" << int(Qt::Key_Enter) << int(gsPlay);
  // A main window has no default button: from elsewhere Enter presses nothing.
  QTest::newRow("Return in the size box") << StartCaption << "Edit1" << start << int(gsNew);
  QTest::newRow("Return on the arrows") << StartCaption << "UpDown1" << start << int(gsNew);
}

void TMainFormTest::keysPressTheFocusedButton()
{
  QFETCH(QString, situation);
  QFETCH(QString, focus);
  QFETCH(int, key);
  QFETCH(int, state);

  TMainForm form;
  TBoxAnswerer answerer;
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  if (situation == GiveUpCaption) {
    QTest::mouseClick(form.Button1, Qt::LeftButton);
  } else if (situation != StartCaption) {
    // A replay on a board whose tour is found at once.
    form.Game->SetSize(5);
    RandSeed(11);
    form.StepbyStep1->trigger();
    QCOMPARE(form.Game->State(), gsShow);
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
  }
  QCOMPARE(form.Button1->text(), situation);
  const TGameState before = form.Game->State();
  auto* target = form.findChild<QWidget*>(focus);
  QVERIFY(target);
  target->setFocus();
  QTRY_COMPARE(QApplication::focusWidget(), target);

  const Qt::KeyboardModifiers keypad =
      key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier;
  QTest::keyClick(form.windowHandle(), Qt::Key(key), keypad);
  QCOMPARE(int(form.Game->State()), state);
  if (state == int(before)) {
    QCOMPARE(form.Button1->text(), situation);
  } else {
    QCOMPARE(form.Button1->text(), state == int(gsPlay) ? GiveUpCaption : StartCaption);
    QVERIFY(!form.Timer->isActive());
  }
  QCOMPARE(answerer.Count(), 0);
}

void TMainFormTest::newGameCommand()
{
  TMainForm form;
  TBoxAnswerer answerer(QMessageBox::No);
  TBoxWatch watch(form);
  QStringList log;
  LogStartStop(form, log);
  const TWalk walk = FindShortestWalk(8, false);

  // gsNew: an empty game in gsPlay; the mark toggles.
  form.NewGame1->trigger();
  QVERIFY(form.NewGame1->isChecked());
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Game->Count(), 0);
  QCOMPARE(form.Button1->text(), GiveUpCaption);
  QCOMPARE(log, QStringList{QStringLiteral("start")});

  // gsPlay without moves: restarted through a stop, no question.
  log.clear();
  form.NewGame1->trigger();
  QVERIFY(!form.NewGame1->isChecked());
  QCOMPARE(answerer.Count(), 0);
  QCOMPARE(log, (QStringList{QStringLiteral("stop"), QStringLiteral("start")}));
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Button1->text(), GiveUpCaption);

  // gsPlay with moves: the question, asked after the mark has toggled; No
  // keeps the game.
  ClickCell(*form.Game, walk[0]);
  ClickCell(*form.Game, walk[1]);
  log.clear();
  form.NewGame1->trigger();
  QCOMPARE(answerer.Count(), 1);
  QCOMPARE(answerer.Last().Text, QStringLiteral("Начать заново?"));
  QCOMPARE(answerer.Last().Title, QStringLiteral("Confirm"));
  QCOMPARE(answerer.Last().Icon, QMessageBox::Question);
  QCOMPARE(answerer.Last().Buttons, (QStringList{QStringLiteral("&Yes"), QStringLiteral("&No")}));
  QCOMPARE(watch.Seen.size(), 1);
  QVERIFY(watch.Seen[0].NewGameChecked);
  QVERIFY(form.NewGame1->isChecked());
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Game->Count(), 2);
  QVERIFY(log.isEmpty());

  // Yes: an empty game that runs.
  answerer.SetAnswer(QMessageBox::Yes);
  form.NewGame1->trigger();
  QCOMPARE(answerer.Count(), 2);
  QVERIFY(!watch.Seen[1].NewGameChecked);
  QVERIFY(!form.NewGame1->isChecked());
  QCOMPARE(log, (QStringList{QStringLiteral("stop"), QStringLiteral("start")}));
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Game->Count(), 0);
  QCOMPARE(NumberedCells(form), 0);
  QCOMPARE(form.Game->Cursor(), crKnight);
  QCOMPARE(form.Button1->text(), GiveUpCaption);
  QVERIFY(form.N1->isEnabled());
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("0"));

  // gsStop, after a lost game: an empty game without a question.
  Play(*form.Game, walk);
  QCOMPARE(form.Game->State(), gsStop);
  QCOMPARE(answerer.Count(), 3);
  log.clear();
  form.NewGame1->trigger();
  QCOMPARE(answerer.Count(), 3);
  QCOMPARE(log, QStringList{QStringLiteral("start")});
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(NumberedCells(form), 0);
  QCOMPARE(form.Button1->text(), GiveUpCaption);
}

void TMainFormTest::ctrlCFromAnyFocus_data()
{
  QTest::addColumn<QString>("focus");
  QTest::newRow("size box") << QStringLiteral("Edit1");
  QTest::newRow("button") << QStringLiteral("Button1");
  QTest::newRow("arrows") << QStringLiteral("UpDown1");
  QTest::newRow("board") << QStringLiteral("Game");
}

void TMainFormTest::ctrlCFromAnyFocus()
{
  QFETCH(QString, focus);
  TMainForm form;
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  auto* target = form.findChild<QWidget*>(focus);
  QVERIFY(target);
  target->setFocus();
  QTRY_COMPARE(QApplication::focusWidget(), target);

  QSignalSpy stepByStep(form.StepbyStep1, &QAction::triggered);
  QTest::keyClick(target, Qt::Key_C, Qt::ControlModifier);
  QCOMPARE(stepByStep.count(), 1);
}

void TMainFormTest::gameShortcutsFromTheSizeBox()
{
  TMainForm form;
  TBoxAnswerer answerer(QMessageBox::Yes);
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  // The read-only size box is first in the tab order.
  form.Edit1->setFocus();
  QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget*>(form.Edit1));

  QSignalSpy newGame(form.NewGame1, &QAction::triggered);
  QSignalSpy giveUp(form.N1, &QAction::triggered);
  QSignalSpy exit(form.N3, &QAction::triggered);

  QTest::keyClick(form.Edit1, Qt::Key_F2);
  QCOMPARE(newGame.count(), 1);
  QCOMPARE(form.Game->State(), gsPlay);

  QTest::keyClick(form.Edit1, Qt::Key_F2, Qt::ControlModifier);
  QCOMPARE(giveUp.count(), 1);
  QCOMPARE(form.Game->State(), gsStop);

  // Outside the application's own loop, Ctrl+Q only reaches its item here;
  // exitCommandEndsTheLoop shows what the item does.
  QTest::keyClick(form.Edit1, Qt::Key_Q, Qt::ControlModifier);
  QCOMPARE(exit.count(), 1);

  // A key that is no shortcut still reaches the box: arrows step the size.
  QTest::keyClick(form.Edit1, Qt::Key_Up);
  QCOMPARE(form.Edit1->text(), QStringLiteral("9"));
  QCOMPARE(answerer.Count(), 0);
}

void TMainFormTest::missingMoveSound()
{
  QTemporaryDir noClips;
  QVERIFY(noClips.isValid());
  TMainForm form(noClips.path());
  TBoxAnswerer answerer(QMessageBox::Ok);
  const TWalk walk = FindShortestWalk(8, false);

  ClickCell(*form.Game, walk[0]);
  // The application's error handler showed the failure; only one box.
  QCOMPARE(answerer.Count(), 1);
  QCOMPARE(answerer.Last().Text, QStringLiteral("Ресурс не найден!"));
  QCOMPARE(answerer.Last().Title, QStringLiteral("Error"));
  QCOMPARE(answerer.Last().Icon, QMessageBox::Critical);
  QCOMPARE(answerer.Last().Buttons, QStringList{QStringLiteral("OK")});
  // The move was made and the game started, but the move handler stopped at
  // its sound: the status bar shows what the start handler wrote.
  QCOMPARE(form.Game->Board()[walk[0].x()][walk[0].y()], 1);
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Button1->text(), GiveUpCaption);
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("0"));
  QCOMPARE(form.StatusBar1->PanelText(3), QStringLiteral("64"));
  QCOMPARE(form.Sounds()->LastPlayed(), QString());

  // The program goes on: the next press is a move again.
  ClickCell(*form.Game, walk[1]);
  QCOMPARE(answerer.Count(), 2);
  QCOMPARE(form.Game->Count(), 2);

  // An illegal press: the error sound is missing too, so no rules box.
  ClickCell(*form.Game, NotAJumpFrom(8, walk[1]));
  QCOMPARE(answerer.Count(), 3);
  QCOMPARE(answerer.Last().Text, QStringLiteral("Ресурс не найден!"));
  QCOMPARE(form.Game->Count(), 2);

  // With the sound off nothing is looked up and the game runs normally.
  form.Sound1->trigger();
  ClickCell(*form.Game, walk[2]);
  QCOMPARE(answerer.Count(), 3);
  QCOMPARE(form.StatusBar1->PanelText(1), QStringLiteral("3"));
}

void TMainFormTest::missingEndSound_data()
{
  QTest::addColumn<bool>("win");
  QTest::addColumn<QString>("clip");
  QTest::addColumn<QString>("endText");
  QTest::newRow("win") << true << QStringLiteral("WIN") << QStringLiteral("Победа!");
  QTest::newRow("loss") << false << QStringLiteral("LOSE") << QStringLiteral("Вы проиграли...");
}

void TMainFormTest::missingEndSound()
{
  QFETCH(bool, win);
  QFETCH(QString, clip);
  QFETCH(QString, endText);

  // Every clip but the one of this end of the game.
  QTemporaryDir folder;
  QVERIFY(folder.isValid());
  QStringList clips{QStringLiteral("MOVE"), QStringLiteral("ERROR"), QStringLiteral("WIN"),
                    QStringLiteral("LOSE")};
  clips.removeAll(clip);
  CopyClips(folder, clips);
  if (QTest::currentTestFailed())
    return;

  TMainForm form(folder.path());
  if (win)
    form.Game->SetSize(5);
  const int n = form.Game->Size();
  TBoxAnswerer answerer(QMessageBox::Ok);
  const TWalk walk = FindShortestWalk(n, win);
  QVERIFY(!walk.isEmpty());
  Play(*form.Game, walk);

  // The error box instead of the end-of-game box; the rest of the board's
  // press, its stop included, was skipped.
  QCOMPARE(answerer.Count(), 1);
  QCOMPARE(answerer.Last().Text, QStringLiteral("Ресурс не найден!"));
  QCOMPARE(answerer.Last().Buttons, QStringList{QStringLiteral("OK")});
  for (const TSeenBox& box : answerer.Seen())
    QVERIFY(box.Text != endText);
  QCOMPARE(form.Game->Count(), walk.size());
  QCOMPARE(form.Sounds()->LastPlayed(), QStringLiteral("MOVE"));
  QCOMPARE(form.StatusBar1->PanelText(1), QString::number(walk.size()));
  QCOMPARE(form.Game->State(), gsPlay);
  QCOMPARE(form.Button1->text(), GiveUpCaption);
}

// Qt's quit() acts only while the application's own loop runs, which a test
// run never enters by itself. These tests run that loop as the program does:
// the command is given from inside it, and the loop must return 0 with
// aboutToQuit emitted. A guard ends the loop with another code if the command
// fails, so that a fault fails the test instead of hanging it.
namespace {

int RunApplicationLoop(const std::function<void()>& command)
{
  QTimer::singleShot(0, qApp, command);
  QTimer guard;
  guard.setSingleShot(true);
  QObject::connect(&guard, &QTimer::timeout, qApp, [] { QCoreApplication::exit(77); });
  guard.start(10000);
  return QApplication::exec();
}

}  // namespace

void TMainFormTest::exitCommandEndsTheLoop()
{
  TMainForm form;
  TBoxAnswerer answerer(QMessageBox::No);
  form.show();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  const TWalk walk = FindShortestWalk(8, false);
  ClickCell(*form.Game, walk[0]);
  ClickCell(*form.Game, walk[1]);
  QCOMPARE(form.Game->State(), gsPlay);
  form.Edit1->setFocus();

  QSignalSpy aboutToQuit(qApp, &QCoreApplication::aboutToQuit);
  const int code = RunApplicationLoop([&form] {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &form, Qt::Key_Q,
                    Qt::ControlModifier);
  });
  QCOMPARE(code, 0);
  QCOMPARE(aboutToQuit.count(), 1);
  // No question, although a game was running.
  QCOMPARE(answerer.Count(), 0);
}

void TMainFormTest::closingTheWindowEndsTheLoop()
{
  TMainForm form;
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));

  QSignalSpy aboutToQuit(qApp, &QCoreApplication::aboutToQuit);
  const int code = RunApplicationLoop([&form] { form.close(); });
  QCOMPARE(code, 0);
  QCOMPARE(aboutToQuit.count(), 1);
}

VILTRON_TEST_MAIN(TMainFormTest)
#include "test_mainform.moc"
