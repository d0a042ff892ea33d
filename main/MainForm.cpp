#include "main/MainForm.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include "main/ProverCommands.h"
#include "main/WaitForm.h"
#include "windows/AboutBox.h"
#include "windows/RulesForm.h"
#include "platform/Application.h"
#include "platform/Dialogs.h"
#include "platform/Edit.h"
#include "platform/Fonts.h"
#include "platform/Screen.h"
#include "platform/Sounds.h"
#include "platform/StatusBar.h"
#include "platform/UpDown.h"

namespace {

// Captions of the button and the menu item "Сдаться".
QString GiveUpCaption() { return TMainForm::tr("Сдаться"); }
QString StartCaption() { return TMainForm::tr("Начать игру!"); }
QString StopReplayCaption() { return TMainForm::tr("Остановить"); }
// The same in the menu, with its access key.
QString GiveUpItem() { return TMainForm::tr("&Сдаться"); }
QString StopReplayItem() { return TMainForm::tr("&Остановить"); }

QAction* AddItem(QMenu* menu, const QString& name, const QString& caption,
                 const QKeySequence& shortcut = {})
{
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  action->setShortcut(shortcut);
  return action;
}

QAction* AddSeparator(QMenu* menu, const QString& name)
{
  QAction* action = menu->addSeparator();
  action->setObjectName(name);
  return action;
}

QMenu* AddSubmenu(QWidget* parent, const QString& name, const QString& caption)
{
  auto* menu = new QMenu(caption, parent);
  menu->setObjectName(name);
  menu->menuAction()->setObjectName(name);
  return menu;
}

// The default item of a submenu is shown in bold.
void MakeDefault(QAction* action)
{
  QFont bold = action->font();
  bold.setBold(true);
  action->setFont(bold);
}

}  // namespace

TMainForm::TMainForm(const QString& soundFolder, QWidget* parent) : QMainWindow(parent)
{
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(tr("Вилтрон"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/viltron")));
  // A fixed border with the system menu and minimise button only.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
  setFont(WindowFont());

  FSounds = new TSoundBank(soundFolder, this);
  CreateMenu();
  CreateControls();
  ConnectHistory();
}

void TMainForm::CreateMenu()
{
  MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

  Game1 = AddSubmenu(this, QStringLiteral("Game1"), tr("&Игра"));
  NewGame1 = AddItem(Game1, QStringLiteral("NewGame1"), tr("&Новая игра"), Qt::Key_F2);
  NewGame1->setCheckable(true);
  MakeDefault(NewGame1);
  N1 = AddItem(Game1, QStringLiteral("N1"), GiveUpItem(), Qt::CTRL | Qt::Key_F2);
  N1->setEnabled(false);
  TakeBack1 = AddItem(Game1, QStringLiteral("TakeBack1"), tr("В&ернуть ход"),
                      Qt::ALT | Qt::Key_Backspace);
  Redo1 = AddItem(Game1, QStringLiteral("Redo1"), tr("&Повторить ход"),
                  Qt::SHIFT | Qt::ALT | Qt::Key_Backspace);
  N2 = AddSeparator(Game1, QStringLiteral("N2"));
  N2->setEnabled(false);
  N7 = AddItem(Game1, QStringLiteral("N7"), tr("Со&хранить"), Qt::CTRL | Qt::Key_S);
  N8 = AddItem(Game1, QStringLiteral("N8"), tr("&Загрузить"), Qt::CTRL | Qt::Key_L);
  N6 = AddSeparator(Game1, QStringLiteral("N6"));
  N3 = AddItem(Game1, QStringLiteral("N3"), tr("&Выход"), Qt::CTRL | Qt::Key_Q);
  MainMenu1->addMenu(Game1);

  N4 = AddSubmenu(this, QStringLiteral("N4"), tr("Н&астройки"));
  ShowErrors1 = AddItem(N4, QStringLiteral("ShowErrors1"), tr("&Проверка ошибок"));
  ShowErrors1->setCheckable(true);
  ShowErrors1->setChecked(true);
  Sound1 = AddItem(N4, QStringLiteral("Sound1"), tr("&Звук"));
  Sound1->setCheckable(true);
  Sound1->setChecked(true);
  Remember1 = AddItem(N4, QStringLiteral("Remember1"), tr("Запоминать &игру"));
  Remember1->setCheckable(true);
  MainMenu1->addMenu(N4);

  Solve1 = AddSubmenu(this, QStringLiteral("Solve1"), tr("&Подсказка"));
  All1 = AddSubmenu(Solve1, QStringLiteral("All1"), tr("&Решить всё"));
  Now1 = AddItem(All1, QStringLiteral("Now1"), tr("&Сразу!"), Qt::CTRL | Qt::Key_X);
  MakeDefault(Now1);
  StepbyStep1 =
      AddItem(All1, QStringLiteral("StepbyStep1"), tr("&По шагам"), Qt::CTRL | Qt::Key_C);
  Solve1->addMenu(All1);
  OneStep1 =
      AddItem(Solve1, QStringLiteral("OneStep1"), tr("&Один ход"), Qt::CTRL | Qt::Key_Z);
  Prover = new TProverCommands(this);
  MainMenu1->addMenu(Solve1);

  N5 = AddSubmenu(this, QStringLiteral("N5"), tr("&?.."));
  Rules2 = AddItem(N5, QStringLiteral("Rules2"), tr("&Правила"), Qt::Key_F1);
  Rules1 = AddSeparator(N5, QStringLiteral("Rules1"));
  Rules1->setEnabled(false);
  About1 = AddItem(N5, QStringLiteral("About1"), tr("&О..."));
  MakeDefault(About1);
  MainMenu1->addMenu(N5);

  // The commands that write or change the game, locked while a search runs;
  // each keeps its own enabled state for when the group is unlocked.
  GameCommands = new QActionGroup(this);
  GameCommands->setExclusionPolicy(QActionGroup::ExclusionPolicy::None);
  for (QAction* action : {NewGame1, N1, N7, N8})
    GameCommands->addAction(action);

  // F10 opens the first menu, as on Windows and in GNOME.
  auto* menuKey = new QShortcut(Qt::Key_F10, this);
  connect(menuKey, &QShortcut::activated, this,
          [this] { MainMenu1->setActiveAction(Game1->menuAction()); });

  // Shortcuts work from every control of the window, menus closed or not.
  for (QAction* action :
       {NewGame1, N1, TakeBack1, Redo1, N7, N8, N3, Now1, StepbyStep1, OneStep1, Rules2})
    addAction(action);

  connect(NewGame1, &QAction::triggered, this, [this] { NewGameClick(NewGame1); });
  connect(N1, &QAction::triggered, this, [this] { StopGameClick(N1); });
  connect(N3, &QAction::triggered, this, [this] { N3Click(N3); });
  connect(N7, &QAction::triggered, this, [this] { N7Click(N7); });
  connect(N8, &QAction::triggered, this, [this] { N8Click(N8); });
  connect(About1, &QAction::triggered, this, [this] { About1Click(About1); });
  connect(Rules2, &QAction::triggered, this, [this] { Rules2Click(Rules2); });
  connect(Now1, &QAction::triggered, this, [this] { ShowThinkWindow(Now1); });
  connect(OneStep1, &QAction::triggered, this, [this] { ShowThinkWindow(OneStep1); });
  connect(StepbyStep1, &QAction::triggered, this, [this] { StepbyStep1Click(StepbyStep1); });
  // "Проверка ошибок" and "Звук" invert their own check marks when chosen;
  // the handlers read the marks.
}

void TMainForm::CreateControls()
{
  Client = new QWidget(this);
  Client->setObjectName(QStringLiteral("Client"));
  setCentralWidget(Client);

  Panel2 = new QFrame(Client);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setFrameShape(QFrame::Panel);
  Panel2->setFrameShadow(QFrame::Raised);
  Panel2->setGeometry(8, 8, 200, 40);

  Button1 = new QPushButton(StartCaption(), Panel2);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(8, 8, 75, 24);
  // Enter presses the button while it has the focus, as Space does; a main
  // window has no default button, so from any other control Enter does not.
  Button1->setAutoDefault(true);

  Label1 = new QLabel(tr("Размер:"), Panel2);
  Label1->setObjectName(QStringLiteral("Label1"));
  Label1->setGeometry(104, 12, 42, 13);

  Edit1 = new TEdit(QStringLiteral("8"), Panel2);
  Edit1->setObjectName(QStringLiteral("Edit1"));
  Edit1->setGeometry(152, 8, 25, 21);
  Edit1->setReadOnly(true);
  // The box takes the panel's colour.
  QPalette editPalette = Edit1->palette();
  editPalette.setColor(QPalette::Base, palette().color(QPalette::Button));
  Edit1->setPalette(editPalette);

  UpDown1 = new TUpDown(Panel2);
  UpDown1->setObjectName(QStringLiteral("UpDown1"));
  UpDown1->setGeometry(177, 8, 13, 21);
  UpDown1->SetRange(5, 100);
  UpDown1->SetAssociate(Edit1);
  UpDown1->SetPosition(8);
  // Readers call the box and its arrows by the label's name; the board says
  // its new size when it changes.
  Label1->setBuddy(Edit1);
  UpDown1->setAccessibleName(Label1->text().remove(u':'));

  setTabOrder(Edit1, Button1);
  setTabOrder(Button1, UpDown1);

  Game = new TViltronPan(Client);
  Game->setObjectName(QStringLiteral("Game"));
  Game->move(8, 56);
  Game->OnStart = [this](QObject* s) { StartGame(s); };
  Game->OnStop = [this](QObject* s) { StopGame(s); };
  Game->OnWin = [this](QObject* s) { Win(s); };
  Game->OnLose = [this](QObject* s) { Lose(s); };
  Game->OnError = [this](QObject* s) { Error(s); };
  Game->OnMove = [this](QObject* s) { OnKnightMove(s); };
  Game->OnStopThinking = [this](QObject* s) { StopThinking(s); };
  Game->OnResize = [this](QObject* s) { ResizeGame(s); };
  Game->OnWrongFileType = [this](QObject* s) { WrongFileType(s); };
  // The board comes after the size selector in the tab order.
  setTabOrder(UpDown1, Game);

  StatusBar1 = new TStatusBar(Client);
  StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar1->setGeometry(0, 264, 216, 20);
  StatusBar1->AddPanel(40, tr("Число:"));
  StatusBar1->AddPanel(30);
  StatusBar1->AddPanel(60, tr("Осталось:"));
  StatusBar1->AddPanel(30);
  StatusBar1->AddPanel(50);

  Timer = new QTimer(this);
  Timer->setObjectName(QStringLiteral("Timer"));
  Timer->setInterval(500);
  connect(Timer, &QTimer::timeout, this, [this] { RunGuarded([this] { StepOnTimer(Timer); }); });

  connect(Button1, &QPushButton::clicked, this, [this] { ButtonClick(Button1); });
  CreateFileDialogs();
  UpDown1->OnChangingEx = [this](QObject* s, bool& allow, int16_t value, TUpDownDirection d) {
    ChangingEx(s, allow, value, d);
  };

  SetClientSize(216, 284);
}

void TMainForm::SetClientSize(int width, int height)
{
  Client->setFixedSize(width, height);
  // The status bar runs along the bottom edge.
  StatusBar1->setGeometry(0, height - StatusBar1->height(), width, StatusBar1->height());
  setFixedSize(width, height + MainMenu1->sizeHint().height());
}

void TMainForm::showEvent(QShowEvent* event)
{
  QMainWindow::showEvent(event);
  if (FCentred)
    return;
  FCentred = true;
  CenterOnDesktop(this);
}

void TMainForm::PlaySoundRes(const QString& name)
{
  FSounds->Play(name);
}

void TMainForm::ShowCounts()
{
  const int count = Game->Count();
  StatusBar1->SetPanelText(1, QString::number(count));
  StatusBar1->SetPanelText(3, QString::number(Game->Size() * Game->Size() - count));
}

void TMainForm::ShowGameRunning(bool running)
{
  N1->setEnabled(running);
  Edit1->setEnabled(!running);
  UpDown1->setEnabled(!running);
  OneStep1->setEnabled(true);
  All1->menuAction()->setEnabled(true);
  ShowCounts();
}

void TMainForm::SetGiveUpCaptions(const QString& caption, const QString& item)
{
  Button1->setText(caption);
  N1->setText(item);
}

void TMainForm::PlaySoundIfOn(const QString& name)
{
  if (Sound1->isChecked())
    PlaySoundRes(name);
}

void TMainForm::PlayNewGame()
{
  Game->SetState(gsNew);
  Game->SetState(gsPlay);
}

void TMainForm::LeaveReplay()
{
  SetGiveUpCaptions(GiveUpCaption(), GiveUpItem());
  Timer->stop();
  Game->SetState(gsPlay);
}

void TMainForm::StartGame(QObject*)
{
  ShowGameRunning(true);
  SetGiveUpCaptions(GiveUpCaption(), GiveUpItem());
}

void TMainForm::StopGame(QObject*)
{
  ShowGameRunning(false);
  // The menu item keeps its caption.
  Button1->setText(StartCaption());
}

void TMainForm::OnKnightMove(QObject*)
{
  PlaySoundIfOn(QStringLiteral("move"));
  // Always the main board's numbers, whichever board moved.
  ShowCounts();
}

void TMainForm::Win(QObject*)
{
  PlaySoundIfOn(QStringLiteral("win"));
  MessageDlg(tr("Победа!"), mtInformation, {mbYes}, this);
}

void TMainForm::Lose(QObject*)
{
  PlaySoundIfOn(QStringLiteral("lose"));
  MessageDlg(tr("Вы проиграли..."), mtInformation, {mbOK}, this);
}

void TMainForm::Error(QObject*)
{
  PlaySoundIfOn(QStringLiteral("error"));
  if (ShowErrors1->isChecked())
    MessageDlg(tr("Ходить можно только буквой Г.\r\n"
                  "На клетку можно ходить только 1 раз.\r\n"
                  "Проверку ошибок можно отключить в настройках.\r\n"
                  "F1 - помощь."),
               mtError, {mbOK}, this);
}

void TMainForm::ButtonClick(QObject*)
{
  switch (Game->State()) {
    case gsPlay:
      if (Game->Count() == 0 ||
          MessageDlg(tr("Прервать игру?"), mtConfirmation, {mbYes, mbNo}, this) ==
              mrYes) {
        StopGame(Button1);
        Game->SetState(gsNew);
      }
      break;
    case gsStop:
      PlayNewGame();
      break;
    case gsNew:
      Game->SetState(gsPlay);
      break;
    case gsShow:
      // The player goes on from where the replay has got to.
      LeaveReplay();
      break;
    case gsThink:
    case gsCancel:
    case gsBest:
      break;
  }
}

void TMainForm::StopGameClick(QObject*)
{
  if (Game->Count() == 0) {
    Game->SetState(gsStop);
  } else if (Game->State() == gsShow) {
    LeaveReplay();
  } else if (MessageDlg(tr("Прервать игру?"), mtConfirmation, {mbYes, mbNo}, this) ==
             mrYes) {
    // Unlike the button, the menu keeps the moves on the board.
    Game->SetState(gsStop);
  }
}

void TMainForm::NewGameClick(QObject*)
{
  switch (Game->State()) {
    case gsShow:
      Timer->stop();
      [[fallthrough]];
    case gsStop:
    case gsNew:
      PlayNewGame();
      break;
    case gsPlay:
      if (Game->Count() == 0 ||
          MessageDlg(tr("Начать заново?"), mtConfirmation, {mbYes, mbNo}, this) ==
              mrYes) {
        Game->SetState(gsStop);
        PlayNewGame();
      }
      break;
    case gsThink:
    case gsCancel:
    case gsBest:
      break;
  }
}

void TMainForm::N3Click(QObject*)
{
  QApplication::quit();
}

void TMainForm::ShowThinkWindow(QObject* sender)
{
  if (Game->State() == gsShow) {
    // A running replay becomes a game from the position it has reached.
    LeaveReplay();
  }
  ThinkCommand = sender ? sender->objectName() : QString();
  {
    TWaitForm form(this);
    WaitForm = &form;
    ExecModal(form);
  }
  Game->Paint();
}

void TMainForm::LockGameCommands(bool locked)
{
  GameCommands->setEnabled(!locked);
  // The button and the size selector.
  Panel2->setEnabled(!locked);
}

void TMainForm::StopThinking(QObject*)
{
  if (WaitForm)
    WaitForm->Finish();
}

void TMainForm::StepbyStep1Click(QObject* sender)
{
  const TGameState before = Game->State();
  ShowThinkWindow(sender);
  if (Game->State() == gsCancel) {
    Game->SetState(before);
    Game->Paint();
    return;
  }
  StartGame(this);
  SetGiveUpCaptions(StopReplayCaption(), StopReplayItem());
  Timer->start();
}

void TMainForm::StepOnTimer(QObject*)
{
  if (Game->Count() == Game->Best().Count) {
    Timer->stop();
    Game->SetState(gsStop);
    Game->Say(Game->MoveSaying());
  } else {
    Game->ShowNextMove();
  }
}

void TMainForm::Rules2Click(QObject*)
{
  if (RulesForm)
    ExecModal(*RulesForm);
}

void TMainForm::About1Click(QObject*)
{
  if (!AboutBox)
    return;
  hide();
  AboutBox->exec();
  show();
}
